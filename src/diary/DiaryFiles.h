#pragma once

#include <QString>
#include <QStringList>

// The diary's file and its companions (SQLite's crash journal "-wal" and its index "-shm") as
// files: kept aside under a dated name, told apart from what is not a file, and the journal
// checked against the file it lies beside.
namespace DiaryFiles {

inline constexpr const char* Companions[] = {"-wal", "-shm"};

// The name of what is at path when it is there but no regular file ("папка", "именованный
// канал" …); empty when path is a file or nothing.
QString nonFileName(const QString& path);

// Renames the file at path and those of its companions that are there to
// "<name>-<label>-<date and time>.<suffix>" plus the companion's ending, all with the same
// stem. Returns the new name of the first file moved (empty when nothing could be moved).
QString keepAside(const QString& path, const QString& label, bool withMainFile = true);

// The identity the program writes into every diary: the file's kind for other tools, a random
// id for the file and a token renewed at every opening, which the pages of a crash journal
// written since carry along.
struct Identity {
    bool readable = false;
    qint64 applicationId = 0;
    bool hasRecords = false;
    QString id;
    QString token;
    bool operator==(const Identity&) const = default;
};
Identity readIdentity(const QString& path);

enum class Journal {
    None,    // no journal, or an empty one
    Belongs, // written since the file's last opening: it is to be applied
    Foreign, // from another database or another copy of this one: never to be applied
    Unknown, // the file alone cannot be read; the journal goes where the file goes
};
// Looks at the crash journal beside path without touching either: copies of both are
// opened in a folder of their own, and what the journal would make of the file is compared
// with the file alone.
Journal checkJournal(const QString& path);

// Copies the file and its journal (when given) into folder under the name "diary.sqlite";
// returns the copy's path, empty when a copy failed.
QString copyInto(const QString& folder, const QString& path, const QString& journal);

} // namespace DiaryFiles
