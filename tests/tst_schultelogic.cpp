// The Schulte tables without windows: the tables of each variant, the shuffle, the order of
// finding, digits typed into numbers, letter keys, the stored settings and best times.
#include "platform/RandomSource.h"
#include "schulte/SchulteKeys.h"
#include "schulte/SchulteResult.h"
#include "schulte/SchulteRun.h"
#include "schulte/SchulteSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(SchulteVariant)

class TestSchulteLogic : public QObject {
    Q_OBJECT

private slots:
    void shuffleIsAPermutation_data();
    void shuffleIsAPermutation();
    void targetOrder_data();
    void targetOrder();
    void findingInOrder_data();
    void findingInOrder();
    void reshuffleKeepsWhatWasFound();
    void typedDigits_data();
    void typedDigits();
    void letterKeys_data();
    void letterKeys();
    void storedSettings_data();
    void storedSettings();
    void bestTimes_data();
    void bestTimes();
    void figures_data();
    void figures();
};

namespace {

// Symbols written as "12" for black or numbers, "12r" for red.
QString written(const QList<SchulteSymbol>& symbols) {
    QStringList parts;
    for (const SchulteSymbol& s : symbols)
        parts << s.Caption + (s.Red ? QStringLiteral("r") : QString());
    return parts.join(QLatin1Char(' '));
}

SchulteSymbol symbolOf(const QString& text) {
    if (text.endsWith(QLatin1Char('r')))
        return {text.chopped(1), true};
    return {text, false};
}

} // namespace

void TestSchulteLogic::shuffleIsAPermutation_data() {
    QTest::addColumn<int>("side");
    for (int side = SchulteTable::MinSide; side <= SchulteTable::MaxSide; ++side)
        QTest::addRow("%d x %d", side, side) << side;
}

void TestSchulteLogic::shuffleIsAPermutation() {
    QFETCH(int, side);
    const int count = side * side;
    QList<int> identity(count);
    std::iota(identity.begin(), identity.end(), 0);
    RandomSource random;
    bool moved = false;
    for (unsigned seed : {1u, 2u, 20261207u}) {
        random.setFixedSeed(seed);
        QList<int> order = SchulteTable::shuffled(count, random);
        moved = moved || order != identity;
        std::sort(order.begin(), order.end());
        QCOMPARE(order, identity);
    }
    QVERIFY(moved);

    // Every symbol of every variant that fits lands in exactly one cell.
    for (SchulteVariant variant :
         {SchulteVariant::Numbers, SchulteVariant::RedBlack, SchulteVariant::Letters}) {
        SchulteRun run;
        QCOMPARE(run.deal(side, variant, random), SchulteTable::fits(side, variant));
        QList<int> cells;
        for (const SchulteSymbol& s : SchulteTable::targets(side, variant))
            cells << run.cellOf(s);
        std::sort(cells.begin(), cells.end());
        QCOMPARE(cells, variant == SchulteVariant::Letters && side > 5 ? QList<int>{} : identity);
    }
}

void TestSchulteLogic::targetOrder_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<SchulteVariant>("variant");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("largest");
    const auto numbers = SchulteVariant::Numbers;
    const auto redBlack = SchulteVariant::RedBlack;
    const auto letters = SchulteVariant::Letters;
    QTest::addRow("numbers 3") << 3 << numbers << "1 2 3 4 5 6 7 8 9" << 9;
    QTest::addRow("red-black 4") << 4 << redBlack << "1 8r 2 7r 3 6r 4 5r 5 4r 6 3r 7 2r 8 1r" << 8;
    QTest::addRow("red-black 5") << 5 << redBlack
                                 << "1 12r 2 11r 3 10r 4 9r 5 8r 6 7r 7 6r 8 5r 9 4r 10 3r "
                                    "11 2r 12 1r 13"
                                 << 13;
    QTest::addRow("red-black 7")
        << 7 << redBlack
        << "1 24r 2 23r 3 22r 4 21r 5 20r 6 19r 7 18r 8 17r 9 16r 10 15r 11 14r 12 13r 13 "
           "12r 14 11r 15 10r 16 9r 17 8r 18 7r 19 6r 20 5r 21 4r 22 3r 23 2r 24 1r 25"
        << 25;
    QTest::addRow("letters 3") << 3 << letters << "А Б В Г Д Е Ё Ж З" << 0;
    QTest::addRow("letters 5") << 5 << letters
                               << "А Б В Г Д Е Ё Ж З И Й К Л М Н О П Р С Т У Ф Х Ц Ч" << 0;
    QTest::addRow("letters 6 refused") << 6 << letters << "" << 0;
    QTest::addRow("letters 9 refused") << 9 << letters << "" << 0;
    QTest::addRow("numbers 2 refused") << 2 << numbers << "" << 0;
    QTest::addRow("numbers 10 refused") << 10 << numbers << "" << 0;
}

