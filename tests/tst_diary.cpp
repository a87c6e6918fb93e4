// The training diary in the whole program: a result reaches the diary and its chart, and the
// shown records are exported as a spreadsheet file.
#include "Controls.h"
#include "ProgramFixture.h"

#include "diary/DiaryCharts.h"
#include "diary/DiaryStore.h"
#include "diary/TDiaryForm.h"
#include "shell/Unitfrmain.h"
#include "table/Unitfrtable.h"
#include "text/TestFile.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"
#include "training/TrainingState.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

namespace {

// 22 words, one of them hyphenated, over four lines.
const QString TestTextBody =
    QStringLiteral("  Утром над рекой стоял густой туман.\r\n"
                   "\r\n"
                   "Лодка медленно шла вдоль берега, и рыбаки молча\r\n"
                   "смотрели на тёмную воду. Где-то далеко кричала птица.\r\n");

// The test with that text; the right answers are 0, 2, 1, 1, 0.
TestText makeTest() {
    TestText test;
    test.text = TestTextBody;
    for (int q = 0; q < TestQuestionCount; ++q) {
        test.questions[q] = QStringLiteral("Вопрос %1?").arg(q + 1);
        for (int a = 0; a < TestAnswerCount; ++a)
            test.answers[q][a] = QStringLiteral("Ответ %1").arg(a + 1);
    }
    test.right = {0, 2, 1, 1, 0};
    return test;
}

// The labels a value axis shows, as the chart writes them.
QStringList axisLabels(const QValueAxis* axis) {
    QStringList labels;
    const QByteArray format = axis->labelFormat().toLatin1();
    if (axis->tickType() == QValueAxis::TicksDynamic) {
        double v = axis->tickAnchor() +
                   std::ceil((axis->min() - axis->tickAnchor()) / axis->tickInterval()) *
                       axis->tickInterval();
        for (; v <= axis->max() + axis->tickInterval() / 1000; v += axis->tickInterval())
            labels << QString::asprintf(format.constData(), v);
    } else {
        for (int i = 0; i < axis->tickCount(); ++i)
            labels << QString::asprintf(format.constData(),
                                        axis->min() + i * (axis->max() - axis->min()) /
                                                          (axis->tickCount() - 1));
    }
    return labels;
}

} // namespace

class TestDiary : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void textTestReachesTheDiaryAndItsChart();
    void exportsTheShownRecords();
    void windowFitsTheScreenAndFiltersItsCharts();
    void damagedDiaryToldAndItsBackupRestored();

private:
    // Opens the diary the way the user does, with Ctrl+D.
    TDiaryForm* openDiary();

    std::unique_ptr<ProgramFixture> Fixture;
};

void TestDiary::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

TDiaryForm* TestDiary::openDiary() {
    TMainForm* main = Fixture->program().windows().MainForm;
    // The splash that closed at start-up may still count as the active window.
    QApplication::setActiveWindow(main);
    QTest::keyClick(main, Qt::Key_D, Qt::ControlModifier);
    TDiaryForm* diary = Fixture->program().windows().DiaryForm;
    [&] { QTRY_VERIFY(diary->isVisible()); }();
    return diary;
}

