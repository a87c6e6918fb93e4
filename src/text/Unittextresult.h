#pragma once

#include <QDialog>

class QLabel;

// The outcome of a text test: right answers, the volume of the text and the reading speed,
// both the regulator's average ("Средняя скорость чтения") and the speed reached.
class TTextResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TTextResultForm(QWidget* parent);
    // The right answers, the text's volume, the regulator's average speed, the speed reached,
    // words per minute and the share of right answers in per cent.
    void fill(int right, int volume, int speed, int actualSpeed, int wordsPerMinute,
              int comprehension);

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr; // right answers + " из 5"
    QLabel* Label5 = nullptr; // volume + " симв"
    QLabel* Label6 = nullptr; // speed + " симв/мин"
    // Beside the figures above: the speed reached, the speed in words and the share of right
    // answers.
    QLabel* LabelActual = nullptr;
    QLabel* LabelActualValue = nullptr; // characters passed over per real minute + " симв/мин"
    QLabel* LabelWords = nullptr;
    QLabel* LabelWordsValue = nullptr; // words per minute + " слов/мин"
    QLabel* LabelComprehension = nullptr;
    QLabel* LabelComprehensionValue = nullptr; // per cent + " %"
};
