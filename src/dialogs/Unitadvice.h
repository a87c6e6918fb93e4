#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// A short training tip for the exercise the user turned to. The caller puts the tip into
// Label1 before every showing.
class TAdviceForm : public QDialog {
    Q_OBJECT
public:
    explicit TAdviceForm(QWidget* parent);

    QFrame* Panel1 = nullptr;       // white, across the top
    QLabel* Label1 = nullptr;       // the tip, lines broken only where the tip breaks them
    QFrame* Bevel1 = nullptr;       // line under the panel
    QCheckBox* CheckBox1 = nullptr; // "советовать"
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // "Помощь"
};
