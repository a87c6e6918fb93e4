// What screen readers and UI automation read of the reading view.
#include "readingview/ReadingView.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QtTest>

#include <cmath>

class TestReadingViewAccess : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textAndCount();
    void caretAndSelection();
    void disabledViewIsOnlyRead();
    void units_data();
    void units();
    void neighbourLines();
    void geometry();
    void longTextAnswersStaySmall();

private:
    QAccessibleTextInterface* textOf() const;
    QWidget* Window = nullptr;
    ReadingView* View = nullptr;
};

namespace {
// Ten characters a display line, blanks hanging over the edge: "alpha beta ", "gamma. ",
// "Delta eps." CR LF, "zeta".
const QString Sample = QStringLiteral("alpha beta gamma. Delta eps.\r\nzeta");
} // namespace

void TestReadingViewAccess::init() {
    Window = new QWidget;
    Window->resize(400, 300);
    View = new ReadingView(Window);
    View->setGeometry(0, 0, 400, 300);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(16);
    View->setTextFont(font);
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QChar(u'0'));
    View->setColumn(0, int(std::ceil(advance * 10)));
    View->setText(Sample);
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
}

void TestReadingViewAccess::cleanup() {
    delete Window;
    Window = nullptr;
    View = nullptr;
}

QAccessibleTextInterface* TestReadingViewAccess::textOf() const {
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(View);
    return view ? view->textInterface() : nullptr;
}

void TestReadingViewAccess::textAndCount() {
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(View);
    QVERIFY(view->textInterface());
    QVERIFY(view->state().readOnly);
    QVERIFY(view->state().multiLine);
    QAccessibleTextInterface* text = textOf();
    QCOMPARE(text->characterCount(), Sample.size());
    QCOMPARE(text->text(0, 5), QStringLiteral("alpha"));
    QCOMPARE(text->text(30, -1), QStringLiteral("zeta"));
    View->setText(QStringLiteral("new"));
    QCOMPARE(text->characterCount(), 3);
}

void TestReadingViewAccess::caretAndSelection() {
    QAccessibleTextInterface* text = textOf();
    View->setCaretPosition(6);
    QCOMPARE(text->cursorPosition(), 6);
    QCOMPARE(text->selectionCount(), 0);
    View->setSelection(6, 4);
    QCOMPARE(text->selectionCount(), 1);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 6);
    QCOMPARE(end, 10);

    text->setCursorPosition(11);
    QCOMPARE(View->caretPosition(), 11);
    QCOMPARE(View->selectionLength(), 0);
    text->setSelection(0, 0, 5);
    QCOMPARE(View->selectedText(), QStringLiteral("alpha"));
    text->removeSelection(0);
    QCOMPARE(View->selectionLength(), 0);
    text->addSelection(11, 16);
    QCOMPARE(View->selectedText(), QStringLiteral("gamma"));
}

void TestReadingViewAccess::disabledViewIsOnlyRead() {
    View->setCaretPosition(3);
    View->setEnabled(false); // as during a run
    QAccessibleTextInterface* text = textOf();
    text->setCursorPosition(9);
    text->setSelection(0, 0, 5);
    QCOMPARE(View->caretPosition(), 3);
    QCOMPARE(View->selectionLength(), 0);
    QCOMPARE(text->cursorPosition(), 3);
}

