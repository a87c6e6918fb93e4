// Keyboard, mouse and focus handling of the reading view.
#include "readingview/ReadingView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>

// ---- input ------------------------------------------------------------------------------

void ReadingView::wheelEvent(QWheelEvent* event) {
    // One display line per wheel event, whatever the system's lines-per-notch setting.
    const QPoint angle = event->angleDelta();
    const int dy = angle.y() != 0 ? angle.y() : event->pixelDelta().y();
    if (dy == 0) {
        event->ignore();
        return;
    }
    scrollLines(dy > 0 ? -1 : 1);
    event->accept();
}

bool ReadingView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        if (isEnabled())
            wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void ReadingView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const int pos = positionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier)
        moveCursor(m_anchor, pos);
    else
        moveCursor(pos, pos);
    m_dragging = true;
    event->accept();
}

void ReadingView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (p.y() < 0)
        scrollLines(-1);
    else if (p.y() >= viewport()->height())
        scrollLines(1);
    moveCursor(m_anchor, positionAt(p));
    event->accept();
}

void ReadingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (selectionLength() > 0 && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
    event->accept();
}

void ReadingView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // Select the word under the pointer.
    const int pos = positionAt(event->position().toPoint());
    auto inWord = [this](int i) {
        const QChar c = m_text[i];
        return c != u' ' && c != u'\t' && c != u'\r' && c != u'\n';
    };
    int from = pos;
    int to = pos;
    while (from > 0 && inWord(from - 1))
        --from;
    while (to < length() && inWord(to))
        ++to;
    moveCursor(from, to);
    event->accept();
}

void ReadingView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        copy();
        event->accept();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        event->accept();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int line = lineFromPosition(m_caret);
    const QRect caretCell = characterRect(m_caret);
    int target = m_caret;
    switch (event->key()) {
    case Qt::Key_Left:
        target = m_caret - 1;
        // CR LF and surrogate pairs are stepped over whole.
        if (target > 0 && (m_text[target] == u'\n' && m_text[target - 1] == u'\r'))
            --target;
        else if (target > 0 && m_text[target].isLowSurrogate())
            --target;
        break;
    case Qt::Key_Right:
        target = m_caret + 1;
        if (m_caret < length() && m_text[m_caret] == u'\r' && target < length() &&
            m_text[target] == u'\n')
            ++target;
        else if (m_caret < length() && m_text[m_caret].isHighSurrogate())
            ++target;
        break;
    case Qt::Key_Up:
        target = line == 0 ? m_caret : positionAt(caretCell.topLeft() - QPoint(0, m_lineHeight));
        break;
    case Qt::Key_Down:
        target = line + 1 >= lineCount()
                     ? m_caret
                     : positionAt(caretCell.topLeft() + QPoint(0, m_lineHeight));
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int page = std::max(1, visibleLineCount());
        const int delta = event->key() == Qt::Key_PageUp ? -page : page;
        const int newLine = std::clamp(line + delta, 0, lineCount() - 1);
        target =
            positionAt(QPoint(caretCell.left(), caretCell.top() + (newLine - line) * m_lineHeight));
        scrollLines(delta);
        break;
    }
    case Qt::Key_Home:
        target = ctrl ? 0 : m_lines.lineStart(line);
        break;
    case Qt::Key_End:
        target = ctrl ? length() : m_lines.lineEnd(line);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    moveCursor(extend ? m_anchor : target, target);
    // Keep the caret's line in view.
    const int caretLine = lineFromPosition(m_caret);
    const int first = firstVisibleLine();
    const int visible = std::max(1, visibleLineCount());
    if (caretLine < first)
        scrollLines(caretLine - first);
    else if (caretLine >= first + visible)
        scrollLines(caretLine - (first + visible) + 1);
    event->accept();
}

void ReadingView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    updatePositions(m_caret, m_caret);
}

void ReadingView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    updatePositions(m_caret, m_caret);
}

void ReadingView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_dragging = false;
        restartBlink();
        viewport()->update();
    } else if (event->type() == QEvent::PaletteChange) {
        viewport()->update();
    }
}

void ReadingView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_blinkTimer.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    m_blinkOn = !m_blinkOn;
    updatePositions(m_caret, m_caret);
}
