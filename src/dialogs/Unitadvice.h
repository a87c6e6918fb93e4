#pragma once

#include <QDialog>

#include <functional>

class HelpViewer;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class TrainingState;

// A short training tip for the exercise the user turned to. Its caller switches the tips off
// when the user clears "советовать".
class TAdviceForm : public QDialog {
    Q_OBJECT
public:
    // helpViewer gives the program's help window when Help is pressed.
    TAdviceForm(QWidget* parent, const TrainingState& state,
                std::function<HelpViewer*()> helpViewer);

    // Shows the tip modally with "советовать" ticked. Returns whether the box is still ticked
    // when the dialog closes, however it was closed.
    bool ShowAdvice(const QString& tip);

    // Help: the topic of the exercise that showed the tip. The dialog stays open.
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFrame* Panel1 = nullptr;       // white, across the top
    QLabel* Label1 = nullptr;       // the tip, lines broken only where the tip breaks them
    QFrame* Bevel1 = nullptr;       // line under the panel
    QCheckBox* CheckBox1 = nullptr; // "советовать"
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // "Помощь"
    const TrainingState& State;
    std::function<HelpViewer*()> Help;
};
