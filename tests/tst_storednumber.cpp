#include "platform/StoredNumber.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using StoredNumber::OutOfRange;

Q_DECLARE_METATYPE(OutOfRange)

class TestStoredNumber : public QObject {
    Q_OBJECT
private slots:
    void readsAsTheStoreKeepsIt_data();
    void readsAsTheStoreKeepsIt();
};

void TestStoredNumber::readsAsTheStoreKeepsIt_data() {
    QTest::addColumn<QVariant>("stored"); // an invalid variant: nothing stored
    QTest::addColumn<OutOfRange>("rule");
    QTest::addColumn<int>("read"); // from the range 1..10 with the default 4
    const auto nearest = OutOfRange::Nearest;
    const auto fallback = OutOfRange::Default;
    QTest::newRow("missing") << QVariant() << nearest << 4;
    QTest::newRow("empty") << QVariant(QString()) << nearest << 4;
    QTest::newRow("a word") << QVariant(QStringLiteral("семь")) << nearest << 4;
    QTest::newRow("a fraction") << QVariant(QStringLiteral("7.5")) << nearest << 4;
    QTest::newRow("too long for an int") << QVariant(QStringLiteral("99999999999")) << nearest << 4;
    QTest::newRow("in range") << QVariant(7) << fallback << 7;
    QTest::newRow("blanks around") << QVariant(QStringLiteral("  7 ")) << nearest << 7;
    QTest::newRow("both ends belong to it") << QVariant(10) << fallback << 10;
    QTest::newRow("above, nearest") << QVariant(50) << nearest << 10;
    QTest::newRow("below, nearest") << QVariant(-3) << nearest << 1;
    QTest::newRow("above, default") << QVariant(50) << fallback << 4;
    QTest::newRow("below, default") << QVariant(0) << fallback << 4;
}

void TestStoredNumber::readsAsTheStoreKeepsIt() {
    QFETCH(QVariant, stored);
    QFETCH(OutOfRange, rule);
    QFETCH(int, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("store.conf"));
    {
        QSettings store(path, QSettings::IniFormat);
        if (stored.isValid())
            store.setValue(QStringLiteral("Value"), stored);
    }
    // Read back from the file, as at the next start.
    const QSettings store(path, QSettings::IniFormat);
    QCOMPARE(StoredNumber::read(store, QStringLiteral("Value"), 4, {1, 10, rule}), read);
}

QTEST_GUILESS_MAIN(TestStoredNumber)
#include "tst_storednumber.moc"
