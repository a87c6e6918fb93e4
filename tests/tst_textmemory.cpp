#include "FileSizeLimit.h"
#include "formats/TextDecoding.h"
#include "shell/TextMemory.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include <unistd.h>

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The file's lines as the memory stores them: CR LF after every line.
QStringList fileLines(const QString& path) {
    const QByteArray bytes = readBytes(path);
    if (bytes.isEmpty())
        return {};
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no CR LF at the end>")};
    QStringList lines = decodeWindows1251(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    return lines;
}

QString entryPath(int i) {
    return QStringLiteral("/home/user/Тексты/книга%1.txt").arg(i);
}

} // namespace

class TestTextMemory : public QObject {
    Q_OBJECT

private slots:
    void init();

    void firstSaveCreatesReservedLine_data();
    void firstSaveCreatesReservedLine();
    void nothingFoundWithoutEntries_data();
    void nothingFoundWithoutEntries();
    void savedPositionIsFound();
    void fileIsWindows1251WithCrLf();
    void savedEntryMovesToTop();
    void hundredAndFirstFilePushesOutLastLine();
    void overlongFileIsBroughtBackToSize();
    void letterCaseCounts();
    void pathWithCaretNeverMatches();
    void firstMatchingLineWins();
    void entriesAreParsed_data();
    void entriesAreParsed();
    void otherLineEndsAreRead();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void unreadableFileIsNotReplaced();
    void pathWithLineBreakStaysOneLine();
    void linkedMemoryIsWrittenWhereItPoints();
    void locatePrefersProgramDir();
    void everyPathRoundTrips_data();
    void everyPathRoundTrips();
    void filesWrittenSoFarReadAsBefore();
    void reservedLineIsNeverAnEntry();
    void fullDiskKeepsTheOldFile();
    void savesOfTwoProgramsAllLand();
    void busyMemoryIsGivenUpWithAMessage();
    void folderInPlaceOfTheLockIsNamed();
    void leftoversOfAnInterruptedSaveGo();
    void locateFallsBackToDataDir();

private:
    QString memoryPath() const { return m_dir->filePath(QStringLiteral("textmem.ini")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextMemory::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestTextMemory::firstSaveCreatesReservedLine_data() {
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << false;
    QTest::newRow("empty file") << true;
}

void TestTextMemory::firstSaveCreatesReservedLine() {
    QFETCH(bool, exists);
    if (exists)
        writeBytes(memoryPath(), QByteArray());

    const TextMemory memory(memoryPath());
    QString error;
    QVERIFY2(memory.save(QStringLiteral("/texts/a.txt"), 120, 45, &error), qPrintable(error));
    QCOMPARE(readBytes(memoryPath()), QByteArray("\r\n/texts/a.txt^120^45\r\n"));
}

void TestTextMemory::nothingFoundWithoutEntries_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("reserved line only") << QByteArray("\r\n") << true;
    QTest::newRow("other files only") << QByteArray("\r\n/texts/b.txt^1^2\r\n") << true;
}

void TestTextMemory::nothingFoundWithoutEntries() {
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    if (exists)
        writeBytes(memoryPath(), content);
    QVERIFY(!TextMemory(memoryPath()).find(QStringLiteral("/texts/a.txt")).has_value());
    QCOMPARE(QFile::exists(memoryPath()), exists); // looking up never creates the file
}

void TestTextMemory::savedPositionIsFound() {
    const TextMemory memory(memoryPath());
    const QString path = QStringLiteral("/home/user/Книги/Война и мир.txt");
    QVERIFY(memory.save(path, 123456, 7890));

    const std::optional<TextMemoryEntry> entry = memory.find(path);
    QVERIFY(entry.has_value());
    QVERIFY2(entry->position.has_value(), qPrintable(entry->error));
    QCOMPARE(entry->position->caret, 123456);
    QCOMPARE(entry->position->anchor, 7890);

    // A later save of the same file replaces its entry.
    QVERIFY(memory.save(path, 5, 0));
    QCOMPARE(memory.find(path)->position->caret, 5);
    QCOMPARE(memory.find(path)->position->anchor, 0);
    QCOMPARE(fileLines(memoryPath()).size(), 2);
}

void TestTextMemory::fileIsWindows1251WithCrLf() {
    QVERIFY(TextMemory(memoryPath()).save(QStringLiteral("C:\\Тексты\\я.txt"), 1, 2));
    // "Тексты" and "я" in code page 1251.
    QCOMPARE(readBytes(memoryPath()),
             QByteArray("\r\nC:\\\xD2\xE5\xEA\xF1\xF2\xFB\\\xFF.txt^1^2\r\n"));
}

void TestTextMemory::savedEntryMovesToTop() {
    writeBytes(memoryPath(), "keep me\r\n");
    const TextMemory memory(memoryPath());
    QVERIFY(memory.save(QStringLiteral("/a"), 1, 1));
    QVERIFY(memory.save(QStringLiteral("/b"), 2, 2));
    QVERIFY(memory.save(QStringLiteral("/c"), 3, 3));
    QCOMPARE(fileLines(memoryPath()), QStringList({"keep me", "/c^3^3", "/b^2^2", "/a^1^1"}));

    // Looking up does not reorder; saving does.
    QVERIFY(memory.find(QStringLiteral("/a")).has_value());
    QCOMPARE(fileLines(memoryPath()).at(1), QStringLiteral("/c^3^3"));
    QVERIFY(memory.save(QStringLiteral("/a"), 10, 20));
    QCOMPARE(fileLines(memoryPath()), QStringList({"keep me", "/a^10^20", "/c^3^3", "/b^2^2"}));
}

void TestTextMemory::hundredAndFirstFilePushesOutLastLine() {
    writeBytes(memoryPath(), "[reserved]\r\n");
    const TextMemory memory(memoryPath());
    for (int i = 1; i <= TextMemory::MaxEntries; ++i)
        QVERIFY(memory.save(entryPath(i), i, i * 2));

    QStringList lines = fileLines(memoryPath());
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.first(), QStringLiteral("[reserved]"));
    QCOMPARE(lines.last(), entryPath(1) + QStringLiteral("^1^2"));

    // Refreshing an entry of a full list drops nothing.
    QVERIFY(memory.save(entryPath(50), 0, 0));
    lines = fileLines(memoryPath());
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.at(1), entryPath(50) + QStringLiteral("^0^0"));
    QCOMPARE(lines.last(), entryPath(1) + QStringLiteral("^1^2"));

