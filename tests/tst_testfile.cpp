#include "FileSizeLimit.h"
#include "text/TestFile.h"
#include "text/TestScore.h"
#include "text/TestSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

using Indexes = std::array<int, TestQuestionCount>;

// Builds .tst bytes field by field, independently of the writer.
class Bytes {
public:
    Bytes& integer(qint32 value) {
        char raw[4];
        qToLittleEndian(value, raw);
        m_data.append(raw, 4);
        return *this;
    }
    Bytes& field(const QByteArray& content) // content as stored, NUL included if any
    {
        integer(static_cast<qint32>(content.size()));
        m_data.append(content);
        return *this;
    }
    Bytes& string(const QByteArray& text) { return field(text + '\0'); }
    Bytes& questions(int count = TestQuestionCount) {
        for (int q = 0; q < count; ++q) {
            string("Q" + QByteArray::number(q + 1));
            for (int a = 0; a < TestAnswerCount; ++a)
                string("A" + QByteArray::number(q + 1) + QByteArray::number(a + 1));
        }
        return *this;
    }
    Bytes& indexes(const Indexes& values) {
        for (int v : values)
            integer(v);
        return *this;
    }
    Bytes& raw(const QByteArray& data) {
        m_data.append(data);
        return *this;
    }
    QByteArray data() const { return m_data; }

private:
    QByteArray m_data;
};

TestText sampleTest() {
    TestText test;
    test.text =
        QStringLiteral("Первая строка текста.\r\nВторая — с «кавычками» и ё.\r\n\r\nТретья.");
    for (int q = 0; q < TestQuestionCount; ++q) {
        test.questions[q] = QStringLiteral("Вопрос номер %1?").arg(q + 1);
        for (int a = 0; a < TestAnswerCount; ++a)
            test.answers[q][a] = QStringLiteral("Ответ %1.%2").arg(q + 1).arg(a + 1);
    }
    test.right = {0, 2, 1, 1, 0};
    return test;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString testData(const QString& name) {
    return QDir(qEnvironmentVariable("SKIMORA_TEST_DATA")).filePath(name);
}

} // namespace

Q_DECLARE_METATYPE(Indexes)

class TestTestFile : public QObject {
    Q_OBJECT

private slots:
    void encoderWritesTheLayout();
    void decoderReadsTheLayout();
    void roundTripInMemory();
    void roundTripThroughFile();
    void badFileIsRefused_data();
    void badFileIsRefused();
    void missingFileIsReported();
    void unwritableTargetIsReported();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void testFilesAreCountedToFirstGap_data();
    void testFilesAreCountedToFirstGap();
    void testFilePathScheme();
    void rightAnswersAreScored_data();
    void rightAnswersAreScored();
    void speedFormula_data();
    void speedFormula();
    void sourceIsParsed();
    void sourceLayoutIsFlexible();
    void sourceErrorsAreLocated_data();
    void sourceErrorsAreLocated();
    void toolBuildsTestFile();
    void toolRejectsMalformedSource();
};

void TestTestFile::encoderWritesTheLayout() {
    TestText test;
    test.text = QStringLiteral("Да");
    test.right = {2, 1, 0, 1, 2};
    const QByteArray bytes = encodeTestFile(test);

    // text: length 3 (two letters and the NUL), "Да" in code page 1251
    QCOMPARE(bytes.left(7), QByteArray("\x03\x00\x00\x00\xC4\xE0\x00", 7));
    // 20 empty strings (length 1: the NUL alone), then the five indexes
    const Bytes empty = Bytes().field(QByteArray(1, '\0'));
    QCOMPARE(bytes.mid(7, 100), empty.data().repeated(20));
    QCOMPARE(bytes.mid(107), Bytes().indexes({2, 1, 0, 1, 2}).data());
    QCOMPARE(bytes.size(), 127);
}

