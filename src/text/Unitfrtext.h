#pragma once

#include "exercise/ExerciseWindow.h"
#include "exercise/LoadedText.h"
#include "text/TestTextRecord.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class ReadingView;
class TAnsTextForm;
class TMessageForm;
class TTextResultForm;

// The user's own text passed over by a run outside test mode, with the run's figures.
struct ReadPassage {
    QString text;
    RunResult run;
};

// The text exercise: the loaded text in a silver column under a ruler, and the black reading
// field that moves through it. It holds the text the user opened (LoadedText) and follows the
// state: test mode puts a test text in place of the user's, the alignment and the width lay
// the column out again, a run greys the ruler.
class TTextForm : public ExerciseWindow, public LoadedText {
    Q_OBJECT
public:
    // programDir: where the test texts are.
    TTextForm(TrainingState& state, ExerciseHost& host, const QString& programDir);
    // The "no text" message and the test's question and result dialogs.
    void setDialogs(TMessageForm* message, TAnsTextForm* questions, TTextResultForm* result);

    // Layout.
    void RelayoutText();
    int CountVolume() const;
    void fontChanged() override { RelayoutText(); }
    void frameResized() override { RelayoutText(); }
    void keepViewPlace() override { SaveScrollAnchor(); }
    QWidget* widthGrip() const override;

    // The loaded text (LoadedText).
    void setLoadedText(const QString& text, int caret, int anchor) override;
    UserTextState UserTextPlace() override;
    bool hasText() const override;
    // Moves the place where reading goes on (the caret, or in test mode the kept place) to pos
    // and brings its line into view, as a run stopped there would.
    void setReadingPlace(int pos);

    // One step of a run.
    void Timer1Timer();
    // Reads a test text chosen at random and sets its questions; false after telling the user
    // why none could be read.
    bool LoadTestText();
    // The test text being played and what its last answered run measured.
    const TestTextRecord& testRecord() const { return TestRecord; }
    // Characters that fit the column, and the reading field on show.
    int columnChars() const { return ColumnChars; }
    int fieldStart() const { return FieldStart; }
    int fieldEnd() const { return FieldEnd; }
    // Where the last run's first field started.
    int runStart() const { return RunStart; }
    // The text being read (empty in test mode until a run plays the test text) and its length.
    const QString& exerciseText() const { return ExerciseText; }
    int textLength() const { return TextLength; }
    // The run's time by the intervals set, and the characters its fields counted.
    int elapsedMs() const { return ElapsedMs; }
    int charsShown() const { return CharsShown; }

    // The passage of the last run outside test mode; empty from the start of the next run and
    // when another text is loaded.
    const ReadPassage& lastPassage() const { return LastPassage; }
    // "Проверить понимание": a test on the passage read.
    QPushButton* clozeButton() const { return ClozeButton; }

    // The text view, RichEdit1, which tests read and drive as the user does.
    ReadingView* RichEdit1 = nullptr;

signals:
    void lastPassageChanged();

protected:
    void FormActivate() override;
    void startRun() override { StartReading(); }
    void stopRun() override { StopReading(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFontToWindow();
    void SetColumnLimits();
    void SnapColumn();
    void CenterColumn();
    void ReformatText();
    void SaveScrollAnchor();
    // Run appearance of the ruler: disabled, grey caption, flat grips.
    void SetRulerRunning(bool running);

    // Playback.
    void StartReading();
    void StepReading();
    void ScrollToCurrent();
    void StopReading();
    // The figures of the run that is ending, read before a test text is cleared away.
    RunResult readingResult() const;
    void ClearUserText();

    // Test mode: a test text takes the user's text's place while the test button is down.
    void followTestMode();
    void SaveUserText();
    void RestoreUserText();
    void ClearExerciseText();
    // Asks the questions and shows the result, with the run's speed reached and words per minute
    // beside the dialog's own figures. Returns the right answers, or -1 when the questions were
    // not answered.
    int AskTestQuestions(int elapsedMs, int charsShown, const RunResult& reached);

    void RichEdit1Change();
    void MarginMouseDown(QFrame* grip);
    void MarginMouseMove(QFrame* grip, int x);
    void MarginMouseUp(QFrame* grip);
    void setRulerWidth(int width);
    void placeRuler(int left);
    // Width of this window's client area, on which the ruler is centred.
    int visibleWidth() const;

    QFrame* Panel8 = nullptr;
    QFrame* WindowFormat = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* MarginLeft = nullptr;
    QFrame* MarginRight = nullptr;
    QWidget* Panel1 = nullptr;

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
    int RunStart = 0;                   // where the run's first field started
    bool TestTextOn = false;            // the user's text is kept aside for a test text
    QPushButton* ClozeButton = nullptr; // "Проверить понимание": a test on the passage read
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