    // The 101st different file pushes out the last line; line 1 stays.
    QVERIFY(memory.save(entryPath(101), 9, 9));
    lines = fileLines(memoryPath());
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.first(), QStringLiteral("[reserved]"));
    QCOMPARE(lines.at(1), entryPath(101) + QStringLiteral("^9^9"));
    QCOMPARE(lines.last(), entryPath(2) + QStringLiteral("^2^4"));
    QVERIFY(!memory.find(entryPath(1)).has_value());
    QVERIFY(memory.find(entryPath(2)).has_value());
}

void TestTextMemory::overlongFileIsBroughtBackToSize() {
    QByteArray content = "\r\n";
    for (int i = 1; i <= 150; ++i)
        content += encodeWindows1251(entryPath(i) + QStringLiteral("^0^0\r\n"));
    writeBytes(memoryPath(), content);

    QVERIFY(TextMemory(memoryPath()).save(QStringLiteral("/new.txt"), 1, 1));
    const QStringList lines = fileLines(memoryPath());
    QCOMPARE(lines.size(), 101);
    QCOMPARE(lines.at(0), QString());
    QCOMPARE(lines.at(1), QStringLiteral("/new.txt^1^1"));
    QCOMPARE(lines.at(2), entryPath(1) + QStringLiteral("^0^0"));
    QCOMPARE(lines.last(), entryPath(99) + QStringLiteral("^0^0"));
}

void TestTextMemory::letterCaseCounts() {
    const TextMemory memory(memoryPath());
    QVERIFY(memory.save(QStringLiteral("/texts/Book.txt"), 11, 1));
    QVERIFY(!memory.find(QStringLiteral("/texts/book.txt")).has_value());
    QVERIFY(!memory.find(QStringLiteral("/texts/BOOK.TXT")).has_value());
    QVERIFY(!memory.find(QStringLiteral("/texts/Book.txt ")).has_value());
    QVERIFY(!memory.find(QStringLiteral("/texts/Book")).has_value());

    QVERIFY(memory.save(QStringLiteral("/texts/book.txt"), 22, 2));
    QCOMPARE(fileLines(memoryPath()),
             QStringList({"", "/texts/book.txt^22^2", "/texts/Book.txt^11^1"}));
    QCOMPARE(memory.find(QStringLiteral("/texts/Book.txt"))->position->caret, 11);
    QCOMPARE(memory.find(QStringLiteral("/texts/book.txt"))->position->caret, 22);
}

