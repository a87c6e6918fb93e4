#include "readingview/ReadingView.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

const QColor Silver(192, 192, 192);

// Records the regions the viewport repaints.
class PaintRecorder : public QObject {
public:
    using QObject::QObject;
    QList<QRegion> regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions << static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

QColor colorFromLetter(QChar c) {
    switch (c.unicode()) {
    case u'k':
        return Qt::black;
    case u'r':
        return Qt::red;
    case u'g':
        return Qt::green;
    default:
        return Silver;
    }
}

QChar letterFromColor(const QColor& c) {
    if (c == QColor(Qt::black))
        return u'k';
    if (c == QColor(Qt::red))
        return u'r';
    if (c == QColor(Qt::green))
        return u'g';
    if (c == Silver)
        return u's';
    return u'?';
}

void sendWheel(QWidget* target, QPoint angle, QPoint pixels = {}) {
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(pos, target->mapToGlobal(pos), pixels, angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestReadingView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textAndLines();
    void clearLeavesOneEmptyLine();
    void rangeColors_data();
    void rangeColors();
    void baseColorClearsRanges();
    void newTextClearsRanges();
    void colorsArePainted();
    void selectionHighlightOnlyWhenShown();
    void wheelScrollsOneLine_data();
    void wheelScrollsOneLine();
    void scrollClamping();
    void clickPlacesCaret();
    void disabledViewIgnoresInput();
    void dragSelectsAndCopies();
    void keysMoveOverLineBreaks();
    void alignmentPlacesLines_data();
    void alignmentPlacesLines();
    void layoutNotRebuiltByPlayback();
    void playbackRepaintsOnlyChangedLines();
    void partialRepaintsMatchFullRepaint();
    void columnFollowsViewportUntilSet();
    void geometryQueries();

private:
    void makeView(int columnChars = 10);
    QString charsOf(int n) const;

    QWidget* m_window = nullptr;
    ReadingView* m_view = nullptr;
    int m_charWidth = 0; // whole pixels that hold one character of the test font
};

void TestReadingView::init() {
    m_window = new QWidget;
    m_window->resize(400, 300);
    m_view = new ReadingView(m_window);
    m_view->setGeometry(0, 0, 400, 300);
}

void TestReadingView::cleanup() {
    delete m_window;
    m_window = nullptr;
    m_view = nullptr;
}

// A monospaced font, so that columns of characters have a known width.
void TestReadingView::makeView(int columnChars) {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(16);
    m_view->setTextFont(font);
    m_view->setBaseColor(Silver);
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QChar(u'0'));
    m_charWidth = int(std::ceil(advance));
    m_view->setColumn(10, 10 + int(std::ceil(advance * columnChars)));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // No blinking caret in the pictures, unless a test asks for the focus.
    m_view->clearFocus();
}

QString TestReadingView::charsOf(int n) const {
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(u'a' + i % 26);
    return s;
}

void TestReadingView::textAndLines() {
    makeView(10);
    QSignalSpy changed(m_view, &ReadingView::textChanged);
    const QString text = "aaaa bbbb cccc\r\ndd";
    m_view->setText(text);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_view->text(), text);
    QCOMPARE(m_view->length(), 18);
    QCOMPARE(m_view->lineCount(), 3);
    QCOMPARE(m_view->lineText(0), QString("aaaa bbbb "));
    QCOMPARE(m_view->lineText(1), QString("cccc"));
    QCOMPARE(m_view->lineText(2), QString("dd"));
    QCOMPARE(m_view->lineStart(2), 16);
    QCOMPARE(m_view->lineLength(1), 4);
    QCOMPARE(m_view->lineFromPosition(14), 1); // the CR
    QCOMPARE(m_view->lineFromPosition(15), 1); // the LF
    QCOMPARE(m_view->lineFromPosition(18), 2);
    QCOMPARE(m_view->columnFromPosition(12), 2);
    QCOMPARE(m_view->lineStart(3), -1);
    QCOMPARE(m_view->lineLength(3), 0);
    QCOMPARE(m_view->lineText(-1), QString());
    QCOMPARE(m_view->caretPosition(), 0);
}