void TestDiary::textTestReachesTheDiaryAndItsChart() {
    Fixture = std::make_unique<ProgramFixture>();
    QDir tests(Fixture->programDir() + QStringLiteral("/Test"));
    for (const QString& name : tests.entryList(QDir::Files))
        QVERIFY(tests.remove(name));
    QVERIFY(writeTestFile(testFilePath(Fixture->programDir(), 1), makeTest()));
    TMainForm* main = Fixture->startQuiet({{"SpeedTrackBarPosition", 334}, {"WideExpression", 10}})
                          .windows()
                          .MainForm;
    const ProgramWindows& windows = Fixture->program().windows();
    TTextForm* form = windows.TextForm;

    control<QToolButton>(main, "SpeedButton14")->click();
    control<QToolButton>(main, "SpeedButton2")->click();
    QString wordsShown, comprehensionShown, speedShown, actualShown;
    onNextModal([&](QWidget* modal) {
        auto* questions = qobject_cast<TAnsTextForm*>(modal);
        QVERIFY(questions);
        onNextModal([&](QWidget* modal) {
            auto* result = qobject_cast<TTextResultForm*>(modal);
            QVERIFY(result);
            wordsShown = control<QLabel>(result, "LabelWordsValue")->text();
            speedShown = control<QLabel>(result, "Label6")->text();
            actualShown = control<QLabel>(result, "LabelActualValue")->text();
            comprehensionShown = control<QLabel>(result, "LabelComprehensionValue")->text();
            result->accept();
        });
        // Three right: 0, 2, 1; then one wrong and one left open.
        questions->item(0, 0)->click();
        questions->item(1, 2)->click();
        questions->item(2, 1)->click();
        questions->item(3, 0)->click();
        control<QPushButton>(questions, "BitBtn1")->click();
    });
    // Real time passes between the steps, as in a run.
    for (int steps = 0; main->state().Running() && steps < 1000; ++steps) {
        QTest::qSleep(5);
        form->Timer1Timer();
    }
    QTRY_VERIFY(!comprehensionShown.isEmpty());

    DiaryStore& store = Fixture->program().diary();
    QCOMPARE(store.count(), 1);
    const RunResult kept = store.records().front().result;
    QCOMPARE(kept.kind, DiaryKind::TextTest);
    QCOMPARE(kept.textName, QStringLiteral("Тест 1"));
    QCOMPARE(kept.right, 3);
    QCOMPARE(kept.outOf, 5);
    QVERIFY(!kept.stopped);
    QCOMPARE(kept.charsPerMinute, 3520);
    QCOMPARE(kept.wordsRead, 22);
    // Words passed per minute of real run time, as the speed reached counts its characters.
    QCOMPARE(kept.wordsPerMinute, int(22 * 60000 / kept.durationMs));
    QCOMPARE(wordsShown, QString::number(kept.wordsPerMinute) + QStringLiteral(" слов/мин"));
    QCOMPARE(comprehensionShown, QStringLiteral("60 %"));
    // The regulator's average as the test has always counted it, and the speed reached: the
    // whole text but its last line break, blanks included, a line break counted once, over
    // the real run time.
    QCOMPARE(speedShown, QStringLiteral("3520 симв/мин"));
    const int passed = int(TestTextBody.size()) - 2 - 3;
    QCOMPARE(passed, 140);
    QVERIFY(kept.durationMs > 0);
    QCOMPARE(kept.actualCharsPerMinute, int(passed * 60000 / kept.durationMs));
    QCOMPARE(actualShown, QString::number(kept.actualCharsPerMinute) + QStringLiteral(" симв/мин"));

    // The speed chart shows the run as its one point, at the speed reached.
    TDiaryForm* diary = openDiary();
    QVERIFY(diary);
    const QList<QChartView*> charts = control<DiaryCharts>(diary, "Charts")->shownCharts();
    QVERIFY(!charts.isEmpty());
    QList<QPointF> points;
    for (QAbstractSeries* series : charts.first()->chart()->series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series); scatter && scatter->count())
            points << scatter->points();
    }
    QCOMPARE(points.size(), 2); // characters and words per minute
    QCOMPARE(points[0].y(), double(kept.actualCharsPerMinute));
    QCOMPARE(points[1].y(), double(kept.wordsPerMinute));
}

