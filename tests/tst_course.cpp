#include "course/CourseResults.h"
#include "course/GuideDocking.h"
#include "course/GuideText.h"
#include "course/MarkerPlacement.h"
#include "course/StageCheck.h"
#include "course/Unitscenario.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <set>

Q_DECLARE_METATYPE(StageKind)
Q_DECLARE_METATYPE(LineState)
Q_DECLARE_METATYPE(CourseStage)
Q_DECLARE_METATYPE(ControlSnapshot)
Q_DECLARE_METATYPE(MarkerPlan)
Q_DECLARE_METATYPE(MarkerPlacement::TargetSort)

class TestCourse : public QObject {
    Q_OBJECT
private slots:
    void levelRule_data();
    void levelRule();
    void stageSequence_data();
    void stageSequence();
    void tableRowsAreDrawnAnewAtEachBuild();
    void takeTestResult_data();
    void takeTestResult();
    void cycleBookkeeping();
    void fieldOfViewRepeatAsksOneMore();
    void stageSizesAreCapped_data();
    void stageSizesAreCapped();
    void resultStageShowsTheLevelReached();
    void loadStoredValues_data();
    void loadStoredValues();
    void progressOutsideTheStoredRangeIsKept_data();
    void progressOutsideTheStoredRangeIsKept();
    void guideText_data();
    void guideText();
    void checkStage_data();
    void checkStage();
    void placeMarkers_data();
    void placeMarkers();
    void markerOffset_data();
    void markerOffset();
    void markerShown_data();
    void markerShown();
    void snapToAssistant_data();
    void snapToAssistant();
    void followAssistant_data();
    void followAssistant();
};

namespace {

constexpr LineState G = LineState::Done;
constexpr LineState R = LineState::Current;
constexpr LineState B = LineState::Open;
constexpr LineState U = LineState::Hint;

// What a field-of-view test answered wrongly at width 10 reports: it changes nothing.
const TestResults NoChange{0, 10, 0, 0};

// What the tests report when answered right at this speed and width: a test stage takes it as
// the course speed or width.
TestResults passedAt(int speed, int width) {
    return {100, width, 100, speed};
}

bool isTextStage(const CourseStage& stage) {
    return stage.Kind == StageKind::TextReading || stage.Kind == StageKind::TextTest;
}

// Goes on through the stages, changing nothing, until one the predicate accepts is entered.
template <typename Accept> void advanceUntil(Scenario& s, Accept accept) {
    do
        s.Advance(true, NoChange);
    while (!accept(*s.CurrentStage()));
}

void advanceTo(Scenario& s, StageKind kind) {
    advanceUntil(s, [kind](const CourseStage& stage) { return stage.Kind == kind; });
}

CourseStage stageOf(StageKind kind, int field, int column, int speed, int align = 0, int mode = 0,
                    int tableColumns = 0, int tableRows = 0) {
    CourseStage s;
    s.Kind = kind;
    s.FieldWidth = field;
    s.ColumnWidth = column;
    s.StageSpeed = speed;
    s.Alignment = qint8(align);
    s.ReadingMode = qint8(mode);
    s.TableColumns = tableColumns;
    s.TableRows = tableRows;
    return s;
}

// The controls of a text-reading stage asking for width 10, column 20, speed 1000, left, dynamic.
ControlSnapshot matchingText() {
    ControlSnapshot s;
    s.TextDown = true;
    s.TextLoaded = true;
    s.FieldWidth = 10;
    s.ColumnWidth = 20;
    s.Speed = 1000;
    s.Alignment = 0;
    s.ReadingMode = 0;
    return s;
}

QString kindLetters(const Scenario& s) {
    QString letters;
    for (int i = 0; i < s.StageCount(); ++i)
        letters += QString::number(int(s.stage(i).Kind));
    return letters;
}

QString settingsPath(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("store.conf"));
}

} // namespace

// --- Levels ----------------------------------------------------------------------------------

void TestCourse::levelRule_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("speedLow");
    QTest::addColumn<int>("widthLow");
    QTest::newRow("first start") << 900 << 10 << 1 << 900 << 10;
    QTest::newRow("2800 and 20: level 3") << 2800 << 20 << 3 << 2700 << 16;
    QTest::newRow("9000 and 12: width limits") << 9000 << 12 << 1 << 900 << 10;
    QTest::newRow("bounds touch: 1800 and 13") << 1800 << 13 << 2 << 1800 << 13;
    QTest::newRow("just below level 2") << 1799 << 20 << 1 << 900 << 10;
    QTest::newRow("width just below level 2") << 5000 << 12 << 1 << 900 << 10;
    QTest::newRow("level 10") << 9000 << 37 << 10 << 9000 << 37;
    QTest::newRow("no upper limit") << 10000 << 300 << 11 << 9900 << 40;
    // Below level 1 nothing changes: the previous level (here 4) stays.
    QTest::newRow("speed 500 keeps the level") << 500 << 40 << 4 << 3600 << 19;
    QTest::newRow("width 9 keeps the level") << 5000 << 9 << 4 << 3600 << 19;
    QTest::newRow("negative keeps the level") << -1 << -1 << 4 << 3600 << 19;
}

