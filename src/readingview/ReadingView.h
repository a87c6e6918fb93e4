#pragma once

#include "readingview/ColorRanges.h"
#include "readingview/LineTable.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <memory>

class CharAdvances;

// A read-only view of a text in one column, made for reading exercises.
//
// The text is a QString in which a line break is CR LF, so positions and lengths count both
// characters. Lines are wrapped into the column (see LineTable); the table of display lines is
// built lazily and rebuilt only when the text, the font or the column width change. Colours
// are ranges over positions on top of a base colour. Painting a field, selecting it and
// looking up its line cost O(log n) and repaint only the lines they touch, so a step of
// playback does not get slower as the text gets longer.
//
// The vertical scroll bar is always shown and its value is the first visible display line;
// the view scrolls by whole lines, from line 0 until the last line is the first visible one.
// A disabled view ignores the mouse wheel, clicks and keys.
class ReadingView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ReadingView(QWidget* parent = nullptr);
    ~ReadingView() override;

    // Text. Replacing the text puts the caret at 0, scrolls to the top and clears every colour
    // range; the base colour stays.
    void setText(const QString& text);
    const QString& text() const { return m_text; }
    int length() const { return int(m_text.size()); }
    void clear();

    void setTextFont(const QFont& font); // the font it has already changes nothing
    QFont textFont() const { return m_font; }
    int lineHeight() const { return m_lineHeight; }

    // Colours. setBaseColor gives all text one colour and clears every range.
    void setBaseColor(const QColor& c);
    QColor baseColor() const { return m_baseColor; }
    void setRangeColor(int start, int length, const QColor& c);
    QColor colorAt(int pos) const;

    // Layout. The column edges are in viewport pixels; until setColumn is called the column
    // spans the whole viewport and follows its width.
    void setAlignment(Qt::Alignment a); // AlignLeft, AlignHCenter or AlignRight
    Qt::Alignment alignment() const { return m_alignment; }
    void setColumn(int left, int right);
    int columnLeft() const;
    int columnRight() const;

    // Caret and selection. The selection runs from an anchor to the caret.
    int caretPosition() const { return m_caret; }
    void setCaretPosition(int pos); // also collapses the selection
    void setSelection(int start, int length);
    int selectionStart() const { return std::min(m_anchor, m_caret); }
    int selectionLength() const { return std::abs(m_caret - m_anchor); }
    QString selectedText() const;
    void selectAll();
    void copy() const;                    // the selection to the clipboard, line breaks as "\n"
    void setSelectionHidden(bool hidden); // while hidden, neither highlight nor caret is painted
    bool isSelectionHidden() const { return m_selectionHidden; }

    // Display lines. Out-of-range lines give -1 as start, 0 as length and an empty text.
    int lineCount() const;
    int lineFromPosition(int pos) const;
    int columnFromPosition(int pos) const;
    int lineStart(int line) const;
    int lineLength(int line) const;
    QString lineText(int line) const;
    // Counts rebuilds of the line table; tells a caller whether positions it kept still hold.
    quint64 layoutRevision() const { return m_layoutRevision; }

    // Scrolling by whole display lines.
    int firstVisibleLine() const;
    int visibleLineCount() const; // whole lines the viewport shows
    void scrollToTop();
    void scrollLines(int n); // clamped to the text

    // Geometry in viewport coordinates.
    QRect characterRect(int pos) const; // the cell of the character at pos (or the caret there)
    int positionAt(const QPoint& point) const;

signals:
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureLayout() const;
    void invalidateLayout();
    void updateScrollRange() const;
    int columnWidth() const;
    qint64 lineLeft(int line) const; // x of the line's first character, in 1/64 pixel
    qint64 advanceBetween(int from, int to) const;
    void paintLine(QPainter& painter, int line, int top, int clipRight) const;
    void updatePositions(int from, int to);
    void moveCursor(int anchor, int caret);
    void announceCursor(); // tells accessibility where the caret and selection are
    bool caretShown() const;
    void restartBlink();
    int clampPosition(int pos) const { return std::clamp(pos, 0, length()); }

    QString m_text;
    QFont m_font;
    QFont m_paintFont; // m_font laid out glyph by glyph, so it matches the advance table
    int m_lineHeight = 0;
    int m_ascent = 0;
    std::unique_ptr<CharAdvances> m_advances;

    QColor m_baseColor{Qt::black};
    ColorRanges m_colors;

    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_columnFollowsViewport = true;
    int m_columnLeft = 0;
    int m_columnRight = 0;

    int m_anchor = 0;
    int m_caret = 0;
    bool m_selectionHidden = false;
    bool m_dragging = false;
    bool m_blinkOn = true;
    QBasicTimer m_blinkTimer;

    mutable LineTable m_lines;
    mutable bool m_layoutDirty = true;
    mutable quint64 m_layoutRevision = 0;
    mutable int m_builtWidth = -1; // column width the line table was built for
};
