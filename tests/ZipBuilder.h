#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds zip archives in memory for tests and benchmarks: entries in the order given, each
// stored or deflated.
struct ZipEntry {
    QString name;
    QByteArray data;
    bool deflate = true;
};

QByteArray buildZip(const QList<ZipEntry>& entries);