void TestCourse::levelRule() {
    QFETCH(int, speed);
    QFETCH(int, width);
    QFETCH(int, level);
    QFETCH(int, speedLow);
    QFETCH(int, widthLow);
    Scenario s({4000, 20});
    s.ComputeLevel(); // level 4 first
    QCOMPARE(s.Level(), 4);
    // The cycle's first tests bring the course to the row's speed and width; the text test is
    // repeated, so that no new cycle computes the level on the way.
    advanceTo(s, StageKind::FieldOfViewTest);
    s.Advance(true, passedAt(0, width)); // on to the text test
    s.Advance(false, passedAt(speed, 0));
    s.ComputeLevel();
    QCOMPARE(s.Level(), level);
    QCOMPARE(s.LevelSpeedLow(), speedLow);
    QCOMPARE(s.LevelWidthLow(), widthLow);
    QCOMPARE(s.LevelSpeedHigh(), speedLow + 900);
    QCOMPARE(s.LevelWidthHigh(), widthLow + 3);
}

// --- Stage tables ----------------------------------------------------------------------------

void TestCourse::stageSequence_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QList<int>>("factors");  // per text stage, in order
    QTest::addColumn<QList<int>>("rowBases"); // per table stage, in order
    const QString shortCycle = QStringLiteral("2301040231040235");
    const QString longCycle = QStringLiteral("230104023104010235");
    QTest::newRow("level 1") << 1 << shortCycle << QList<int>{1, 1, 1, 1, 1, 2, 2, 2}
                             << QList<int>{3, 3, 3, 3};
    QTest::newRow("level 2") << 2 << shortCycle << QList<int>{1, 1, 1, 1, 1, 2, 2, 2}
                             << QList<int>{3, 3, 3, 3};
    QTest::newRow("level 3") << 3 << longCycle << QList<int>{1, 1, 1, 1, 1, 2, 2, 2, 2}
                             << QList<int>{3, 3, 4, 4, 4};
    QTest::newRow("level 6") << 6 << longCycle << QList<int>{2, 2, 2, 2, 2, 3, 3, 3, 3}
                             << QList<int>{4, 4, 5, 5, 5};
    QTest::newRow("level 7") << 7 << longCycle << QList<int>{2, 2, 2, 2, 2, 3, 3, 3, 3}
                             << QList<int>{6, 6, 7, 7, 7};
    QTest::newRow("level 9") << 9 << longCycle << QList<int>{3, 3, 3, 3, 3, 3, 3, 3, 3}
                             << QList<int>{7, 8, 8, 9, 9};
    QTest::newRow("level 14") << 14 << longCycle << QList<int>{3, 3, 3, 3, 3, 3, 3, 3, 3}
                              << QList<int>{7, 8, 8, 9, 9};
}

void TestCourse::stageSequence() {
    QFETCH(int, level);
    QFETCH(QString, kinds);
    QFETCH(QList<int>, factors);
    QFETCH(QList<int>, rowBases);
    Scenario s({900, 10});
    s.BuildStageTable(level);
    QCOMPARE(s.StageCount(), kinds.size());
    QCOMPARE(s.ProgressMax(), kinds.size() - 1);
    QCOMPARE(kindLetters(s), kinds);
    QList<int> gotFactors;
    QList<int> gotAlignModes;
    for (int i = 0; i < s.StageCount(); ++i) {
        const CourseStage& stage = s.stage(i);
        if (stage.Kind == StageKind::TextReading || stage.Kind == StageKind::TextTest) {
            gotFactors << stage.ColumnFactor;
            gotAlignModes << stage.Alignment * 10 + stage.ReadingMode;
        }
        if (stage.Kind == StageKind::TableReading || stage.Kind == StageKind::TableTest) {
            const int base = rowBases.takeFirst();
            QVERIFY2(stage.TableRows == base || stage.TableRows == base + 1,
                     qPrintable(QString::number(i)));
        }
    }
    QCOMPARE(gotFactors, factors);
    QVERIFY(rowBases.isEmpty());
    // centre static, centre dynamic, left static, left dynamic, left dynamic, centre static,
    // (left static), left dynamic, left dynamic
    QList<int> alignModes{11, 10, 1, 0, 0, 11, 1, 0, 0};
    if (kinds.size() == 16)
        alignModes.removeAt(6);
    QCOMPARE(gotAlignModes, alignModes);
}