void TestTextMemory::pathWithCaretNeverMatches() {
    const TextMemory memory(memoryPath());
    const QString path = QStringLiteral("/texts/a^b.txt");
    QVERIFY(memory.save(path, 5, 6));
    QVERIFY(!memory.find(path).has_value());
    // Its entries still take room in the list.
    QVERIFY(memory.save(path, 7, 8));
    QCOMPARE(fileLines(memoryPath()),
             QStringList({"", "/texts/a^b.txt^7^8", "/texts/a^b.txt^5^6"}));
    // The part before the "^" is what an entry is compared by.
    QVERIFY(memory.find(QStringLiteral("/texts/a")).has_value());
}

void TestTextMemory::firstMatchingLineWins() {
    writeBytes(memoryPath(), "\r\n/x^1^1\r\n/y^2^2\r\n/x^3^3\r\n");
    const TextMemory memory(memoryPath());
    QCOMPARE(memory.find(QStringLiteral("/x"))->position->caret, 1);

    QVERIFY(memory.save(QStringLiteral("/x"), 4, 4));
    QCOMPARE(fileLines(memoryPath()), QStringList({"", "/x^4^4", "/y^2^2", "/x^3^3"}));
}

void TestTextMemory::entriesAreParsed_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("anchor");

    QTest::newRow("plain") << QByteArray("/t.txt^12^34") << true << 12 << 34;
    QTest::newRow("zeros") << QByteArray("/t.txt^0^0") << true << 0 << 0;
    QTest::newRow("more fields") << QByteArray("/t.txt^5^6^7") << true << 5 << 6;
    QTest::newRow("path only") << QByteArray("/t.txt") << false << 0 << 0;
    QTest::newRow("no anchor") << QByteArray("/t.txt^12") << false << 0 << 0;
    QTest::newRow("empty anchor") << QByteArray("/t.txt^12^") << false << 0 << 0;
    QTest::newRow("empty caret") << QByteArray("/t.txt^^3") << false << 0 << 0;
    QTest::newRow("word caret") << QByteArray("/t.txt^abc^3") << false << 0 << 0;
    QTest::newRow("word anchor") << QByteArray("/t.txt^3^x1") << false << 0 << 0;
    QTest::newRow("fraction") << QByteArray("/t.txt^1.5^2") << false << 0 << 0;
    QTest::newRow("too large") << QByteArray("/t.txt^99999999999^2") << false << 0 << 0;
    QTest::newRow("hexadecimal") << QByteArray("/t.txt^0x10^2") << false << 0 << 0;
}

void TestTextMemory::entriesAreParsed() {
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(int, caret);
    QFETCH(int, anchor);

    const QByteArray content = "\r\n" + line + "\r\n";
    writeBytes(memoryPath(), content);
    const std::optional<TextMemoryEntry> entry =
        TextMemory(memoryPath()).find(QStringLiteral("/t.txt"));
    QVERIFY(entry.has_value()); // a malformed entry still matches
    QCOMPARE(entry->position.has_value(), valid);
    if (valid) {
        QCOMPARE(entry->position->caret, caret);
        QCOMPARE(entry->position->anchor, anchor);
        QVERIFY(entry->error.isEmpty());
    } else {
        QVERIFY(!entry->error.isEmpty());
        QVERIFY(entry->error.contains(QStringLiteral("textmem.ini")));
    }
    QCOMPARE(readBytes(memoryPath()), content); // looking up changes nothing
}

