#pragma once

#include <QList>
#include <QWidget>

class SchulteCell;
class SchulteRun;

// The Schulte table on screen: side x side square cells kept square and in the middle of the
// widget, as large as it allows, with an optional fixation dot at the centre. Cells are chosen
// by mouse, by a screen reader's press, or by keys typed while the grid has the focus.
class SchulteGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxSide = 9;

    explicit SchulteGrid(QWidget* parent);

    // Empty cells of a side x side table: the table at rest.
    void showEmpty(int side);
    // The run's table: captions and colours, found cells dimmed when markFound. The first
    // paint after it is told by firstPainted().
    void showRun(const SchulteRun& run, bool markFound);
    void flashWrong(int cell);
    // The face of the captions; their size follows the cells, never below the face's own.
    void setCaptionFont(const QFont& face);
    void setFixationDot(bool shown);
    bool fixationDot() const { return DotShown; }

    int side() const { return Side; }
    SchulteCell* cell(int index) const { return Cells.value(index); }
    // The pixel side of one cell.
    int cellSide() const { return CellSide; }

signals:
    void cellChosen(int cell);
    // Text of a key typed while the grid has the focus.
    void keyTyped(const QString& text);
    void firstPainted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOutCells();
    // The smallest cell that shows the widest caption in the chosen face.
    int smallestCell() const;

    QList<SchulteCell*> Cells; // MaxSide x MaxSide, row-major by the current side
    QWidget* Dot = nullptr;
    QFont CaptionFace;
    int Side = 5;
    int CellSide = 0;
    bool DotShown = true;
    bool FirstPaintDue = false;
};
