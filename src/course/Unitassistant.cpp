#include "course/Unitassistant.h"

#include "course/CourseWindowLook.h"
#include "course/GuideDocking.h"
#include "course/Unitwizard.h"
#include "platform/HelpContext.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int FrameSettleMs = 200;

// A label whose text the course fills in; it is named by what it shows.
QLabel* makeValue(QWidget* parent, const char* name, const QString& description, int left, int top,
                  int width) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(description);
    label->setGeometry(left, top, width, 13);
    return label;
}

QToolButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setGeometry(left, 156, 52, 17);
    return button;
}

// The program's illustration: a page of grey lines with the black reading field on one of
// them, and the program's name.
QPixmap illustration(const QFont& base) {
    QPixmap picture(189, 69);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(DarkBlue, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2.5, 4.5, 70, 60), 4, 4);
    painter.setPen(Qt::NoPen);
    const int lineLengths[] = {56, 48, 58, 40, 52, 30};
    for (int line = 0; line < 6; ++line) {
        painter.setBrush(line == 2 ? QColor(Qt::black) : QColor(192, 192, 192));
        const int left = line == 2 ? 22 : 10;
        const int width = line == 2 ? 26 : lineLengths[line];
        painter.drawRect(QRect(left, 12 + line * 8, width, 4));
    }
    painter.setBrush(QColor(255, 0, 0));
    painter.drawPolygon(QPolygon({QPoint(35, 30), QPoint(31, 36), QPoint(39, 36)}));
    QFont title = base;
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(DarkBlue);
    painter.drawText(QRect(80, 8, 109, 32), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Skimora"));
    QFont note = base;
    note.setPixelSize(11);
    painter.setFont(note);
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(QRect(80, 40, 109, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("курс скорочтения"));
    return picture;
}

} // namespace

TAssistantForm::TAssistantForm(QWidget* frame, const QWidget* toolBars, TrainingState& state)
    : QWidget(frame, Qt::Tool | Qt::WindowStaysOnTopHint), ToolBars(toolBars) {
    setObjectName(QStringLiteral("AssistantForm"));
    setWindowTitle(QStringLiteral("Ассистент"));
    setProperty("helpContext", HelpContext::Course);
    CourseWindowLook::applyBackground(*this);
    CourseWindowLook::applyFace(*this);
    setFixedSize(224, 175);

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::NoFrame);
    Panel3->setAutoFillBackground(true);
    QPalette white = Panel3->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel3->setPalette(white);
    Panel3->setGeometry(2, 0, 220, 77);
    Image1 = new QLabel(Panel3);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Skimora"));
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setGeometry(18, 4, 189, 69);
    Image1->setPixmap(illustration(this->font()));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(2, 80, 219, 2);

    // The group's caption is blank: the level label sits on its frame instead.
    GroupBox1 = new QGroupBox(QStringLiteral("                "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(QStringLiteral("Уровень"));
    GroupBox1->setGeometry(2, 84, 218, 37);
    Label6 = makeLabel(GroupBox1, "Label6", QStringLiteral("УРОВЕНЬ:"), 12, 0);
    setBold(Label6);
    setTextColour(Label6, Qt::black);
    Label6->adjustSize();
    LabelLevel = makeValue(GroupBox1, "LabelLevel", Label6->text(), 80, 0, 40);
    LabelLevel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setBold(LabelLevel);
    setTextColour(LabelLevel, Maroon);
    Label1 = makeLabel(GroupBox1, "Label1", QStringLiteral("Скорость:"), 10, 16);
    LabelSpeed = makeValue(GroupBox1, "LabelSpeed", Label1->text(), 64, 16, 64);
    setTextColour(LabelSpeed, Navy);
    Label2 = makeLabel(GroupBox1, "Label2", QStringLiteral("Ширина:"), 131, 16);
    LabelWidth = makeValue(GroupBox1, "LabelWidth", Label2->text(), 174, 16, 42);
    setTextColour(LabelWidth, Navy);

    Label9 = makeLabel(this, "Label9", QStringLiteral("Ход выполнения упражнений"), 7, 124);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(Label9->text());
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(2, 140, 220, 13);

    SpeedButton2 = makeButton(this, "SpeedButton2", QStringLiteral("След."), 2);
    SpeedButton1 = makeButton(this, "SpeedButton1", QStringLiteral("Стоп"), 58);
    SpeedButton3 = makeButton(this, "SpeedButton3", QStringLiteral("Сначала"), 114);
    SpeedButton4 = makeButton(this, "SpeedButton4", QStringLiteral("Помощь"), 170);

    CourseWindowLook::applyFace(*this);
    for (QLabel* label : {Label6, Label1, Label2, Label9})
        label->adjustSize();

    connect(SpeedButton2, &QToolButton::clicked, this, &TAssistantForm::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAssistantForm::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TAssistantForm::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TAssistantForm::SpeedButton4Click);

    GuideDocked = true;
    SetButtonsEnabled(true);
    state.setRestartCourse(false);
}

void TAssistantForm::setNextStageEnabled(bool enabled) {
    SpeedButton2->setEnabled(enabled);
}

void TAssistantForm::setProgress(int done, int count) {
    ProgressBar1->setMaximum(count);
    ProgressBar1->setValue(done);
}

void TAssistantForm::SetButtonsEnabled(bool enabled) {
    ButtonsEnabled = enabled;
    for (QToolButton* button : {SpeedButton2, SpeedButton1, SpeedButton3, SpeedButton4})
        button->setEnabled(enabled);
    // Back from a run, the keyboard goes to the assistant; at the start of a run it stays with
    // the frame, so that Escape and Enter still stop the run.
    if (enabled && isVisible()) {
        activateWindow();
        setFocus();
    }
}

void TAssistantForm::setLevel(const QString& level, const QString& speeds, const QString& widths) {
    LabelLevel->setText(level);
    LabelSpeed->setText(speeds);
    LabelWidth->setText(widths);
    for (QLabel* label : {LabelLevel, LabelSpeed, LabelWidth})
        label->setAccessibleName(label->text());
}

void TAssistantForm::SpeedButton2Click() {
    emit nextStageAsked();
}

void TAssistantForm::SpeedButton1Click() {
    close();
}

void TAssistantForm::SpeedButton3Click() {
    emit restartAsked();
}

void TAssistantForm::SpeedButton4Click() {
    emit helpAsked();
}

void TAssistantForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    // A window manager frames the window a little after it is shown; with its frame known,
    // the window and the main window stand apart once more.
    QTimer::singleShot(FrameSettleMs, this, [this] {
        if (isVisible())
            FormShow();
    });
}

