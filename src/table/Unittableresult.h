#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The result of the table test: right answers, table size, speed and the missing numbers.
// The value labels are filled by the caller before every showing.
class TTableResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TTableResultForm(QWidget* parent);
    // The right answers ("2 из 3"), the table size, the speed and the missing numbers.
    void fill(const QString& score, const QString& size, const QString& speed,
              const QString& missing);

private:
    QLabel* Label1 = nullptr;       // "Правильных ответов:"
    QLabel* Label4 = nullptr;       // right answers, "2 из 3"
    QLabel* Label2 = nullptr;       // "Размер таблицы:"
    QLabel* Label5 = nullptr;       // "4 x 3 клет."
    QLabel* Label7 = nullptr;       // "Скорость чтения:"
    QLabel* Label8 = nullptr;       // "1000 симв/мин"
    QLabel* Label3 = nullptr;       // "Отсутствуют числа:"
    QLabel* Label6 = nullptr;       // "5, 17, 30"
    QFrame* Bevel1 = nullptr;       // rule under the first line
    QFrame* Bevel2 = nullptr;       // rule under the last line
    QPushButton* BitBtn1 = nullptr; // OK
};