void TestTestFile::decoderReadsTheLayout() {
    const QByteArray bytes = Bytes()
                                 .field(QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\nabc\0junk", 16))
                                 .field(QByteArray()) // question 1: no bytes at all
                                 .field("no NUL")     // answer 1.1: no NUL, all bytes count
                                 .string("A12")
                                 .string("A13")
                                 .questions(4)
                                 .indexes({1, 0, 2, 2, 1})
                                 .raw("trailing bytes are not read")
                                 .data();
    const TestFileRead read = decodeTestFile(bytes);
    QVERIFY2(read.test.has_value(), qPrintable(read.error));
    QCOMPARE(read.test->text, QStringLiteral("Привет\r\nabc"));
    QCOMPARE(read.test->questions[0], QString());
    QCOMPARE(read.test->answers[0][0], QStringLiteral("no NUL"));
    QCOMPARE(read.test->answers[0][2], QStringLiteral("A13"));
    QCOMPARE(read.test->questions[1], QStringLiteral("Q1"));
    QCOMPARE(read.test->answers[4][1], QStringLiteral("A42"));
    QCOMPARE(read.test->right, (Indexes{1, 0, 2, 2, 1}));
}

void TestTestFile::roundTripInMemory() {
    const TestText test = sampleTest();
    const TestFileRead read = decodeTestFile(encodeTestFile(test));
    QVERIFY2(read.test.has_value(), qPrintable(read.error));
    QCOMPARE(*read.test, test);
}

void TestTestFile::roundTripThroughFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SKt1.tst"));
    const TestText test = sampleTest();
    QString error;
    QVERIFY2(writeTestFile(path, test, &error), qPrintable(error));
    QCOMPARE(readBytes(path), encodeTestFile(test));
    const TestFileRead read = readTestFile(path);
    QVERIFY2(read.test.has_value(), qPrintable(read.error));
    QCOMPARE(*read.test, test);
}

void TestTestFile::badFileIsRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    const Indexes good{0, 1, 2, 0, 1};
    const QByteArray text = Bytes().string("Text").data();

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("half a length") << QByteArray("\x05\x00", 2);
    QTest::newRow("text cut short") << Bytes().integer(100).raw("only a bit").data();
    QTest::newRow("negative length")
        << Bytes().integer(-1).raw("Text").questions().indexes(good).data();
    QTest::newRow("most negative length")
        << Bytes().integer(INT_MIN).questions().indexes(good).data();
    QTest::newRow("huge length")
        << Bytes().integer(INT_MAX).raw("Text").questions().indexes(good).data();
    QTest::newRow("last answer cut short") << Bytes()
                                                  .raw(text)
                                                  .questions(4)
                                                  .string("Q5")
                                                  .string("A51")
                                                  .string("A52")
                                                  .integer(4)
                                                  .raw("A5")
                                                  .data();
    QTest::newRow("ends after text") << text;
    QTest::newRow("ends inside question 3") << Bytes().raw(text).questions(2).string("Q3").data();
    QTest::newRow("no indexes") << Bytes().raw(text).questions().data();
    QTest::newRow("four indexes")
        << Bytes().raw(text).questions().integer(0).integer(1).integer(2).integer(0).data();
    QTest::newRow("index 3") << Bytes().raw(text).questions().indexes({0, 1, 3, 0, 1}).data();
    QTest::newRow("index -1") << Bytes().raw(text).questions().indexes({0, 1, 2, 0, -1}).data();
    QTest::newRow("empty text") << Bytes().string("").questions().indexes(good).data();
    QTest::newRow("text behind a NUL")
        << Bytes().field(QByteArray("\0Text", 5)).questions().indexes(good).data();
    QTest::newRow("blanks and line breaks only")
        << Bytes().string("  \r\n \r\n\n\r  ").questions().indexes(good).data();
}

void TestTestFile::badFileIsRefused() {
    QFETCH(QByteArray, bytes);
    const TestFileRead read = decodeTestFile(bytes);
    QVERIFY(!read.test.has_value());
    QVERIFY(!read.error.isEmpty());

    // Through a file the message names the file as well.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SKt1.tst"));
    writeBytes(path, bytes);
    const TestFileRead fromFile = readTestFile(path);
    QVERIFY(!fromFile.test.has_value());
    QVERIFY(fromFile.error.contains(QStringLiteral("SKt1.tst")));
    QVERIFY(fromFile.error.contains(read.error));
}

void TestTestFile::missingFileIsReported() {
    QTemporaryDir dir;
    const TestFileRead read = readTestFile(dir.filePath(QStringLiteral("SKt7.tst")));
    QVERIFY(!read.test.has_value());
    QVERIFY(read.error.contains(QStringLiteral("SKt7.tst")));

    const TestFileRead directory = readTestFile(dir.path());
    QVERIFY(!directory.test.has_value());
    QVERIFY(!directory.error.isEmpty());
}

