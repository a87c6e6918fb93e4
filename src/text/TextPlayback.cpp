// The playback engine of the text window: the black reading field moving through the text.
#include "text/Unitfrtext.h"

#include "app/ProgramWindows.h"
#include "dialogs/Unitfrmessage.h"
#include "platform/PacedTimer.h"
#include "platform/ReadingView.h"
#include "shell/Unitfrmain.h"
#include "text/ReadingField.h"

#include <QToolButton>

namespace {
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Black(0, 0, 0);
} // namespace

bool TTextForm::isDynamic() const {
    return Main.SpeedButton7->isChecked();
}

bool TTextForm::isTestMode() const {
    return Main.SpeedButton14->isChecked();
}

void TTextForm::StartReading() {
    if (isTestMode()) {
        ExerciseText = TestRecord.Text;
        TestRecord.ScorePercent = 0;
        TestRecord.Speed = 0;
        RichEdit1->setText(ExerciseText);
        ReformatText();
        TextLength = RichEdit1->length();
        TestRecord.Volume = CountVolume();
    } else if (RichEdit1->length() == 0) {
        // Nothing to read: the run ends at once, so that "Открыть", which the message names,
        // is usable behind it.
        FieldStart = FieldEnd = 0;
        StopReading();
        Main.windows().MessageForm->exec();
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
    ElapsedMs = 0;
    CharsShown = 0;
    Timer1->startPaced(1);
}

void TTextForm::ScrollToCurrent() {
    VisibleLines = RichEdit1->visibleLineCount();
    const int f = RichEdit1->firstVisibleLine();
    const int y = RichEdit1->lineFromPosition(RichEdit1->caretPosition());
    int top = f;
    if (isDynamic()) {
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
    if (!Main.isRunning())
        return; // the step ended the run
    const int n = Main.ReadingFieldWidth;
    const int interval = Main.CharInterval * n;
    ElapsedMs += interval;
    CharsShown += n;
    Timer1->scheduleNext(interval);
}

void TTextForm::StepReading() {
    const int n = Main.ReadingFieldWidth;
    VisibleLines = RichEdit1->visibleLineCount();
    RichEdit1->setRangeColor(FieldStart, FieldEnd - FieldStart, Silver);
    FieldStart = FieldEnd;
    FieldStart = int(ReadingField::skipBlanks(RichEdit1->text(), FieldStart));
    if (FieldStart >= TextLength) {
        StopReading();
        return;
    }
    RichEdit1->setCaretPosition(FieldStart);
    const int y = RichEdit1->lineFromPosition(FieldStart);
    const int x = FieldStart - RichEdit1->lineStart(y);
    const QString line = RichEdit1->lineText(y);
    const int m = int(ReadingField::fieldLength(line, x, n, ColumnChars));

    const int f = RichEdit1->firstVisibleLine();
    if (isDynamic()) {
        if (y - f >= VisibleLines)
            RichEdit1->scrollLines(VisibleLines);
    } else if (y - f > VisibleLines / 2) {
        RichEdit1->scrollLines(1);
    }
    FieldEnd = FieldStart + m;
    RichEdit1->setSelection(FieldStart, m);
    RichEdit1->setRangeColor(FieldStart, m, Black);
}

void TTextForm::StopReading() {
    Main.SetRunState(RunState::RunEnded);
    Timer1->stop();
    Panel1->setEnabled(true);
    RichEdit1->setRangeColor(FieldStart, FieldEnd - FieldStart, Silver);
    RichEdit1->setCaretPosition(std::min(FieldStart, RichEdit1->length()));
    RichEdit1->setSelectionHidden(false);
    RichEdit1->setFocus();
    if (isTestMode()) {
        const bool reachedEnd = FieldStart >= TextLength;
        ExerciseText.clear();
        RichEdit1->clear();
        TextLength = 0;
        if (reachedEnd)
            AskTestQuestions(ElapsedMs, CharsShown);
        if (!LoadTestText())
            Main.LeaveTestMode();
    }
    if (Main.Course) {
        // A course stage ends here: the place reached is kept, and the next text stage asks
        // for the text to be opened again.
        if (RichEdit1->length() > 0)
            Main.SaveTextPosition();
        ClearUserText();
        Main.CourseRunEnded(true);
    }
}

void TTextForm::ClearUserText() {
    SavedText = UserTextState{};
    ExerciseText.clear();
    RichEdit1->clear();
    ScrollAnchor = 0;
    TextLength = 0;
}