void TestReadingViewAccess::units_data() {
    QTest::addColumn<int>("boundary");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("character") << int(QAccessible::CharBoundary) << 1 << "l" << 1 << 2;
    QTest::newRow("character at the end") << int(QAccessible::CharBoundary) << 34 << "" << 34 << 34;
    QTest::newRow("word") << int(QAccessible::WordBoundary) << 8 << "beta" << 6 << 10;
    QTest::newRow("word from its start")
        << int(QAccessible::WordBoundary) << 6 << "beta" << 6 << 10;
    QTest::newRow("sentence") << int(QAccessible::SentenceBoundary) << 3 << "alpha beta gamma. "
                              << 0 << 18;
    QTest::newRow("display line") << int(QAccessible::LineBoundary) << 8 << "alpha beta " << 0
                                  << 11;
    QTest::newRow("display line with its break")
        << int(QAccessible::LineBoundary) << 25 << "Delta eps.\r\n"
        << 18 << 30;
    QTest::newRow("last line at the end")
        << int(QAccessible::LineBoundary) << 34 << "zeta" << 30 << 34;
    QTest::newRow("paragraph") << int(QAccessible::ParagraphBoundary) << 12
                               << "alpha beta gamma. Delta eps.\r\n"
                               << 0 << 30;
    QTest::newRow("last paragraph")
        << int(QAccessible::ParagraphBoundary) << 31 << "zeta" << 30 << 34;
    QTest::newRow("everything") << int(QAccessible::NoBoundary) << 5 << Sample << 0 << 34;
}

void TestReadingViewAccess::units() {
    QFETCH(int, boundary);
    QFETCH(int, offset);
    QFETCH(QString, unit);
    QFETCH(int, start);
    QFETCH(int, end);
    int s = -1, e = -1;
    QCOMPARE(textOf()->textAtOffset(offset, QAccessible::TextBoundaryType(boundary), &s, &e), unit);
    QCOMPARE(s, start);
    QCOMPARE(e, end);
}

void TestReadingViewAccess::neighbourLines() {
    QAccessibleTextInterface* text = textOf();
    int s = -1, e = -1;
    QCOMPARE(text->textAfterOffset(8, QAccessible::LineBoundary, &s, &e),
             QStringLiteral("gamma. "));
    QCOMPARE(s, 11);
    QCOMPARE(text->textBeforeOffset(13, QAccessible::LineBoundary, &s, &e),
             QStringLiteral("alpha beta "));
    QCOMPARE(s, 0);
    QCOMPARE(text->textBeforeOffset(2, QAccessible::LineBoundary, &s, &e), QString());
    QCOMPARE(text->textAfterOffset(32, QAccessible::LineBoundary, &s, &e), QString());
    QCOMPARE(s, 34);
}

void TestReadingViewAccess::geometry() {
    QAccessibleTextInterface* text = textOf();
    const QRect cell = text->characterRect(6);
    QVERIFY(cell.isValid());
    QCOMPARE(cell.topLeft(), View->viewport()->mapToGlobal(View->characterRect(6).topLeft()));
    QCOMPARE(text->offsetAtPoint(cell.topLeft() + QPoint(1, 1)), 6);
    QCOMPARE(text->offsetAtPoint(View->viewport()->mapToGlobal(QPoint(-5, -5))), -1);

    View->resize(400, 2 * View->lineHeight() + 2 * View->frameWidth());
    text->scrollToSubstring(31, 33);
    const int line = View->lineFromPosition(31);
    QVERIFY(View->firstVisibleLine() <= line);
    QVERIFY(line < View->firstVisibleLine() + View->visibleLineCount());
}

void TestReadingViewAccess::longTextAnswersStaySmall() {
    QString book;
    const QString sentence = QStringLiteral("Строка книги без конца и края. ");
    while (book.size() < 4'000'000)
        book += sentence;
    View->setText(book);
    QAccessibleTextInterface* text = textOf();
    QCOMPARE(text->characterCount(), book.size());
    const int middle = int(book.size() / 2);
    int s = -1, e = -1;
    for (int boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                         QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
        const QString unit =
            text->textAtOffset(middle, QAccessible::TextBoundaryType(boundary), &s, &e);
        QVERIFY(!unit.isEmpty());
        QVERIFY(unit.size() <= sentence.size());
        QVERIFY(s <= middle && middle < e);
        QCOMPARE(unit, book.mid(s, e - s));
    }
}

QTEST_MAIN(TestReadingViewAccess)
#include "tst_readingviewaccess.moc"
