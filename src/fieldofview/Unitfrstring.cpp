#include "fieldofview/Unitfrstring.h"

#include "app/ProgramWindows.h"
#include "fieldofview/TestLine.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitstringresult.h"
#include "platform/HelpContext.h"
#include "platform/PacedTimer.h"
#include "shell/SpeedRegulator.h"
#include "shell/Unitfrmain.h"
#include "widgets/TCSpinEdit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSlider>

namespace {

const QColor WindowBackground(0x22, 0x32, 0xA6);
const QColor GripColour(0xFF, 0xB6, 0x00);
const QColor MarkerColour(0xC0, 0x00, 0x00);
constexpr int GripWidth = 4;

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

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

QFrame* makeGrip(QWidget* line, const char* name, const QString& hint) {
    auto* grip = new QFrame(line);
    grip->setObjectName(QLatin1String(name));
    grip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    grip->setLineWidth(1);
    grip->setAutoFillBackground(true);
    fillWith(grip, QPalette::Window, GripColour);
    grip->setCursor(Qt::SizeHorCursor);
    grip->setToolTip(hint);
    grip->setAccessibleName(hint);
    return grip;
}

ColumnLayout::Metrics metricsOf(const TMainForm& m) {
    return {m.CharWidth, m.EdgeWidth, m.FrameWidth, m.ScrollWidth};
}

} // namespace

TStringForm::TStringForm(TMainForm& mainForm) : Main(mainForm) {
    setObjectName(QStringLiteral("StringForm"));
    setWindowTitle(QStringLiteral("Тест на ширину поля зрения"));
    setProperty("helpContext", HelpContext::FieldOfViewWindow);

    Client = new QWidget;
    Client->setObjectName(QStringLiteral("StringFormClient"));
    Client->setAutoFillBackground(true);
    fillWith(Client, QPalette::Window, WindowBackground);
    setWidget(Client);

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
    WindowString->resize(WindowString->width(), TestLine::lineHeight(Main.CharHeight));
    setLineWidth(Main.CharWidth * Main.ReadingFieldWidth + Main.EdgeWidth4);

    Timer1 = new PacedTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TStringForm::Timer1Timer);
}

void TStringForm::FormActivate() {
    if (Main.Closing)
        return;
    Main.setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(Main.RecommendWide));
    Main.setStatusPanel(3, QString());
    Main.HintPanelLeft = 0;
    Main.HintPanelRight = 0;
    Main.CSpinEdit1->setMaximum(10000);
    SetLineLimits();
    SnapLine();
    CenterLine();
    ApplyLineFont();
    WindowString->show();
    if (Main.LastExercise != 1) {
        Main.LastExercise = 1;
        ShowStringAdvice();
    }
}

void TStringForm::SetLineLimits() {
    const auto m = metricsOf(Main);
    // The room the text window's ruler has: inside this window's frame, so that the widest
    // line never asks the main window to grow.
    const auto limits = TestLine::lineLimits(ColumnLayout::visibleWidth(Main.width(), m), m);
    LineMinimum = limits.minimum;
    LineMaximum = limits.maximum;
    setLineWidth(TestLine::lineWidth(Main.ReadingFieldWidth, limits, m));
}

void TStringForm::SnapLine() {
    const auto m = metricsOf(Main);
    LineChars = ColumnLayout::columnChars(WindowString->width(), m);
    WindowString->resize(WindowString->width(), TestLine::lineHeight(Main.CharHeight));
    setLineWidth(ColumnLayout::snappedWidth(WindowString->width(), m));
    Main.MinWidthString = ColumnLayout::minimumWindowWidth(WindowString->width(), m);
    // During a run the frame keeps its size; the minimum applies when the run ends.
    if (!Main.isRunning())
        Main.setMinimumWidth(std::max(Main.MinWidthText, Main.MinWidthString));
}

void TStringForm::CenterLine() {
    placeLine();
    LineChars = ColumnLayout::columnChars(WindowString->width(), metricsOf(Main));
    // The main window's handler of the spin sets the reading-field width and, with this
    // window active and the value changed, lays this window out once more.
    Main.CSpinEdit1->setValue(LineChars);
    WindowString->setText(Running ? QString() : TestLine::idleCaption(LineChars));
}

void TStringForm::ApplyLineFont() {
    QFont font(Main.FontName);
    font.setPointSize(Main.FontSize);
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
    const int visible = ColumnLayout::visibleWidth(Main.width(), metricsOf(Main));
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
    return QMdiSubWindow::eventFilter(watched, event);
}

void TStringForm::StartLine() {
    Running = true;
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
        EndLine();
        return;
    }
    const TestLine::Pair pair = TestLine::drawPair(Random);
    Answer = pair.answer();
    StepInterval = TestLine::stepInterval(Main.CharInterval);
    // The line's own advances: a blank is seldom a whole number of pixels, and a count
    // from rounded widths would push the numbers past the ends of a long line.
    const QFontMetricsF metrics(WindowString->font(), WindowString);
    const int blanks =
        TestLine::blankCount(WindowString->width(), metrics.horizontalAdvance(QLatin1Char('0')),
                             metrics.horizontalAdvance(QLatin1Char(' ')), Main.EdgeWidth4);
    WindowString->setText(TestLine::pairCaption(pair, blanks));
    Timer1->scheduleNext(StepInterval);
}

void TStringForm::EndLine() {
    ScorePercent = 0;
    Main.SetRunState(RunState::RunEnded);
    ImageCenter->hide();
    Running = false;
    Timer1->stop();
    WindowString->setText(TestLine::idleCaption(LineChars));
    Main.windows().AnsStringForm->Edit1->setText(QStringLiteral("0"));
    // Only a run that ran out its time asks; Stop leaves time on the clock.
    const bool right = TimeLeft < 0 && ScoreAnswer();
    Main.CourseRunEnded(!right);
}

bool TStringForm::ScoreAnswer() {
    TAnsStringForm* ask = Main.windows().AnsStringForm;
    if (ask->exec() != QDialog::Accepted || !ask->CheckBox1->isChecked())
        return false; // not scored: no verdict, nothing changes
    const bool right = TestLine::answerFromText(ask->Edit1->text()) == Answer;
    if (right) {
        ScorePercent = 100;
        Main.RecommendSpeed = SpeedRegulator::speed(Main.TrackBar1->value());
        Main.RecommendWide = Main.ReadingFieldWidth;
    }
    TStringResultForm* result = Main.windows().StringResultForm;
    result->fill(right, Answer, Main.RecommendWide, Main.RecommendSpeed);
    Main.setStatusPanel(0, SpeedRegulator::recommendedSpeedPanel(Main.RecommendSpeed));
    Main.setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(Main.RecommendWide));
    result->exec();
    return right;
}

void TStringForm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (WindowString)
        placeLine();
}

void TStringForm::closeEvent(QCloseEvent* event) {
    // The window lives as long as the program.
    if (!Main.Closing)
        event->ignore();
}
