#include "text/ClozeTest.h"

#include "platform/HelpContext.h"
#include "text/ClozeBuilder.h"
#include "text/TestScore.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"
#include "training/TrainingState.h"

#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

namespace {
const QString Caption = QStringLiteral("Тест по своему тексту");
} // namespace

ClozeTest::ClozeTest(TTextForm& textForm, TTextResultForm& result, QWidget* dialogParent)
    : QObject(&textForm), TextForm(textForm), ResultForm(result) {
    Questions = new TAnsTextForm(dialogParent);
    Questions->setObjectName(QStringLiteral("ClozeForm"));
    Questions->setWindowTitle(Caption);
    Questions->setProperty("helpContext", HelpContext::ClozeTest);

    connect(TextForm.clozeButton(), &QPushButton::clicked, this, &ClozeTest::start);
    // The key works wherever the focus is in the frame, while the text window is in front.
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), &TextForm);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, [this] {
        if (TextForm.mdiArea() && TextForm.mdiArea()->activeSubWindow() == &TextForm)
            start();
    });
    connect(&TextForm, &TTextForm::lastPassageChanged, this, &ClozeTest::passageChanged);
    refresh();
}

QString ClozeTest::refusal() const {
    const ReadPassage& passage = TextForm.lastPassage();
    if (TextForm.state().Running() || passage.text.isEmpty())
        return QStringLiteral("Тест строится по только что прочитанному отрывку своего текста:\n"
                              "сначала прочтите не меньше ") +
               QString::number(ClozeMinPassage) + QStringLiteral(" символов без режима «Тест».");
    if (const int length = clozePassageLength(passage.text); length < ClozeMinPassage)
        return QStringLiteral("В последний раз прочитано ") + QString::number(length) +
               QStringLiteral(" симв, а для теста нужно не меньше ") +
               QString::number(ClozeMinPassage) + QStringLiteral(" симв.");
    if (TooPoor)
        return QStringLiteral("В прочитанном отрывке меньше пяти предложений, по которым можно "
                              "задать вопрос.\nПрочтите отрывок подлиннее.");
    if (Used)
        return QStringLiteral("Тест по этому отрывку уже пройден.\nПрочтите следующий отрывок.");
    return {};
}

void ClozeTest::passageChanged() {
    Used = false;
    TooPoor = false;
    refresh();
}

void ClozeTest::refresh() {
    const QString why = refusal();
    QPushButton* button = TextForm.clozeButton();
    button->setEnabled(why.isEmpty());
    const QString hint =
        why.isEmpty()
            ? QStringLiteral("Пять вопросов по только что прочитанному отрывку (Ctrl+Shift+T)")
            : why;
    button->setToolTip(hint);
    button->setAccessibleDescription(hint);
}

void ClozeTest::start() {
    QPushButton* button = TextForm.clozeButton();
    if (const QString why = refusal(); !why.isEmpty()) {
        QToolTip::showText(button->mapToGlobal(QPoint(0, button->height())), why, button);
        return;
    }
    const ReadPassage passage = TextForm.lastPassage();
    RandomSource& random = TextForm.random();
    random.seedFromClock();
    const ClozeSet set = buildCloze(passage.text, random);
    if (!set.isReady()) {
        TooPoor = true;
        refresh();
        QMessageBox::information(
            Questions->parentWidget(), Caption,
            QStringLiteral("В прочитанном отрывке меньше пяти предложений, по которым можно "
                           "задать вопрос (найдено: ") +
                QString::number(set.usableSentences) +
                QStringLiteral("). Короткие фразы, реплики из одних тире и строки из одних "
                               "чисел в тест не идут. Прочтите отрывок подлиннее."));
        return;
    }
    std::array<int, TestQuestionCount> right{};
    for (int q = 0; q < TestQuestionCount; ++q) {
        Questions->setQuestion(q, set.questions[q].sentence, set.questions[q].choices);
        right[q] = set.questions[q].right;
    }
    Questions->clearChoices();
    QElapsedTimer answering;
    answering.start();
    if (Questions->exec() != QDialog::Accepted)
        return; // nothing scored; the passage can still be tested
    TestChoices chosen{};
    for (int q = 0; q < TestQuestionCount; ++q)
        chosen[q] = Questions->chosen(q);

    RunResult result = passage.run;
    result.kind = DiaryKind::ClozeTest;
    result.right = countRightAnswers(right, chosen);
    result.outOf = TestQuestionCount;
    result.stopped = false;
    result.durationMs = answering.elapsed();
    Used = true;
    refresh();

    ResultForm.fill(result.right, result.charsRead, result.charsPerMinute,
                    result.actualCharsPerMinute, result.wordsPerMinute, result.percent());
    ResultForm.exec();
    emit finished(result);
}