void TestDiary::exportsTheShownRecords() {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->startQuiet();
    DiaryStore& store = Fixture->program().diary();
    const QDateTime first(QDate::currentDate().addDays(-2), QTime(9, 15, 30));
    const QDateTime second(QDate::currentDate().addDays(-1), QTime(18, 5, 0));
    RunResult test;
    test.kind = DiaryKind::TextTest;
    test.charsPerMinute = 1500;
    test.actualCharsPerMinute = 1320;
    test.wordsPerMinute = 210;
    test.fieldWidth = 12;
    test.textName = QStringLiteral("Тест 2");
    test.charsRead = 2400;
    test.wordsRead = 330;
    test.durationMs = 96000;
    test.right = 3;
    test.outOf = 5;
    RunResult reading;
    reading.kind = DiaryKind::TextReading;
    reading.charsPerMinute = 2000;
    reading.wordsPerMinute = 277;
    reading.fieldWidth = 15;
    reading.textName = QStringLiteral("Рассказ; \"часть\" 1");
    reading.charsRead = 1000;
    reading.wordsRead = 140;
    reading.durationMs = 30250;
    reading.courseLevel = 3;
    reading.courseStage = 7;
    reading.stopped = true;
    QVERIFY(store.add(test, first));
    QVERIFY(store.add(reading, second));

    TDiaryForm* diary = openDiary();
    QVERIFY(diary);
    const QString path = Fixture->programDir() + QStringLiteral("/дневник.csv");
    onNextModal([&path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    control<QPushButton>(diary, "ButtonExport")->click();

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        QByteArray("\xEF\xBB\xBF") +
        QStringLiteral(
            "Дата;Время;Упражнение;Скорость (регулятор);Фактическая;Слов/мин;Поле чтения, "
            "симв;Текст, таблица;Прочитано символов;Прочитано слов;Длительность, с;Уровень "
            "курса;Этап курса;Верно;Из;Процент;Показано;Ошибок;Остановлено\r\n"
            "%1;18:05:00;Чтение текста;2000;;277;15;\"Рассказ; \"\"часть\"\" 1\";1000;140;"
            "30,2;3;7;;;;;;да\r\n"
            "%2;09:15:30;Тест чтения текста;1500;1320;210;12;Тест 2;2400;330;96,0;;;3;5;60;;;"
            "нет\r\n")
            .arg(second.toString(u"yyyy-MM-dd"), first.toString(u"yyyy-MM-dd"))
            .toUtf8();
    QCOMPARE(file.readAll(), expected);
}

void TestDiary::windowFitsTheScreenAndFiltersItsCharts() {
    Fixture = std::make_unique<ProgramFixture>();
    TMainForm* main = Fixture->startQuiet().windows().MainForm;
    DiaryStore& store = Fixture->program().diary();

    // A table run keeps the table's size.
    TTableForm* table = Fixture->program().windows().TableForm;
    main->state().setTableSize(4, 3);
    control<QToolButton>(main, "SpeedButton5")->click();
    control<QToolButton>(main, "SpeedButton2")->click();
    for (int steps = 0; main->state().Running() && steps < 100; ++steps)
        table->Timer1Timer();
    QCOMPARE(store.count(), 1);
    QCOMPARE(store.records().front().result.textName, QStringLiteral("4 x 3 клет."));

    // A text test and Schulte tables of two sizes, today; 1.4, 1.1 and 1.2 s a cell, which
    // whole-number labels would read "0, 1, 1, 2, 2".
    const QDateTime morning(QDate::currentDate(), QTime(9, 0));
    RunResult test;
    test.kind = DiaryKind::TextTest;
    test.charsPerMinute = 1460;
    test.actualCharsPerMinute = 1101;
    test.durationMs = 116600;
    QVERIFY(store.add(test, morning));
    const auto schulte = [&store, &morning](const QString& name, qint64 ms, int cells) {
        RunResult r;
        r.kind = DiaryKind::Schulte;
        r.textName = name;
        r.durationMs = ms;
        r.right = cells;
        r.outOf = cells;
        r.mistakes = 0;
        return store.add(r, morning.addSecs(60));
    };
    QVERIFY(schulte(QStringLiteral("3 x 3, числа"), 12600, 9));
    QVERIFY(schulte(QStringLiteral("3 x 3, числа"), 9900, 9));
    QVERIFY(schulte(QStringLiteral("5 x 5, буквы"), 30000, 25));

    TDiaryForm* diary = openDiary();
    const QRect area = diary->screen()->availableGeometry();
    QVERIFY2(area.contains(diary->frameGeometry()),
             qPrintable(QStringLiteral("%1 x %2 at %3, %4")
                            .arg(diary->frameGeometry().width())
                            .arg(diary->frameGeometry().height())
                            .arg(diary->frameGeometry().x())
                            .arg(diary->frameGeometry().y())));
    const auto titles = [diary] {
        QStringList shown;
        for (QChartView* view : control<DiaryCharts>(diary, "Charts")->shownCharts())
            shown << view->chart()->title();
        return shown;
    };
    QVERIFY(titles().filter(QStringLiteral("тесты текста")).size() == 1);

    // The kind chosen filters the charts as well as the records.
    control<QComboBox>(diary, "ComboKind")
        ->setCurrentIndex(
            control<QComboBox>(diary, "ComboKind")->findData(int(DiaryKind::Schulte)));
    QCOMPARE(control<QTableView>(diary, "Records")->model()->rowCount(), 3);
    QCOMPARE(titles().size(), 2); // the Schulte tables and the time per day
    QChartView* chart = control<DiaryCharts>(diary, "Charts")->shownCharts().first();
    QVERIFY(chart->chart()->title().contains(QStringLiteral("Шульте")));

    // One line per size and variant, named after the table.
    QStringList lines;
    for (QAbstractSeries* series : chart->chart()->series()) {
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            lines << series->name();
    }
    QCOMPARE(lines, QStringList({QStringLiteral("3 x 3, числа"), QStringLiteral("5 x 5, буквы")}));

    // Every label on the value axis names a value of its own.
    auto* seconds = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Vertical).first());
    QVERIFY(seconds);
    QStringList labels = axisLabels(seconds);
    QVERIFY2(labels.removeDuplicates() == 0, qPrintable(axisLabels(seconds).join(u' ')));

    // The time axis ends a day after today's points and names today last.
    auto* days = qobject_cast<QCategoryAxis*>(chart->chart()->axes(Qt::Horizontal).first());
    QVERIFY(days);
    const qreal todayNoon =
        qreal(QDate::currentDate().startOfDay().toMSecsSinceEpoch()) + 12 * 3600 * 1000;
    QCOMPARE(days->max() - todayNoon, 24.0 * 3600 * 1000);
    QCOMPARE(days->categoriesLabels().last(), QDate::currentDate().toString(u"dd.MM"));
}

