#include "readingview/ReadingViewAccessible.h"

#include "readingview/ReadingView.h"

#include <QScrollBar>
#include <QTextBoundaryFinder>

namespace {

// Words and sentences are looked for within this many characters either side of the offset;
// a longer sentence is cut there, which keeps every answer small.
constexpr int SegmentReach = 2000;

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

ReadingViewAccessible::ReadingViewAccessible(ReadingView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

QAccessibleInterface* ReadingViewAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String("ReadingView") && object && object->isWidgetType())
        return new ReadingViewAccessible(static_cast<ReadingView*>(object));
    return nullptr;
}

ReadingView* ReadingViewAccessible::view() const {
    return static_cast<ReadingView*>(widget());
}

QAccessible::State ReadingViewAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void* ReadingViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// ---- selection and caret ----------------------------------------------------------------

void ReadingViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = view()->selectionStart();
    *endOffset = *startOffset + view()->selectionLength();
}

int ReadingViewAccessible::selectionCount() const {
    return view()->selectionLength() > 0 ? 1 : 0;
}

void ReadingViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset); // the view holds one selection
}

void ReadingViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0 && view()->isEnabled())
        view()->setCaretPosition(view()->caretPosition());
}

void ReadingViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0 || !view()->isEnabled())
        return;
    view()->setSelection(startOffset, endOffset - startOffset);
}

int ReadingViewAccessible::cursorPosition() const {
    return view()->caretPosition();
}

void ReadingViewAccessible::setCursorPosition(int position) {
    if (view()->isEnabled())
        view()->setCaretPosition(position);
}

// ---- text -------------------------------------------------------------------------------

int ReadingViewAccessible::characterCount() const {
    return view()->length();
}

QString ReadingViewAccessible::text(int startOffset, int endOffset) const {
    const int length = view()->length();
    startOffset = std::clamp(startOffset, 0, length);
    endOffset = endOffset < 0 ? length : std::clamp(endOffset, startOffset, length);
    return view()->text().mid(startOffset, endOffset - startOffset);
}

std::pair<int, int> ReadingViewAccessible::lineAt(int offset) const {
    const ReadingView* v = view();
    const int line = v->lineFromPosition(offset);
    const int start = v->lineStart(line);
    // A line runs to the next one's start, its line break included.
    const int end = line + 1 < v->lineCount() ? v->lineStart(line + 1) : v->length();
    return {start, end};
}

std::pair<int, int> ReadingViewAccessible::paragraphAt(int offset) const {
    const QString& t = view()->text();
    int start = offset;
    while (start > 0 && !isLineBreak(t.at(start - 1)))
        --start;
    int end = offset;
    while (end < t.size() && !isLineBreak(t.at(end)))
        ++end;
    if (end < t.size() && t.at(end) == u'\r')
        ++end;
    if (end < t.size() && t.at(end) == u'\n')
        ++end;
    return {start, end};
}

std::pair<int, int> ReadingViewAccessible::segmentAt(int offset,
                                                     QAccessible::TextBoundaryType type) const {
    const QString& t = view()->text();
    const int from = std::max(0, offset - SegmentReach);
    const int to = std::min(int(t.size()), offset + SegmentReach);
    QTextBoundaryFinder finder(type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                 : QTextBoundaryFinder::Sentence,
                               t.constData() + from, to - from);
    // The segment starts at the offset when a boundary is there, else at the one before.
    int start = offset - from;
    finder.setPosition(start);
    if (start == to - from || !finder.isAtBoundary())
        start = std::max(0, int(finder.toPreviousBoundary()));
    finder.setPosition(start);
    const int end = int(finder.toNextBoundary());
    return {from + start, from + (end < 0 ? to - from : end)};
}

std::pair<int, int> ReadingViewAccessible::unitAt(int offset,
                                                  QAccessible::TextBoundaryType type) const {
    const QString& t = view()->text();
    const int length = int(t.size());
    offset = std::clamp(offset, 0, length);
    switch (type) {
    case QAccessible::CharBoundary:
        if (offset == length)
            return {length, length};
        if (offset > 0 && t.at(offset).isLowSurrogate() && t.at(offset - 1).isHighSurrogate())
            --offset;
        return {offset, std::min(length, offset + (t.at(offset).isHighSurrogate() ? 2 : 1))};
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary:
        return segmentAt(offset, type);
    case QAccessible::LineBoundary:
        return lineAt(offset);
    case QAccessible::ParagraphBoundary:
        return paragraphAt(offset);
    case QAccessible::NoBoundary:
        break;
    }
    return {0, length};
}

QString ReadingViewAccessible::answer(std::pair<int, int> unit, int* startOffset,
                                      int* endOffset) const {
    *startOffset = unit.first;
    *endOffset = unit.second;
    return text(unit.first, unit.second);
}

QString ReadingViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return answer(unitAt(offset, boundaryType), startOffset, endOffset);
}

QString ReadingViewAccessible::textBeforeOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int* startOffset, int* endOffset) const {
    const auto at = unitAt(offset, boundaryType);
    if (at.first <= 0)
        return answer({0, 0}, startOffset, endOffset);
    return answer(unitAt(at.first - 1, boundaryType), startOffset, endOffset);
}

QString ReadingViewAccessible::textAfterOffset(int offset,
                                               QAccessible::TextBoundaryType boundaryType,
                                               int* startOffset, int* endOffset) const {
    const int length = view()->length();
    const auto at = unitAt(offset, boundaryType);
    if (at.second >= length)
        return answer({length, length}, startOffset, endOffset);
    return answer(unitAt(at.second, boundaryType), startOffset, endOffset);
}

// ---- geometry ---------------------------------------------------------------------------

QRect ReadingViewAccessible::characterRect(int offset) const {
    const QRect cell = view()->characterRect(offset);
    return QRect(view()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

int ReadingViewAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return view()->positionAt(local);
}

void ReadingViewAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
    ReadingView* v = view();
    const int line = v->lineFromPosition(startIndex);
    const int first = v->firstVisibleLine();
    if (line < first || line >= first + std::max(1, v->visibleLineCount()))
        v->scrollLines(line - first);
}

QString ReadingViewAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
    // One look throughout: no attributes to tell apart.
    *startOffset = 0;
    *endOffset = view()->length();
    return {};
}
