#include "formats/TextDecoding.h"
#include "text/TestCheck.h"
#include "text/TestFile.h"
#include "text/TestSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// A text of `length` characters on lines 1 and 3 (line 2 is empty), so that a fault in the
// text is found on the line it stands on.
QString textOfLength(int length) {
    const int first = qMin(length, 600);
    return QString(first, u'а') + QStringLiteral("\n\n") + QString(length - first, u'б');
}

// A good readable source around `text`; the questions start on the line after "---".
QByteArray source(const QByteArray& text, const QByteArray& questions) {
    return text + "\n---\n" + questions;
}

QByteArray source(const QString& text, const QByteArray& questions) {
    return source(text.toUtf8(), questions);
}

QByteArray question(const QByteArray& answers = "+ Первый\n- Второй\n- Третий\n") {
    return "? Вопрос\n" + answers;
}

TestText goodTest() {
    const TestSourceParse parsed =
        parseTestSource(source(textOfLength(2000), question().repeated(TestQuestionCount)));
    Q_ASSERT(parsed.test);
    return *parsed.test;
}

// The .tst bytes of goodTest with its text field replaced by `field` (NUL included).
QByteArray withTextField(const QByteArray& field) {
    const QByteArray good = encodeTestFile(goodTest());
    const qint32 oldLength = qFromLittleEndian<qint32>(good.constData());
    char length[4];
    qToLittleEndian(static_cast<qint32>(field.size()), length);
    return QByteArray(length, 4) + field + good.mid(4 + oldLength);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun runChecker(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(SKIMORA_TSTCHECK), arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), QString::fromLocal8Bit(tool.readAllStandardError())};
}

} // namespace

class TestTestCheck : public QObject {
    Q_OBJECT

private slots:
    void goodSourcePasses_data();
    void goodSourcePasses();
    void sourceFaultIsRefusedWithItsLine_data();
    void sourceFaultIsRefusedWithItsLine();
    void builtFileFaultIsRefused_data();
    void builtFileFaultIsRefused();
    void toolChecksFilesAndFolders();
};

void TestTestCheck::goodSourcePasses_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("shortest") << MinTestTextLength;
    QTest::newRow("middle") << 2500;
    QTest::newRow("longest") << MaxTestTextLength;
}

void TestTestCheck::goodSourcePasses() {
    QFETCH(int, length);
    const QByteArray good = source(textOfLength(length), question().repeated(TestQuestionCount));
    const std::optional<TestCheckFault> fault = checkTestSource(good);
    QVERIFY2(!fault, qPrintable(fault ? fault->message : QString()));

    // The file built from it passes as well.
    const TestSourceParse parsed = parseTestSource(good);
    QVERIFY(parsed.test);
    const std::optional<TestCheckFault> builtFault = checkTestFile(encodeTestFile(*parsed.test));
    QVERIFY2(!builtFault, qPrintable(builtFault ? builtFault->message : QString()));
}

void TestTestCheck::sourceFaultIsRefusedWithItsLine_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    // Lines: the text 1 to 3, "---" 4, question q on 5 + 4 (q - 1), its answers below it.
    const QString text = textOfLength(2000);
    const QByteArray good = question();
    const QByteArray four = good.repeated(4);

    QByteArray badUtf8 = text.toUtf8();
    badUtf8.insert(badUtf8.size() - 4, "\xC3\x28");
    QTest::newRow("bad encoding") << source(badUtf8, four + good) << 3 << "UTF-8";
    QTest::newRow("missing question") << source(text, four) << 20 << "4 question(s)";
    QTest::newRow("four answers")
        << source(text, good + question("+ Первый\n- Второй\n- Третий\n- Четвёртый\n") + four) << 13
        << "more than three answers";
    QTest::newRow("two right answers")
        << source(text, good + good + question("+ Первый\n+ Второй\n- Третий\n") + good + good)
        << 13 << "2 right answers";
    QTest::newRow("too short") << source(textOfLength(MinTestTextLength - 1), four + good) << 3
                               << "1499 characters";
    QTest::newRow("too long") << source(textOfLength(MaxTestTextLength + 1), four + good) << 3
                              << "passes 4000";
    QTest::newRow("control character")
        << source(QStringLiteral("Звонок\a") + text, four + good) << 1 << "U+0007";
    QTest::newRow("repeated answer")
        << source(text, good + good + good + question("+ Первый\n- Второй\n- второй \n") + good)
        << 20 << "answer 3 repeats answer 2";
}

