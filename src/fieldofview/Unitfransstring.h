#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Question of the field-of-view test: the last number pair, and whether the eyes stayed on
// the marker.
class TAnsStringForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnsStringForm(QWidget* parent);

    QLabel* Label1 = nullptr;       // "Введите ответ:"
    QLineEdit* Edit1 = nullptr;     // the answer, filled by the caller before every showing
    QCheckBox* CheckBox1 = nullptr; // "Я смотрел на маркер", cleared at every showing
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel

protected:
    void showEvent(QShowEvent* event) override;
};
