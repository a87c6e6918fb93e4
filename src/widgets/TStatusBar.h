#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

// A status bar of four fixed-width text panels. It reports the mouse position so that the
// owner can choose a hint per panel.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    TStatusBar(const std::array<int, 4>& widths, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

signals:
    void mouseMoved(int x);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, 4> Panels{};
};
