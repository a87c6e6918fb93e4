#pragma once

#include <QString>
#include <QStringList>

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

// The reading-position memory textmem.ini: a plain text file of CR LF lines in
// Windows-1251. Line 1 is reserved and kept as it is; the lines below it hold at
// most MaxEntries entries "path^caret^anchor", the most recently saved first.
class TextMemory {
public:
    static constexpr int MaxEntries = 100;
    static constexpr QChar Separator = u'^';

    explicit TextMemory(QString filePath);

    const QString& filePath() const { return m_filePath; }

    // The first line whose first "^"-field equals path exactly (letter case
    // counts). Lines are examined from the first. A missing, empty or
    // unreadable file has no entries.
    std::optional<TextMemoryEntry> find(const QString& path) const;

    // Moves the entry of path to the top with the given position, dropping the
    // oldest entry when the list is full. The file is replaced atomically; on
    // failure it is left as it was, false is returned and *error (if given)
    // says why.
    bool save(const QString& path, int caret, int anchor, QString* error = nullptr) const;

    // The file name of the memory: textmem.ini in programDir when that
    // directory is writable, otherwise in the user's data directory.
    static QString locate(const QString& programDir);

    // Pure list operations behind find() and save(), on the file's lines.
    static int indexOf(const QStringList& lines, const QString& path);
    static QStringList withEntry(QStringList lines, const QString& path, int caret, int anchor);
    static TextMemoryEntry parseEntry(const QString& line);

    // The file's lines: CR LF, CR or LF end a line; a final line end adds no line.
    static QStringList splitLines(const QString& text);

private:
    enum class ReadStatus { Missing, Read, Failed };
    ReadStatus readLines(QStringList* lines, QString* error) const;

    QString m_filePath;
};