void TestTestFile::unwritableTargetIsReported() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    writeBytes(file, "not a directory");
    QString error;
    QVERIFY(!writeTestFile(file + QStringLiteral("/SKt1.tst"), sampleTest(), &error));
    QVERIFY(!error.isEmpty());
}

void TestTestFile::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<bool>("throughTool");
    QTest::newRow("writer") << false;
    QTest::newRow("tstbuild") << true;
}

void TestTestFile::fullDiskKeepsTheOldFile() {
    QFETCH(bool, throughTool);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("SKt1.tst"));
    TestText old = sampleTest();
    old.text = QStringLiteral("Старый текст.");
    QVERIFY(writeTestFile(out, old));
    const QByteArray before = readBytes(out);
    constexpr rlim_t Room = 64; // less than either file needs

    if (throughTool) {
        QProcess tool;
        tool.setChildProcessModifier([] {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = Room;
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        });
        tool.start(QStringLiteral(SKIMORA_TSTBUILD),
                   {testData(QStringLiteral("test_source_sample.txt")), out});
        QVERIFY(tool.waitForFinished(30000));
        QVERIFY(tool.exitCode() != 0);
        QVERIFY(tool.readAllStandardError().contains("SKt1.tst"));
    } else {
        QString error;
        bool written = true;
        {
            const FileSizeLimit full(Room);
            written = writeTestFile(out, sampleTest(), &error);
        }
        QVERIFY(!written);
        QVERIFY(error.contains(QStringLiteral("SKt1.tst")));
    }
    QCOMPARE(readBytes(out), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"SKt1.tst"}));
}

void TestTestFile::testFilesAreCountedToFirstGap_data() {
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<int>("count");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("1") << QList<int>{1} << 1;
    QTest::newRow("1 2 4") << QList<int>{1, 2, 4} << 2;
    QTest::newRow("2 3") << QList<int>{2, 3} << 0;
    QTest::newRow("1 to 8") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 8;
    QTest::newRow("1 to 12") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 12;
}

void TestTestFile::testFilesAreCountedToFirstGap() {
    QFETCH(QList<int>, present);
    QFETCH(int, count);
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("Test")));
    for (int n : present)
        writeBytes(testFilePath(program.path(), n), encodeTestFile(sampleTest()));
    // Names that are not test files do not fill the gap.
    writeBytes(QDir(testDirPath(program.path())).filePath(QStringLiteral("SKt0.tst")), "x");
    writeBytes(
        QDir(testDirPath(program.path())).filePath(QStringLiteral("skt%1.tst").arg(count + 1)),
        "x");
    QVERIFY(QDir(testDirPath(program.path())).mkpath(QStringLiteral("SKt%1.tst").arg(count + 1)));
    QCOMPARE(countTestFiles(testDirPath(program.path())), count);
}

void TestTestFile::testFilePathScheme() {
    QCOMPARE(testDirPath(QStringLiteral("/opt/skimora")), QStringLiteral("/opt/skimora/Test"));
    QCOMPARE(testFilePath(QStringLiteral("/opt/skimora"), 3),
             QStringLiteral("/opt/skimora/Test/SKt3.tst"));
    QCOMPARE(testFilePath(QStringLiteral("/opt/skimora/"), 12),
             QStringLiteral("/opt/skimora/Test/SKt12.tst"));
}

void TestTestFile::rightAnswersAreScored_data() {
    QTest::addColumn<Indexes>("right");
    QTest::addColumn<Indexes>("chosen");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("percent");

    QTest::newRow("question 5 unanswered")
        << Indexes{0, 2, 1, 1, 0} << Indexes{0, 2, 1, 0, -1} << 3 << 60;
    QTest::newRow("all right") << Indexes{0, 2, 1, 1, 0} << Indexes{0, 2, 1, 1, 0} << 5 << 100;
    QTest::newRow("all wrong") << Indexes{0, 2, 1, 1, 0} << Indexes{1, 0, 2, 2, 1} << 0 << 0;
    QTest::newRow("nothing answered")
        << Indexes{0, 0, 0, 0, 0} << Indexes{-1, -1, -1, -1, -1} << 0 << 0;
    QTest::newRow("one right") << Indexes{2, 2, 2, 2, 2} << Indexes{2, 1, 0, -1, 1} << 1 << 20;
    QTest::newRow("four right") << Indexes{1, 1, 1, 1, 1} << Indexes{1, 1, 1, 1, 0} << 4 << 80;
}