void TestSchulteLogic::targetOrder() {
    QFETCH(int, side);
    QFETCH(SchulteVariant, variant);
    QFETCH(QString, order);
    QFETCH(int, largest);
    QCOMPARE(written(SchulteTable::targets(side, variant)), order);
    QCOMPARE(SchulteTable::fits(side, variant), !order.isEmpty());
    QCOMPARE(SchulteTable::largestNumber(side, variant), largest);
    RandomSource random;
    SchulteRun run;
    QCOMPARE(run.deal(side, variant, random), !order.isEmpty());
    QCOMPARE(run.cellCount(), order.isEmpty() ? 0 : side * side);
}

void TestSchulteLogic::findingInOrder_data() {
    QTest::addColumn<SchulteVariant>("variant");
    QTest::addColumn<QString>("chosen");   // symbols pointed at, in turn
    QTest::addColumn<QString>("outcomes"); // R right, L last, W wrong, I ignored
    QTest::addColumn<QString>("next");     // the target after each choice
    QTest::addColumn<int>("mistakes");
    QTest::addRow("numbers, straight") << SchulteVariant::Numbers << "1 2 3 4 5 6 7 8 9"
                                       << "RRRRRRRRL"
                                       << "2 3 4 5 6 7 8 9 -" << 0;
    QTest::addRow("numbers, a slip and a found cell again") << SchulteVariant::Numbers << "1 3 1 2"
                                                            << "RWIR"
                                                            << "2 2 2 3" << 1;
    QTest::addRow("red-black: same number, other colour is wrong")
        << SchulteVariant::RedBlack << "1 1r 4r 4 4r"
        << "RWRWI"
        << "4r 4r 2 2 2" << 2;
    QTest::addRow("letters") << SchulteVariant::Letters << "А В Б"
                             << "RWR"
                             << "Б Б В" << 1;
}

void TestSchulteLogic::findingInOrder() {
    QFETCH(SchulteVariant, variant);
    QFETCH(QString, chosen);
    QFETCH(QString, outcomes);
    QFETCH(QString, next);
    QFETCH(int, mistakes);
    RandomSource random;
    random.setFixedSeed(42);
    SchulteRun run;
    QVERIFY(run.deal(3, variant, random));
    const QStringList symbols = chosen.split(QLatin1Char(' '));
    const QStringList after = next.split(QLatin1Char(' '));
    const QString codes = QStringLiteral("RLWI");
    for (int i = 0; i < symbols.size(); ++i) {
        const int cell = run.cellOf(symbolOf(symbols[i]));
        QVERIFY(cell >= 0);
        const SchulteRun::Choice choice = run.choose(cell);
        QCOMPARE(codes.at(int(choice)), outcomes.at(i));
        const std::optional<SchulteSymbol> target = run.nextTarget();
        QCOMPARE(target ? written({*target}) : QStringLiteral("-"), after[i]);
    }
    QCOMPARE(run.mistakes(), mistakes);
    QCOMPARE(run.isComplete(), outcomes.endsWith(QLatin1Char('L')));
}

