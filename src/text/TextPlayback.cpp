// The playback engine of the text window: the black reading field moving through the text.
#include "text/Unitfrtext.h"

#include "dialogs/Unitfrmessage.h"
#include "diary/WordCount.h"
#include "exercise/ExerciseHost.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "text/ReadingField.h"
#include "text/TestScore.h"
#include "training/ActualSpeed.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"

void TTextForm::StartReading() {
    setLastPassage({});
    if (State.TestMode()) {
        ExerciseText = TestRecord.Text;
        TestRecord.ScorePercent = 0;
        TestRecord.Speed = 0;
        State.setTextTest(TestRecord.ScorePercent, TestRecord.Speed);
        RichEdit1->setText(ExerciseText);
        ReformatText();
        TextLength = RichEdit1->length();
        TestRecord.Volume = CountVolume();
    } else if (RichEdit1->length() == 0) {
        // Nothing to read: the run ends at once, so that "Открыть", which the message names,
        // is usable behind it.
        FieldStart = FieldEnd = 0;
        stop();
        MessageForm->exec();
        return;
    }
    RichEdit1->setFocus();
    RichEdit1->setSelectionHidden(true);
    RichEdit1->setCaretPosition(RichEdit1->selectionStart()); // selection length 0
    ScrollToCurrent();
    Panel1->setEnabled(false);

    FieldStart = RichEdit1->caretPosition();
    const int line = RichEdit1->lineFromPosition(FieldStart);
    const int x = FieldStart - RichEdit1->lineStart(line);
    FieldStart -= x - int(ReadingField::backToWordStart(RichEdit1->lineText(line), x));
    FieldEnd = FieldStart;
    RunStart = FieldStart;
    ElapsedMs = 0;
    CharsShown = 0;
    Timer1->startPaced(1);
}

void TTextForm::ScrollToCurrent() {
    VisibleLines = RichEdit1->visibleLineCount();
    const int f = RichEdit1->firstVisibleLine();
    const int y = RichEdit1->lineFromPosition(RichEdit1->caretPosition());
    int top = f;
    if (State.DynamicReading()) {
        if (y < f || y >= f + VisibleLines)
            top = y;
    } else {
        const int h = VisibleLines / 2;
        if (y < f || y >= f + h)
            top = std::max(0, y - h);
    }
    RichEdit1->scrollToTop();
    RichEdit1->scrollLines(top);
}

void TTextForm::Timer1Timer() {
    StepReading();
    if (!State.Running())
        return; // the step ended the run
    const int n = State.ReadingFieldWidth();
    const int interval = State.CharInterval() * n;
    ElapsedMs += interval;
    CharsShown += n;
    Timer1->scheduleNext(interval);
}

void TTextForm::StepReading() {
    const int n = State.ReadingFieldWidth();
    VisibleLines = RichEdit1->visibleLineCount();
    RichEdit1->setRangeColor(FieldStart, FieldEnd - FieldStart, Silver);
    FieldStart = FieldEnd;
    FieldStart = int(ReadingField::skipBlanks(RichEdit1->text(), FieldStart));
    if (FieldStart >= TextLength) {
        stop();
        return;
    }
    RichEdit1->setCaretPosition(FieldStart);
    const int y = RichEdit1->lineFromPosition(FieldStart);
    const int x = FieldStart - RichEdit1->lineStart(y);
    const QString line = RichEdit1->lineText(y);
    const int m = int(ReadingField::fieldLength(line, x, n, ColumnChars));

    const int f = RichEdit1->firstVisibleLine();
    if (State.DynamicReading()) {
        if (y - f >= VisibleLines)
            RichEdit1->scrollLines(VisibleLines);
    } else if (y - f > VisibleLines / 2) {
        RichEdit1->scrollLines(1);
    }
    FieldEnd = FieldStart + m;
    RichEdit1->setSelection(FieldStart, m);
    RichEdit1->setRangeColor(FieldStart, m, Qt::black);
}

void TTextForm::StopReading() {
    RunResult result = readingResult();
    if (!State.TestMode() && CharsShown > 0)
        setLastPassage({passedText(), result});
    Panel1->setEnabled(true);
    RichEdit1->setRangeColor(FieldStart, FieldEnd - FieldStart, Silver);
    RichEdit1->setCaretPosition(std::min(FieldStart, RichEdit1->length()));
    RichEdit1->setSelectionHidden(false);
    RichEdit1->setFocus();
    if (State.TestMode()) {
        const bool reachedEnd = FieldStart >= TextLength;
        ExerciseText.clear();
        RichEdit1->clear();
        TextLength = 0;
        if (reachedEnd)
            result.right = AskTestQuestions(ElapsedMs, CharsShown, result);
        result.outOf = result.right >= 0 ? TestQuestionCount : 0;
        if (!LoadTestText())
            Host.LeaveTestMode();
    }
    if (State.CourseRunning()) {
        // A course stage ends here: the place reached is kept, and the next text stage asks
        // for the text to be opened again.
        if (RichEdit1->length() > 0)
            Host.SaveTextPosition();
        ClearUserText();
    }
    if (CharsShown > 0)
        emit runFinished(result);
    finishRun(true);
}

RunResult TTextForm::readingResult() const {
    const bool test = State.TestMode();
    RunResult result = runResult();
    const QString passed = passedText();
    result.charsRead = int(std::count_if(passed.begin(), passed.end(), [](QChar c) {
        return c != u' ' && c != u'\r' && c != u'\n';
    }));
    result.wordsRead = countWords(passed);
    // The regulator's figure: the field width counted per step over the intervals set.
    result.charsPerMinute = readingSpeed(CharsShown, ElapsedMs);
    result.actualCharsPerMinute =
        ActualSpeed::charsPerMinute(ActualSpeed::passedCharacters(passed), result.durationMs);
    result.wordsPerMinute = wordsPerMinute(result.wordsRead, result.durationMs);
    if (test)
        result.textName = TestName;
    result.stopped = FieldStart < TextLength;
    return result;
}

QString TTextForm::passedText() const {
    const QString text = RichEdit1->text();
    const int end = std::min(FieldEnd, int(text.size()));
    return text.mid(RunStart, std::max(0, end - RunStart));
}

void TTextForm::setLastPassage(ReadPassage passage) {
    LastPassage = std::move(passage);
    emit lastPassageChanged();
}

void TTextForm::ClearUserText() {
    SavedText = UserTextState{};
    ExerciseText.clear();
    RichEdit1->clear();
    ScrollAnchor = 0;
    TextLength = 0;
}
