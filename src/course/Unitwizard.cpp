#include "course/Unitwizard.h"

#include "course/CourseWindowLook.h"
#include "course/GuideDocking.h"
#include "course/Unitassistant.h"
#include "platform/HelpContext.h"
#include "training/TrainingState.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int CircleSide = 9;
constexpr int SampleSide = 10;
constexpr int FrameSettleMs = 200;
constexpr int DesignedWidth = 224;
constexpr int DesignedHeight = 232;
constexpr int DesignedPanelHeight = 173;
constexpr int LegendGap = 3; // between a legend's name and its mark, and at the window's edge

// A filled circle with a white outline, the legend mark of one kind of step.
QLabel* makeCircle(QWidget* parent, const char* name, const QColor& colour, const QString& meaning,
                   int left, int top) {
    QPixmap picture(CircleSide, CircleSide);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::white);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(0.5, 0.5, CircleSide - 1, CircleSide - 1));
    }
    auto* circle = new QLabel(parent);
    circle->setObjectName(QLatin1String(name));
    circle->setAccessibleName(meaning);
    circle->setPixmap(picture);
    circle->setGeometry(left, top, CircleSide, CircleSide);
    return circle;
}

// The figure of an on-screen marker: the diagonal from the top-left to the bottom-right corner
// with the right and bottom edges, in red on a see-through background.
QPixmap sampleMarker() {
    QPixmap picture(SampleSide, SampleSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::red, 2));
    const int far = SampleSide - 2;
    painter.drawPolyline(QPolygon({QPoint(1, 1), QPoint(far, far), QPoint(far, 1)}));
    painter.drawLine(far, far, 1, far);
    return picture;
}

QColor colourOf(LineState state) {
    switch (state) {
    case LineState::Done:
        return QColor(0x80, 0x80, 0x80);
    case LineState::Current:
        return Qt::red;
    case LineState::Hint:
        return Qt::blue;
    case LineState::Open:
        break;
    }
    return Qt::black;
}

} // namespace