void TestTestCheck::sourceFaultIsRefusedWithItsLine() {
    QFETCH(QByteArray, source);
    QFETCH(int, line);
    QFETCH(QString, message);
    const std::optional<TestCheckFault> fault = checkTestSource(source);
    QVERIFY(fault);
    QVERIFY2(fault->message.contains(message), qPrintable(fault->message));
    QCOMPARE(fault->line, line);
}

void TestTestCheck::builtFileFaultIsRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray good = encodeTestFile(goodTest());
    QByteArray outOfRange = good;
    outOfRange[outOfRange.size() - 8] = 3; // the right answer to question 4
    QTest::newRow("answer out of range") << outOfRange << "к вопросу 4 равен 3";

    const QString text = goodTest().text;
    QTest::newRow("text in UTF-8") << withTextField(text.toUtf8() + '\0') << "UTF-8";
    QByteArray undefinedByte = encodeWindows1251(text);
    undefinedByte[10] = '\x98';
    QTest::newRow("byte undefined in Windows-1251")
        << withTextField(undefinedByte + '\0') << "text: control character U+0098";

    TestText shortText = goodTest();
    shortText.text = QStringLiteral("Коротко.");
    QTest::newRow("too short") << encodeTestFile(shortText) << "text: the text has 8 characters";
    TestText emptyAnswer = goodTest();
    emptyAnswer.answers[2][1].clear();
    QTest::newRow("empty answer") << encodeTestFile(emptyAnswer)
                                  << "answer 2 to question 3: empty answer";
    TestText twoLines = goodTest();
    twoLines.questions[1] = QStringLiteral("Вопрос\r\nв две строки?");
    QTest::newRow("line break in a question")
        << encodeTestFile(twoLines) << "question 2: control character U+000D";
    TestText twoRight = goodTest();
    twoRight.answers[4][2] = twoRight.answers[4][0];
    QTest::newRow("right answer twice")
        << encodeTestFile(twoRight) << "answer 3 to question 5: answer 3 repeats answer 1";
}

void TestTestCheck::builtFileFaultIsRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const std::optional<TestCheckFault> fault = checkTestFile(bytes);
    QVERIFY(fault);
    QVERIFY2(fault->message.contains(message), qPrintable(fault->message));
    QCOMPARE(fault->line, 0);
}

void TestTestCheck::toolChecksFilesAndFolders() {
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QByteArray good = source(textOfLength(2000), question().repeated(TestQuestionCount));
    writeBytes(folder.filePath(QStringLiteral("SKt1.txt")), good);
    writeBytes(folder.filePath(QStringLiteral("SKt2.txt")), good);
    writeBytes(folder.filePath(QStringLiteral("SKt1.tst")), encodeTestFile(goodTest()));
    writeBytes(folder.filePath(QStringLiteral("notes.txt")), "not a test file");

    ToolRun run = runChecker({dir.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

    // A broken source is named with its line; the others still pass.
    const QString broken = folder.filePath(QStringLiteral("SKt2.txt"));
    writeBytes(broken, source(textOfLength(2000), question().repeated(4)));
    run = runChecker({dir.path()});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errors.trimmed(),
             broken + QStringLiteral(":20: error: 4 question(s), expected five"));

    // A gap in the numbers leaves the files after it unused.
    QVERIFY(QFile::rename(broken, folder.filePath(QStringLiteral("SKt3.txt"))));
    writeBytes(folder.filePath(QStringLiteral("SKt3.txt")), good);
    run = runChecker({dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("SKt2.txt is missing")), qPrintable(run.errors));

    // Single files, a .tst among them, and a missing one.
    const QString built = folder.filePath(QStringLiteral("SKt1.tst"));
    run = runChecker({built, folder.filePath(QStringLiteral("SKt1.txt"))});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    writeBytes(built, encodeTestFile(goodTest()).chopped(2));
    run = runChecker({built, folder.filePath(QStringLiteral("SKt9.tst"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(built + QStringLiteral(": error: ")), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("SKt9.tst: error: no such file")),
             qPrintable(run.errors));
}

QTEST_GUILESS_MAIN(TestTestCheck)
#include "tst_testcheck.moc"
