// The kinds' descriptions, which the frame, the run-state table, the tips, the help and the
// diary read instead of naming kinds: each row must describe the kind it stands for, and what
// the others take for granted of a row must hold.
#include "training/ExerciseKinds.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(ExerciseKind)

class TestExerciseKinds : public QObject {
    Q_OBJECT
private slots:
    void everyKindIsDescribed_data();
    void everyKindIsDescribed();
    void kindsAreToldApart();
    void codesOutsideTheKindsAreNone();
};

namespace {

// The help pages by context id, as the help directory lists them.
QHash<int, QString> helpPages() {
    QHash<int, QString> pages;
    QFile list(QStringLiteral(SKIMORA_HELP_DIR "/contexts.txt"));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return pages;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() == 2 && !line.startsWith(QLatin1Char('#')))
            pages.insert(parts.at(0).toInt(), parts.at(1));
    }
    return pages;
}

} // namespace

void TestExerciseKinds::everyKindIsDescribed_data() {
    QTest::addColumn<ExerciseKind>("kind");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("ownButton");
    QTest::newRow("text") << ExerciseKind::Text << "TextForm"
                          << "text_window.html" << true;
    QTest::newRow("field of view") << ExerciseKind::FieldOfView << "StringForm"
                                   << "field_of_view.html" << true;
    QTest::newRow("table") << ExerciseKind::Table << "TableForm"
                           << "table_window.html" << true;
    QTest::newRow("Schulte") << ExerciseKind::Schulte << "SchulteForm"
                             << "schulte.html" << false;
    QTest::newRow("flash") << ExerciseKind::Flash << "FlashForm"
                           << "flash_reading.html" << false;
}

void TestExerciseKinds::everyKindIsDescribed() {
    QFETCH(ExerciseKind, kind);
    QFETCH(QString, window);
    QFETCH(QString, page);
    QFETCH(bool, ownButton);
    const ExerciseKindInfo& info = describe(kind);
    QCOMPARE(info.Kind, kind);
    QCOMPARE(exerciseKindFromCode(int(kind)), std::optional(kind));
    QCOMPARE(QString::fromLatin1(info.WindowName), window);
    QCOMPARE(helpPages().value(info.HelpContext), page);
    QVERIFY(QFile::exists(QDir(QStringLiteral(SKIMORA_HELP_DIR)).filePath(page)));
    QVERIFY(!info.Caption.isEmpty());
    QVERIFY(!info.TestCaption.isEmpty());
    // The first three kinds keep their buttons, states and F1 rule; the others are entries of "Ещё"
    // and cannot be chosen in test mode, which the run-state table counts on.
    QCOMPARE(QString::fromLatin1(info.EntryName).isEmpty(), ownButton);
    QCOMPARE(info.Chosen == RunState::OtherKindChosen, !ownButton);
    QCOMPARE(info.F1OpensItsPage, !ownButton);
    if (!ownButton) {
        QVERIFY(!info.HasTestMode);
        QVERIFY(!info.EntryCaption.isEmpty());
        QVERIFY(!info.EntryGlyph.isEmpty());
    }
    // Tips: one of the three lists of the tips menu, or none.
    QVERIFY(info.Tips >= -1 && info.Tips < 3);
    // A kind without a test mode files its runs under one diary kind.
    if (!info.HasTestMode)
        QCOMPARE(info.TestDiary, info.Diary);
}

void TestExerciseKinds::kindsAreToldApart() {
    QSet<QString> windows;
    QSet<int> keys;
    QSet<int> tips;
    QSet<int> diaryKinds;
    for (const ExerciseKindInfo& info : exerciseKinds()) {
        windows.insert(QString::fromLatin1(info.WindowName));
        keys.insert(info.ChooseKey.toCombined());
        if (info.Tips >= 0)
            tips.insert(info.Tips);
        diaryKinds.insert(int(info.Diary));
    }
    const int kinds = int(exerciseKinds().size());
    QCOMPARE(windows.size(), kinds);
    QCOMPARE(keys.size(), kinds);
    QCOMPARE(diaryKinds.size(), kinds);
    QCOMPARE(tips, (QSet<int>{0, 1, 2}));
}

void TestExerciseKinds::codesOutsideTheKindsAreNone() {
    QCOMPARE(exerciseKindFromCode(-1), std::nullopt);
    QCOMPARE(exerciseKindFromCode(int(exerciseKinds().size())), std::nullopt);
}

QTEST_GUILESS_MAIN(TestExerciseKinds)
#include "tst_exercisekinds.moc"