TWizardForm::TWizardForm(QWidget* frame, TrainingState& state)
    : QWidget(frame,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      State(state) {
    setObjectName(QStringLiteral("WizardForm"));
    setWindowTitle(QStringLiteral("Руководство"));
    setProperty("helpContext", HelpContext::Course);
    CourseWindowLook::applyBackground(*this);
    CourseWindowLook::applyFace(*this);
    setFixedSize(DesignedWidth, DesignedHeight);

    CheckBoxShowRedMarkers = new QCheckBox(QStringLiteral("маркеры текущего этапа -"), this);
    CheckBoxShowRedMarkers->setObjectName(QStringLiteral("CheckBoxShowRedMarkers"));
    CheckBoxShowRedMarkers->setAccessibleName(CheckBoxShowRedMarkers->text());
    CheckBoxShowRedMarkers->setGeometry(5, 6, 156, 17);
    CheckBoxShowRedMarkers->setChecked(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("маркер"));
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setGeometry(168, 9, SampleSide, SampleSide);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Panel1->setGeometry(0, 27, 225, DesignedPanelHeight);
    Panel1->setEnabled(false);

    RichEdit1 = new QTextEdit(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Шаги этапа"));
    RichEdit1->setFrameStyle(QFrame::NoFrame);
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setTextInteractionFlags(Qt::NoTextInteraction);
    // The panel is disabled only to keep the user out; the text keeps its normal colours.
    QPalette editPalette = RichEdit1->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        editPalette.setColor(group, QPalette::Base, Qt::white);
        editPalette.setColor(group, QPalette::Text, Qt::black);
    }
    RichEdit1->setPalette(editPalette);
    RichEdit1->setGeometry(Panel1->contentsRect());

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(2, 200, 220, 2);

    Label4 = makeLabel(this, "Label4", QStringLiteral("Этапы:"), 4, 204);
    QFont bold = Label4->font();
    bold.setBold(true);
    Label4->setFont(bold);
    Label4->adjustSize();

    Label3 = makeLabel(this, "Label3", QStringLiteral("текущие"), 58, 204);
    Shape3 = makeCircle(this, "Shape3", Qt::red, Label3->text(), 108, 207);
    Label1 = makeLabel(this, "Label1", QStringLiteral("выполненные"), 129, 204);
    Shape2 = makeCircle(this, "Shape2", QColor(192, 192, 192), Label1->text(), 205, 207);
    Label2 = makeLabel(this, "Label2", QStringLiteral("невыполненные"), 57, 216);
    Shape1 = makeCircle(this, "Shape1", Qt::black, Label2->text(), 145, 219);

    CourseWindowLook::applyFace(*this);
    for (QLabel* label : {Label4, Label3, Label1, Label2})
        label->adjustSize();
    // A face wider than the designed one pushes each mark right, past the end of its name.
    for (const auto& [label, mark] :
         {std::pair{Label3, Shape3}, {Label1, Shape2}, {Label2, Shape1}})
        mark->move(std::max(mark->x(), label->geometry().right() + 1 + LegendGap), mark->y());
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitSteps(QStringList());

    connect(CheckBoxShowRedMarkers, &QCheckBox::toggled, this,
            &TWizardForm::CheckBoxShowRedMarkersClick);
}

// The rules between the parts are meant to run off the edge.
void TWizardForm::fitSteps(const QStringList& lines) {
    ensurePolished();
    RichEdit1->ensurePolished();
    int needed = 0;
    for (const QLabel* legend : {Shape1, Shape2, Shape3, Label2, Label1})
        needed = std::max(needed, legend->geometry().right() + 1 + LegendGap);
    const QFontMetrics metrics(RichEdit1->document()->defaultFont());
    const int chrome = Panel1->width() - Panel1->contentsRect().width() +
                       2 * int(RichEdit1->document()->documentMargin()) + 2;
    for (const QString& line : lines) {
        if (line.trimmed().count(QLatin1Char('-')) != line.trimmed().size())
            needed = std::max(needed, metrics.horizontalAdvance(line) + chrome);
    }
    const int width = std::max(DesignedWidth, needed);
    // Every line whole, one under the other: the document's own height for them, the
    // margins above and below included.
    const int panelChrome = Panel1->height() - Panel1->contentsRect().height();
    const int textHeight = int(std::ceil(RichEdit1->document()->size().height()));
    const int extra = std::max(0, textHeight + panelChrome - DesignedPanelHeight);
    for (QWidget* legend : std::initializer_list<QWidget*>{Bevel1, Label4, Label3, Label1, Label2,
                                                           Shape1, Shape2, Shape3})
        legend->move(legend->x(), legend->y() + extra - ExtraHeight);
    ExtraHeight = extra;
    setFixedSize(width, DesignedHeight + extra);
    Panel1->resize(width + 1, DesignedPanelHeight + extra);
    RichEdit1->setGeometry(Panel1->contentsRect());
    Bevel1->resize(width - 4, Bevel1->height());
}

void TWizardForm::setSteps(const QStringList& lines) {
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
    RichEdit1->setAccessibleDescription(RichEdit1->toPlainText());
    fitSteps(lines);
    if (Assistant)
        Assistant->makeRoomForGuide();
}

int TWizardForm::setLineStates(const std::array<LineState, CourseStage::LineCount>& states) {
    QTextDocument* document = RichEdit1->document();
    const int lines = std::min(document->blockCount(), int(states.size()));
    for (int line = 0; line < lines; ++line) {
        QTextCursor cursor(document->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setForeground(colourOf(states[line]));
        cursor.mergeCharFormat(format);
    }
    return lines;
}

QColor TWizardForm::lineColour(int line) const {
    const QTextBlock block = RichEdit1->document()->findBlockByNumber(line);
    return QTextCursor(block).charFormat().foreground().color();
}

void TWizardForm::CheckBoxShowRedMarkersClick(bool checked) {
    State.setMarkers(checked);
    emit markersSwitched(checked);
}

void TWizardForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    // A window manager frames both windows only after they are shown; once it has, the guide
    // goes under the assistant's frame again.
    QTimer::singleShot(FrameSettleMs, this, [this] {
        if (isVisible())
            placeUnderAssistant();
    });
}

bool TWizardForm::markersShown() const {
    return CheckBoxShowRedMarkers->isChecked();
}

void TWizardForm::FormShow() {
    CheckBoxShowRedMarkers->setChecked(State.Markers());
    placeUnderAssistant();
    Image1->setPixmap(sampleMarker());
}

void TWizardForm::placeUnderAssistant() {
    TAssistantForm* assistant = Assistant;
    const QRect frame = assistant->frameGeometry();
    move(frame.left(), frame.top() + frame.height());
    assistant->setGuideDocked(true);
}

void TWizardForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible())
        SnapToAssistant();
}

void TWizardForm::SnapToAssistant() {
    TAssistantForm* assistant = Assistant;
    const GuideDocking::Placement placement =
        GuideDocking::snapToAssistant(assistant->frameGeometry(), frameGeometry());
    assistant->setGuideDocked(placement.Docked);
    if (placement.TopLeft != frameGeometry().topLeft())
        move(placement.TopLeft);
}
