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
    QTest::addColumn<QList<int>>("frame");  // the window frame's left, top, right, bottom
    QTest::addColumn<QRect>("placed");
    const QRect hd(0, 0, 1920, 1040);
    const QRect sxga(0, 0, 1280, 1024);
    const QList<int> none{0, 0, 0, 0};
    const QList<int> titled{1, 19, 1, 1};
    QTest::newRow("fits: kept") << hd << QList<int>{190, 117, 659, 499} << none
                                << QRect(190, 117, 659, 499);
    QTest::newRow("partly off to the right: brought in")
        << hd << QList<int>{1700, 117, 659, 499} << none << QRect(1261, 117, 659, 499);
    QTest::newRow("largest integers")
        << hd << QList<int>{190, 117, 2147483647, 2147483647} << none << QRect(0, 0, 1920, 1040);
    QTest::newRow("65535 square") << hd << QList<int>{0, 0, 65535, 65535} << none
                                  << QRect(0, 0, 1920, 1040);
    QTest::newRow("lost to the left")
        << hd << QList<int>{-5000, 117, 659, 499} << none << QRect(0, 117, 659, 499);
    QTest::newRow("lost to the right")
        << hd << QList<int>{2147483647, 117, 659, 499} << none << QRect(1261, 117, 659, 499);
    QTest::newRow("title bar above the screen")
        << hd << QList<int>{190, -300, 659, 499} << none << QRect(190, 0, 659, 499);
    QTest::newRow("below the screen")
        << hd << QList<int>{190, 5000, 659, 499} << none << QRect(190, 541, 659, 499);
    QTest::newRow("second screen to the left")
        << QRect(-1280, 0, 1280, 1024) << QList<int>{-3000, -2147483647, 659, 499} << none
        << QRect(-1280, 0, 659, 499);
    QTest::newRow("tiny window") << hd << QList<int>{-100, 117, 40, 30} << none
                                 << QRect(0, 117, 40, 30);
    // The window's frame counts: the title bar and the borders must be on the area too.
    QTest::newRow("fits with its frame")
        << sxga << QList<int>{100, 100, 659, 499} << titled << QRect(100, 100, 659, 499);
    QTest::newRow("frame below the area")
        << sxga << QList<int>{100, 520, 659, 499} << titled << QRect(100, 505, 659, 499);
    QTest::newRow("frame right of the area")
        << sxga << QList<int>{620, 100, 659, 499} << titled << QRect(619, 100, 659, 499);
    QTest::newRow("maximised size in the normal state")
        << sxga << QList<int>{225, 137, 1280, 1005} << titled << QRect(0, 0, 1278, 1004);
    QTest::newRow("panel at the top") << QRect(0, 30, 1280, 994) << QList<int>{225, 137, 1280, 1005}
                                      << titled << QRect(0, 30, 1278, 974);
}

void TestStoredSettings::boundsArePlacedOnTheScreen() {
    QFETCH(QRect, area);
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, frame);
    QFETCH(QRect, placed);
    const QMargins margins(frame[0], frame[1], frame[2], frame[3]);
    QCOMPARE(placeOnScreen(stored[0], stored[1], stored[2], stored[3], area, margins), placed);
}

QTEST_GUILESS_MAIN(TestStoredSettings)
#include "tst_storedsettings.moc"
