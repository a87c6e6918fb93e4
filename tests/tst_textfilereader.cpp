#include "shell/TextFileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestTextFileReader : public QObject {
    Q_OBJECT
private slots:
    void readsAsOneParagraph_data();
    void readsAsOneParagraph();
    void refusesWhatIsNoText_data();
    void refusesWhatIsNoText();
    void refusesAFileTooLarge();
    void opensOnlyRegularFiles_data();
    void opensOnlyRegularFiles();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir Dir;
};

QString TestTextFileReader::write(const QString& name, const QByteArray& bytes) {
    QFile file(Dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestTextFileReader::readsAsOneParagraph_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF becomes two blanks") << "a.txt" << QByteArray("one\r\ntwo") << "one  two";
    QTest::newRow("lone LF and CR") << "b.txt" << QByteArray("a\nb\rc") << "a b c";
    QTest::newRow("UTF-8") << "c.txt" << QStringLiteral("Мир\r\nдом").toUtf8() << "Мир  дом";
    QTest::newRow("Windows-1251") << "d.txt" << QByteArray("\xCC\xE8\xF0") << "Мир";
    QTest::newRow("UTF-16 with its mark")
        << "e.txt" << QByteArray("\xFF\xFE\x1C\x04\x38\x04", 6) << "Ми";
    QTest::newRow("RTF, paragraphs become blanks")
        << "f.rtf" << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cc\\'e8\\'f0\\par two}")
        << "Мир  two";
    QTest::newRow(".RTF in capitals is read as plain text")
        << "g.RTF" << QByteArray("{\\rtf1 x}") << "{\\rtf1 x}";
    QTest::newRow("empty file") << "h.txt" << QByteArray() << "";
}

void TestTextFileReader::readsAsOneParagraph() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const TextFileContent content = TextFileReader::read(write(name, bytes));
    QVERIFY2(content.ok, qPrintable(content.error));
    QCOMPARE(content.text, text);
}

void TestTextFileReader::refusesWhatIsNoText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary") << "pic.txt" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    QTest::newRow("not RTF") << "notes.rtf" << QByteArray("plain words");
}

void TestTextFileReader::refusesWhatIsNoText() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const TextFileContent content = TextFileReader::read(write(name, bytes));
    QVERIFY(!content.ok);
    QVERIFY(content.text.isEmpty());
    QVERIFY2(content.error.contains(name), qPrintable(content.error));

    const TextFileContent missing = TextFileReader::read(Dir.filePath(QStringLiteral("gone.txt")));
    QVERIFY(!missing.ok);
    QVERIFY(missing.error.contains(QStringLiteral("gone.txt")));
}

void TestTextFileReader::refusesAFileTooLarge() {
    QFile file(Dir.filePath(QStringLiteral("huge.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(TextFileReader::MaximumFileSize + 1)); // sparse: nothing is written
    file.close();
    const TextFileContent content = TextFileReader::read(file.fileName());
    QVERIFY(!content.ok);
    QVERIFY(content.error.contains(QStringLiteral("32 МБ")));
}

void TestTextFileReader::opensOnlyRegularFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("named");
    QTest::newRow("endless device") << "/dev/zero"
                                    << "zero";
    QTest::newRow("named pipe without a writer") << Dir.filePath("pipe.txt") << "pipe.txt";
    QTest::newRow("directory") << Dir.filePath("folder.txt") << "folder.txt";
}

void TestTextFileReader::opensOnlyRegularFiles() {
    QFETCH(QString, path);
    QFETCH(QString, named);
    if (named == QLatin1String("pipe.txt"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (named == QLatin1String("folder.txt"))
        QVERIFY(QDir().mkpath(path));
    if (!QFileInfo::exists(path))
        QSKIP("no such special file here");
    // Returns at once, without reading the device dry or waiting for a writer.
    const TextFileContent content = TextFileReader::read(path);
    QVERIFY(!content.ok);
    QVERIFY(content.text.isEmpty());
    QVERIFY2(content.error.contains(named), qPrintable(content.error));
}

QTEST_GUILESS_MAIN(TestTextFileReader)
#include "tst_textfilereader.moc"
