#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

// Questions of the table test: the three numbers that were left out of the grid.
class TAnsTableForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnsTableForm(QWidget* parent);

    // The three answer boxes back to "0", before every showing.
    void clearAnswers();
    // The three answers as typed.
    std::array<QString, 3> answers() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel, also Escape
};
