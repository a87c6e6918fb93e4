// The text speed test: the user's text kept aside, a test text played, questions and result.
#include "text/Unitfrtext.h"

#include "dialogs/StandardError.h"
#include "exercise/ExerciseHost.h"
#include "readingview/ReadingView.h"
#include "text/TestFile.h"
#include "text/TestScore.h"
#include "text/Unitfranstext.h"
#include "text/Unittextresult.h"
#include "training/TrainingState.h"

void TTextForm::followTestMode() {
    if (State.TestMode() == TestTextOn)
        return;
    TestTextOn = State.TestMode();
    if (!TestTextOn) {
        RestoreUserText();
        return;
    }
    if (isChosen())
        SaveScrollAnchor();
    SaveUserText();
    ClearExerciseText();
    if (!LoadTestText())
        Host.LeaveTestMode();
}

UserTextState TTextForm::UserTextPlace() {
    if (State.TestMode())
        return SavedText;
    SaveScrollAnchor();
    return {RichEdit1->text(), RichEdit1->selectionStart(), ScrollAnchor};
}

void TTextForm::SaveUserText() {
    SavedText = {ExerciseText, RichEdit1->selectionStart(), ScrollAnchor};
}

void TTextForm::ClearExerciseText() {
    RichEdit1->clear();
    ExerciseText.clear();
    TextLength = 0;
}

void TTextForm::RestoreUserText() {
    ExerciseText = SavedText.Text;
    RichEdit1->setText(ExerciseText);
    TextLength = RichEdit1->length();
    RichEdit1->setCaretPosition(std::clamp(SavedText.Caret, 0, TextLength));
    ScrollAnchor = SavedText.Anchor;
    ReformatText();
}

bool TTextForm::LoadTestText() {
    const int count = countTestFiles(testDirPath(ProgramDir));
    if (count == 0) {
        showStandardError(window(), QStringLiteral("Тестовые тексты не найдены: нет файла ") +
                                        testFilePath(ProgramDir, 1) +
                                        QStringLiteral(". Переустановите программу."));
        return false;
    }
    Random.seedFromClock();
    const int n = Random.below(count) + 1;
    const TestFileRead read = readTestFile(testFilePath(ProgramDir, n));
    if (!read.test) {
        showStandardError(window(), read.error);
        return false;
    }
    const TestText& test = *read.test;
    TestRecord.Text = test.text;
    TAnsTextForm* questions = AnsTextForm;
    for (int q = 0; q < TestQuestionCount; ++q)
        questions->setQuestion(q, test.questions[q], test.answers[q]);
    TestRecord.Answers = test.right;
    TestName = QStringLiteral("Тест ") + QString::number(n);
    ScrollAnchor = 0;
    RichEdit1->setCaretPosition(0);
    return true;
}

int TTextForm::AskTestQuestions(int elapsedMs, int charsShown, const RunResult& reached) {
    TAnsTextForm* questions = AnsTextForm;
    questions->clearChoices();
    if (questions->exec() != QDialog::Accepted)
        return -1;
    TestChoices chosen{};
    for (int q = 0; q < TestQuestionCount; ++q)
        chosen[q] = questions->chosen(q);
    const int right = countRightAnswers(TestRecord.Answers, chosen);
    TestRecord.ScorePercent = scorePercent(right);
    TestRecord.Speed = readingSpeed(charsShown, elapsedMs);
    State.setTextTest(TestRecord.ScorePercent, TestRecord.Speed);

    TTextResultForm* result = TextResultForm;
    result->fill(right, TestRecord.Volume, TestRecord.Speed, reached.actualCharsPerMinute,
                 reached.wordsPerMinute, TestRecord.ScorePercent);
    result->exec();
    return right;
}