void TestCourse::tableRowsAreDrawnAnewAtEachBuild() {
    Scenario s({900, 10});
    std::set<int> rows;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        s.setFixedSeed(seed);
        s.BuildStageTable(1);
        rows.insert(s.stage(3).TableRows);
    }
    QCOMPARE(rows, (std::set<int>{3, 4}));
}

// --- Test results ----------------------------------------------------------------------------

void TestCourse::takeTestResult_data() {
    QTest::addColumn<StageKind>("kind");
    QTest::addColumn<int>("lineScore");
    QTest::addColumn<int>("lineChars");
    QTest::addColumn<int>("textScore");
    QTest::addColumn<int>("textSpeed");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("width");
    const auto fov = StageKind::FieldOfViewTest;
    const auto text = StageKind::TextTest;
    QTest::newRow("line right") << fov << 100 << 13 << 0 << 0 << 1200 << 13;
    QTest::newRow("line wrong at 15") << fov << 0 << 15 << 0 << 0 << 1200 << 14;
    QTest::newRow("line wrong at 10") << fov << 0 << 10 << 0 << 0 << 1200 << 12;
    QTest::newRow("text 3 of 5") << text << 0 << 0 << 60 << 1500 << 1500 << 12;
    QTest::newRow("text lower speed") << text << 0 << 0 << 100 << 800 << 800 << 12;
    QTest::newRow("text 2 of 5") << text << 0 << 0 << 40 << 3000 << 1200 << 12;
    QTest::newRow("text stopped early") << text << 0 << 0 << 0 << 0 << 1200 << 12;
    QTest::newRow("table test") << StageKind::TableTest << 100 << 20 << 100 << 3000 << 1200 << 12;
    QTest::newRow("reading") << StageKind::TextReading << 100 << 20 << 100 << 3000 << 1200 << 12;
}

void TestCourse::takeTestResult() {
    QFETCH(StageKind, kind);
    QFETCH(int, lineScore);
    QFETCH(int, lineChars);
    QFETCH(int, textScore);
    QFETCH(int, textSpeed);
    QFETCH(int, speed);
    QFETCH(int, width);
    Scenario s({1200, 12});
    s.TakeTestResult({lineScore, lineChars, textScore, textSpeed}); // no stage yet: nothing
    QCOMPARE(s.CourseSpeed(), 1200);
    advanceTo(s, kind);
    s.TakeTestResult({lineScore, lineChars, textScore, textSpeed});
    QCOMPARE(s.CourseSpeed(), speed);
    QCOMPARE(s.CourseWidth(), width);
}

// --- Advance ---------------------------------------------------------------------------------

void TestCourse::cycleBookkeeping() {
    Scenario s({900, 10});
    QVERIFY(s.Advance(true, NoChange));
    QCOMPARE(s.StageIndex(), 0);
    QCOMPARE(s.CurrentStage(), &s.stage(0));
    QCOMPARE(s.DoneCount(), 1);
    // The tests of the cycle raise the course to level 3: the next cycle is the long one.
    for (int stage = 1; stage < 16; ++stage) {
        QVERIFY(!s.Advance(true, passedAt(2800, 20)));
        QCOMPARE(s.StageIndex(), stage);
        QVERIFY(s.DoneCount() <= s.ProgressMax());
    }
    QCOMPARE(s.CurrentStage()->Kind, StageKind::Result);
    QCOMPARE(s.DoneCount(), 15);
    QCOMPARE(s.ProgressMax(), 15);

    QVERIFY(s.Advance(true, NoChange));
    QCOMPARE(s.StageIndex(), 0);
    QCOMPARE(s.DoneCount(), 1);
    QCOMPARE(s.Level(), 3);
    QCOMPARE(s.StageCount(), 18);
    QCOMPARE(s.ProgressMax(), 17);
    QCOMPARE(s.LevelSpeedLow(), 2700);
    QCOMPARE(s.LevelWidthHigh(), 19);
}

void TestCourse::fieldOfViewRepeatAsksOneMore() {
    Scenario s({900, 12});
    s.Advance(true, NoChange);
    QCOMPARE(s.CurrentStage()->Kind, StageKind::FieldOfViewTest);
    QCOMPARE(s.CurrentStage()->FieldWidth, 13);
    QCOMPARE(s.DoneCount(), 1);
    s.Advance(false, {100, 13, 0, 0}); // right at 13: the same stage asks for 14
    QCOMPARE(s.StageIndex(), 0);
    QCOMPARE(s.CourseWidth(), 13);
    QCOMPARE(s.CurrentStage()->FieldWidth, 14);
    QCOMPARE(s.DoneCount(), 1);
    s.Advance(true, {0, 14, 0, 0}); // wrong at 14: back to 13, on to the text test
    QCOMPARE(s.CourseWidth(), 13);
    QCOMPARE(s.CurrentStage()->Kind, StageKind::TextTest);
    QCOMPARE(s.CurrentStage()->FieldWidth, 13);
    QCOMPARE(s.CurrentStage()->ColumnWidth, 13);
    QCOMPARE(s.DoneCount(), 2);
    s.Advance(true, {0, 0, 80, 1500});
    QCOMPARE(s.CourseSpeed(), 1500);
    QCOMPARE(s.CurrentStage()->StageSpeed, 1500);
}

