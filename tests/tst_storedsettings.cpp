#include "shell/StoredSettings.h"
#include "shell/WindowPlacement.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestStoredSettings : public QObject {
    Q_OBJECT
private slots:
    void emptyStoreGivesDefaults();
    void roundTrip();
    void spoiledValueResetsEverything_data();
    void spoiledValueResetsEverything();
    void missingFontNameReadsEmpty();
    void outOfRangeValuesAreBroughtIn_data();
    void outOfRangeValuesAreBroughtIn();
    void boundsAreWrittenOnlyWhenAsked();
    void boundsArePlacedOnTheScreen_data();
    void boundsArePlacedOnTheScreen();

private:
    QSettings* store();
    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Store;
};

QSettings* TestStoredSettings::store() {
    Store = std::make_unique<QSettings>(Dir.filePath(QStringLiteral("store.conf")),
                                        QSettings::IniFormat);
    Store->clear();
    return Store.get();
}

namespace {
StoredSettings custom() {
    StoredSettings s;
    s.Top = 20;
    s.Left = 30;
    s.Width = 900;
    s.Height = 600;
    s.WindowState = 2;
    s.FontName = QStringLiteral("Liberation Serif");
    s.FontSize = 16;
    s.TextAlignment = 2;
    s.WideExpression = 24;
    s.WidthFormatStr = 408;
    s.SpeedTrackBarPosition = 334;
    s.RecommendWide = 18;
    s.RecommendSpeed = 2500;
    s.Column = 7;
    s.Row = 5;
    s.TextAdvice = false;
    s.StringAdvice = true;
    s.TableAdvice = false;
    s.CurrentTextAdvice = 2;
    s.CurrentStringAdvice = 3;
    s.CurrentTableAdvice = 1;
    s.Assistant = false;
    s.Markers = false;
    return s;
}
} // namespace

void TestStoredSettings::emptyStoreGivesDefaults() {
    const StoredSettings s = readStoredSettings(*store());
    QCOMPARE(s, StoredSettings{});
    QCOMPARE(s.Left, 190);
    QCOMPARE(s.Top, 117);
    QCOMPARE(s.Width, 659);
    QCOMPARE(s.Height, 499);
    QCOMPARE(s.FontName, QStringLiteral("Arial"));
    QCOMPARE(s.SpeedTrackBarPosition, 100);
    QCOMPARE(s.RecommendSpeed, 1000);
    QCOMPARE(s.RecommendWide, 10);
}

void TestStoredSettings::roundTrip() {
    QSettings* st = store();
    writeStoredSettings(*st, custom(), true);
    st->sync();
    QSettings again(Dir.filePath(QStringLiteral("store.conf")), QSettings::IniFormat);
    QCOMPARE(readStoredSettings(again), custom());
}

void TestStoredSettings::spoiledValueResetsEverything_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("first value missing") << "Top" << QVariant();
    QTest::newRow("last value missing") << "Markers" << QVariant();
    QTest::newRow("not a number") << "FontSize" << QVariant(QStringLiteral("twelve"));
    QTest::newRow("flag not a number") << "TableAdvice" << QVariant(QStringLiteral("yes"));
    QTest::newRow("empty") << "Column" << QVariant(QString());
}

void TestStoredSettings::spoiledValueResetsEverything() {
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QSettings* st = store();
    writeStoredSettings(*st, custom(), true);
    if (value.isValid())
        st->setValue(name, value);
    else
        st->remove(name);
    QCOMPARE(readStoredSettings(*st), StoredSettings{});
}

void TestStoredSettings::missingFontNameReadsEmpty() {
    QSettings* st = store();
    writeStoredSettings(*st, custom(), true);
    st->remove(QStringLiteral("FontName"));
    const StoredSettings s = readStoredSettings(*st);
    QCOMPARE(s.FontName, QString());
    QCOMPARE(s.FontSize, 16); // the other values are kept
}

