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

    // The answer box back to "0", before every showing.
    void clearAnswer();
    // The answer as typed, and whether the user confirmed looking at the marker.
    QString answer() const;
    bool lookedAtMarker() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1 = nullptr;       // "Введите ответ:"
    QLineEdit* Edit1 = nullptr;     // the answer, filled by the caller before every showing
    QCheckBox* CheckBox1 = nullptr; // "Я смотрел на маркер", cleared at every showing
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel
};