void TestSchulteLogic::reshuffleKeepsWhatWasFound() {
    RandomSource random;
    random.setFixedSeed(7);
    SchulteRun run;
    QVERIFY(run.deal(5, SchulteVariant::Numbers, random));
    for (const char* n : {"1", "2", "3"})
        QCOMPARE(run.choose(run.cellOf({n, false})), SchulteRun::Choice::Right);
    const int cellOfFour = run.cellOf({"4", false});
    bool moved = false;
    for (int i = 0; i < 5; ++i) {
        run.reshuffle(random);
        moved = moved || run.cellOf({"4", false}) != cellOfFour;
        for (const char* n : {"1", "2", "3"})
            QVERIFY(run.isFound(run.cellOf({n, false})));
        QVERIFY(!run.isFound(run.cellOf({"4", false})));
    }
    QVERIFY(moved);
    QCOMPARE(run.nextTarget()->Caption, QStringLiteral("4"));
}

void TestSchulteLogic::typedDigits_data() {
    QTest::addColumn<int>("largest");
    QTest::addColumn<QString>("keys");    // digit@ms
    QTest::addColumn<qint64>("checkAt");  // then the pending number is asked for at this time
    QTest::addColumn<QString>("numbers"); // numbers completed by the keys, then the one due
    QTest::addRow("699 ms apart: one number") << 25 << "1@0 2@699" << qint64(699) << "12";
    QTest::addRow("700 ms apart: the first alone") << 25 << "1@0 2@700" << qint64(1399) << "1";
    QTest::addRow("700 ms apart: then the second") << 25 << "1@0 2@700" << qint64(1400) << "1 2";
    QTest::addRow("a digit that may grow waits") << 25 << "2@0" << qint64(699) << "";
    QTest::addRow("and is due after 700 ms") << 25 << "2@0" << qint64(700) << "2";
    QTest::addRow("complete when no digit can follow") << 25 << "3@0" << qint64(0) << "3";
    QTest::addRow("3 x 3: every digit at once") << 9 << "1@0 2@10" << qint64(10) << "1 2";
    QTest::addRow("9 x 9: largest reached") << 81 << "8@0 1@100" << qint64(100) << "81";
    QTest::addRow("9 x 9: 82 would be too many") << 81 << "8@0 2@100" << qint64(100) << "82";
    QTest::addRow("ten") << 25 << "1@0 0@300" << qint64(300) << "10";
    QTest::addRow("leading zero dropped") << 25 << "0@0 7@100" << qint64(100) << "7";
}

void TestSchulteLogic::typedDigits() {
    QFETCH(int, largest);
    QFETCH(QString, keys);
    QFETCH(qint64, checkAt);
    QFETCH(QString, numbers);
    qint64 now = 0;
    TypedNumber typed(largest, [&now] { return now; });
    QStringList got;
    for (const QString& key : keys.split(QLatin1Char(' '))) {
        const QStringList parts = key.split(QLatin1Char('@'));
        now = parts[1].toLongLong();
        for (int n : typed.typeDigit(parts[0].toInt()))
            got << QString::number(n);
    }
    now = checkAt;
    if (const std::optional<int> due = typed.takeIfDue())
        got << QString::number(*due);
    QCOMPARE(got.join(QLatin1Char(' ')), numbers);
}

void TestSchulteLogic::letterKeys_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("letter");
    QTest::addRow("small Russian") << "ж"
                                   << "Ж";
    QTest::addRow("capital Russian") << "Я"
                                     << "Я";
    QTest::addRow("yo") << "ё"
                        << "Ё";
    QTest::addRow("Latin f is А") << "f"
                                  << "А";
    QTest::addRow("Latin capital Q is Й") << "Q"
                                          << "Й";
    QTest::addRow("backquote is Ё") << "`"
                                    << "Ё";
    QTest::addRow("full stop is Ю") << "."
                                    << "Ю";
    QTest::addRow("digit") << "1"
                           << "";
    QTest::addRow("two characters") << "аб"
                                    << "";
}

void TestSchulteLogic::letterKeys() {
    QFETCH(QString, text);
    QFETCH(QString, letter);
    const std::optional<QChar> got = SchulteKeys::letterOfKey(text);
    QCOMPARE(got ? QString(*got) : QString(), letter);
}

