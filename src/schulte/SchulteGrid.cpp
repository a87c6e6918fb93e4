#include "schulte/SchulteGrid.h"

#include "schulte/SchulteCell.h"
#include "schulte/SchulteRun.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The red dot the eyes rest on; it lets every click through to the cell beneath.
class FixationDot : public QWidget {
public:
    explicit FixationDot(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(SchulteCell::dotColour());
        painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

constexpr int GapDivisor = 16; // the gap between cells is a sixteenth of their pitch

} // namespace

SchulteGrid::SchulteGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SchulteGrid"));
    setAccessibleName(QStringLiteral("Таблица Шульте"));
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < MaxSide * MaxSide; ++i) {
        auto* cell = new SchulteCell(this);
        cell->hide();
        connect(cell, &QAbstractButton::clicked, this,
                [this, cell] { emit cellChosen(int(Cells.indexOf(cell))); });
        Cells.append(cell);
    }
    Dot = new FixationDot(this);
    CaptionFace = font();
    showEmpty(Side);
}

void SchulteGrid::showEmpty(int side) {
    Side = std::clamp(side, 1, MaxSide);
    for (int i = 0; i < Cells.size(); ++i) {
        SchulteCell* cell = Cells[i];
        cell->setVisible(i < Side * Side);
        cell->setDot(false);
        cell->setText(QString());
        cell->setAccessibleName(QStringLiteral("Пустая клетка"));
        cell->setLook(false, false);
    }
    layOutCells();
}

void SchulteGrid::showRun(const SchulteRun& run, bool markFound) {
    if (run.side() != Side)
        showEmpty(run.side());
    for (int i = 0; i < run.cellCount(); ++i) {
        SchulteCell* cell = Cells[i];
        const SchulteSymbol& symbol = run.symbolAt(i);
        cell->setText(symbol.Caption);
        cell->setAccessibleName(symbol.Caption);
        cell->setLook(symbol.Red, markFound && run.isFound(i));
    }
    FirstPaintDue = true;
    update();
}

void SchulteGrid::flashWrong(int cell) {
    if (SchulteCell* c = Cells.value(cell))
        c->flashWrong();
}

void SchulteGrid::setCaptionFont(const QFont& face) {
    CaptionFace = face;
    layOutCells();
}

void SchulteGrid::setFixationDot(bool shown) {
    DotShown = shown;
    layOutCells();
}

int SchulteGrid::smallestCell() const {
    const QFontMetrics metrics(CaptionFace);
    const int widest = std::max(metrics.horizontalAdvance(QStringLiteral("88")),
                                metrics.horizontalAdvance(QStringLiteral("Ж")));
    return std::max(widest, metrics.height()) + 8;
}

void SchulteGrid::layOutCells() {
    const int room = std::min(width(), height());
    const int pitch = std::max(room / Side, smallestCell());
    const int gap = std::max(2, pitch / GapDivisor);
    CellSide = pitch - gap;
    const int extent = pitch * Side - gap;
    const int left = (width() - extent) / 2;
    const int top = (height() - extent) / 2;

    QFont face = CaptionFace;
    const int captionPixels = std::max(QFontInfo(CaptionFace).pixelSize(), CellSide * 2 / 5);
    face.setPixelSize(captionPixels);
    for (int i = 0; i < Side * Side; ++i) {
        Cells[i]->setFont(face);
        Cells[i]->setGeometry(left + (i % Side) * pitch, top + (i / Side) * pitch, CellSide,
                              CellSide);
    }
    // An odd table has a middle cell, which rings its caption; an even one has its middle
    // between four cells, where the dot lies on top.
    const bool middleCell = Side % 2 == 1;
    for (int i = 0; i < Side * Side; ++i)
        Cells[i]->setDot(DotShown && middleCell && i == Side * Side / 2);
    const int dot = std::max(6, CellSide / 8);
    Dot->setGeometry(left + extent / 2 - dot / 2, top + extent / 2 - dot / 2, dot, dot);
    Dot->setVisible(DotShown && !middleCell);
    Dot->raise();
}

void SchulteGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutCells();
}

void SchulteGrid::paintEvent(QPaintEvent*) {
    if (FirstPaintDue) {
        FirstPaintDue = false;
        emit firstPainted();
    }
}

void SchulteGrid::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() || event->isAutoRepeat()) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit keyTyped(text);
}
