#include "readingview/ReadingView.h"

#include "readingview/CharAdvances.h"
#include "readingview/ReadingViewAccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

namespace {

constexpr int Unit = CharAdvances::Unit;

} // namespace

ReadingView::ReadingView(QWidget* parent) : QAbstractScrollArea(parent) {
    [[maybe_unused]] static const bool accessible = [] {
        QAccessible::installFactory(&ReadingViewAccessible::create);
        return true;
    }();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    // paintEvent fills its own background.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, 0);
    // A wheel turned over the scroll bar also moves one line.
    verticalScrollBar()->installEventFilter(this);
    setTextFont(font());
}

ReadingView::~ReadingView() = default;

// ---- text -------------------------------------------------------------------------------

void ReadingView::setText(const QString& text) {
    const QString old = m_text; // shared, not copied
    m_text = text;
    m_colors.clear();
    m_anchor = m_caret = 0;
    m_dragging = false;
    invalidateLayout();
    verticalScrollBar()->setValue(0);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent update(this, 0, old, m_text);
        QAccessible::updateAccessibility(&update);
    }
    emit textChanged();
}

void ReadingView::clear() {
    setText(QString());
}

void ReadingView::setTextFont(const QFont& font) {
    if (m_advances && font == m_font)
        return; // the same font: the lines stay as they are wrapped
    m_font = font;
    // Glyphs are placed one by one, without kerning, so that the widths the lines were
    // wrapped with are the widths that get painted.
    m_paintFont = font;
    m_paintFont.setKerning(false);
    m_paintFont.setStyleStrategy(
        QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));

    const QFontMetrics metrics(m_paintFont, viewport());
    m_lineHeight = std::max(1, metrics.height());
    m_ascent = metrics.ascent();

    const QFontMetricsF exact(m_paintFont, viewport());
    m_advances = std::make_unique<CharAdvances>([exact](char32_t c) -> qint32 {
        if (c == U'\t')
            c = U' '; // a tab is painted as a blank
        const qreal a = c < 0x10000 ? exact.horizontalAdvance(QChar(char16_t(c)))
                                    : exact.horizontalAdvance(QString::fromUcs4(&c, 1));
        return qint32(qRound(a * Unit));
    });
    invalidateLayout();
    verticalScrollBar()->setPageStep(std::max(1, visibleLineCount()));
}

// ---- colours ----------------------------------------------------------------------------

void ReadingView::setBaseColor(const QColor& c) {
    m_baseColor = c;
    m_colors.clear();
    viewport()->update();
}

void ReadingView::setRangeColor(int start, int length, const QColor& c) {
    const qint64 a = start;
    const qint64 b = a + length;
    const int from = int(std::clamp<qint64>(std::min(a, b), 0, this->length()));
    const int to = int(std::clamp<qint64>(std::max(a, b), 0, this->length()));
    if (from >= to)
        return;
    if (c.rgba() == m_baseColor.rgba())
        m_colors.reset(from, to);
    else
        m_colors.assign(from, to, c.rgba());
    updatePositions(from, to - 1);
}

QColor ReadingView::colorAt(int pos) const {
    const ColorRanges::Segment seg = m_colors.segmentAt(pos);
    return seg.isBase ? m_baseColor : QColor::fromRgba(seg.color);
}

// ---- layout -----------------------------------------------------------------------------

void ReadingView::setAlignment(Qt::Alignment a) {
    a &= Qt::AlignHorizontal_Mask;
    if (a == m_alignment)
        return;
    m_alignment = a;
    // Alignment moves lines sideways but does not change where they break.
    viewport()->update();
}

void ReadingView::setColumn(int left, int right) {
    if (right < left)
        std::swap(left, right);
    const int oldLeft = columnLeft();
    m_columnFollowsViewport = false;
    m_columnLeft = left;
    m_columnRight = right;
    if (columnWidth() != m_builtWidth)
        invalidateLayout();
    else if (left != oldLeft)
        viewport()->update();
}

int ReadingView::columnLeft() const {
    return m_columnFollowsViewport ? 0 : m_columnLeft;
}

