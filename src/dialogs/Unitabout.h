#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class QToolButton;

// The about box. As a splash at start-up it closes itself after two seconds and ignores the
// keyboard; opened from the toolbar it stays until its close button, Enter or Escape.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent);

    void showAsSplash();
    void showAsAbout();

    void Timer1Timer();
    void Label4Click();
    void Label5Click();

    static const QString SupportAddress;
    static const QString WebAddress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QTimer* Timer1 = nullptr;
};
