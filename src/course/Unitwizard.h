#pragma once

#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class TMainForm;

// The course guide: a small tool window under the assistant that lists the steps of the
// current stage, with a legend of their colours and the switch for the on-screen markers.
class TWizardForm : public QWidget {
    Q_OBJECT
public:
    explicit TWizardForm(TMainForm& mainForm);

    QCheckBox* CheckBoxShowRedMarkers = nullptr;
    QLabel* Image1 = nullptr;       // the sample marker beside the check box
    QFrame* Panel1 = nullptr;       // disabled, so the steps cannot be selected or edited
    QTextEdit* RichEdit1 = nullptr; // the steps of the stage
    QFrame* Bevel1 = nullptr;
    QLabel* Label4 = nullptr; // "Этапы:"
    QLabel* Shape3 = nullptr; // red circle
    QLabel* Label3 = nullptr; // "текущие"
    QLabel* Shape2 = nullptr; // silver circle
    QLabel* Label1 = nullptr; // "выполненные"
    QLabel* Shape1 = nullptr; // black circle
    QLabel* Label2 = nullptr; // "невыполненные"

protected:
    void showEvent(QShowEvent* event) override;

private:
    TMainForm& Main;
};
