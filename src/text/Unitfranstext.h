#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Five multiple-choice questions about the test text just read.
class TAnsTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TAnsTextForm(QWidget* parent);

    // Question q (0..4) with its three answers.
    void setQuestion(int q, const QString& question, const std::array<QString, 3>& answers);
    QString question(int q) const;
    void clearChoices();
    // The index (0..2) of the item chosen in question q, or -1 when none is chosen.
    int chosen(int q) const;
    void choose(int q, int item);
    // The group of question q and its item (0..2), as the user sees and chooses them.
    QGroupBox* group(int q) const { return RadioGroups.at(q); }
    QRadioButton* item(int q, int i) const { return Items.at(q).at(i); }

private:
    std::array<QGroupBox*, 5> RadioGroups{};
    std::array<std::array<QRadioButton*, 3>, 5> Items{};
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    void fitGroup(int q);

    std::array<QLabel*, 5> Questions{};
    std::array<QButtonGroup*, 5> Groups{};
};