void TestReadingView::clearLeavesOneEmptyLine() {
    makeView();
    m_view->setText("some words here and there");
    m_view->setCaretPosition(5);
    QSignalSpy changed(m_view, &ReadingView::textChanged);
    m_view->clear();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_view->length(), 0);
    QCOMPARE(m_view->lineCount(), 1);
    QCOMPARE(m_view->lineText(0), QString());
    QCOMPARE(m_view->caretPosition(), 0);
    QCOMPARE(m_view->firstVisibleLine(), 0);
}

void TestReadingView::rangeColors_data() {
    QTest::addColumn<QStringList>("steps"); // "start length colour"
    QTest::addColumn<QString>("expected");  // colour per position of a 12-character text

    QTest::newRow("nothing") << QStringList{} << "ssssssssssss";
    QTest::newRow("one field") << QStringList{"2 3 k"}
                               << "sskkkssssss"
                                  "s";
    QTest::newRow("field painted back") << QStringList{"2 3 k", "2 3 s"} << "ssssssssssss";
    QTest::newRow("playback steps")
        << QStringList{"0 4 k", "0 4 s", "5 4 k", "5 4 s", "10 2 k"} << "sssssssssskk";
    QTest::newRow("overlap replaces") << QStringList{"1 6 k", "4 5 r"} << "skkkrrrrrsss";
    QTest::newRow("inner split") << QStringList{"1 8 k", "3 2 s"} << "skksskkkksss";
    QTest::newRow("inner other colour") << QStringList{"1 8 k", "3 2 g"} << "skkggkkkksss";
    QTest::newRow("adjacent same colour")
        << QStringList{"1 2 k", "3 2 k", "2 2 s"} << "skssksssssss";
    QTest::newRow("covering several")
        << QStringList{"0 2 k", "4 2 r", "8 2 g", "1 8 s"} << "kssssssssgss";
    QTest::newRow("negative length") << QStringList{"6 -3 k"} << "ssskkkssssss";
    QTest::newRow("past the end clamped") << QStringList{"9 100 r"} << "sssssssssrrr";
    QTest::newRow("before the start clamped") << QStringList{"-4 6 g"} << "ggssssssssss";
    QTest::newRow("empty range") << QStringList{"5 0 k"} << "ssssssssssss";
}

void TestReadingView::rangeColors() {
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);

    m_view->setBaseColor(Silver);
    m_view->setText("abcdefghijkl");
    for (const QString& step : steps) {
        const QStringList parts = step.split(u' ');
        m_view->setRangeColor(parts[0].toInt(), parts[1].toInt(), colorFromLetter(parts[2][0]));
    }
    QString actual;
    for (int pos = 0; pos < m_view->length(); ++pos)
        actual += letterFromColor(m_view->colorAt(pos));
    QCOMPARE(actual, expected);
}

void TestReadingView::baseColorClearsRanges() {
    m_view->setText("abcdefgh");
    m_view->setBaseColor(Silver);
    m_view->setRangeColor(2, 3, Qt::black);
    m_view->setBaseColor(Qt::blue);
    for (int pos = 0; pos < 8; ++pos)
        QCOMPARE(m_view->colorAt(pos), QColor(Qt::blue));
}

void TestReadingView::newTextClearsRanges() {
    m_view->setBaseColor(Silver);
    m_view->setText("abcdefgh");
    m_view->setRangeColor(0, 8, Qt::black);
    m_view->setText("ijklmnop");
    QCOMPARE(m_view->colorAt(3), Silver);
    QCOMPARE(m_view->baseColor(), Silver);
}

void TestReadingView::colorsArePainted() {
    makeView(20);
    m_view->setText("wwww mmmm wwww mmmm");
    m_view->setRangeColor(5, 4, Qt::black);
    QApplication::processEvents();
    const QImage image = m_view->viewport()->grab().toImage();

    auto darkest = [&](int from, int to) {
        int value = 255;
        QRect area = m_view->characterRect(from).united(m_view->characterRect(to - 1));
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                value = std::min(value, qGray(image.pixel(x, y)));
        return value;
    };
    QVERIFY2(darkest(5, 9) < 60, "the black field is painted black");
    QVERIFY2(darkest(0, 4) >= 185, "silver text stays silver");
    QVERIFY2(darkest(10, 14) >= 185, "silver text stays silver");
    QVERIFY2(darkest(0, 4) < 230, "silver text is painted at all");
    // Background below the text is white.
    QCOMPARE(image.pixel(image.width() / 2, image.height() - 2), qRgb(255, 255, 255));
}