int ReadingView::columnRight() const {
    return m_columnFollowsViewport ? viewport()->width() : m_columnRight;
}

int ReadingView::columnWidth() const {
    return columnRight() - columnLeft();
}

void ReadingView::invalidateLayout() {
    m_layoutDirty = true;
    viewport()->update();
}

void ReadingView::ensureLayout() const {
    if (!m_layoutDirty)
        return;
    m_layoutDirty = false;
    m_builtWidth = columnWidth();
    m_lines.build(m_text, *m_advances, m_builtWidth);
    ++m_layoutRevision;
    updateScrollRange();
}

void ReadingView::updateScrollRange() const {
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(1, visibleLineCount()));
    bar->setRange(0, std::max(0, m_lines.lineCount() - 1));
}

qint64 ReadingView::lineLeft(int line) const {
    const qint64 left = qint64(columnLeft()) * Unit;
    const qint64 room = qint64(columnWidth()) * Unit - m_lines.lineWidth(line);
    if (room <= 0)
        return left;
    qint64 offset = 0;
    if (m_alignment & Qt::AlignRight)
        offset = room;
    else if (m_alignment & Qt::AlignHCenter)
        offset = room / 2;
    // Lines start on whole pixels, so equal lines look equal wherever they stand.
    return left + offset / Unit * Unit;
}

qint64 ReadingView::advanceBetween(int from, int to) const {
    qint64 width = 0;
    const char16_t* s = QStringView(m_text).utf16();
    for (int i = from; i < to; ++i) {
        const char16_t c = s[i];
        if (QChar::isHighSurrogate(c) && i + 1 < length() && QChar::isLowSurrogate(s[i + 1])) {
            width += m_advances->advanceOfCodePoint(QChar::surrogateToUcs4(c, s[i + 1]));
            ++i;
        } else {
            width += m_advances->advance(c);
        }
    }
    return width;
}

// ---- lines ------------------------------------------------------------------------------

int ReadingView::lineCount() const {
    ensureLayout();
    return m_lines.lineCount();
}

int ReadingView::lineFromPosition(int pos) const {
    ensureLayout();
    return m_lines.lineFromPosition(pos);
}

int ReadingView::columnFromPosition(int pos) const {
    ensureLayout();
    return m_lines.columnFromPosition(pos);
}

int ReadingView::lineStart(int line) const {
    ensureLayout();
    return m_lines.lineStart(line);
}

int ReadingView::lineLength(int line) const {
    ensureLayout();
    return m_lines.lineLength(line);
}

QString ReadingView::lineText(int line) const {
    ensureLayout();
    if (line < 0 || line >= m_lines.lineCount())
        return {};
    return m_text.mid(m_lines.lineStart(line), m_lines.lineLength(line));
}

// ---- scrolling --------------------------------------------------------------------------

int ReadingView::firstVisibleLine() const {
    ensureLayout();
    return verticalScrollBar()->value();
}

int ReadingView::visibleLineCount() const {
    return viewport()->height() / m_lineHeight;
}

void ReadingView::scrollToTop() {
    ensureLayout();
    verticalScrollBar()->setValue(0);
}

void ReadingView::scrollLines(int n) {
    ensureLayout();
    QScrollBar* bar = verticalScrollBar();
    const qint64 target = qint64(bar->value()) + n;
    bar->setValue(int(std::clamp<qint64>(target, bar->minimum(), bar->maximum())));
}

void ReadingView::scrollContentsBy(int, int dy) {
    // dy is in lines. A short scroll moves the pixels and repaints only the uncovered lines.
    if (std::abs(dy) < visibleLineCount())
        viewport()->scroll(0, dy * m_lineHeight);
    else
        viewport()->update();
}

// ---- caret and selection ----------------------------------------------------------------

void ReadingView::setCaretPosition(int pos) {
    moveCursor(pos, pos);
}

void ReadingView::setSelection(int start, int length) {
    const qint64 end = qint64(start) + length;
    moveCursor(start, int(std::clamp<qint64>(end, 0, this->length())));
}

QString ReadingView::selectedText() const {
    return m_text.mid(selectionStart(), selectionLength());
}

