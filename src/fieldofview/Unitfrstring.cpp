#include "fieldofview/Unitfrstring.h"

#include "exercise/ExerciseHost.h"
#include "fieldofview/TestLine.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitstringresult.h"
#include "platform/PacedTimer.h"
#include "training/SpeedRegulator.h"
#include "training/TrainingState.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSlider>

namespace {

const QColor MarkerColour(0xC0, 0x00, 0x00);
constexpr int GripWidth = 4;

// A small ring with a dot in its middle, on a transparent background.
QPixmap markerPicture() {
    QPixmap picture(TestLine::MarkerSize, TestLine::MarkerSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(MarkerColour);
    painter.drawEllipse(0, 0, TestLine::MarkerSize - 1, TestLine::MarkerSize - 1);
    painter.drawPoint(TestLine::MarkerSize / 2, TestLine::MarkerSize / 2);
    return picture;
}

} // namespace

TStringForm::TStringForm(TrainingState& state, ExerciseHost& host)
    : ExerciseWindow(ExerciseKind::FieldOfView, state, host) {
    Client = makeDarkClient(QStringLiteral("StringFormClient"));

    // The label's own name is its caption, so a screen reader reads the width or the pair.
    WindowString = new QLabel(Client);
    WindowString->setObjectName(QStringLiteral("WindowString"));
    WindowString->setAccessibleDescription(QStringLiteral("Тестовая строка"));
    WindowString->setTextFormat(Qt::PlainText);
    WindowString->setAlignment(Qt::AlignCenter);
    WindowString->setAutoFillBackground(true);
    fillWith(WindowString, QPalette::Window, Qt::white);
    fillWith(WindowString, QPalette::WindowText, Qt::black);
    WindowString->hide();

    ImageCenter = new QLabel(WindowString);
    ImageCenter->setObjectName(QStringLiteral("ImageCenter"));
    ImageCenter->setAccessibleName(QStringLiteral("Маркер"));
    ImageCenter->setPixmap(markerPicture());
    ImageCenter->setFixedSize(TestLine::MarkerSize, TestLine::MarkerSize);
    ImageCenter->hide();

    MarginLeft = makeGrip(WindowString, "MarginLeft", QStringLiteral("Левая граница строки"));
    MarginRight = makeGrip(WindowString, "MarginRight", QStringLiteral("Правая граница строки"));
    MarginLeft->installEventFilter(this);
    MarginRight->installEventFilter(this);
    ApplyLineFont();
    WindowString->resize(WindowString->width(), TestLine::lineHeight(State.CharHeight()));
    setLineWidth(State.CharWidth() * State.ReadingFieldWidth() + State.EdgeWidth4());

    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TStringForm::Timer1Timer);
    // A width typed in the frame lays the line out again (the line itself sets the width as
    // it is laid out or dragged, which brings it back here once more).
    connect(&State, &TrainingState::readingFieldWidthChanged, this, [this] {
        if (isChosen())
            layOutLine();
    });
}

QWidget* TStringForm::widthGrip() const {
    return MarginLeft;
}

void TStringForm::setLineChars(int chars) {
    LineChars = chars;
    State.setLineTest(ScorePercent, LineChars);
}

void TStringForm::setDialogs(TAnsStringForm* answer, TStringResultForm* result) {
    AnsStringForm = answer;
    StringResultForm = result;
}

void TStringForm::FormActivate() {
    Host.setStatusPanel(3, QString());
    layOutLine();
}

void TStringForm::layOutLine() {
    State.setReadingFieldLimit(10000);
    SetLineLimits();
    SnapLine();
    CenterLine();
    ApplyLineFont();
    WindowString->show();
}

void TStringForm::SetLineLimits() {
    const auto m = ColumnLayout::metricsOf(State);
    // The room the text window's ruler has: inside this window's frame, so that the widest
    // line never asks the main window to grow.
    const auto limits = TestLine::lineLimits(ColumnLayout::visibleWidth(window()->width(), m), m);
    LineMinimum = limits.minimum;
    LineMaximum = limits.maximum;
    setLineWidth(TestLine::lineWidth(State.ReadingFieldWidth(), limits, m));
}

void TStringForm::SnapLine() {
    const auto m = ColumnLayout::metricsOf(State);
    setLineChars(ColumnLayout::columnChars(WindowString->width(), m));
    WindowString->resize(WindowString->width(), TestLine::lineHeight(State.CharHeight()));
    setLineWidth(ColumnLayout::snappedWidth(WindowString->width(), m));
    State.setMinWidthString(ColumnLayout::minimumWindowWidth(WindowString->width(), m));
}

void TStringForm::CenterLine() {
    placeLine();
    setLineChars(ColumnLayout::columnChars(WindowString->width(), ColumnLayout::metricsOf(State)));
    // The frame's width control follows; with this window active and the value changed, the
    // frame lays this window out once more.
    State.setReadingFieldWidth(LineChars);
    WindowString->setText(Running ? QString() : TestLine::idleCaption(LineChars));
}

void TStringForm::ApplyLineFont() {
    QFont font(State.FontName());
    font.setPointSize(State.FontSize());
    WindowString->setFont(font);
}