void TestCourse::stageSizesAreCapped_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("factor");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("tableColumns");
    QTest::newRow("width 10") << 10 << 2 << 20 << 4;
    QTest::newRow("width 35: column 60, not 70") << 35 << 2 << 60 << 10;
    QTest::newRow("width 31: 10 columns, not 11") << 31 << 1 << 31 << 10;
    QTest::newRow("width 27") << 27 << 1 << 27 << 9;
}

void TestCourse::stageSizesAreCapped() {
    QFETCH(int, width);
    QFETCH(int, factor);
    QFETCH(int, column);
    QFETCH(int, tableColumns);
    Scenario s({900, width});
    advanceUntil(s, [factor](const CourseStage& stage) {
        return isTextStage(stage) && stage.ColumnFactor == factor;
    });
    QCOMPARE(s.CurrentStage()->ColumnWidth, column);
    advanceTo(s, StageKind::TableReading);
    QCOMPARE(s.CurrentStage()->Kind, StageKind::TableReading);
    QCOMPARE(s.CurrentStage()->TableColumns, tableColumns);
}

void TestCourse::resultStageShowsTheLevelReached() {
    Scenario s({900, 10});
    s.Advance(true, NoChange);
    for (int stage = 1; stage < 16; ++stage)
        s.Advance(true, passedAt(1900, 14));
    QCOMPARE(s.CurrentStage()->Kind, StageKind::Result);
    QCOMPARE(s.Level(), 2);
    QCOMPARE(s.StageCount(), 16); // the table stays the one the cycle was built for
}

// --- Stored values ---------------------------------------------------------------------------

void TestCourse::loadStoredValues_data() {
    QTest::addColumn<QVariant>("speed");
    QTest::addColumn<QVariant>("width");
    QTest::addColumn<bool>("restart");
    QTest::addColumn<int>("wantSpeed");
    QTest::addColumn<int>("wantWidth");
    QTest::newRow("stored") << QVariant(2800) << QVariant(20) << false << 2800 << 20;
    QTest::newRow("range ends") << QVariant(10000) << QVariant(300) << false << 10000 << 300;
    QTest::newRow("zeros") << QVariant(0) << QVariant(0) << false << 0 << 0;
    QTest::newRow("speed 10001") << QVariant(10001) << QVariant(20) << false << 900 << 10;
    QTest::newRow("width 301") << QVariant(2800) << QVariant(301) << false << 900 << 10;
    QTest::newRow("negative speed") << QVariant(-1) << QVariant(20) << false << 900 << 10;
    QTest::newRow("negative width") << QVariant(2800) << QVariant(-5) << false << 900 << 10;
    QTest::newRow("restart ignores them") << QVariant(2800) << QVariant(20) << true << 900 << 10;
    QTest::newRow("width missing") << QVariant(2800) << QVariant() << false << 900 << 10;
    QTest::newRow("not a number") << QVariant("fast") << QVariant(20) << false << 900 << 10;
}

void TestCourse::loadStoredValues() {
    QFETCH(QVariant, speed);
    QFETCH(QVariant, width);
    QFETCH(bool, restart);
    QFETCH(int, wantSpeed);
    QFETCH(int, wantWidth);
    QTemporaryDir dir;
    QSettings store(settingsPath(dir), QSettings::IniFormat);
    if (speed.isValid())
        store.setValue(QStringLiteral("SpeedWiz"), speed);
    if (width.isValid())
        store.setValue(QStringLiteral("WidthWiz"), width);
    const CourseValues loaded = CourseResults::load(&store, restart);
    QCOMPARE(loaded.Speed, wantSpeed);
    QCOMPARE(loaded.Width, wantWidth);
    const CourseValues none = CourseResults::load(nullptr, false);
    QCOMPARE(none.Speed, 900);
    QCOMPARE(none.Width, 10);
}

// A course value beyond what is read back would reset the user to level 1 at the next start:
// it is stored at the nearest end of the range instead.
void TestCourse::progressOutsideTheStoredRangeIsKept_data() {
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("storedSpeed");
    QTest::addColumn<int>("storedWidth");
    QTest::newRow("within") << 2800 << 20 << 2800 << 20;
    QTest::newRow("speed over") << 10140 << 40 << 10000 << 40;
    QTest::newRow("width over") << 5000 << 320 << 5000 << 300;
}

