#include "dialogs/AdviceTips.h"

#include <QTest>

using Positions = QList<int>;

class TestAdviceTips : public QObject {
    Q_OBJECT
private slots:
    void rotation_data();
    void rotation();
    void everyKindHasItsTips();
};

void TestAdviceTips::rotation_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("stored");
    QTest::addColumn<Positions>("shown");
    QTest::addColumn<int>("storedAfter");
    QTest::newRow("table from the start") << 2 << 0 << Positions{0, 1, 0, 1} << 0;
    QTest::newRow("field of view from 3") << 4 << 3 << Positions{3, 0} << 1;
    QTest::newRow("text from 1") << 3 << 1 << Positions{1, 2, 0, 1} << 2;
    QTest::newRow("the last tip hands over to the first") << 3 << 2 << Positions{2} << 0;
    QTest::newRow("one past the end") << 2 << 2 << Positions{0, 1} << 0;
    QTest::newRow("far past the end") << 4 << 1000 << Positions{0} << 1;
    QTest::newRow("negative") << 3 << -1 << Positions{0, 1} << 2;
    QTest::newRow("lowest integer") << 4 << std::numeric_limits<int>::min() << Positions{0} << 1;
    QTest::newRow("highest integer") << 4 << std::numeric_limits<int>::max() << Positions{0} << 1;
}

void TestAdviceTips::rotation() {
    QFETCH(int, count);
    QFETCH(int, stored);
    QFETCH(Positions, shown);
    QFETCH(int, storedAfter);
    int index = stored;
    Positions taken;
    for (qsizetype i = 0; i < shown.size(); ++i)
        taken.append(takeNextAdvice(index, count));
    QCOMPARE(taken, shown);
    QCOMPARE(index, storedAfter);
}

// The stored indexes count through lists of these lengths; tips end without a line break,
// which would add an empty line under the tip.
void TestAdviceTips::everyKindHasItsTips() {
    QCOMPARE(TextAdviceTexts().size(), 3);
    QCOMPARE(StringAdviceTexts().size(), 4);
    QCOMPARE(TableAdviceTexts().size(), 2);
    for (const QStringList* tips : {&TextAdviceTexts(), &StringAdviceTexts(), &TableAdviceTexts()})
        for (const QString& tip : *tips) {
            QVERIFY(!tip.isEmpty());
            QVERIFY(!tip.endsWith(QLatin1Char('\n')));
            QVERIFY(!tip.contains(QLatin1Char('\r')));
        }
    QCOMPARE(TableAdviceTexts().at(0), TextAdviceTexts().at(1));
}

QTEST_GUILESS_MAIN(TestAdviceTips)
#include "tst_advicetips.moc"
