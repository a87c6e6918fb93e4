#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the data tools share: messages on stderr, and reading an input file.

// Writes one line to stderr.
void report(const QString& message);

// The bytes of an input file, or nothing after reporting "path: error: why".
std::optional<QByteArray> readToolInput(const QString& path);