void TestTextMemory::otherLineEndsAreRead() {
    writeBytes(memoryPath(), "head\n/a^1^2\r/b^3^4\n");
    const TextMemory memory(memoryPath());
    QCOMPARE(memory.find(QStringLiteral("/a"))->position->anchor, 2);
    QCOMPARE(memory.find(QStringLiteral("/b"))->position->anchor, 4);

    QVERIFY(memory.save(QStringLiteral("/c"), 5, 6));
    QCOMPARE(readBytes(memoryPath()), QByteArray("head\r\n/c^5^6\r\n/a^1^2\r\n/b^3^4\r\n"));
}

void TestTextMemory::failedWriteIsReported_data() {
    QTest::addColumn<bool>("readOnlyDir");
    QTest::newRow("parent is a file") << false;
    QTest::newRow("read-only directory") << true;
}

void TestTextMemory::failedWriteIsReported() {
    QFETCH(bool, readOnlyDir);
    QString path;
    QByteArray before;
    if (readOnlyDir) {
        if (::geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        const QString dir = m_dir->filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(dir));
        path = dir + QStringLiteral("/textmem.ini");
        before = "\r\n/old^1^1\r\n";
        writeBytes(path, before);
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        const QString file = m_dir->filePath(QStringLiteral("plain"));
        writeBytes(file, "not a directory");
        path = file + QStringLiteral("/textmem.ini");
    }

    QString error;
    QVERIFY(!TextMemory(path).save(QStringLiteral("/new"), 1, 2, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), before); // the old file, whole, or none at all

    if (readOnlyDir) {
        const QString dir = m_dir->filePath(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList({"textmem.ini"}));
    }
}

void TestTextMemory::unreadableFileIsNotReplaced() {
    // Something that exists under the name but cannot be read as a file.
    QVERIFY(QDir().mkpath(memoryPath()));
    QString error;
    QVERIFY(!TextMemory(memoryPath()).save(QStringLiteral("/new"), 1, 2, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(memoryPath()).isDir());
    QVERIFY(!TextMemory(memoryPath()).find(QStringLiteral("/new")).has_value());
}

void TestTextMemory::pathWithLineBreakStaysOneLine() {
    writeBytes(memoryPath(), "\r\n/a^1^1\r\n");
    const TextMemory memory(memoryPath());
    QVERIFY(memory.save(QStringLiteral("/x\n/a"), 1, 2));
    const QByteArray bytes = readBytes(memoryPath());
    QCOMPARE(bytes.count('\n'), 3);
    QCOMPARE(bytes.count('\r'), 3);
    QVERIFY(!memory.find(QStringLiteral("/x")).has_value());
    QCOMPARE(memory.find(QStringLiteral("/a"))->position->anchor, 1);
    QCOMPARE(memory.find(QStringLiteral("/x\n/a"))->position->anchor, 2);
}

void TestTextMemory::linkedMemoryIsWrittenWhereItPoints() {
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("kept"))));
    const QString target = m_dir->filePath(QStringLiteral("kept/positions.ini"));
    writeBytes(target, "\r\n/a^1^1\r\n");
    QVERIFY(QFile::link(target, memoryPath()));
    QVERIFY(TextMemory(memoryPath()).save(QStringLiteral("/b"), 2, 2));
    QVERIFY(QFileInfo(memoryPath()).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("\r\n/b^2^2\r\n/a^1^1\r\n"));
}

void TestTextMemory::locatePrefersProgramDir() {
    QCOMPARE(TextMemory::locate(m_dir->path()), m_dir->filePath(QStringLiteral("textmem.ini")));
}

void TestTextMemory::locateFallsBackToDataDir() {
    QStandardPaths::setTestModeEnabled(true);
    const QString missing = m_dir->filePath(QStringLiteral("no such dir"));
    const QString path = TextMemory::locate(missing);
    QStandardPaths::setTestModeEnabled(false);

    QVERIFY(!path.startsWith(missing));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("textmem.ini"));
    QCOMPARE(QFileInfo(path).dir().dirName(), QStringLiteral("Skimora v6.0 ru"));

    // The first save creates the data directory as well.
    QTemporaryDir data;
    const QString nested = data.filePath(QStringLiteral("Skimora v6.0 ru/textmem.ini"));
    QVERIFY(TextMemory(nested).save(QStringLiteral("/a"), 1, 2));
    QCOMPARE(readBytes(nested), QByteArray("\r\n/a^1^2\r\n"));
}

