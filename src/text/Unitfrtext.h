#pragma once

#include "exercise/ExerciseWindow.h"
#include "text/TestTextRecord.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class ReadingView;
class TAnsTextForm;
class TMessageForm;
class TTextResultForm;

// The text kept aside while test mode plays a test text.
struct UserTextState {
    QString Text;
    int Caret = 0;
    int Anchor = 0;
};

// The user's own text passed over by a run outside test mode, with the run's figures.
struct ReadPassage {
    QString text;
    RunResult run;
};

// The text exercise: the loaded text in a silver column under a ruler, and the black reading
// field that moves through it.
class TTextForm : public ExerciseWindow {
    Q_OBJECT
public:
    // programDir: where the test texts are.
    TTextForm(TrainingState& state, ExerciseHost& host, const QString& programDir);
    // The "no text" message and the test's question and result dialogs.
    void setDialogs(TMessageForm* message, TAnsTextForm* questions, TTextResultForm* result);

    // Layout.
    void RelayoutText();
    void FitFontToWindow();
    void SetColumnLimits();
    void SnapColumn();
    void CenterColumn();
    void ReformatText();
    void SaveScrollAnchor();
    int CountVolume() const;
    void FormActivate() override;
    void startRun() override { StartReading(); }
    void stopRun() override { StopReading(); }
    void ShowTextAdvice() { showAdvice(); }
    // Run appearance of the ruler: disabled, grey caption, flat grips.
    void SetRulerRunning(bool running);
    int columnPanelWidth() const;

    // Loading (called by the main window).
    void setLoadedText(const QString& text, int caret, int anchor);
    // Moves the place where reading goes on (the caret, or in test mode the kept place) to pos
    // and brings its line into view, as a run stopped there would.
    void setReadingPlace(int pos);

    // Playback.
    void StartReading();
    void Timer1Timer();
    void StepReading();
    void ScrollToCurrent();
    void StopReading();
    // The figures of the run that is ending, read before a test text is cleared away.
    RunResult readingResult() const;
    void ClearUserText();

    // Test mode.
    // The user's own text and the place in it: the text on show, or in test mode the one kept
    // aside. Outside test mode the place is taken from the view (SaveScrollAnchor runs).
    UserTextState UserTextPlace();
    void SaveUserText();
    void RestoreUserText();
    void ClearExerciseText();
    bool LoadTestText();
    // Asks the questions and shows the result, with the run's speed reached and words per minute
    // beside the dialog's own figures. Returns the right answers, or -1 when the questions were
    // not answered.
    int AskTestQuestions(int elapsedMs, int charsShown, const RunResult& reached);
    // The passage of the last run outside test mode; empty from the start of the next run and
    // when another text is loaded.
    const ReadPassage& lastPassage() const { return LastPassage; }

    // Controls and state other windows and tests read.
    QFrame* Panel8 = nullptr;
    QFrame* WindowFormat = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* MarginLeft = nullptr;
    QFrame* MarginRight = nullptr;
    QWidget* Panel1 = nullptr;
    ReadingView* RichEdit1 = nullptr;
    QPushButton* ClozeButton = nullptr; // "Проверить понимание": a test on the passage read

    QString ExerciseText;
    int ColumnChars = 0;
    int VisibleLines = 0;
    int FieldStart = 0;
    int FieldEnd = 0;
    int ScrollAnchor = 0;
    int TextLength = 0;
    UserTextState SavedText;
    TestTextRecord TestRecord;
    QString TestName; // "Тест 3" for the test file SKt3.tst
    int ElapsedMs = 0;
    int CharsShown = 0;
    int RunStart = 0; // where the run's first field started

signals:
    void lastPassageChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RichEdit1Change();
    void MarginMouseDown(QFrame* grip);
    void MarginMouseMove(QFrame* grip, int x);
    void MarginMouseUp(QFrame* grip);
    void setRulerWidth(int width);
    void placeRuler(int left);
    // Width of this window's client area, on which the ruler is centred.
    int visibleWidth() const;
    // The text the run passed over, from its first field to the end of its last.
    QString passedText() const;
    void setLastPassage(ReadPassage passage);

    QString ProgramDir;
    TMessageForm* MessageForm = nullptr;
    TAnsTextForm* AnsTextForm = nullptr;
    TTextResultForm* TextResultForm = nullptr;
    bool DraggingLeft = false;
    bool DraggingRight = false;
    int RulerMinimum = 0;
    int RulerMaximum = 1 << 20;
    ReadPassage LastPassage;
};
