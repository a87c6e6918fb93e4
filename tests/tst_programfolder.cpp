#include "platform/ProgramFolder.h"
#include "shell/TextMemory.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void systemFolderIsKeptFree_data();
    void systemFolderIsKeptFree();
    void ownBuildFolderIsTheUsers();
    void placesOfAnInstalledProgramGoToTheDataFolder();
};

void TestProgramFolder::systemFolderIsKeptFree_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<uint>("ownerId");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<uint>("userId");
    QTest::addColumn<bool>("system");

    const uint root = 0, ann = 1000, bob = 1001;
    QTest::newRow("the user's build tree")
        << "/home/ann/skimora/build/program" << ann << true << ann << false;
    QTest::newRow("root's build tree")
        << "/root/skimora/build/program" << root << true << root << false;
    QTest::newRow("the user's copy under /opt") << "/opt/skimora" << ann << true << ann << false;
    QTest::newRow("a look-alike of /usr") << "/usrdata/skimora" << root << true << root << false;
    QTest::newRow("another user's build tree, group-writable")
        << "/home/bob/skimora/build/program" << bob << true << ann << true;
    QTest::newRow("the user's own folder made read-only")
        << "/home/ann/skimora/build/program" << ann << false << ann << true;
    QTest::newRow("installed, run by a user") << "/usr/lib/skimora" << root << false << ann << true;
    QTest::newRow("installed, run by root") << "/usr/lib/skimora" << root << true << root << true;
    QTest::newRow("/usr/local, run by root")
        << "/usr/local/lib/skimora" << root << true << root << true;
    QTest::newRow("/opt, run by root") << "/opt/skimora" << root << true << root << true;
    QTest::newRow("/opt itself, run by root") << "/opt" << root << true << root << true;
    QTest::newRow("/lib64, run by root") << "/lib64/skimora" << root << true << root << true;
}

void TestProgramFolder::systemFolderIsKeptFree() {
    QFETCH(QString, path);
    QFETCH(uint, ownerId);
    QFETCH(bool, writable);
    QFETCH(uint, userId);
    QFETCH(bool, system);

    QCOMPARE(isSystemFolder(ProgramFolder{path, ownerId, writable}, userId), system);
}

void TestProgramFolder::ownBuildFolderIsTheUsers() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProgramFolder folder = programFolder(dir.path() + QStringLiteral("/."));
    QCOMPARE(folder.path, QDir(dir.path()).canonicalPath());
    QCOMPARE(folder.ownerId, currentUserId());
    QVERIFY(folder.writable);
    QVERIFY(!isSystemFolder(folder, currentUserId()));

    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool readOnly = !programFolder(dir.path()).writable;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (currentUserId() != 0) // root writes into any folder
        QVERIFY(readOnly);
}

// Whoever runs an installed copy, its places land in that user's data folder, never beside it.
void TestProgramFolder::placesOfAnInstalledProgramGoToTheDataFolder() {
    const QString installed = QStringLiteral("/usr/bin");
    if (!QFileInfo(installed).isDir())
        QSKIP("no /usr/bin here");
    QStandardPaths::setTestModeEnabled(true);
    const QString path = TextMemory::locate(installed);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStandardPaths::setTestModeEnabled(false);

    QCOMPARE(path, QDir(data).filePath(QStringLiteral("Skimora v6.0 ru/textmem.ini")));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
