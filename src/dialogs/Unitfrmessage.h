#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Tells the user that there is no text to read.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* parent);

private:
    QLabel* Label1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