int TAssistantForm::widthBesideFrame() const {
    const int own = frameGeometry().width();
    // The guide wears the same frame as this window, shown or not.
    return Guide ? std::max(own, Guide->width() + own - width()) : own;
}

void TAssistantForm::FormShow() {
    // Too near the screen's left edge for this window and the guide, on a screen wide enough
    // for them and the frame: the frame moves right, so that they cover none of it (nor the
    // status bar's recommendations that the tips tell the user to watch).
    QWidget* frame = parentWidget();
    const QRect screen = frame->screen()->availableGeometry();
    const int width = widthBesideFrame();
    if (frame->windowState() == Qt::WindowNoState &&
        frame->frameGeometry().left() - screen.left() < width &&
        screen.width() >= width + frame->frameGeometry().width())
        frame->move(screen.left() + width, frame->y());
    const QRect main = frame->frameGeometry();
    const int barsBottom = ToolBars->mapToGlobal(QPoint(0, 0)).y() + ToolBars->height();
    move(std::max(0, main.left() - width), std::max(0, barsBottom));
}

void TAssistantForm::makeRoomForGuide() {
    const QRect main = parentWidget()->frameGeometry();
    if (!isVisible() || !Guide || !Guide->isVisible() || !GuideDocked ||
        !Guide->frameGeometry().intersects(main) || frameGeometry().intersects(main))
        return;
    FormShow();
}

void TAssistantForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    FollowAssistant();
}

void TAssistantForm::FollowAssistant() {
    TWizardForm* guide = Guide;
    if (!guide || !guide->isVisible())
        return;
    const GuideDocking::Placement placement =
        GuideDocking::followAssistant(frameGeometry(), guide->frameGeometry(), GuideDocked);
    GuideDocked = placement.Docked;
    if (placement.TopLeft != guide->frameGeometry().topLeft())
        guide->move(placement.TopLeft);
}

// While an exercise runs the close box does nothing; a close asked for by the program (the
// main window closing at exit) always goes through.
void TAssistantForm::closeEvent(QCloseEvent* event) {
    if (!ButtonsEnabled && event->spontaneous()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    emit closed();
}
