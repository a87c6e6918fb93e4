#include "training/RunState.h"

#include <QTest>

Q_DECLARE_METATYPE(RunState)
Q_DECLARE_METATYPE(RunControls)

// Each row: the state, which kind and test buttons are down, and every control afterwards.
class TestRunState : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void controlsNotNamedKeepTheirState_data();
    void controlsNotNamedKeepTheirState();
    void kindsWithoutTest_data();
    void kindsWithoutTest();
};

namespace {

RunControls start(bool text, bool table, bool test, bool assistantVisible = false) {
    RunControls c;
    c.textDown = text;
    c.tableDown = table;
    c.testDown = test;
    c.assistantVisible = assistantVisible;
    c.chosen = text ? ExerciseKind::Text : table ? ExerciseKind::Table : ExerciseKind::FieldOfView;
    return c;
}

// The expected set part of the controls: open, start, stop, text/table, field of view, test,
// may release test, table size, assistant, fonts, width, reading and alignment.
RunControls expect(RunControls c, std::array<bool, 12> v) {
    c.open = v[0];
    c.start = v[1];
    c.stop = v[2];
    c.textAndTable = v[3];
    c.fieldOfView = v[4];
    c.test = v[5];
    c.testMayBeReleased = v[6];
    c.tableSize = v[7];
    c.assistant = v[8];
    c.fonts = v[9];
    c.width = v[10];
    c.readingAndAlignment = v[11];
    return c;
}

} // namespace

void TestRunState::table_data() {
    QTest::addColumn<RunControls>("before");
    QTest::addColumn<RunState>("state");
    QTest::addColumn<RunControls>("after");

    const RunControls text = start(true, false, false);
    QTest::newRow("started, text")
        << text << RunState::RunStarted << expect(text, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0});
    const RunControls table = start(false, true, false);
    QTest::newRow("started, table keeps reading buttons")
        << table << RunState::RunStarted << expect(table, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1});

    QTest::newRow("ended, text") << expect(text, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0})
                                 << RunState::RunEnded
                                 << expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    const RunControls textTest = start(true, false, true);
    QTest::newRow("ended, text test: no open, field of view on")
        << expect(textTest, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0}) << RunState::RunEnded
        << expect(textTest, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1});
    const RunControls tableEnded = expect(table, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0});
    QTest::newRow("ended, table: size on, reading buttons untouched")
        << tableEnded << RunState::RunEnded << expect(table, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0});
    const RunControls withAssistant = start(true, false, false, true);
    QTest::newRow("ended with the assistant open")
        << expect(withAssistant, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0}) << RunState::RunEnded
        << expect(withAssistant, {1, 1, 0, 1, 0, 1, 1, 0, 0, 1, 1, 1});

    QTest::newRow("test on over text") << textTest << RunState::TestModeChanged
                                       << expect(textTest, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1});
    QTest::newRow("test off over text")
        << expect(text, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1}) << RunState::TestModeChanged
        << expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    const RunControls tableTest = start(false, true, true);
    QTest::newRow("test on over table keeps open off")
        << expect(tableTest, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0}) << RunState::TestModeChanged
        << expect(tableTest, {0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0});
    QTest::newRow("test off over table leaves open alone")
        << expect(table, {0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0}) << RunState::TestModeChanged
        << expect(table, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0});

    QTest::newRow("text chosen, test up")
        << expect(text, {0, 1, 0, 1, 0, 1, 1, 1, 1, 0, 0, 0}) << RunState::TextChosen
        << expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    QTest::newRow("text chosen, test down keeps open off")
        << expect(textTest, {0, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0}) << RunState::TextChosen
        << expect(textTest, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1});
    const RunControls fieldOfView = start(false, false, true);
    QTest::newRow("field of view chosen")
        << expect(fieldOfView, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1}) << RunState::StringChosen
        << expect(fieldOfView, {0, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0});
    QTest::newRow("table chosen") << expect(table, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1})
                                  << RunState::TableChosen
                                  << expect(table, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0});
}