void TestReadingView::selectionHighlightOnlyWhenShown() {
    makeView(20);
    m_view->setText("wwww mmmm wwww mmmm");
    const QRgb highlight = m_view->palette().color(QPalette::Highlight).rgb();
    auto highlightedPixels = [&] {
        QApplication::processEvents();
        const QImage image = m_view->viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) & 0xffffff) == (highlight & 0xffffff);
        return count;
    };
    m_view->setSelection(5, 4);
    QCOMPARE(m_view->selectionStart(), 5);
    QCOMPARE(m_view->selectionLength(), 4);
    QCOMPARE(m_view->caretPosition(), 9);
    QVERIFY(highlightedPixels() > 0);

    m_view->setSelectionHidden(true);
    QVERIFY(m_view->isSelectionHidden());
    QCOMPARE(highlightedPixels(), 0);
    m_view->setSelection(0, 14);
    QCOMPARE(highlightedPixels(), 0);
    QCOMPARE(m_view->selectionLength(), 14);

    m_view->setSelectionHidden(false);
    QVERIFY(highlightedPixels() > 0);
    m_view->setCaretPosition(3);
    QCOMPARE(m_view->selectionLength(), 0);
    QCOMPARE(highlightedPixels(), 0);
}

void TestReadingView::wheelScrollsOneLine_data() {
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<bool>("overScrollBar");
    QTest::addColumn<int>("expectedFirst");

    QTest::newRow("one notch down") << QPoint(0, -120) << QPoint() << false << 6;
    QTest::newRow("three notches down") << QPoint(0, -360) << QPoint() << false << 6;
    QTest::newRow("one notch up") << QPoint(0, 120) << QPoint() << false << 4;
    QTest::newRow("small step down") << QPoint(0, -15) << QPoint() << false << 6;
    QTest::newRow("pixels only") << QPoint() << QPoint(0, -40) << false << 6;
    QTest::newRow("sideways ignored") << QPoint(-120, 0) << QPoint() << false << 5;
    QTest::newRow("over the scroll bar") << QPoint(0, -360) << QPoint() << true << 6;
}

void TestReadingView::wheelScrollsOneLine() {
    QFETCH(QPoint, angle);
    QFETCH(QPoint, pixels);
    QFETCH(bool, overScrollBar);
    QFETCH(int, expectedFirst);

    makeView(10);
    QStringList words;
    for (int i = 0; i < 100; ++i)
        words << "word";
    m_view->setText(words.join(u' '));
    QVERIFY(m_view->lineCount() > 20);
    m_view->scrollLines(5);
    QCOMPARE(m_view->firstVisibleLine(), 5);

    QWidget* target =
        overScrollBar ? static_cast<QWidget*>(m_view->verticalScrollBar()) : m_view->viewport();
    const QPointF pos(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(pos, target->mapToGlobal(pos), pixels, angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    QCOMPARE(m_view->firstVisibleLine(), expectedFirst);
    if (expectedFirst != 5)
        QVERIFY(event.isAccepted());
}

void TestReadingView::scrollClamping() {
    makeView(10);
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QString("line %1").arg(i);
    m_view->setText(lines.join("\r\n"));
    QCOMPARE(m_view->lineCount(), 40);
    QVERIFY(m_view->verticalScrollBar()->isVisible());
    QCOMPARE(m_view->visibleLineCount(), m_view->viewport()->height() / m_view->lineHeight());

    m_view->scrollLines(-3);
    QCOMPARE(m_view->firstVisibleLine(), 0);
    m_view->scrollLines(7);
    QCOMPARE(m_view->firstVisibleLine(), 7);
    m_view->scrollLines(1000);
    QCOMPARE(m_view->firstVisibleLine(), 39); // the last line at the top
    m_view->scrollLines(std::numeric_limits<int>::max());
    QCOMPARE(m_view->firstVisibleLine(), 39);
    m_view->scrollLines(-2);
    QCOMPARE(m_view->firstVisibleLine(), 37);
    m_view->scrollLines(std::numeric_limits<int>::min());
    QCOMPARE(m_view->firstVisibleLine(), 0);
    m_view->scrollLines(12);
    m_view->scrollToTop();
    QCOMPARE(m_view->firstVisibleLine(), 0);

    m_view->scrollLines(12);
    m_view->setText("short");
    QCOMPARE(m_view->firstVisibleLine(), 0);
    m_view->scrollLines(4);
    QCOMPARE(m_view->firstVisibleLine(), 0);
    QVERIFY(m_view->verticalScrollBar()->isVisible());
}

void TestReadingView::clickPlacesCaret() {
    makeView(10);
    m_view->setText("abcd efgh ijkl\r\nmnop");
    // lines: "abcd efgh " [0,10), "ijkl" [10,14), "mnop" [16,20)
    const QRect cell = m_view->characterRect(7);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(1, 2));
    QCOMPARE(m_view->caretPosition(), 7);
    QCOMPARE(m_view->selectionLength(), 0);

    // The right half of a character puts the caret after it.
    const QRect cell2 = m_view->characterRect(11);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      QPoint(cell2.right() - 1, cell2.center().y()));
    QCOMPARE(m_view->caretPosition(), 12);

    // Past the end of a line: the end of that line, before its break.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      QPoint(m_view->viewport()->width() - 5, cell2.center().y()));
    QCOMPARE(m_view->caretPosition(), 14);

    // Below the text: the last line.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      QPoint(11, m_view->viewport()->height() - 3));
    QCOMPARE(m_view->caretPosition(), 16);

    // Shift+click extends the selection from the caret.
    m_view->setCaretPosition(2);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      m_view->characterRect(7).topLeft() + QPoint(1, 2));
    QCOMPARE(m_view->selectionStart(), 2);
    QCOMPARE(m_view->selectionLength(), 5);
}