void TestTestFile::rightAnswersAreScored() {
    QFETCH(Indexes, right);
    QFETCH(Indexes, chosen);
    QFETCH(int, count);
    QFETCH(int, percent);
    QCOMPARE(countRightAnswers(right, chosen), count);
    QCOMPARE(scorePercent(count), percent);
}

void TestTestFile::speedFormula_data() {
    QTest::addColumn<qint64>("chars");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<int>("speed");

    // A 10-character field at 3340 characters per minute lasts 170 ms.
    QTest::newRow("10 chars in 170 ms") << qint64(10) << qint64(170) << 3520;
    QTest::newRow("100 such steps") << qint64(1000) << qint64(17000) << 3520;
    QTest::newRow("1000 per minute") << qint64(1000) << qint64(60000) << 1000;
    QTest::newRow("truncated twice") << qint64(1) << qint64(7) << 8570;
    QTest::newRow("below 10 per minute") << qint64(1) << qint64(60001) << 0;
    QTest::newRow("no time") << qint64(10) << qint64(0) << 0;
    QTest::newRow("negative time") << qint64(10) << qint64(-5) << 0;
    QTest::newRow("nothing shown") << qint64(0) << qint64(500) << 0;
    QTest::newRow("no overflow") << qint64(2000000000) << qint64(1) << 2147483640;
}

void TestTestFile::speedFormula() {
    QFETCH(qint64, chars);
    QFETCH(qint64, elapsedMs);
    QFETCH(int, speed);
    QCOMPARE(readingSpeed(chars, elapsedMs), speed);
}

void TestTestFile::sourceIsParsed() {
    const QByteArray source = readBytes(testData(QStringLiteral("test_source_sample.txt")));
    QVERIFY(!source.isEmpty());
    const TestSourceParse parsed = parseTestSource(source);
    QVERIFY2(parsed.test.has_value(),
             qPrintable(QStringLiteral("%1: %2").arg(parsed.errorLine).arg(parsed.error)));
    const TestText& test = *parsed.test;
    // Leading and trailing empty lines go, inner ones stay, lines end with CR LF.
    QVERIFY(test.text.startsWith(QStringLiteral("Утро на реке\r\n\r\nТуман ещё лежал")));
    QVERIFY(test.text.endsWith(QStringLiteral("как просыпается лес.")));
    QCOMPARE(test.text.count(QStringLiteral("\r\n")), 4);
    QCOMPARE(test.questions[0], QStringLiteral("Что лежало над водой?"));
    QCOMPARE(test.questions[3], QStringLiteral("Где он поднял вёсла?"));
    QCOMPARE(test.answers[1][2], QStringLiteral("Старик"));
    QCOMPARE(test.answers[4][0], QStringLiteral("Как просыпается лес"));
    QCOMPARE(test.right, (Indexes{0, 2, 1, 1, 0}));
}

void TestTestFile::sourceLayoutIsFlexible() {
    // CR LF lines, a byte order mark, no blank lines, answers' text trimmed.
    QByteArray source = "\xEF\xBB\xBF"
                        "One line.\r\n"
                        "---\r\n";
    for (int q = 0; q < TestQuestionCount; ++q)
        source += "? Q" + QByteArray::number(q) + "\r\n- a  \r\n- b\r\n+ c\r\n";
    const TestSourceParse parsed = parseTestSource(source);
    QVERIFY2(parsed.test.has_value(), qPrintable(parsed.error));
    QCOMPARE(parsed.test->text, QStringLiteral("One line."));
    QCOMPARE(parsed.test->questions[4], QStringLiteral("Q4"));
    QCOMPARE(parsed.test->answers[2][0], QStringLiteral("a"));
    QCOMPARE(parsed.test->right, (Indexes{2, 2, 2, 2, 2}));
}