void TestDiary::damagedDiaryToldAndItsBackupRestored() {
    Fixture = std::make_unique<ProgramFixture>();
    const QString path = DiaryStore::defaultPath();
    {
        DiaryStore store;
        QCOMPARE(store.open(path, false), DiaryStore::Opening::Opened);
        for (int i = 0; i < 3; ++i) {
            RunResult r;
            r.charsPerMinute = 1000 + i;
            QVERIFY(store.add(r, QDateTime(QDate(2026, 11, 1 + i), QTime(10, 0))));
        }
        QVERIFY(store.backUpNow());
    }
    // The records table's root page wiped: nothing of it can be read any more.
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(4096));
        file.write(QByteArray(4096, '\x5a'));
    }
    // After the splash: the damage told once, the backup offered, and what it gave back told.
    QStringList told;
    QTimer answers;
    connect(&answers, &QTimer::timeout, this, [&told] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        told << box->text();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->accept();
    });
    answers.start(10);
    Fixture->startQuiet();
    QTRY_COMPARE(told.size(), 3);
    answers.stop();
    QVERIFY(told[0].contains(QStringLiteral("Дневник повреждён")));
    QVERIFY(told[1].contains(QStringLiteral("резервная копия")));
    QCOMPARE(told[2], QStringLiteral("Из резервной копии добавлено записей: 3."));
    QCOMPARE(Fixture->program().diary().count(), 3);
}

QTEST_MAIN(TestDiary)
#include "tst_diary.moc"