void TestReadingView::disabledViewIgnoresInput() {
    makeView(10);
    QStringList words;
    for (int i = 0; i < 100; ++i)
        words << "word";
    m_view->setText(words.join(u' '));
    m_view->setCaretPosition(3);
    m_view->scrollLines(4);
    m_window->setEnabled(false);

    // QTest reports every event the disabled view leaves alone.
    const QRegularExpression notAccepted("event.*not accepted by receiving widget");
    for (int i = 0; i < 6; ++i)
        QTest::ignoreMessage(QtWarningMsg, notAccepted);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                      m_view->characterRect(m_view->lineStart(5) + 2).center());
    QCOMPARE(m_view->caretPosition(), 3);
    sendWheel(m_view->viewport(), QPoint(0, -120));
    QCOMPARE(m_view->firstVisibleLine(), 4);
    sendWheel(m_view->verticalScrollBar(), QPoint(0, -120));
    QCOMPARE(m_view->firstVisibleLine(), 4);
    QTest::keyClick(m_view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m_view->caretPosition(), 3);

    // The owner still drives it.
    m_view->scrollLines(1);
    QCOMPARE(m_view->firstVisibleLine(), 5);
    m_view->setSelection(10, 4);
    QCOMPARE(m_view->selectionStart(), 10);

    m_window->setEnabled(true);
    sendWheel(m_view->viewport(), QPoint(0, -120));
    QCOMPARE(m_view->firstVisibleLine(), 6);
}

void TestReadingView::dragSelectsAndCopies() {
    makeView(10);
    m_view->setText("abcd efgh\r\nijkl");
    QWidget* vp = m_view->viewport();
    const QPoint from = m_view->characterRect(2).topLeft() + QPoint(1, 2);
    const QPoint to = m_view->characterRect(13).topLeft() + QPoint(1, 2);
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, vp->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    QCOMPARE(m_view->selectionStart(), 2);
    QCOMPARE(m_view->selectionLength(), 11);
    QCOMPARE(m_view->selectedText(), QString("cd efgh\r\nij"));

    QApplication::clipboard()->clear();
    QTest::keySequence(m_view, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QString("cd efgh\nij"));

    // Double click selects a word.
    QTest::mouseDClick(vp, Qt::LeftButton, {}, m_view->characterRect(6).center());
    QCOMPARE(m_view->selectedText(), QString("efgh"));

    QTest::keySequence(m_view, QKeySequence::SelectAll);
    QCOMPARE(m_view->selectionLength(), m_view->length());
}

