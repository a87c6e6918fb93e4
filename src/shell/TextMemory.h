#pragma once

#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Where the user stopped reading, per text file.
struct TextPosition {
    int caret = 0;  // character index where reading resumes
    int anchor = 0; // scroll anchor of the view
};

// An entry of the memory that matched a path. Its numbers are checked only
// when the caller wants to resume: a malformed entry still counts as a match.
struct TextMemoryEntry {
    std::optional<TextPosition> position; // empty when caret or anchor is missing or bad
    QString error;                        // why position is empty
};

// The reading-position memory textmem.ini: a plain text file of CR LF lines. Line 1 is reserved
// and kept byte for byte; the lines below it hold at most MaxEntries entries "path^caret^anchor",
// the most recently saved first. A line is Windows-1251, as the file has always been, unless it
// starts with the UTF-8 byte order mark: then the rest of the line is UTF-8. An entry is written
// in Windows-1251 whenever that keeps its path exactly, so a path with a character the code page
// lacks ("café", Greek, an emoji) still comes back as it was. A path with a line break is written
// in UTF-8 with its line breaks escaped, so that it too comes back as it was and never splits.
class TextMemory {
public:
    static constexpr int MaxEntries = 100;
    static constexpr QChar Separator = u'^';
    // How long a save waits for another copy of the program that is saving at the same time.
    static constexpr int LockWaitMs = 2000;

    explicit TextMemory(QString filePath);

    const QString& filePath() const { return m_filePath; }

    // The first entry whose first "^"-field equals path exactly (letter case counts).
    // Entries are examined from the first. A missing, empty or unreadable file has none.
    std::optional<TextMemoryEntry> find(const QString& path) const;

    // Moves the entry of path to the top with the given position, dropping the oldest entry
    // when the list is full. The read, the change and the replacement of the file happen under
    // a lock file (textmem.ini.lock) so that two copies of the program saving at once both
    // land; temporary files that an interrupted save left behind are removed. The file is
    // replaced atomically; on failure it is left as it was, false is returned and *error (if
    // given) says why.
    bool save(const QString& path, int caret, int anchor, QString* error = nullptr) const;

    // The file name of the memory: textmem.ini in programDir when that folder is the user's to
    // write (a build or copy of their own), otherwise, as for an installed program, in the
    // user's data directory.
    static QString locate(const QString& programDir);

    // Pure operations behind find() and save(), on the file's lines as they are in the file.
    static QByteArrayList splitLines(QByteArrayView bytes);
    static QString decodeLine(QByteArrayView line);
    static QByteArray encodeLine(QStringView line);
    static int indexOf(const QByteArrayList& lines, const QString& path);
    static QByteArrayList withEntry(QByteArrayList lines, const QString& path, int caret,
                                    int anchor);
    static TextMemoryEntry parseEntry(const QString& line);

private:
    enum class ReadStatus { Missing, Read, Failed };
    ReadStatus readLines(QByteArrayList* lines, QString* error) const;
    void removeStaleTemporaries() const;

    QString m_filePath;
};
