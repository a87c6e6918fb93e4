#include "training/TrainingState.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using Change = std::function<void(TrainingState&)>;
Q_DECLARE_METATYPE(Change)

// The shared state signals a group's change once, and only when a value really changed.
class TestTrainingState : public QObject {
    Q_OBJECT
private slots:
    void signalsOnlyRealChanges_data();
    void signalsOnlyRealChanges();
    void speedFollowsTheRegulatorsRule_data();
    void speedFollowsTheRegulatorsRule();
    void limitSignalsEveryTime();
};

void TestTrainingState::signalsOnlyRealChanges_data() {
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("count");
    const QByteArray width = SIGNAL(readingFieldWidthChanged());
    const QByteArray font = SIGNAL(fontChanged());
    const QByteArray table = SIGNAL(tableSizeChanged());
    const QByteArray recommended = SIGNAL(recommendationChanged());
    const QByteArray run = SIGNAL(runStateChanged());
    QTest::newRow("width changed")
        << width << Change([](TrainingState& s) { s.setReadingFieldWidth(14); }) << 1;
    QTest::newRow("width kept") << width
                                << Change([](TrainingState& s) { s.setReadingFieldWidth(10); })
                                << 0;
    QTest::newRow("font size") << font << Change([](TrainingState& s) { s.setFontSize(20); }) << 1;
    QTest::newRow("font name kept")
        << font << Change([](TrainingState& s) { s.setFontName(QStringLiteral("Arial")); }) << 0;
    QTest::newRow("rows only") << table << Change([](TrainingState& s) { s.setTableSize(4, 7); })
                               << 1;
    QTest::newRow("both kept") << table << Change([](TrainingState& s) { s.setTableSize(4, 3); })
                               << 0;
    QTest::newRow("speed only") << recommended
                                << Change([](TrainingState& s) { s.setRecommendation(1500, 10); })
                                << 1;
    QTest::newRow("run and test") << run << Change([](TrainingState& s) {
        s.setRunning(true);
        s.setTestMode(true);
        s.setRunning(true);
    }) << 2;
    QTest::newRow("same kind") << run << Change([](TrainingState& s) {
        s.setChosenKind(ExerciseKind::Text);
    }) << 0;
}

void TestTrainingState::signalsOnlyRealChanges() {
    QFETCH(QByteArray, signal);
    QFETCH(Change, change);
    QFETCH(int, count);
    TrainingState state;
    QSignalSpy spy(&state, signal.constData());
    change(state);
    QCOMPARE(spy.count(), count);
}

void TestTrainingState::speedFollowsTheRegulatorsRule_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("speed");
    QTest::newRow("0 is raised") << 0 << 600 << 100;
    QTest::newRow("10") << 10 << 600 << 100;
    QTest::newRow("334") << 334 << 17 << 3340;
    QTest::newRow("above the scale") << 5000 << 6 << 10000;
}

void TestTrainingState::speedFollowsTheRegulatorsRule() {
    QFETCH(int, position);
    QFETCH(int, interval);
    QFETCH(int, speed);
    TrainingState state;
    state.setSpeedPosition(position);
    QCOMPARE(state.SpeedPosition(), position);
    QCOMPARE(state.CharInterval(), interval);
    QCOMPARE(state.speed(), speed);
}

void TestTrainingState::limitSignalsEveryTime() {
    TrainingState state;
    QSignalSpy spy(&state, &TrainingState::readingFieldLimitChanged);
    state.setReadingFieldLimit(40);
    state.setReadingFieldLimit(40);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(state.ReadingFieldLimit(), 40);
}

QTEST_GUILESS_MAIN(TestTrainingState)
#include "tst_trainingstate.moc"
