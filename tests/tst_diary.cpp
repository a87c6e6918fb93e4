// The training diary in the whole program: a result reaches the diary and its chart, and the
// shown records are exported as a spreadsheet file.
#include "ProgramFixture.h"

#include "diary/DiaryStore.h"
#include "diary/TDiaryForm.h"
#include "shell/Unitfrmain.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>

class TestDiary : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void exportsTheShownRecords();

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

void TestDiary::exportsTheShownRecords() {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->startQuiet();
    DiaryStore& store = Fixture->program().diary();
    const QDateTime first(QDate::currentDate().addDays(-2), QTime(9, 15, 30));
    const QDateTime second(QDate::currentDate().addDays(-1), QTime(18, 5, 0));
    RunResult test;
    test.kind = DiaryKind::TextTest;
    test.charsPerMinute = 1500;
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
    diary->ButtonExport->click();

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        QByteArray("\xEF\xBB\xBF") +
        QStringLiteral(
            "Дата;Время;Упражнение;Симв/мин;Слов/мин;Поле чтения, симв;Текст;Прочитано "
            "символов;Прочитано слов;Длительность, с;Уровень курса;Этап курса;Верно;Из;"
            "Процент;Показано;Ошибок;Остановлено\r\n"
            "%1;18:05:00;Чтение текста;2000;277;15;\"Рассказ; \"\"часть\"\" 1\";1000;140;"
            "30,2;3;7;;;;;;да\r\n"
            "%2;09:15:30;Тест чтения текста;1500;210;12;Тест 2;2400;330;96,0;;;3;5;60;;;нет\r\n")
            .arg(second.toString(u"yyyy-MM-dd"), first.toString(u"yyyy-MM-dd"))
            .toUtf8();
    QCOMPARE(file.readAll(), expected);
}

QTEST_MAIN(TestDiary)
#include "tst_diary.moc"
