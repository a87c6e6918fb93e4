#pragma once

#include "formats/BookText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

struct zip;

// A zip archive held in memory, read entry by entry. Every entry read counts against one
// budget of unpacked bytes for the whole archive; the count is kept while unpacking, so an
// archive that unpacks to more than its budget is stopped at the budget, whatever sizes its
// directory claims. Entry data is checked against its CRC-32.
class ZipArchive {
public:
    // `bytes` must stay alive as long as the archive.
    ZipArchive(QByteArrayView bytes, qint64 unpackedBudget);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // False when the data is not a readable zip archive (cut short, damaged, not zip at all).
    bool isOpen() const { return Archive != nullptr; }
    // True when some entry's name is absolute or climbs out of the archive with "..".
    const QString& unsafeName() const { return UnsafeName; }
    const QStringList& names() const { return Names; }
    bool contains(const QString& name) const { return Index.contains(name); }
    qint64 budget() const { return Budget; }

    // The unpacked data of one entry, or the reason it cannot be had: missing, encrypted,
    // damaged, or over the budget.
    std::optional<QByteArray> read(const QString& name, BookText* problem);

private:
    zip* Archive = nullptr;
    QStringList Names;
    // Entry name -> its number; for a name given twice, the first.
    QHash<QString, qsizetype> Index;
    QString UnsafeName;
    qint64 Budget = 0;
};

// Whether the data begins as a zip archive does (a local entry or an empty archive's end).
bool looksLikeZip(QByteArrayView bytes);

// Resolves `relative` (a URL path, as a book's own files name each other) against the folder
// of entry `base`: "." and ".." steps are taken, "%xx" escapes decoded, a "#fragment" dropped.
// Empty when the path leaves the archive.
QString resolveEntryPath(const QString& base, const QString& relative);
