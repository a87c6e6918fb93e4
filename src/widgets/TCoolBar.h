#pragma once

#include <QList>
#include <QWidget>

// A band of toolbars laid out in rows. A toolbar that does not fit into what is left of its row
// moves to the next one, so a narrow window shows every control. A hidden band takes no room.
class TCoolBar : public QWidget {
    Q_OBJECT
public:
    explicit TCoolBar(QWidget* parent = nullptr);

    // Adds a band after the others; newRow starts a new row with it.
    void addBand(QWidget* band, bool newRow = false);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Band {
        QWidget* widget;
        bool newRow;
    };
    // Places the bands for this width (when apply is set) and returns the height they take.
    int arrange(int width, bool apply) const;

    QList<Band> Bands;
};