void ReadingView::selectAll() {
    moveCursor(0, length());
}

void ReadingView::copy() const {
    if (selectionLength() == 0)
        return;
    QString s = selectedText();
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(u'\r', u'\n');
    QGuiApplication::clipboard()->setText(s);
}

void ReadingView::setSelectionHidden(bool hidden) {
    if (hidden == m_selectionHidden)
        return;
    m_selectionHidden = hidden;
    viewport()->update();
}

void ReadingView::moveCursor(int anchor, int caret) {
    anchor = clampPosition(anchor);
    caret = clampPosition(caret);
    if (anchor == m_anchor && caret == m_caret)
        return;
    const int oldFrom = selectionStart();
    const int oldTo = oldFrom + selectionLength();
    m_anchor = anchor;
    m_caret = caret;
    announceCursor();
    if (hasFocus())
        restartBlink();
    // A hidden selection paints nothing, and a caret is painted only with the focus.
    if (m_selectionHidden)
        return;
    const bool paintsCaret = hasFocus() && isEnabled();
    if (oldTo > oldFrom || paintsCaret)
        updatePositions(oldFrom, oldTo);
    if (m_anchor != m_caret || paintsCaret)
        updatePositions(selectionStart(), selectionStart() + selectionLength());
}

void ReadingView::announceCursor() {
    if (!QAccessible::isActive())
        return;
    if (m_anchor != m_caret) {
        QAccessibleTextSelectionEvent selection(this, selectionStart(),
                                                selectionStart() + selectionLength());
        selection.setCursorPosition(m_caret);
        QAccessible::updateAccessibility(&selection);
    } else {
        QAccessibleTextCursorEvent cursor(this, m_caret);
        QAccessible::updateAccessibility(&cursor);
    }
}

bool ReadingView::caretShown() const {
    return !m_selectionHidden && m_anchor == m_caret && hasFocus() && isEnabled();
}

void ReadingView::restartBlink() {
    m_blinkOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash >= 2 && hasFocus() && isEnabled())
        m_blinkTimer.start(flash / 2, this);
    else
        m_blinkTimer.stop();
}

void ReadingView::updatePositions(int from, int to) {
    if (m_layoutDirty)
        return; // the whole viewport is already due for repainting
    const int first = verticalScrollBar()->value();
    const int last = first + visibleLineCount(); // the partly shown line too
    const int a = std::max(m_lines.lineFromPosition(from), first);
    const int b = std::min(m_lines.lineFromPosition(std::max(from, to)), last);
    if (a > b)
        return;
    viewport()->update(0, (a - first) * m_lineHeight, viewport()->width(),
                       (b - a + 1) * m_lineHeight);
}

// ---- geometry ---------------------------------------------------------------------------

QRect ReadingView::characterRect(int pos) const {
    ensureLayout();
    pos = clampPosition(pos);
    const int line = m_lines.lineFromPosition(pos);
    const int start = m_lines.lineStart(line);
    const int end = m_lines.lineEnd(line);
    const qint64 x = lineLeft(line) + advanceBetween(start, std::min(pos, end));
    const qint64 w = pos < end ? advanceBetween(pos, pos + 1) : m_advances->advance(u' ');
    const int left = int(x / Unit);
    const int right = int((x + w + Unit - 1) / Unit);
    const int top = (line - verticalScrollBar()->value()) * m_lineHeight;
    return QRect(left, top, std::max(1, right - left), m_lineHeight);
}

int ReadingView::positionAt(const QPoint& point) const {
    ensureLayout();
    const int y = point.y();
    const int row = y >= 0 ? y / m_lineHeight : -((-y + m_lineHeight - 1) / m_lineHeight);
    const int line = std::clamp(verticalScrollBar()->value() + row, 0, m_lines.lineCount() - 1);
    const int end = m_lines.lineEnd(line);
    qint64 x = qint64(point.x()) * Unit - lineLeft(line);
    const char16_t* s = QStringView(m_text).utf16();
    for (int pos = m_lines.lineStart(line); pos < end;) {
        const int step = QChar::isHighSurrogate(s[pos]) && pos + 1 < end ? 2 : 1;
        const qint64 a = advanceBetween(pos, pos + step);
        if (x < a / 2)
            return pos;
        x -= a;
        pos += step;
    }
    return end;
}