void TestTextMemory::everyPathRoundTrips_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("windows1251"); // the entry is written in the old code page
    QTest::newRow("Cyrillic") << QStringLiteral("C:\\Тексты\\Ёжик.txt") << true;
    QTest::newRow("Latin with accent") << QStringLiteral("/home/user/café.txt") << false;
    QTest::newRow("Greek") << QStringLiteral("/home/user/Βιβλία/Οδύσσεια.txt") << false;
    QTest::newRow("emoji") << QStringLiteral("/книги/📖 на ночь.txt") << false;
    QTest::newRow("Cyrillic and Chinese") << QStringLiteral("/книги/红楼梦.txt") << false;
    QTest::newRow("starts like the UTF-8 mark") << QStringLiteral("п»їкнига.txt") << false;
    QTest::newRow("starts with U+FEFF") << QStringLiteral("\uFEFF/книга.txt") << false;
    QTest::newRow("line feed") << QStringLiteral("/книги/a\nb.txt") << false;
    QTest::newRow("CR LF and escapes") << QStringLiteral("/x\r\n%0A%25.txt") << false;
    QTest::newRow("line break at the end") << QStringLiteral("/книга.txt\r") << false;
}

void TestTextMemory::everyPathRoundTrips() {
    QFETCH(QString, path);
    QFETCH(bool, windows1251);
    const TextMemory memory(memoryPath());
    QVERIFY(memory.save(path, 5000, 12));
    QVERIFY(memory.save(QStringLiteral("/other.txt"), 1, 1));
    const std::optional<TextMemoryEntry> entry = memory.find(path);
    QVERIFY(entry.has_value());
    QVERIFY2(entry->position.has_value(), qPrintable(entry->error));
    QCOMPARE(entry->position->caret, 5000);

    // Saved again, the entry is replaced rather than added.
    QVERIFY(memory.save(path, 6000, 13));
    QCOMPARE(memory.find(path)->position->caret, 6000);
    const QByteArray bytes = readBytes(memoryPath());
    QCOMPARE(bytes.count("\r\n"), 3);
    const QByteArray line = TextMemory::splitLines(bytes).at(1);
    QCOMPARE(line.startsWith("\xEF\xBB\xBF"), !windows1251);
    if (windows1251)
        QCOMPARE(line, encodeWindows1251(path) + "^6000^13");
}

void TestTextMemory::filesWrittenSoFarReadAsBefore() {
    // As earlier versions wrote it: Windows-1251 throughout, a lost character as "?". The
    // second entry's bytes happen to be valid UTF-8, yet they are Windows-1251 ("Лё").
    const QByteArray old = "\xCE\xF2\xEC\xE5\xF2\xEA\xE8\r\n"
                           "/caf?.txt^7^1\r\n"
                           "/\xCB\xB8.txt^8^2\r\n"
                           "C:\\\xD2\xE5\xEA\xF1\xF2\xFB\\\xFF.txt^9^3\r\n";
    writeBytes(memoryPath(), old);
    const TextMemory memory(memoryPath());
    QCOMPARE(memory.find(QStringLiteral("/caf?.txt"))->position->caret, 7);
    QCOMPARE(memory.find(QStringLiteral("/Лё.txt"))->position->caret, 8);
    QCOMPARE(memory.find(QStringLiteral("C:\\Тексты\\я.txt"))->position->caret, 9);
    QVERIFY(!memory.find(QStringLiteral("/café.txt")).has_value());

    // A new save keeps every other line byte for byte.
    QVERIFY(memory.save(QStringLiteral("/café.txt"), 10, 4));
    const QByteArray now = readBytes(memoryPath());
    QVERIFY(
        now.startsWith("\xCE\xF2\xEC\xE5\xF2\xEA\xE8\r\n\xEF\xBB\xBF/caf\xC3\xA9.txt^10^4\r\n"));
    QVERIFY(now.endsWith(old.mid(old.indexOf("/caf?"))));
}

void TestTextMemory::reservedLineIsNeverAnEntry() {
    writeBytes(memoryPath(), "/a^1^1\r\n");
    const TextMemory memory(memoryPath());
    QVERIFY(!memory.find(QStringLiteral("/a")).has_value());
    QVERIFY(memory.save(QStringLiteral("/a"), 2, 2));
    QCOMPARE(readBytes(memoryPath()), QByteArray("/a^1^1\r\n/a^2^2\r\n"));
}