void TestTestFile::sourceErrorsAreLocated_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    const QByteArray good = "? Q\n+ a\n- b\n- c\n";
    const QByteArray four = good.repeated(4);
    const QByteArray text = "Text.\n---\n"; // lines 1 and 2

    QTest::newRow("no separator") << QByteArray("Text.\nMore.\n") << 2 << "---";
    QTest::newRow("separator with blanks")
        << QByteArray("Text.\n--- \n") + good.repeated(5) << 22 << "---";
    QTest::newRow("empty text") << QByteArray("\n  \n---\n") + good.repeated(5) << 3 << "empty";
    QTest::newRow("four questions") << text + four << 18 << "4 question";
    QTest::newRow("six questions") << text + good.repeated(6) << 23 << "more than five";
    QTest::newRow("two answers") << text + "? Q\n+ a\n- b\n" + four << 3 << "2 answer";
    QTest::newRow("last has two answers") << text + four + "? Q\n+ a\n- b\n" << 19 << "2 answer";
    QTest::newRow("four answers") << text + "? Q\n+ a\n- b\n- c\n- d\n" + four << 7
                                  << "more than three";
    QTest::newRow("no right answer") << text + "? Q\n- a\n- b\n- c\n" + four << 3 << "0 right";
    QTest::newRow("two right answers") << text + four + "? Q\n+ a\n+ b\n- c\n" << 19 << "2 right";
    QTest::newRow("answer first") << text + "+ a\n" + good.repeated(5) << 3 << "before the first";
    QTest::newRow("no space after ?") << text + "?Q\n" << 3 << "unexpected";
    QTest::newRow("stray text") << text + good + "Some words\n" << 7 << "unexpected";
    QTest::newRow("empty question") << text + "?  \n" << 3 << "empty question";
    QTest::newRow("empty answer") << text + "? Q\n+  \n" << 4 << "empty answer";
    QTest::newRow("bad UTF-8") << QByteArray("Text.\nbad \xC3\x28 byte\n---\n") + good.repeated(5)
                               << 2 << "UTF-8";
    QTest::newRow("not in 1251 (text)")
        << QByteArray("Smile \xE2\x98\xBA\n---\n") + good.repeated(5) << 1 << "U+263A";
    QTest::newRow("not in 1251 (answer)") << text + "? Q\n+ \xE4\xB8\xAD\n" << 4 << "U+4E2D";
    QTest::newRow("NUL in a question") << text + QByteArray("? Q\0R\n", 6) << 3 << "NUL";
}

void TestTestFile::sourceErrorsAreLocated() {
    QFETCH(QByteArray, source);
    QFETCH(int, line);
    QFETCH(QString, message);
    const TestSourceParse parsed = parseTestSource(source);
    QVERIFY(!parsed.test.has_value());
    QCOMPARE(parsed.errorLine, line);
    QVERIFY2(parsed.error.contains(message), qPrintable(parsed.error));
}

void TestTestFile::toolBuildsTestFile() {
    QTemporaryDir dir;
    const QString source = testData(QStringLiteral("test_source_sample.txt"));
    const QString out = dir.filePath(QStringLiteral("SKt1.tst"));

    QProcess tool;
    tool.start(QStringLiteral(SKIMORA_TSTBUILD), {source, out});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());

    const TestFileRead read = readTestFile(out);
    QVERIFY2(read.test.has_value(), qPrintable(read.error));
    const TestSourceParse parsed = parseTestSource(readBytes(source));
    QVERIFY(parsed.test.has_value());
    QCOMPARE(*read.test, *parsed.test);
    QCOMPARE(read.test->right, (Indexes{0, 2, 1, 1, 0}));
    // The text is stored in code page 1251: "Утро" leads the file after the length.
    QCOMPARE(readBytes(out).mid(4, 4), QByteArray("\xD3\xF2\xF0\xEE"));
}

void TestTestFile::toolRejectsMalformedSource() {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("broken.txt"));
    writeBytes(source, "Text.\n---\n? Q\n+ a\n+ b\n- c\n");
    const QString out = dir.filePath(QStringLiteral("SKt1.tst"));

    QProcess tool;
    tool.start(QStringLiteral(SKIMORA_TSTBUILD), {source, out});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY(tool.exitCode() != 0);
    const QString message = QString::fromLocal8Bit(tool.readAllStandardError());
    QVERIFY2(message.contains(source + QStringLiteral(":3:")), qPrintable(message));
    QVERIFY(!QFile::exists(out));

    // No arguments: usage, failure.
    tool.start(QStringLiteral(SKIMORA_TSTBUILD), {});
    QVERIFY(tool.waitForFinished(30000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(tool.readAllStandardError().contains("usage"));
}

QTEST_GUILESS_MAIN(TestTestFile)
#include "tst_testfile.moc"
