#pragma once

#include <QAccessibleWidget>

#include <utility>

class ReadingView;

// What screen readers and UI automation see of a ReadingView: a read-only text of many lines
// with its caret and selection. Every answer is read from the view's own text and table of
// display lines, so a question about one line of a text of several megabytes costs no more
// than the line.
class ReadingViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadingViewAccessible(ReadingView* view);
    // The accessibility factory for ReadingView objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::State state() const override;
    using QAccessibleWidget::text;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Selection and caret. A disabled view (during a run) is read, never changed.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;

    // Text by offsets and by units: characters, words, sentences, display lines, paragraphs.
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;

    // Geometry in screen coordinates.
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    ReadingView* view() const;
    // The unit of this kind that holds offset, as [start, end).
    std::pair<int, int> unitAt(int offset, QAccessible::TextBoundaryType type) const;
    std::pair<int, int> lineAt(int offset) const;
    std::pair<int, int> paragraphAt(int offset) const;
    std::pair<int, int> segmentAt(int offset, QAccessible::TextBoundaryType type) const;
    QString answer(std::pair<int, int> unit, int* startOffset, int* endOffset) const;
};