void TestCourse::progressOutsideTheStoredRangeIsKept() {
    QFETCH(int, speed);
    QFETCH(int, width);
    QFETCH(int, storedSpeed);
    QFETCH(int, storedWidth);
    const Scenario s({speed, width});
    QTemporaryDir dir;
    {
        QSettings store(settingsPath(dir), QSettings::IniFormat);
        CourseResults::save(&store, s.storedValues());
    }
    QSettings store(settingsPath(dir), QSettings::IniFormat);
    const CourseValues back = CourseResults::load(&store, false);
    QCOMPARE(back.Speed, storedSpeed);
    QCOMPARE(back.Width, storedWidth);
}

// --- Guide texts -----------------------------------------------------------------------------

void TestCourse::guideText_data() {
    QTest::addColumn<CourseStage>("stage");
    QTest::addColumn<QString>("text");
    const QString sep =
        QStringLiteral(" ------------------------------------------------------------------");
    QTest::newRow("text reading") << stageOf(StageKind::TextReading, 10, 20, 900, 1, 1)
                                  << QStringLiteral(" 1. Перейдите к упражнению\r\n"
                                                    "     Чтение текста\r\n"
                                                    " 2. Загрузите текст из файла\r\n"
                                                    " 3. Установите параметры упражнения:\r\n"
                                                    "     *  ширина поля чтения: 10\r\n"
                                                    "     *  ширина колонки текста: 20\r\n"
                                                    "     *  скорость проигрывания: 900\r\n"
                                                    "     *  выравнивание: По центру\r\n"
                                                    "     *  режим чтения: Статическое чтение\r\n"
                                                    " 4. Запустите упражнение\r\n") +
                                         sep +
                                         QStringLiteral("\r\n    Попробуйте увеличить скорость\r\n"
                                                        "    в процессе чтения текста.");
    QTest::newRow("text test") << stageOf(StageKind::TextTest, 13, 26, 1500, 0, 0)
                               << QStringLiteral(" 1. Перейдите к тестовому упражнению\r\n"
                                                 "     на скорость чтения текста\r\n"
                                                 " 2. Установите параметры упражнения:\r\n"
                                                 "     *  ширина поля чтения: 13\r\n"
                                                 "     *  ширина колонки текста: 26\r\n"
                                                 "     *  скорость проигрывания: 1500\r\n"
                                                 "     *  выравнивание: По левому краю\r\n"
                                                 "     *  режим чтения: Динамическое чтение\r\n"
                                                 " 3. Запустите упражнение\r\n") +
                                      sep +
                                      QStringLiteral("\r\n    Попробуйте увеличить скорость\r\n"
                                                     "    в процессе чтения текста.");
    QTest::newRow("table reading")
        << stageOf(StageKind::TableReading, 10, 0, 900, 0, 0, 4, 3)
        << QStringLiteral(" 1. Перейдите к упражнению\r\n"
                          "     Чтение таблиц\r\n"
                          " 2. Установите параметры упражнения:\r\n"
                          "     *  размер таблицы: 4 X 3\r\n"
                          "     *  скорость проигрывания: 900\r\n"
                          " 3. Запустите упражнение\r\n") +
               sep +
               QStringLiteral("\r\n    Смотрите в центр и читайте числа\r\n"
                              "    используя периферическое зрение.");
    QTest::newRow("table test") << stageOf(StageKind::TableTest, 10, 0, 900, 0, 0, 10, 9)
                                << QStringLiteral(" 1. Перейдите к тестовому упражнению\r\n"
                                                  "     на скорость чтения таблиц\r\n"
                                                  " 2. Установите параметры упражнения:\r\n"
                                                  "     *  размер таблицы: 10 X 9\r\n"
                                                  "     *  скорость проигрывания: 900\r\n"
                                                  " 3. Запустите упражнение\r\n") +
                                       sep +
                                       QStringLiteral("\r\n    Смотрите в центр и читайте числа\r\n"
                                                      "    используя периферическое зрение.");
    QTest::newRow("field of view") << stageOf(StageKind::FieldOfViewTest, 11, 0, 900)
                                   << QStringLiteral(" 1. Перейдите к тестовому упражнению\r\n"
                                                     "     на ширину поля зрения\r\n"
                                                     " 2. Установите параметры упражнения:\r\n"
                                                     "     *  ширина поля чтения: 11\r\n"
                                                     "     *  скорость проигрывания: 900\r\n"
                                                     " 3. Запустите упражнение\r\n") +
                                          sep +
                                          QStringLiteral("\r\n    Смотрите на маркер и читайте\r\n"
                                                         "    используя периферическое зрение.");
    QTest::newRow("result") << stageOf(StageKind::Result, 0, 0, 0)
                            << QStringLiteral("\r\n    Ваш результат\r\n    * Скорость: 1900"
                                              "\r\n    * Ширина: 14\r\n    соответствует уровню "
                                              "2.\r\n\r\n    Нажмите Следующий...");
}