void TestRunState::table() {
    QFETCH(RunControls, before);
    QFETCH(RunState, state);
    QFETCH(RunControls, after);
    const RunControls result = applyRunState(before, state);
    QCOMPARE(result.open, after.open);
    QCOMPARE(result.start, after.start);
    QCOMPARE(result.stop, after.stop);
    QCOMPARE(result.textAndTable, after.textAndTable);
    QCOMPARE(result.fieldOfView, after.fieldOfView);
    QCOMPARE(result.test, after.test);
    QCOMPARE(result.testMayBeReleased, after.testMayBeReleased);
    QCOMPARE(result.tableSize, after.tableSize);
    QCOMPARE(result.assistant, after.assistant);
    QCOMPARE(result.fonts, after.fonts);
    QCOMPARE(result.width, after.width);
    QCOMPARE(result.readingAndAlignment, after.readingAndAlignment);
}

void TestRunState::controlsNotNamedKeepTheirState_data() {
    QTest::addColumn<RunState>("state");
    QTest::newRow("started") << RunState::RunStarted;
    QTest::newRow("ended") << RunState::RunEnded;
    QTest::newRow("test") << RunState::TestModeChanged;
}

void TestRunState::controlsNotNamedKeepTheirState() {
    QFETCH(RunState, state);
    // The width spin is never touched by a run or by the test button, whatever it was.
    for (bool width : {false, true}) {
        RunControls c = start(true, false, false);
        c.width = width;
        QCOMPARE(applyRunState(c, state).width, width);
    }
}

void TestRunState::kindsWithoutTest_data() {
    QTest::addColumn<RunControls>("before");
    QTest::addColumn<RunState>("state");
    QTest::addColumn<RunControls>("after");

    // Schulte tables and flash reading: no test mode while chosen, not chosen in test mode.
    RunControls untested = start(false, false, false);
    untested.chosen = ExerciseKind::Schulte;
    const RunControls text = start(true, false, false);
    for (ExerciseKind kind : {ExerciseKind::Schulte, ExerciseKind::Flash}) {
        const char* name = kind == ExerciseKind::Schulte ? "Schulte" : "flash";
        const bool flash = kind == ExerciseKind::Flash;
        RunControls choosing = text;
        choosing.chosen = kind;
        QTest::addRow("%s chosen after text: test, width, reading off; open only for flash", name)
            << choosing << RunState::OtherKindChosen
            << expect(choosing, {flash, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0});
    }
    RunControls started = expect(untested, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0});
    started.moreKinds = false;
    QTest::newRow("started: the kinds off")
        << expect(untested, {0, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0}) << RunState::RunStarted
        << started;
    QTest::newRow("ended over Schulte: test stays off")
        << started << RunState::RunEnded << expect(untested, {0, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0});
    RunControls flashStarted = started;
    flashStarted.chosen = ExerciseKind::Flash;
    RunControls flashEnded = expect(untested, {1, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0});
    flashEnded.chosen = ExerciseKind::Flash;
    QTest::newRow("ended over flash: open back for the next text")
        << flashStarted << RunState::RunEnded << flashEnded;
    RunControls endedOverText = expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    QTest::newRow("ended over text: the kinds back") << [&] {
        RunControls c = expect(text, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0});
        c.moreKinds = false;
        return c;
    }() << RunState::RunEnded << endedOverText;
    RunControls testOn = start(true, false, true);
    RunControls testOnAfter = expect(testOn, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1});
    testOnAfter.moreKinds = false;
    QTest::newRow("test on: the kinds off") << expect(testOn, {0, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1})
                                            << RunState::TestModeChanged << testOnAfter;
    QTest::newRow("test off: the kinds back") << [&] {
        RunControls c = expect(text, {0, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1});
        c.moreKinds = false;
        return c;
    }() << RunState::TestModeChanged << expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    QTest::newRow("text chosen after Schulte: test back")
        << expect(text, {0, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0}) << RunState::TextChosen
        << expect(text, {1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1});
    const RunControls table = start(false, true, false);
    QTest::newRow("table chosen after Schulte: test back")
        << expect(table, {0, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 0}) << RunState::TableChosen
        << expect(table, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0});
}

void TestRunState::kindsWithoutTest() {
    QFETCH(RunControls, before);
    QFETCH(RunState, state);
    QFETCH(RunControls, after);
    QCOMPARE(applyRunState(before, state), after);
}

QTEST_GUILESS_MAIN(TestRunState)
#include "tst_runstate.moc"
