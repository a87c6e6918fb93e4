#include "fieldofview/Unitfrstring.h"

#include "platform/HelpContext.h"
#include "shell/SpeedRegulator.h"
#include "shell/Unitfrmain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor WindowBackground(0x22, 0x32, 0xA6);
const QColor GripColour(0xFF, 0xB6, 0x00);
constexpr int GripWidth = 4;
constexpr int MarkerSize = 7;

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A small ring with a dot in its middle, on a transparent background.
QPixmap markerPicture() {
    QPixmap picture(MarkerSize, MarkerSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawEllipse(0, 0, MarkerSize - 1, MarkerSize - 1);
    painter.drawPoint(MarkerSize / 2, MarkerSize / 2);
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

    WindowString = new QLabel(Client);
    WindowString->setObjectName(QStringLiteral("WindowString"));
    WindowString->setAccessibleName(QStringLiteral("Тестовая строка"));
    WindowString->setAlignment(Qt::AlignCenter);
    WindowString->setAutoFillBackground(true);
    fillWith(WindowString, QPalette::Window, Qt::white);
    fillWith(WindowString, QPalette::WindowText, Qt::black);
    WindowString->setFont(QFont(Main.FontName, Main.FontSize));
    WindowString->hide();

    ImageCenter = new QLabel(WindowString);
    ImageCenter->setObjectName(QStringLiteral("ImageCenter"));
    ImageCenter->setAccessibleName(QStringLiteral("Маркер"));
    ImageCenter->setPixmap(markerPicture());
    ImageCenter->setFixedSize(MarkerSize, MarkerSize);
    ImageCenter->hide();

    MarginLeft = makeGrip(WindowString, "MarginLeft", QStringLiteral("Левая граница строки"));
    MarginRight = makeGrip(WindowString, "MarginRight", QStringLiteral("Правая граница строки"));
    setLineGeometry(0, 0, Main.CharWidth * Main.ReadingFieldWidth + Main.EdgeWidth4,
                    Main.CharHeight + 4);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1);
}

void TStringForm::FormActivate() {
    if (Main.Closing || (Main.SpeedButton3 && Main.SpeedButton3->isEnabled()))
        return;
    Main.setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(Main.RecommendWide));
    Main.setStatusPanel(3, QString());
    Main.HintPanelLeft = 0;
    Main.HintPanelRight = 0;
    if (Main.LastExercise != 1) {
        Main.LastExercise = 1;
        ShowStringAdvice();
    }
}

void TStringForm::StartLine() {
    // The flashing of the number pairs is not built yet: a run shows nothing.
}

void TStringForm::EndLine() {
    Main.SetRunState(RunState::RunEnded);
    ImageCenter->hide();
    Timer1->stop();
}

void TStringForm::setLineGeometry(int left, int top, int width, int height) {
    WindowString->setGeometry(left, top, width, height);
    MarginLeft->setGeometry(0, 0, GripWidth, height);
    MarginRight->setGeometry(width - GripWidth, 0, GripWidth, height);
    ImageCenter->move((width - MarkerSize) / 2, (height - MarkerSize) / 2);
}

void TStringForm::closeEvent(QCloseEvent* event) {
    // The window lives as long as the program.
    if (!Main.Closing)
        event->ignore();
}