void TestCourse::guideText() {
    QFETCH(CourseStage, stage);
    QFETCH(QString, text);
    QCOMPARE(GuideText::text(stage, 1900, 14, 2), text);
    const int lineCount = int(text.count(QStringLiteral("\r\n"))) + 1;
    QCOMPARE(GuideText::lines(stage, 1900, 14, 2).size(), lineCount);
}

// --- Stage checks ----------------------------------------------------------------------------

void TestCourse::checkStage_data() {
    QTest::addColumn<CourseStage>("stage");
    QTest::addColumn<ControlSnapshot>("controls");
    QTest::addColumn<QList<LineState>>("colours");
    const CourseStage text = stageOf(StageKind::TextReading, 10, 20, 1000);
    const ControlSnapshot nothing;
    ControlSnapshot textKind;
    textKind.TextDown = true;
    textKind.TextLoaded = true;
    ControlSnapshot tableChosen = matchingText();
    tableChosen.TextDown = false;
    tableChosen.TableDown = true;
    ControlSnapshot wrongSpeed = matchingText();
    wrongSpeed.Speed = 1100;
    ControlSnapshot noText = matchingText();
    noText.TextLoaded = false;

    QTest::newRow("text: nothing done")
        << text << nothing << QList<LineState>{R, R, B, B, B, B, B, B, B, B, U, U, U};
    QTest::newRow("text: kind right, text loaded")
        << text << textKind << QList<LineState>{G, G, G, R, B, B, B, B, B, B, U, U, U};
    QTest::newRow("text: all matching")
        << text << matchingText() << QList<LineState>{G, G, G, G, G, G, G, G, G, R, U, U, U};
    QTest::newRow("text: table chosen")
        << text << tableChosen << QList<LineState>{R, R, G, G, G, G, G, G, G, B, U, U, U};
    QTest::newRow("text: speed wrong")
        << text << wrongSpeed << QList<LineState>{G, G, G, R, G, G, B, G, G, B, U, U, U};
    QTest::newRow("text: no text")
        << text << noText << QList<LineState>{G, G, R, G, G, G, G, G, G, B, U, U, U};

    ControlSnapshot textTest = matchingText();
    textTest.TestDown = true;
    textTest.TextLoaded = false;
    QTest::newRow("text test: all matching")
        << stageOf(StageKind::TextTest, 10, 20, 1000) << textTest
        << QList<LineState>{G, G, G, G, G, G, G, G, R, U, U, U, B};
    QTest::newRow("text test: test up")
        << stageOf(StageKind::TextTest, 10, 20, 1000) << matchingText()
        << QList<LineState>{R, R, G, G, G, G, G, G, B, U, U, U, B};

    ControlSnapshot table;
    table.TableDown = true;
    table.TableColumns = 4;
    table.TableRows = 3;
    table.Speed = 900;
    QTest::newRow("table: all matching")
        << stageOf(StageKind::TableReading, 10, 0, 900, 0, 0, 4, 3) << table
        << QList<LineState>{G, G, G, G, G, R, U, U, U, B, B, B, B};
    QTest::newRow("table: rows differ")
        << stageOf(StageKind::TableReading, 10, 0, 900, 0, 0, 4, 4) << table
        << QList<LineState>{G, G, R, B, G, B, U, U, U, B, B, B, B};
    QTest::newRow("table test: test up")
        << stageOf(StageKind::TableTest, 10, 0, 900, 0, 0, 4, 3) << table
        << QList<LineState>{R, R, G, G, G, B, U, U, U, B, B, B, B};

    ControlSnapshot line;
    line.TestDown = true;
    line.StringDown = true;
    line.FieldWidth = 10;
    line.Speed = 900;
    QTest::newRow("field of view: one too narrow")
        << stageOf(StageKind::FieldOfViewTest, 11, 0, 900) << line
        << QList<LineState>{G, G, R, B, G, B, U, U, U, B, B, B, B};
    line.FieldWidth = 11;
    QTest::newRow("field of view: all matching")
        << stageOf(StageKind::FieldOfViewTest, 11, 0, 900) << line
        << QList<LineState>{G, G, G, G, G, R, U, U, U, B, B, B, B};
}

void TestCourse::checkStage() {
    QFETCH(CourseStage, stage);
    QFETCH(ControlSnapshot, controls);
    QFETCH(QList<LineState>, colours);
    CheckStage(stage, controls);
    const QList<LineState> got(stage.LineStates.begin(), stage.LineStates.end());
    QCOMPARE(got, colours);
}