// ---- painting ---------------------------------------------------------------------------

void ReadingView::paintEvent(QPaintEvent* event) {
    ensureLayout();
    QPainter painter(viewport());
    painter.setFont(m_paintFont);
    const int first = verticalScrollBar()->value();
    const int width = viewport()->width();
    const int lastLine = m_lines.lineCount() - 1;
    const int caretLine = caretShown() && m_blinkOn ? m_lines.lineFromPosition(m_caret) : -1;
    const QRegion& region = event->region();
    for (const QRect& r : region)
        painter.fillRect(r, Qt::white);
    // The region's rectangles come sorted from top to bottom; each line is painted once.
    int nextLine = first;
    for (const QRect& r : region) {
        const int top = std::max(nextLine, first + r.top() / m_lineHeight);
        const int bottom = std::min(lastLine, first + r.bottom() / m_lineHeight);
        for (int line = top; line <= bottom; ++line) {
            const int y = (line - first) * m_lineHeight;
            paintLine(painter, line, y, width);
            if (line == caretLine) {
                const qint64 x =
                    lineLeft(line) + advanceBetween(m_lines.lineStart(line),
                                                    std::min(m_caret, m_lines.lineEnd(line)));
                painter.fillRect(QRect(int(x / Unit), y, 1, m_lineHeight), Qt::black);
            }
        }
        nextLine = std::max(nextLine, bottom + 1);
    }
}

void ReadingView::paintLine(QPainter& painter, int line, int top, int clipRight) const {
    const int start = m_lines.lineStart(line);
    const int end = m_lines.lineEnd(line);
    const qint64 limit = qint64(clipRight) * Unit;
    const bool showSelection = !m_selectionHidden && m_anchor != m_caret;
    const int selFrom = selectionStart();
    const int selTo = selFrom + selectionLength();
    const QPalette& pal = palette();
    const qreal baseline = top + m_ascent;
    const char16_t* s = QStringView(m_text).utf16();

    qint64 x = lineLeft(line);
    int pos = start;
    while (pos < end && x < limit) {
        const ColorRanges::Segment seg = m_colors.segmentAt(pos);
        int runEnd = std::min(end, seg.end);
        bool selected = false;
        if (showSelection) {
            if (pos < selFrom) {
                runEnd = std::min(runEnd, selFrom);
            } else if (pos < selTo) {
                selected = true;
                runEnd = std::min(runEnd, selTo);
            }
        }
        // Measure the run, and stop at the right edge: blanks may overhang a long way.
        qint64 w = 0;
        int stop = pos;
        while (stop < runEnd && x + w < limit) {
            const int step = QChar::isHighSurrogate(s[stop]) && stop + 1 < end ? 2 : 1;
            w += advanceBetween(stop, stop + step);
            stop += step;
        }
        const qreal left = qreal(x) / Unit;
        if (selected)
            painter.fillRect(QRectF(left, top, qreal(w) / Unit, m_lineHeight),
                             pal.color(QPalette::Highlight));
        painter.setPen(selected     ? pal.color(QPalette::HighlightedText)
                       : seg.isBase ? m_baseColor
                                    : QColor::fromRgba(seg.color));
        QString run(m_text.constData() + pos, stop - pos);
        run.replace(u'\t', u' ');
        painter.drawText(QPointF(left, baseline), run);
        x += w;
        pos = stop;
    }
    // A selected line break shows as a blank-wide highlight after the line.
    if (showSelection && m_lines.breakLength(line) > 0 && end >= selFrom && end < selTo &&
        x < limit)
        painter.fillRect(
            QRectF(qreal(x) / Unit, top, qreal(m_advances->advance(u' ')) / Unit, m_lineHeight),
            pal.color(QPalette::Highlight));
}

void ReadingView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (columnWidth() != m_builtWidth)
        invalidateLayout(); // the column follows the viewport
    verticalScrollBar()->setPageStep(std::max(1, visibleLineCount()));
}