void TStringForm::setLineWidth(int width) {
    const int w = ColumnLayout::Limits{LineMinimum, LineMaximum}.clamp(width);
    const int h = WindowString->height();
    WindowString->resize(w, h);
    MarginLeft->setGeometry(0, 0, GripWidth, h);
    MarginRight->setGeometry(w - GripWidth, 0, GripWidth, h);
    ImageCenter->move(TestLine::markerOffset(w, h));
}

void TStringForm::placeLine() {
    const int visible =
        ColumnLayout::visibleWidth(window()->width(), ColumnLayout::metricsOf(State));
    WindowString->move(ColumnLayout::rulerLeft(visible, WindowString->width()),
                       TestLine::lineTop(Client->height(), WindowString->height()));
}

void TStringForm::MarginLeftMouseDown() {
    DraggingLeft = true;
}

void TStringForm::MarginLeftMouseMove(int x) {
    if (DraggingLeft)
        dragGrip(true, x);
}

void TStringForm::MarginLeftMouseUp() {
    DraggingLeft = false;
    releaseGrip();
}

void TStringForm::MarginRightMouseDown() {
    DraggingRight = true;
}

void TStringForm::MarginRightMouseMove(int x) {
    if (DraggingRight)
        dragGrip(false, x);
}

void TStringForm::MarginRightMouseUp() {
    DraggingRight = false;
    releaseGrip();
}

void TStringForm::dragGrip(bool leftGrip, int x) {
    setLineWidth(
        TestLine::draggedWidth(WindowString->width(), x, leftGrip, {LineMinimum, LineMaximum}));
    CenterLine();
}

void TStringForm::releaseGrip() {
    SnapLine();
    CenterLine();
}

bool TStringForm::eventFilter(QObject* watched, QEvent* event) {
    const bool left = watched == MarginLeft;
    if (left || watched == MarginRight) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            left ? MarginLeftMouseDown() : MarginRightMouseDown();
            return true;
        case QEvent::MouseMove: {
            const int x = static_cast<QMouseEvent*>(event)->position().toPoint().x();
            left ? MarginLeftMouseMove(x) : MarginRightMouseMove(x);
            return true;
        }
        case QEvent::MouseButtonRelease:
            left ? MarginLeftMouseUp() : MarginRightMouseUp();
            return true;
        default:
            break;
        }
    }
    return ExerciseWindow::eventFilter(watched, event);
}

void TStringForm::StartLine() {
    Running = true;
    Answer = 0; // no pair shown yet
    Random.seedFromClock();
    TimeLeft = TestLine::runLengthMs(Random);
    ImageCenter->show();
    StepInterval = 1;
    Timer1->startPaced(StepInterval);
}

void TStringForm::Timer1Timer() {
    if (!Running)
        return; // a step that was already due when the run ended
    TimeLeft -= StepInterval;
    if (TimeLeft < 0) {
        stop();
        return;
    }
    const TestLine::Pair pair = TestLine::drawPair(Random);
    Answer = pair.answer();
    StepInterval = TestLine::stepInterval(State.CharInterval());
    // The line's own advances: a blank is seldom a whole number of pixels, and a count
    // from rounded widths would push the numbers past the ends of a long line.
    const QFontMetricsF metrics(WindowString->font(), WindowString);
    const int blanks =
        TestLine::blankCount(WindowString->width(), metrics.horizontalAdvance(QLatin1Char('0')),
                             metrics.horizontalAdvance(QLatin1Char(' ')), State.EdgeWidth4());
    WindowString->setText(TestLine::pairCaption(pair, blanks));
    Timer1->scheduleNext(StepInterval);
}

void TStringForm::EndLine() {
    ScorePercent = 0;
    State.setLineTest(ScorePercent, LineChars);
    ImageCenter->hide();
    Running = false;
    RunResult result = runResult();
    if (Answer > 0)
        result.shown =
            QString::number(Answer / 100) + QStringLiteral(" и ") + QString::number(Answer % 100);
    WindowString->setText(TestLine::idleCaption(LineChars));
    AnsStringForm->clearAnswer();
    // Only a run that ran out its time asks; Stop leaves time on the clock.
    result.stopped = TimeLeft >= 0;
    const std::optional<bool> verdict = result.stopped ? std::nullopt : ScoreAnswer();
    if (verdict) {
        result.right = *verdict ? 1 : 0;
        result.outOf = 1;
    }
    if (Answer > 0)
        emit runFinished(result);
    finishRun(!verdict.value_or(false));
}

std::optional<bool> TStringForm::ScoreAnswer() {
    TAnsStringForm* ask = AnsStringForm;
    if (ask->exec() != QDialog::Accepted || !ask->lookedAtMarker())
        return std::nullopt; // not scored: no verdict, nothing changes
    const bool right = TestLine::answerFromText(ask->answer()) == Answer;
    if (right) {
        ScorePercent = 100;
        State.setLineTest(ScorePercent, LineChars);
        State.setRecommendation(State.speed(), State.ReadingFieldWidth());
    }
    TStringResultForm* result = StringResultForm;
    result->fill(right, Answer, State.RecommendWide(), State.RecommendSpeed());
    Host.setStatusPanel(0, SpeedRegulator::recommendedSpeedPanel(State.RecommendSpeed()));
    Host.setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(State.RecommendWide()));
    result->exec();
    return right;
}

void TStringForm::resizeEvent(QResizeEvent* event) {
    ExerciseWindow::resizeEvent(event);
    if (WindowString)
        placeLine();
}