void TestCourse::placeMarkers_data() {
    using T = MarkerTarget;
    constexpr T N = T::None;
    QTest::addColumn<CourseStage>("stage");
    QTest::addColumn<ControlSnapshot>("controls");
    QTest::addColumn<MarkerPlan>("plan");

    ControlSnapshot testOnTable;
    testOnTable.TestDown = true;
    testOnTable.TableDown = true;
    QTest::newRow("text: wrong kind, test down")
        << stageOf(StageKind::TextReading, 10, 20, 1000) << testOnTable
        << MarkerPlan{T::TestButton, T::TextButton, N, N, N, N, N, N, N, N};
    ControlSnapshot loaded;
    loaded.TextDown = true;
    loaded.TextLoaded = true;
    loaded.FieldWidth = 10;
    loaded.Alignment = 0;
    QTest::newRow("text: settings open")
        << stageOf(StageKind::TextReading, 10, 20, 1000, 2, 1) << loaded
        << MarkerPlan{
               N, N, N, N, T::TextColumnGrip, T::SpeedPanel, T::AlignRightButton, T::StaticButton,
               N, N};
    loaded.TextLoaded = false;
    QTest::newRow("text: open a file") << stageOf(StageKind::TextReading, 10, 20, 1000) << loaded
                                       << MarkerPlan{N, N, T::OpenButton, N, N, N, N, N, N, N};
    QTest::newRow("text: ready") << stageOf(StageKind::TextReading, 10, 20, 1000) << matchingText()
                                 << MarkerPlan{N, N, N, N, N, N, N, N, T::StartButton, N};
    QTest::newRow("text test: test up")
        << stageOf(StageKind::TextTest, 10, 20, 1000) << matchingText()
        << MarkerPlan{T::TestButton, N, N, N, N, N, N, N, N, N};
    ControlSnapshot testText = matchingText();
    testText.TestDown = true;
    testText.FieldWidth = 12;
    testText.ReadingMode = 1;
    QTest::newRow("text test: width and mode")
        << stageOf(StageKind::TextTest, 10, 20, 1000, 0, 0) << testText
        << MarkerPlan{N, N, T::WidthSpin, N, N, N, T::DynamicButton, N, N, N};
    ControlSnapshot text;
    text.TextDown = true;
    QTest::newRow("table: kind") << stageOf(StageKind::TableReading, 10, 0, 1000, 0, 0, 4, 3)
                                 << text << MarkerPlan{N, T::TableButton, N, N, N, N, N, N, N, N};
    ControlSnapshot table;
    table.TableDown = true;
    QTest::newRow("table: size and speed")
        << stageOf(StageKind::TableReading, 10, 0, 1000, 0, 0, 4, 3) << table
        << MarkerPlan{N, N, T::TableSizeButton, T::SpeedPanel, N, N, N, N, N, N};
    QTest::newRow("table test: test up")
        << stageOf(StageKind::TableTest, 10, 0, 1000, 0, 0, 4, 3) << table
        << MarkerPlan{T::TestButton, N, N, N, N, N, N, N, N, N};
    QTest::newRow("field of view: kind")
        << stageOf(StageKind::FieldOfViewTest, 11, 0, 1000) << text
        << MarkerPlan{T::TestButton, T::StringButton, N, N, N, N, N, N, N, N};
    ControlSnapshot line;
    line.TestDown = true;
    line.StringDown = true;
    line.Speed = 1000;
    QTest::newRow("field of view: width")
        << stageOf(StageKind::FieldOfViewTest, 11, 0, 1000) << line
        << MarkerPlan{N, N, T::LineGrip, N, N, N, N, N, N, N};
    line.FieldWidth = 11;
    QTest::newRow("field of view: ready")
        << stageOf(StageKind::FieldOfViewTest, 11, 0, 1000) << line
        << MarkerPlan{N, N, N, N, T::StartButton, N, N, N, N, N};
    QTest::newRow("result") << stageOf(StageKind::Result, 0, 0, 0) << ControlSnapshot{}
                            << MarkerPlan{N, N, N, N, N, N, N, N, N, N};
}

void TestCourse::placeMarkers() {
    QFETCH(CourseStage, stage);
    QFETCH(ControlSnapshot, controls);
    QFETCH(MarkerPlan, plan);
    CheckStage(stage, controls);
    QVERIFY(PlaceMarkers(stage, controls) == plan);
}

// --- Markers and docking ---------------------------------------------------------------------

void TestCourse::markerOffset_data() {
    using S = MarkerPlacement::TargetSort;
    QTest::addColumn<S>("sort");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("button") << S::Button << QSize(8, 8) << QPoint(0, 0);
    QTest::newRow("panel") << S::Panel << QSize(8, 8) << QPoint(-5, -6);
    QTest::newRow("spin edit") << S::SpinEdit << QSize(8, 8) << QPoint(-4, -4);
    QTest::newRow("panel, odd size") << S::Panel << QSize(7, 5) << QPoint(-4, -4);
}

