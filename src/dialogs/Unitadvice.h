#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class TMainForm;

// A short training tip for the exercise the user turned to. Its caller switches the tips off
// when the user clears "советовать".
class TAdviceForm : public QDialog {
    Q_OBJECT
public:
    explicit TAdviceForm(TMainForm& mainForm);

    // Shows the tip modally with "советовать" ticked. Returns whether the box is still ticked
    // when the dialog closes, however it was closed.
    bool ShowAdvice(const QString& tip);

    // Help: the topic of the exercise that showed the tip. The dialog stays open.
    void BitBtn2Click();

    QFrame* Panel1 = nullptr;       // white, across the top
    QLabel* Label1 = nullptr;       // the tip, lines broken only where the tip breaks them
    QFrame* Bevel1 = nullptr;       // line under the panel
    QCheckBox* CheckBox1 = nullptr; // "советовать"
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // "Помощь"

protected:
    void showEvent(QShowEvent* event) override;

private:
    TMainForm& Main;
};
