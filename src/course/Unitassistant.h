#pragma once

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QToolButton;
class TWizardForm;
class TrainingState;

// The course assistant: a small tool window beside the main window that shows the level with
// its speed and width ranges, the progress through the cycle, and four buttons that control
// the course. What its buttons ask for goes out as signals, which the frame answers.
class TAssistantForm : public QWidget {
    Q_OBJECT
public:
    // A tool window of the frame, placed beside it level with the lower edge of toolBars.
    // Its creation clears a pending course restart.
    TAssistantForm(QWidget* frame, const QWidget* toolBars, TrainingState& state);
    void setGuide(TWizardForm* guide) { Guide = guide; }

    // Enables or disables the four buttons together. While they are disabled the window's
    // close box does nothing; the program itself can still close the window.
    void SetButtonsEnabled(bool enabled);
    // Shows the level and its speed and width ranges.
    void setLevel(const QString& level, const QString& speeds, const QString& widths);

    void SpeedButton2Click(); // "След."
    void SpeedButton1Click(); // "Стоп"
    void SpeedButton3Click(); // "Сначала"
    void SpeedButton4Click(); // "Помощь"
    // Left of the main window, level with the lower edge of its tool bars, far enough left
    // that neither this window nor the guide under it covers the main window.
    void FormShow();
    // The guide grew over the main window: this window and the guide make room as at FormShow.
    // A window the user placed over the main window himself stays where it is.
    void makeRoomForGuide();
    // The assistant moved: a docked guide comes along.
    void FollowAssistant();
    // "След." is usable (at the course's result stage).
    void setNextStageEnabled(bool enabled);
    // The progress through the cycle: done of count stages.
    void setProgress(int done, int count);
    // The guide window sits under this one and follows it.
    bool guideDocked() const { return GuideDocked; }
    // The four buttons are usable (SetButtonsEnabled).
    bool buttonsEnabled() const { return ButtonsEnabled; }
    void setGuideDocked(bool docked) { GuideDocked = docked; }

signals:
    void nextStageAsked(); // "След."
    void restartAsked();   // "Сначала"
    void helpAsked();      // "Помощь"
    void closed();         // the course ends

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QFrame* Panel3 = nullptr;
    QLabel* Image1 = nullptr; // the illustration
    QFrame* Bevel1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label6 = nullptr; // "УРОВЕНЬ:"
    QLabel* LabelLevel = nullptr;
    QLabel* Label1 = nullptr; // "Скорость:"
    QLabel* LabelSpeed = nullptr;
    QLabel* Label2 = nullptr; // "Ширина:"
    QLabel* LabelWidth = nullptr;
    QLabel* Label9 = nullptr; // "Ход выполнения упражнений"
    QProgressBar* ProgressBar1 = nullptr;
    QToolButton* SpeedButton2 = nullptr; // "След."
    QToolButton* SpeedButton1 = nullptr; // "Стоп"
    QToolButton* SpeedButton3 = nullptr; // "Сначала"
    QToolButton* SpeedButton4 = nullptr; // "Помощь"
    bool ButtonsEnabled = true;          // the state last set by SetButtonsEnabled
    bool GuideDocked = true;             // the guide window sits under this one and follows it
    // The width this window and the guide under it take up beside the main window, frames
    // included.
    int widthBesideFrame() const;

    const QWidget* ToolBars;
    TWizardForm* Guide = nullptr;
};