void TestSchulteLogic::storedSettings_data() {
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("markFound");
    QTest::addColumn<bool>("dot");
    QTest::addRow("none: defaults") << QVariantMap{} << 5 << 0 << false << true;
    QTest::addRow("all kept") << QVariantMap{{"SchulteSize", 7},
                                             {"SchulteVariant", 1},
                                             {"SchulteMarkFound", 1},
                                             {"SchulteFixationDot", 0}}
                              << 7 << 1 << true << false;
    QTest::addRow("one bad value falls back alone")
        << QVariantMap{{"SchulteSize", "x"}, {"SchulteVariant", 2}} << 5 << 2 << false << true;
    QTest::addRow("size out of range")
        << QVariantMap{{"SchulteSize", 12}} << 5 << 0 << false << true;
    QTest::addRow("letters with a size they do not fit")
        << QVariantMap{{"SchulteSize", 8}, {"SchulteVariant", 2}} << 5 << 2 << false << true;
}

void TestSchulteLogic::storedSettings() {
    QFETCH(QVariantMap, stored);
    QFETCH(int, side);
    QFETCH(int, variant);
    QFETCH(bool, markFound);
    QFETCH(bool, dot);
    QTemporaryDir dir;
    QSettings store(dir.filePath("store.conf"), QSettings::IniFormat);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        store.setValue(it.key(), it.value());
    const SchulteSettings s = SchulteStore::load(&store);
    QCOMPARE(s.Side, side);
    QCOMPARE(int(s.Variant), variant);
    QCOMPARE(s.MarkFound, markFound);
    QCOMPARE(s.FixationDot, dot);

    // What is saved comes back from a store opened afresh, as at the next start.
    SchulteStore::save(&store, s);
    QSettings reopened(dir.filePath("store.conf"), QSettings::IniFormat);
    QCOMPARE(SchulteStore::load(&reopened), s);
}

void TestSchulteLogic::bestTimes_data() {
    QTest::addColumn<QString>("runs"); // side:variant:ms
    QTest::addColumn<QString>("bests");
    QTest::addRow("first time is the best") << "5:0:30000"
                                            << "30000";
    QTest::addRow("slower keeps the best") << "5:0:30000 5:0:31000"
                                           << "30000 30000";
    QTest::addRow("faster replaces it") << "5:0:30000 5:0:29500"
                                        << "30000 29500";
    QTest::addRow("sizes apart") << "5:0:30000 3:0:9000 5:0:40000"
                                 << "30000 9000 30000";
    QTest::addRow("variants apart") << "5:0:30000 5:1:60000 5:2:50000"
                                    << "30000 60000 50000";
}

void TestSchulteLogic::bestTimes() {
    QFETCH(QString, runs);
    QFETCH(QString, bests);
    QTemporaryDir dir;
    QStringList got;
    for (const QString& run : runs.split(QLatin1Char(' '))) {
        const QStringList p = run.split(QLatin1Char(':'));
        // Each run at a new start of the program.
        QSettings store(dir.filePath("store.conf"), QSettings::IniFormat);
        got << QString::number(SchulteStore::keepBest(
            &store, p[0].toInt(), SchulteVariant(p[1].toInt()), p[2].toLongLong()));
    }
    QCOMPARE(got.join(QLatin1Char(' ')), bests);
    QSettings store(dir.filePath("store.conf"), QSettings::IniFormat);
    QVERIFY(!SchulteStore::bestTime(&store, 9, SchulteVariant::Numbers));
}

void TestSchulteLogic::figures_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<int>("cells");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("perCell");
    QTest::addRow("5 x 5") << qint64(25400) << 25 << "25,4"
                           << "1,02";
    QTest::addRow("rounded up") << qint64(950) << 9 << "1,0"
                                << "0,11";
    QTest::addRow("9 x 9, long") << qint64(183049) << 81 << "183,0"
                                 << "2,26";
}

void TestSchulteLogic::figures() {
    QFETCH(qint64, ms);
    QFETCH(int, cells);
    QFETCH(QString, seconds);
    QFETCH(QString, perCell);
    QCOMPARE(SchulteFigures::seconds(ms), seconds);
    QCOMPARE(SchulteFigures::secondsPerCell(ms, cells), perCell);
}

QTEST_GUILESS_MAIN(TestSchulteLogic)
#include "tst_schultelogic.moc"
