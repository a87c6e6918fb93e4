#pragma once

#include <QDialog>

class QPushButton;

// Asks where to resume a text that was read before: result 1 continues at the last stop,
// anything else (2, or the close box) starts from the beginning.
class TBookmarkForm : public QDialog {
    Q_OBJECT
public:
    explicit TBookmarkForm(QWidget* parent);

private:
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