void TestTextMemory::fullDiskKeepsTheOldFile() {
    QByteArray before = "\r\n";
    for (int i = 1; i <= 60; ++i)
        before += encodeWindows1251(entryPath(i) + QStringLiteral("^%1^0\r\n").arg(i));
    writeBytes(memoryPath(), before);
    QVERIFY(before.size() > 2000);

    QString error;
    bool saved = true;
    {
        const FileSizeLimit full(1024); // the disk fills up halfway through the new file
        saved = TextMemory(memoryPath()).save(QStringLiteral("/new.txt"), 1, 2, &error);
    }
    QVERIFY(!saved);
    QVERIFY2(error.contains(QStringLiteral("textmem.ini")), qPrintable(error));
    QCOMPARE(readBytes(memoryPath()), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"textmem.ini"}));
}

void TestTextMemory::savesOfTwoProgramsAllLand() {
    // Two savers at once, as two copies of the program closing together.
    constexpr int Each = 40;
    const auto saver = [this](QChar copy) {
        const TextMemory memory(memoryPath());
        for (int i = 0; i < Each; ++i)
            memory.save(QStringLiteral("/%1/%2.txt").arg(copy).arg(i), i, i);
    };
    std::thread first(saver, u'a');
    std::thread second(saver, u'b');
    first.join();
    second.join();
    const TextMemory memory(memoryPath());
    int found = 0;
    for (int i = 0; i < Each; ++i)
        found += int(memory.find(QStringLiteral("/a/%1.txt").arg(i)).has_value()) +
                 int(memory.find(QStringLiteral("/b/%1.txt").arg(i)).has_value());
    QCOMPARE(found, 2 * Each);
}

void TestTextMemory::busyMemoryIsGivenUpWithAMessage() {
    writeBytes(memoryPath(), "\r\n/a^1^1\r\n");
    QLockFile other(memoryPath() + QStringLiteral(".lock"));
    QVERIFY(other.tryLock(0));
    // Returns after a short wait, not never.
    QString error;
    QVERIFY(!TextMemory(memoryPath()).save(QStringLiteral("/b"), 2, 2, &error));
    QVERIFY(error.contains(QStringLiteral("другая копия программы")));
    QCOMPARE(readBytes(memoryPath()), QByteArray("\r\n/a^1^1\r\n"));

    other.unlock();
    QVERIFY(TextMemory(memoryPath()).save(QStringLiteral("/b"), 2, 2));
}

void TestTextMemory::folderInPlaceOfTheLockIsNamed() {
    writeBytes(memoryPath(), "\r\n/a^1^1\r\n");
    QVERIFY(QDir().mkpath(memoryPath() + QStringLiteral(".lock")));
    QString error;
    QVERIFY(!TextMemory(memoryPath()).save(QStringLiteral("/b"), 2, 2, &error));
    QVERIFY2(error.contains(QStringLiteral("textmem.ini.lock")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("папка")), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("ещё раз")), qPrintable(error));
    QCOMPARE(readBytes(memoryPath()), QByteArray("\r\n/a^1^1\r\n"));
}

void TestTextMemory::leftoversOfAnInterruptedSaveGo() {
    writeBytes(memoryPath(), "\r\n/a^1^1\r\n");
    const QStringList leftovers{"textmem.ini.Ab3dE9", "textmem.ini.qqqqqq"};
    const QStringList others{"textmem.ini.bak", "notes.Ab3dE9", "textmem.ini.Ab3dE9x"};
    for (const QString& name : leftovers + others)
        writeBytes(m_dir->filePath(name), "half a file");
    // A lock left by a copy of the program that was killed: its process is gone.
    writeBytes(memoryPath() + QStringLiteral(".lock"),
               "2147483646\nskimora\n" + QSysInfo::machineHostName().toUtf8() + "\n");

    QVERIFY(TextMemory(memoryPath()).save(QStringLiteral("/b"), 2, 2));
    QStringList expected = others + QStringList{"textmem.ini"};
    expected.sort();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
}

QTEST_GUILESS_MAIN(TestTextMemory)
#include "tst_textmemory.moc"
