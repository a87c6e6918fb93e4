#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct SchulteResult;

// The result of a Schulte run: time, mistakes, seconds per cell and the best time for the
// table's size and variant.
class TSchulteResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TSchulteResultForm(QWidget* parent);

    // Fills the lines from a finished run.
    void showResult(const SchulteResult& result);

private:
    QLabel* TableValue = nullptr;
    QLabel* TimeValue = nullptr;
    QLabel* MistakesValue = nullptr;
    QLabel* PerCellValue = nullptr;
    QLabel* BestValue = nullptr;
    QLabel* NewBest = nullptr; // shown when this run set the best time
    QPushButton* OkButton = nullptr;
};