void TestReadingView::keysMoveOverLineBreaks() {
    makeView(10);
    m_view->setText("ab\r\ncd");
    m_view->setFocus();
    m_view->setCaretPosition(2);
    QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(m_view->caretPosition(), 4);
    QTest::keyClick(m_view, Qt::Key_Left);
    QCOMPARE(m_view->caretPosition(), 2);
    QTest::keyClick(m_view, Qt::Key_Down);
    QCOMPARE(m_view->caretPosition(), 6);
    QTest::keyClick(m_view, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(m_view->selectionStart(), 4);
    QCOMPARE(m_view->selectionLength(), 2);
    QTest::keyClick(m_view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_view->caretPosition(), 0);
    QCOMPARE(m_view->selectionLength(), 0);
}

void TestReadingView::alignmentPlacesLines_data() {
    QTest::addColumn<int>("alignment");
    QTest::newRow("left") << int(Qt::AlignLeft);
    QTest::newRow("centre") << int(Qt::AlignHCenter);
    QTest::newRow("right") << int(Qt::AlignRight);
}

void TestReadingView::alignmentPlacesLines() {
    QFETCH(int, alignment);
    makeView(20);
    // "ab cd " leaves 14 characters of room in a 20-character column; its trailing blank
    // does not count.
    m_view->setText("ab cd \r\nabcdefghijklmnopqrst");
    m_view->setAlignment(Qt::Alignment(alignment));
    QCOMPARE(m_view->alignment(), Qt::Alignment(alignment));
    const int left = m_view->columnLeft();
    const int right = m_view->columnRight();
    const int firstX = m_view->characterRect(0).left();
    const int lastX = m_view->characterRect(4).right() + 1;
    if (alignment == Qt::AlignLeft) {
        QCOMPARE(firstX, left);
    } else if (alignment == Qt::AlignRight) {
        QVERIFY(qAbs(lastX - right) <= 1);
    } else {
        QVERIFY(qAbs((firstX - left) - (right - lastX)) <= 2);
        QVERIFY(firstX > left + 5 * m_charWidth);
    }
    // A full line starts at the column's left edge whatever the alignment.
    QCOMPARE(m_view->characterRect(8).left(), left);
}

void TestReadingView::layoutNotRebuiltByPlayback() {
    makeView(10);
    QStringList words;
    for (int i = 0; i < 200; ++i)
        words << "слово";
    m_view->setText(words.join(u' '));
    QVERIFY(m_view->lineCount() > 50);
    const quint64 built = m_view->layoutRevision();

    m_view->setSelectionHidden(true);
    m_view->setRangeColor(0, 5, Qt::black);
    m_view->setRangeColor(0, 5, Silver);
    m_view->setRangeColor(6, 5, Qt::black);
    m_view->setSelection(6, 5);
    m_view->setCaretPosition(20);
    QCOMPARE(m_view->lineFromPosition(300), 50); // "слово " a line
    m_view->scrollLines(10);
    m_view->setAlignment(Qt::AlignHCenter);
    m_view->setColumn(20, 20 + m_view->columnRight() - m_view->columnLeft()); // moved, same width
    // The font it already has.
    m_view->setTextFont(QFont(m_view->textFont()));
    QApplication::processEvents();
    QCOMPARE(m_view->firstVisibleLine(), 10);
    QCOMPARE(m_view->layoutRevision(), built);

    const int narrowLines = m_view->lineCount();
    m_view->setColumn(20, 20 + 25 * m_charWidth);
    QCOMPARE(m_view->lineCount(), narrowLines / 4); // four words a line
    QVERIFY(m_view->layoutRevision() > built);
    const quint64 widened = m_view->layoutRevision();
    QFont bigger = m_view->textFont();
    bigger.setPixelSize(24);
    m_view->setTextFont(bigger);
    m_view->lineCount();
    QVERIFY(m_view->layoutRevision() > widened);
}

void TestReadingView::playbackRepaintsOnlyChangedLines() {
    makeView(10);
    QStringList words;
    for (int i = 0; i < 200; ++i)
        words << "word";
    m_view->setText(words.join(u' ')); // two words a line
    // As during a run: the panel around the view is disabled and the selection hidden.
    m_window->setEnabled(false);
    m_view->setSelectionHidden(true);
    QApplication::processEvents();
    PaintRecorder recorder;
    m_view->viewport()->installEventFilter(&recorder);
    const int lh = m_view->lineHeight();

    // A field on line 3 turns black.
    m_view->setRangeColor(30, 4, Qt::black);
    m_view->setSelection(30, 4);
    QApplication::processEvents();
    QCOMPARE(recorder.regions.size(), 1);
    QCOMPARE(recorder.regions[0].boundingRect(), QRect(0, 3 * lh, m_view->viewport()->width(), lh));

    // The step to the next field, on line 4, repaints lines 3 and 4.
    recorder.regions.clear();
    m_view->setRangeColor(30, 4, Silver);
    m_view->setRangeColor(40, 4, Qt::black);
    m_view->setSelection(40, 4);
    QApplication::processEvents();
    QCOMPARE(recorder.regions.size(), 1);
    QCOMPARE(recorder.regions[0].boundingRect(),
             QRect(0, 3 * lh, m_view->viewport()->width(), 2 * lh));

    // A hidden selection repaints nothing; a field out of view neither.
    recorder.regions.clear();
    m_view->setSelection(0, 8);
    m_view->setRangeColor(900, 4, Qt::black);
    QApplication::processEvents();
    QVERIFY(recorder.regions.isEmpty());

    // Scrolling by a line moves the picture and paints only the line uncovered at the
    // bottom; scrolling by a page repaints the view.
    const QRect viewRect = m_view->viewport()->rect();
    m_view->scrollLines(1);
    QApplication::processEvents();
    QCOMPARE(recorder.regions.size(), 1);
    QCOMPARE(recorder.regions[0].boundingRect(),
             QRect(0, viewRect.height() - lh, viewRect.width(), lh));
    recorder.regions.clear();
    m_view->scrollLines(m_view->visibleLineCount());
    QApplication::processEvents();
    QCOMPARE(recorder.regions.size(), 1);
    QCOMPARE(recorder.regions[0].boundingRect(), viewRect);
}

// What the window system shows, read from the window's backing store (not a fresh render).
static QImage shownPixels(QWidget* window) {
    QApplication::processEvents();
    return window->screen()->grabWindow(window->winId()).toImage();
}

void TestReadingView::partialRepaintsMatchFullRepaint() {
    makeView(20);
    m_window->setEnabled(false);
    m_view->setSelectionHidden(true);
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QString::fromUtf8(i % 3 ? "щуки " : "йогурт ");
    m_view->setText(text);
    const QImage before = shownPixels(m_window);
    QVERIFY(!before.isNull());

    // Fields move over line ends, and the view scrolls by one line and by a page.
    int start = 0;
    for (int step = 0; step < 40; ++step) {
        m_view->setRangeColor(start, 9, Silver);
        start += 9;
        m_view->setRangeColor(start, 9, Qt::black);
        m_view->setSelection(start, 9);
        if (step % 7 == 6)
            m_view->scrollLines(1);
        if (step == 30)
            m_view->scrollLines(m_view->visibleLineCount());
        QApplication::processEvents();
    }
    const QImage partial = shownPixels(m_window);
    QVERIFY(partial != before);
    m_view->viewport()->update();
    const QImage full = shownPixels(m_window);
    QCOMPARE(partial, full);
}

void TestReadingView::columnFollowsViewportUntilSet() {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(16);
    m_view->setTextFont(font);
    m_view->setText(charsOf(400));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_view->columnLeft(), 0);
    QCOMPARE(m_view->columnRight(), m_view->viewport()->width());
    const int wide = m_view->lineLength(0);
    QVERIFY(wide > 10);
    m_view->resize(m_view->width() / 2, m_view->height());
    QVERIFY(m_view->lineLength(0) < wide);
    m_view->setColumn(0, 5 * m_view->lineHeight());
    const int fixed = m_view->lineLength(0);
    m_view->resize(400, 300);
    QCOMPARE(m_view->lineLength(0), fixed);
}

void TestReadingView::geometryQueries() {
    makeView(10);
    m_view->setText("abcd efgh ijkl");
    const QRect a = m_view->characterRect(0);
    const QRect b = m_view->characterRect(1);
    QCOMPARE(a.top(), 0);
    QCOMPARE(a.height(), m_view->lineHeight());
    QCOMPARE(a.left(), m_view->columnLeft());
    QVERIFY(b.left() >= a.left() + m_charWidth - 1);
    QCOMPARE(m_view->characterRect(10).top(), m_view->lineHeight());
    QCOMPARE(m_view->positionAt(b.center()), 1);
    m_view->scrollLines(1);
    QCOMPARE(m_view->characterRect(10).top(), 0);
    QCOMPARE(m_view->positionAt(QPoint(m_view->columnLeft() + 1, 1)), 10);
    QCOMPARE(m_view->positionAt(QPoint(m_view->columnLeft() + 1, -2)), 0);
}

QTEST_MAIN(TestReadingView)
#include "tst_readingview.moc"