void TestCourse::markerOffset() {
    QFETCH(MarkerPlacement::TargetSort, sort);
    QFETCH(QSize, size);
    QFETCH(QPoint, offset);
    QCOMPARE(MarkerPlacement::offset(sort, size), offset);
}

void TestCourse::markerShown_data() {
    QTest::addColumn<bool>("onToolBar");
    QTest::addColumn<QPoint>("targetInBar");
    QTest::addColumn<QPoint>("marker");
    QTest::addColumn<bool>("shown");
    // Tool bar 300 x 40; main window at 100, 100, 600 x 400.
    QTest::newRow("inside") << true << QPoint(50, 2) << QPoint(200, 150) << true;
    QTest::newRow("button at the bar's edge")
        << true << QPoint(300, 40) << QPoint(200, 150) << true;
    QTest::newRow("button beyond the bar") << true << QPoint(301, 2) << QPoint(200, 150) << false;
    QTest::newRow("button below the bar") << true << QPoint(2, 41) << QPoint(200, 150) << false;
    QTest::newRow("panel beyond any bar") << false << QPoint(301, 41) << QPoint(200, 150) << true;
    QTest::newRow("right edge") << false << QPoint() << QPoint(700, 150) << true;
    QTest::newRow("beyond the right edge") << false << QPoint() << QPoint(701, 150) << false;
    QTest::newRow("beyond the bottom edge") << false << QPoint() << QPoint(200, 501) << false;
    QTest::newRow("beyond the left and top") << false << QPoint() << QPoint(20, 20) << true;
}

void TestCourse::markerShown() {
    QFETCH(bool, onToolBar);
    QFETCH(QPoint, targetInBar);
    QFETCH(QPoint, marker);
    QFETCH(bool, shown);
    const bool inView = MarkerPlacement::inView(onToolBar, targetInBar, QSize(300, 40));
    QCOMPARE(MarkerPlacement::shown(QRect(100, 100, 600, 400), marker, inView), shown);
}

void TestCourse::snapToAssistant_data() {
    QTest::addColumn<QRect>("guide");
    QTest::addColumn<QPoint>("placed");
    QTest::addColumn<bool>("docked");
    // The assistant at 300, 100, 224 x 175: right 524, bottom 275.
    QTest::newRow("far away") << QRect(700, 500, 224, 232) << QPoint(700, 500) << false;
    QTest::newRow("19 under: docks") << QRect(319, 294, 224, 232) << QPoint(300, 275) << true;
    QTest::newRow("20 under: stays") << QRect(320, 295, 224, 232) << QPoint(320, 295) << false;
    QTest::newRow("19 right") << QRect(543, 400, 224, 232) << QPoint(524, 400) << false;
    QTest::newRow("20 right") << QRect(544, 400, 224, 232) << QPoint(544, 400) << false;
    QTest::newRow("19 left") << QRect(57, 400, 224, 232) << QPoint(76, 400) << false;
    QTest::newRow("20 above") << QRect(700, -152, 224, 232) << QPoint(700, -152) << false;
    QTest::newRow("19 above") << QRect(700, -151, 224, 232) << QPoint(700, -132) << false;
    QTest::newRow("left edges align") << QRect(281, 500, 224, 232) << QPoint(300, 500) << false;
}

void TestCourse::snapToAssistant() {
    QFETCH(QRect, guide);
    QFETCH(QPoint, placed);
    QFETCH(bool, docked);
    const auto result = GuideDocking::snapToAssistant(QRect(300, 100, 224, 175), guide);
    QCOMPARE(result.TopLeft, placed);
    QCOMPARE(result.Docked, docked);
}

void TestCourse::followAssistant_data() {
    QTest::addColumn<QRect>("guide");
    QTest::addColumn<bool>("wasDocked");
    QTest::addColumn<QPoint>("placed");
    QTest::addColumn<bool>("docked");
    // The assistant moved to 300, 100, 224 x 175.
    QTest::newRow("docked guide follows")
        << QRect(0, 0, 224, 232) << true << QPoint(300, 275) << true;
    QTest::newRow("undocked stays") << QRect(0, 0, 224, 232) << false << QPoint(0, 0) << false;
    QTest::newRow("19 off docks") << QRect(281, 294, 224, 232) << false << QPoint(300, 275) << true;
    QTest::newRow("20 off stays") << QRect(280, 275, 224, 232) << false << QPoint(280, 275)
                                  << false;
}

void TestCourse::followAssistant() {
    QFETCH(QRect, guide);
    QFETCH(bool, wasDocked);
    QFETCH(QPoint, placed);
    QFETCH(bool, docked);
    const auto result = GuideDocking::followAssistant(QRect(300, 100, 224, 175), guide, wasDocked);
    QCOMPARE(result.TopLeft, placed);
    QCOMPARE(result.Docked, docked);
}

QTEST_GUILESS_MAIN(TestCourse)
#include "tst_course.moc"
