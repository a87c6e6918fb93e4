#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The result of the field-of-view test: the verdict, the right answer and the recommended
// values now in force. The caller fills the value labels before every showing.
class TStringResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TStringResultForm(QWidget* parent);

    // The verdict, the right answer and the recommendations in force after this answer.
    void fill(bool right, int answer, int recommendWide, int recommendSpeed);

private:
    QLabel* Label7 = nullptr; // "ПРАВИЛЬНО!" or "НЕПРАВИЛЬНО!"
    QLabel* Label1 = nullptr; // "Правильный ответ:"
    QLabel* Label4 = nullptr; // the right number
    QLabel* Label8 = nullptr; // heading over Bevel1
    QFrame* Bevel1 = nullptr;
    QLabel* Label2 = nullptr;       // "Ширина поля чтения:"
    QLabel* Label5 = nullptr;       // "10 симв"
    QLabel* Label3 = nullptr;       // "Скорость чтения:"
    QLabel* Label6 = nullptr;       // "1000 симв/мин"
    QPushButton* BitBtn1 = nullptr; // OK
};
