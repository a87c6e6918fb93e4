#include "flash/FlashForm.h"

#include "dialogs/Unitfrmessage.h"
#include "exercise/ExerciseHost.h"
#include "exercise/ReadingPlace.h"
#include "flash/FlashDisplay.h"
#include "flash/FlashTiming.h"
#include "platform/PacedTimer.h"
#include "platform/SettingsStore.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

namespace {

QSpinBox* makeSpin(QWidget* parent, const char* name, const QString& caption, int low, int high,
                   int step, const QString& suffix, QBoxLayout* row) {
    auto* label = new QLabel(caption, parent);
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setSuffix(suffix);
    spin->setAccessibleName(caption);
    label->setBuddy(spin);
    row->addWidget(label);
    row->addWidget(spin);
    row->addSpacing(8);
    return spin;
}

// A button for the mouse and for accessibility tools; the keyboard has its own keys for it, so
// it never takes the focus from the display.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QBoxLayout* row) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(hint);
    row->addWidget(button);
    return button;
}

} // namespace

TFlashForm::TFlashForm(TrainingState& state, ExerciseHost& host, ReadingPlace& place)
    : ExerciseWindow(ExerciseKind::Flash, state, host), Place(place) {
    QWidget* client = makeDarkClient(QStringLiteral("FlashFormClient"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 12);

    auto* band = new QWidget(client);
    band->setAutoFillBackground(true);
    fillWith(band, QPalette::Window, LightBlue);
    auto* choices = new QHBoxLayout(band);
    choices->setContentsMargins(8, 4, 8, 4);
    WordsSpin = makeSpin(band, "WordsSpin", QStringLiteral("Слов во вспышке:"),
                         FlashSettings::MinWords, FlashSettings::MaxWords, 1, {}, choices);
    SentencePauseSpin = makeSpin(
        band, "SentencePauseSpin", QStringLiteral("Пауза после предложения:"),
        FlashSettings::MinPause, FlashSettings::MaxPause, 10, QStringLiteral(" %"), choices);
    CommaPauseSpin =
        makeSpin(band, "CommaPauseSpin", QStringLiteral("после запятой:"), FlashSettings::MinPause,
                 FlashSettings::MaxPause, 10, QStringLiteral(" %"), choices);
    choices->addStretch();
    column->addWidget(band);

    auto* middle = new QVBoxLayout;
    middle->setContentsMargins(20, 0, 20, 0);
    column->addStretch();
    Display = new FlashDisplay(client);
    middle->addWidget(Display);
    Progress = new QProgressBar(client);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setRange(0, 100);
    Progress->setFormat(QStringLiteral("%p %"));
    Progress->setAccessibleName(QStringLiteral("Прочитано"));
    middle->addWidget(Progress);
    Figures = new QLabel(client);
    Figures->setObjectName(QStringLiteral("Figures"));
    Figures->setAlignment(Qt::AlignCenter);
    Figures->setWordWrap(true);
    fillWith(Figures, QPalette::WindowText, Qt::white);
    middle->addWidget(Figures);
    column->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    PauseButton = makeButton(client, "PauseButton", QStringLiteral("Пауза"),
                             QStringLiteral("Пауза и продолжение (Пробел)"), buttons);
    BackButton = makeButton(client, "BackButton", QStringLiteral("◀ Предложение назад"),
                            QStringLiteral("На предложение назад (стрелка влево)"), buttons);
    ForwardButton = makeButton(client, "ForwardButton", QStringLiteral("Предложение вперёд ▶"),
                               QStringLiteral("На предложение вперёд (стрелка вправо)"), buttons);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();

    connect(Timer1, &QTimer::timeout, this, &TFlashForm::Timer1Timer);
    connect(PauseButton, &QPushButton::clicked, this, &TFlashForm::PauseFlash);
    connect(BackButton, &QPushButton::clicked, this, &TFlashForm::SentenceBack);
    connect(ForwardButton, &QPushButton::clicked, this, &TFlashForm::SentenceForward);
    Display->installEventFilter(this);
    connect(&State, &TrainingState::fontChanged, this, &TFlashForm::applyFont);
    applyFont();

    if (const auto store = SettingsStore::openExisting())
        Settings = readFlashSettings(*store);
    WordsSpin->setValue(Settings.WordsPerGroup);
    SentencePauseSpin->setValue(Settings.SentencePause);
    CommaPauseSpin->setValue(Settings.CommaPause);
    for (QSpinBox* spin : {WordsSpin, SentencePauseSpin, CommaPauseSpin})
        connect(spin, &QSpinBox::valueChanged, this, &TFlashForm::settingsChanged);
    updateControls();
}

void TFlashForm::FormActivate() {
    Host.setStatusPanel(3, QString());
}

void TFlashForm::applyFont() {
    QFont font(State.FontName());
    font.setPointSize(State.FontSize());
    Display->setFont(font);
}

void TFlashForm::settingsChanged() {
    Settings.WordsPerGroup = WordsSpin->value();
    Settings.SentencePause = SentencePauseSpin->value();
    Settings.CommaPause = CommaPauseSpin->value();
    const auto store = SettingsStore::open();
    writeFlashSettings(*store, Settings);
}

void TFlashForm::StartFlash() {
    const QString text = Place.text();
    if (text.isEmpty()) {
        // Nothing to read: the run ends at once, so that "Открыть", which the message names,
        // is usable behind it.
        endRun();
        finishRun(false);
        if (MessageForm)
            MessageForm->exec();
        return;
    }
    Run.begin(text, Place.place(), Settings.WordsPerGroup);
    RunMs = 0;
    Paused = false;
    GroupShown = false;
    Figures->clear();
    updateControls();
    Display->setFocus();
    Timer1->startPaced(1);
}

void TFlashForm::Timer1Timer() {
    if (GroupShown)
        Run.advance();
    if (Run.atEnd()) {
        stop();
        return;
    }
    showCurrent();
    ShownMs = FlashTiming::groupTime(State.CharInterval(), Run.current(), Settings);
    GroupShown = true;
    Timer1->scheduleNext(ShownMs);
}

void TFlashForm::showCurrent() {
    Display->showGroup(Run.currentText());
    Progress->setValue(Run.percent());
    Place.setPlace(Run.place());
}

void TFlashForm::PauseFlash() {
    if (!isRunning())
        return;
    Paused = !Paused;
    if (Paused) {
        RunMs += Timer1->elapsedMs();
        Timer1->stop();
        Figures->setText(QStringLiteral("Пауза. Пробел — продолжить, стрелки влево и вправо — "
                                        "на предложение назад и вперёд."));
    } else {
        Figures->clear();
        // The group on show stays for its whole time again, at the speed set now.
        ShownMs = FlashTiming::groupTime(State.CharInterval(), Run.current(), Settings);
        GroupShown = true;
        Timer1->startPaced(ShownMs);
    }
    updateControls();
}

void TFlashForm::SentenceBack() {
    if (!Paused)
        return;
    Run.sentenceBack();
    showCurrent();
}

void TFlashForm::SentenceForward() {
    if (!Paused)
        return;
    Run.sentenceForward();
    showCurrent();
}

void TFlashForm::StopFlash() {
    if (!Paused)
        RunMs += Timer1->elapsedMs();
    Paused = false;
    const bool reachedEnd = Run.atEnd();
    Place.setPlace(Run.place());
    if (reachedEnd) {
        Display->showGroup({});
        Progress->setValue(Run.percent());
    }
    const FlashResult result = Run.result(!reachedEnd, RunMs);
    Figures->setText(describeFlashResult(result));
    updateControls();
    emit flashFinished(result);
    if (result.CharsRead > 0)
        emit runFinished(diaryFigures(result));
    finishRun(false);
}

RunResult TFlashForm::diaryFigures(const FlashResult& result) const {
    RunResult figures = runResult();
    figures.fieldWidth = 0; // groups of words, not a reading field
    figures.actualCharsPerMinute = result.Speed;
    figures.charsRead = result.CharsRead;
    figures.wordsRead = result.WordsRead;
    figures.wordsPerMinute = wordsPerMinute(result.WordsRead, result.ElapsedMs);
    figures.durationMs = result.ElapsedMs;
    figures.stopped = result.Stopped;
    return figures;
}

void TFlashForm::updateControls() {
    for (QSpinBox* spin : {WordsSpin, SentencePauseSpin, CommaPauseSpin})
        spin->setEnabled(!isRunning());
    PauseButton->setEnabled(isRunning());
    PauseButton->setText(Paused ? QStringLiteral("Продолжить") : QStringLiteral("Пауза"));
    PauseButton->setAccessibleName(PauseButton->text());
    BackButton->setEnabled(Paused);
    ForwardButton->setEnabled(Paused);
    Figures->setAccessibleName(Figures->text());
}

bool TFlashForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Display && event->type() == QEvent::KeyPress && isRunning()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Space:
            if (!key->isAutoRepeat())
                PauseFlash();
            return true;
        case Qt::Key_Left:
            SentenceBack();
            return true;
        case Qt::Key_Right:
            SentenceForward();
            return true;
        default:
            break;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}