void TestStoredSettings::outOfRangeValuesAreBroughtIn_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("read");
    QTest::newRow("font size 0") << "FontSize" << 0 << 12;
    QTest::newRow("negative font size") << "FontSize" << -5 << 12;
    QTest::newRow("width 3") << "WideExpression" << 3 << 10;
    QTest::newRow("speed above the scale") << "SpeedTrackBarPosition" << 5000 << 1000;
    QTest::newRow("negative speed") << "SpeedTrackBarPosition" << -1 << 0;
    QTest::newRow("50 columns") << "Column" << 50 << 10;
    QTest::newRow("0 rows") << "Row" << 0 << 1;
    QTest::newRow("unknown window state") << "WindowState" << 7 << 0;
    QTest::newRow("column of 0 pixels") << "WidthFormatStr" << 0 << 140;
}

void TestStoredSettings::outOfRangeValuesAreBroughtIn() {
    QFETCH(QString, name);
    QFETCH(int, stored);
    QFETCH(int, read);
    QSettings* st = store();
    writeStoredSettings(*st, custom(), true);
    st->setValue(name, stored);
    const StoredSettings s = readStoredSettings(*st);
    const QMap<QString, int> values{{"FontSize", s.FontSize},
                                    {"WideExpression", s.WideExpression},
                                    {"SpeedTrackBarPosition", s.SpeedTrackBarPosition},
                                    {"Column", s.Column},
                                    {"Row", s.Row},
                                    {"WindowState", s.WindowState},
                                    {"WidthFormatStr", s.WidthFormatStr}};
    QCOMPARE(values.value(name), read);
    QCOMPARE(s.Top, custom().Top); // nothing else was reset
}

void TestStoredSettings::boundsAreWrittenOnlyWhenAsked() {
    QSettings* st = store();
    writeStoredSettings(*st, custom(), false);
    QVERIFY(!st->contains(QStringLiteral("Top")));
    QVERIFY(st->contains(QStringLiteral("WindowState")));
    writeWindowBounds(*st, 1, 2, 3, 4);
    QCOMPARE(st->value(QStringLiteral("Left")).toInt(), 2);
    QCOMPARE(st->value(QStringLiteral("Height")).toInt(), 4);
}

void TestStoredSettings::boundsArePlacedOnTheScreen_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QList<int>>("stored"); // left, top, width, height
    QTest::addColumn<QRect>("placed");
    const QRect hd(0, 0, 1920, 1040);
    QTest::newRow("fits: kept") << hd << QList<int>{190, 117, 659, 499}
                                << QRect(190, 117, 659, 499);
    QTest::newRow("partly off to the right: kept")
        << hd << QList<int>{1700, 117, 659, 499} << QRect(1700, 117, 659, 499);
    QTest::newRow("largest integers")
        << hd << QList<int>{190, 117, 2147483647, 2147483647} << QRect(0, 0, 1920, 1040);
    QTest::newRow("65535 square") << hd << QList<int>{0, 0, 65535, 65535}
                                  << QRect(0, 0, 1920, 1040);
    QTest::newRow("lost to the left")
        << hd << QList<int>{-5000, 117, 659, 499} << QRect(-559, 117, 659, 499);
    QTest::newRow("lost to the right")
        << hd << QList<int>{2147483647, 117, 659, 499} << QRect(1820, 117, 659, 499);
    QTest::newRow("title bar above the screen")
        << hd << QList<int>{190, -300, 659, 499} << QRect(190, 0, 659, 499);
    QTest::newRow("below the screen")
        << hd << QList<int>{190, 5000, 659, 499} << QRect(190, 940, 659, 499);
    QTest::newRow("second screen to the left")
        << QRect(-1280, 0, 1280, 1024) << QList<int>{-3000, -2147483647, 659, 499}
        << QRect(-1839, 0, 659, 499);
    QTest::newRow("tiny window") << hd << QList<int>{-100, 117, 40, 30} << QRect(0, 117, 40, 30);
}

void TestStoredSettings::boundsArePlacedOnTheScreen() {
    QFETCH(QRect, area);
    QFETCH(QList<int>, stored);
    QFETCH(QRect, placed);
    QCOMPARE(placeOnScreen(stored[0], stored[1], stored[2], stored[3], area), placed);
}

QTEST_GUILESS_MAIN(TestStoredSettings)
#include "tst_storedsettings.moc"
