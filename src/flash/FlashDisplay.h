#pragma once

#include <QWidget>

// The place where flash reading shows its groups: each group on one line, its recognition letter
// in red with its middle always on the same point (the middle of the display), and a thin mark
// above and below that point. A group too wide for the display is drawn whole in a smaller size.
// Its accessible name is the group on show, so a screen reader follows the run.
class FlashDisplay : public QWidget {
    Q_OBJECT
public:
    explicit FlashDisplay(QWidget* parent);

    // The group to show, as it is shown; empty shows nothing but the marks.
    void showGroup(const QString& shown);
    const QString& group() const { return Shown; }
    // The point size the group on show is drawn in: the font's own, or less for a wide group.
    qreal shownPointSize() const;
    // The x of the middle of the recognition letter, the same for every group.
    int letterCentre() const { return width() / 2; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The font the group fits the display in, measured again when the group, the font or the
    // width change.
    void fitGroup();

    QString Shown;
    int Letter = -1;
    QFont Fitted;
};
