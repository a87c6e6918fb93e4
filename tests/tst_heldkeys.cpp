#include "shell/HeldKeys.h"

#include <QTest>

// Each step is "p" (press) or "r" (release), the key ("E" Enter, "X" Escape) and the time in
// milliseconds, or "c" for losing the keyboard; fresh lists what each press returned.
class TestHeldKeys : public QObject {
    Q_OBJECT
private slots:
    void presses_data();
    void presses();
};

void TestHeldKeys::presses_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("fresh");
    QTest::newRow("a stroke") << "pE1000 rE1080"
                              << "1";
    QTest::newRow("two strokes") << "pE1000 rE1080 pE1200 rE1280"
                                 << "11";
    QTest::newRow("a quick second stroke") << "pE1000 rE1060 pE1110"
                                           << "11";
    QTest::newRow("held: presses with no release") << "pE1000 pE1500 pE1540"
                                                   << "100";
    QTest::newRow("held: release and press at once") << "pE1000 rE1500 pE1500 rE1540 pE1540 rE1600"
                                                     << "100";
    QTest::newRow("held: the press a little after the release") << "pE1000 rE1500 pE1520"
                                                                << "10";
    QTest::newRow("times unknown") << "pE0 rE0 pE0"
                                   << "11";
    QTest::newRow("another key is another hold") << "pE1000 rE1500 pX1500"
                                                 << "11";
    QTest::newRow("two keys held together") << "pE1000 pX1100 pE1500 pX1500"
                                            << "1100";
    QTest::newRow("keyboard lost while held") << "pE1000 c pE1100"
                                              << "11";
}

void TestHeldKeys::presses() {
    QFETCH(QString, steps);
    QFETCH(QString, fresh);
    HeldKeys keys;
    QString seen;
    for (const QString& step : steps.split(u' ')) {
        if (step == u'c') {
            keys.clear();
            continue;
        }
        const int key = step.at(1) == u'E' ? Qt::Key_Return : Qt::Key_Escape;
        const quint64 time = step.mid(2).toULongLong();
        if (step.at(0) == u'p')
            seen += keys.press(key, time) ? u'1' : u'0';
        else
            keys.release(key, time);
    }
    QCOMPARE(seen, fresh);
}

QTEST_GUILESS_MAIN(TestHeldKeys)
#include "tst_heldkeys.moc"
