// The text window: its ruler, the column layout and the view kept on the same text.
#include "text/Unitfrtext.h"

#include "dialogs/StandardError.h"
#include "exercise/ExerciseHost.h"
#include "platform/HelpContext.h"
#include "platform/PacedTimer.h"
#include "readingview/ReadingView.h"
#include "text/ColumnLayout.h"
#include "training/FontSizes.h"
#include "training/TrainingState.h"
#include "widgets/Colours.h"
#include "widgets/WidgetHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

TTextForm::TTextForm(TrainingState& state, ExerciseHost& host, const QString& programDir)
    : ExerciseWindow(ExerciseKind::Text, state, host), ProgramDir(programDir) {
    auto* body = new QWidget(this);
    body->setAutoFillBackground(true);
    QPalette white = body->palette();
    white.setColor(QPalette::Window, Qt::white);
    body->setPalette(white);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel8 = new QFrame(body);
    Panel8->setObjectName(QStringLiteral("Panel8"));
    Panel8->setFixedHeight(11);
    Panel8->setAutoFillBackground(true);
    QPalette strip = Panel8->palette();
    strip.setColor(QPalette::Window, DarkBlue);
    Panel8->setPalette(strip);
    layout->addWidget(Panel8);

    WindowFormat = new QFrame(Panel8);
    WindowFormat->setObjectName(QStringLiteral("WindowFormat"));
    WindowFormat->setToolTip(QStringLiteral("Ширина колонки текста"));
    WindowFormat->setAccessibleName(QStringLiteral("Ширина колонки текста"));
    WindowFormat->setStyleSheet(
        QStringLiteral("#WindowFormat { background-color: rgb(163,185,218);"
                       " border-image: url(:/icons/ruler.svg) 0 0 0 0 stretch stretch; }"));
    WindowFormat->setGeometry(0, 0, State.TextColumnWidth(), 11);

    Label1 = new QLabel(WindowFormat);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont small = Label1->font();
    small.setPixelSize(9);
    Label1->setFont(small);
    QPalette caption = Label1->palette();
    caption.setColor(QPalette::WindowText, DarkBlue);
    Label1->setPalette(caption);

    const QString gripHint = QStringLiteral("Ширина колонки текста");
    MarginLeft = makeGrip(WindowFormat, "MarginLeft", gripHint);
    MarginRight = makeGrip(WindowFormat, "MarginRight", gripHint);
    MarginLeft->installEventFilter(this);
    MarginRight->installEventFilter(this);

    Panel1 = new QWidget(body);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    RichEdit1 = new ReadingView(Panel1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Текст"));
    RichEdit1->setBaseColor(Silver);
    panelLayout->addWidget(RichEdit1);
    layout->addWidget(Panel1, 1);

    auto* footer = new QWidget(body);
    footer->setAutoFillBackground(true);
    footer->setPalette(strip);
    auto* footerLayout = new QHBoxLayout(footer);
    footerLayout->setContentsMargins(4, 2, 4, 2);
    ClozeButton = new QPushButton(QStringLiteral("Проверить понимание"), footer);
    ClozeButton->setObjectName(QStringLiteral("ClozeButton"));
    ClozeButton->setAccessibleName(ClozeButton->text());
    ClozeButton->setFocusPolicy(Qt::TabFocus); // a click leaves the focus on the text
    footerLayout->addStretch();
    footerLayout->addWidget(ClozeButton);
    layout->addWidget(footer);
    setWidget(body);

    connect(Timer1, &QTimer::timeout, this, &TTextForm::Timer1Timer);
    connect(RichEdit1, &ReadingView::textChanged, this, &TTextForm::RichEdit1Change);
    setRulerWidth(State.TextColumnWidth());

    connect(&State, &TrainingState::runStateChanged, this, [this] {
        SetRulerRunning(isRunning());
        followTestMode();
    });
    connect(&State, &TrainingState::alignmentChanged, this, [this] {
        SaveScrollAnchor();
        RelayoutText();
    });
    connect(&State, &TrainingState::readingFieldWidthChanged, this, [this] {
        if (isChosen())
            SetColumnLimits();
    });
}

void TTextForm::setDialogs(TMessageForm* message, TAnsTextForm* questions,
                           TTextResultForm* result) {
    MessageForm = message;
    AnsTextForm = questions;
    TextResultForm = result;
}

int TTextForm::visibleWidth() const {
    return ColumnLayout::visibleWidth(window()->width(), ColumnLayout::metricsOf(State));
}

void TTextForm::setRulerWidth(int width) {
    const ColumnLayout::Limits limits{RulerMinimum, RulerMaximum};
    const int w = limits.clamp(width);
    WindowFormat->resize(w, WindowFormat->height());
    Label1->setGeometry(0, 0, w, WindowFormat->height());
    const int grip = ColumnLayout::gripWidth(ColumnLayout::metricsOf(State));
    MarginLeft->setGeometry(0, 0, grip, WindowFormat->height());
    MarginRight->setGeometry(w - grip, 0, grip, WindowFormat->height());
    State.setTextColumnWidth(w); // kept in the settings and checked by the course
}

QWidget* TTextForm::widthGrip() const {
    return MarginLeft;
}

void TTextForm::placeRuler(int left) {
    WindowFormat->move(left, 0);
}

void TTextForm::RelayoutText() {
    FitFontToWindow();
    SetColumnLimits();
    SnapColumn();
    CenterColumn();
    ReformatText();
}

void TTextForm::FitFontToWindow() {
    // The frame measures every size tried as the state's font changes.
    const QStringList& sizes = FontSizes::all();
    const auto fit = ColumnLayout::fitFontToWindow(
        State.ReadingFieldWidth(), window()->frameGeometry().width(),
        ColumnLayout::metricsOf(State), sizes,
        int(sizes.indexOf(QString::number(State.FontSize()))), State.FontSize(), [this](int size) {
            State.setFontSize(size);
            return State.CharWidth();
        });
    if (!fit.warning)
        return;
    State.setFontSize(fit.fontSize);
    showWarning(window(), QStringLiteral("Максимальный размер для этого шрифта - ") +
                              QString::number(fit.fontSize) +
                              QStringLiteral(".\nДля изменения размера шрифта, уменьшите размер "
                                             "поля чтения или увеличте размер окна."));
}

void TTextForm::SetColumnLimits() {
    const auto limits = ColumnLayout::columnLimits(visibleWidth(), State.ReadingFieldWidth(),
                                                   ColumnLayout::metricsOf(State));
    RulerMinimum = limits.minimum;
    RulerMaximum = limits.maximum;
    setRulerWidth(WindowFormat->width());
}

void TTextForm::SnapColumn() {
    const auto m = ColumnLayout::metricsOf(State);
    ColumnChars = ColumnLayout::columnChars(WindowFormat->width(), m);
    setRulerWidth(ColumnLayout::snappedWidth(WindowFormat->width(), m));
    State.setMinWidthText(ColumnLayout::minimumWindowWidth(WindowFormat->width(), m));
}

void TTextForm::CenterColumn() {
    placeRuler(ColumnLayout::rulerLeft(visibleWidth(), WindowFormat->width()));
    ColumnChars = ColumnLayout::columnChars(WindowFormat->width(), ColumnLayout::metricsOf(State));
    State.setReadingFieldLimit(std::max(ColumnChars, 0));
    Label1->setText(QString::number(ColumnChars) + QStringLiteral(" симв."));
}

void TTextForm::ReformatText() {
    FieldStart = RichEdit1->selectionStart(); // the caret position is where the selection starts
    QFont font(State.FontName().left(31));
    font.setPointSize(State.FontSize());
    RichEdit1->setTextFont(font);
    RichEdit1->setBaseColor(Silver);
    switch (State.TextAlignment()) {
    case 1:
        RichEdit1->setAlignment(Qt::AlignRight);
        break;
    case 2:
        RichEdit1->setAlignment(Qt::AlignHCenter);
        break;
    default:
        RichEdit1->setAlignment(Qt::AlignLeft);
    }
    // The column lies directly under the ruler; the view's text area starts inside its frame.
    const int left = WindowFormat->x() + State.EdgeWidth() - RichEdit1->frameWidth();
    RichEdit1->setColumn(left, left + WindowFormat->width() - State.EdgeWidth2());
    if (RichEdit1->text() != ExerciseText)
        RichEdit1->setText(ExerciseText);
    RichEdit1->setCaretPosition(std::min(FieldStart, RichEdit1->length()));
    RichEdit1->scrollToTop();
    if (ScrollAnchor > 0)
        RichEdit1->scrollLines(RichEdit1->lineFromPosition(ScrollAnchor - 1));
}

void TTextForm::SaveScrollAnchor() {
    const int above = RichEdit1->lineStart(RichEdit1->firstVisibleLine());
    ScrollAnchor = above > 0 ? above + 1 : 0;
}

int TTextForm::CountVolume() const {
    int volume = 0;
    for (const QChar c : RichEdit1->text()) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            ++volume;
    }
    return volume;
}

void TTextForm::RichEdit1Change() {
    if (isActiveExercise())
        Host.setStatusPanel(3, QStringLiteral("Volume: ") + QString::number(CountVolume()) +
                                   QStringLiteral(" симв"));
    else
        Host.setStatusPanel(3, QString());
}

void TTextForm::FormActivate() {
    RelayoutText();
    RichEdit1Change();
}

void TTextForm::SetRulerRunning(bool running) {
    WindowFormat->setEnabled(!running);
    QPalette caption = Label1->palette();
    caption.setColor(QPalette::WindowText, running ? QColor(0x80, 0x80, 0x80) : DarkBlue);
    Label1->setPalette(caption);
    for (QFrame* grip : {MarginLeft, MarginRight})
        grip->setFrameShadow(running ? QFrame::Plain : QFrame::Raised);
}

void TTextForm::MarginMouseDown(QFrame* grip) {
    (grip == MarginLeft ? DraggingLeft : DraggingRight) = true;
}

void TTextForm::MarginMouseMove(QFrame* grip, int x) {
    const bool left = grip == MarginLeft;
    if (!(left ? DraggingLeft : DraggingRight))
        return;
    setRulerWidth(left ? WindowFormat->width() - x : WindowFormat->width() + x);
    CenterColumn();
}

void TTextForm::MarginMouseUp(QFrame* grip) {
    (grip == MarginLeft ? DraggingLeft : DraggingRight) = false;
    SnapColumn();
    CenterColumn();
    SaveScrollAnchor();
    ReformatText();
    emit controlsChanged();
}

bool TTextForm::eventFilter(QObject* watched, QEvent* event) {
    auto* grip = qobject_cast<QFrame*>(watched);
    if (grip && (grip == MarginLeft || grip == MarginRight) && grip->isEnabled()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            MarginMouseDown(grip);
            return true;
        case QEvent::MouseMove:
            MarginMouseMove(grip, static_cast<QMouseEvent*>(event)->position().toPoint().x());
            return true;
        case QEvent::MouseButtonRelease:
            MarginMouseUp(grip);
            return true;
        default:
            break;
        }
    }
    return ExerciseWindow::eventFilter(watched, event);
}

void TTextForm::resizeEvent(QResizeEvent* event) {
    ExerciseWindow::resizeEvent(event);
    WindowFormat->setFixedHeight(Panel8->height());
}

void TTextForm::setLoadedText(const QString& text, int caret, int anchor) {
    setLastPassage({});
    RichEdit1->clear();
    RichEdit1->setText(text);
    ExerciseText = RichEdit1->text();
    TextLength = int(ExerciseText.size());
    ScrollAnchor = anchor;
    RichEdit1->setCaretPosition(std::clamp(caret, 0, TextLength));
    RelayoutText();
}

bool TTextForm::hasText() const {
    return RichEdit1->length() > 0;
}

void TTextForm::setReadingPlace(int pos) {
    if (State.TestMode()) {
        SavedText.Caret = std::clamp(pos, 0, int(SavedText.Text.size()));
        return;
    }
    pos = std::clamp(pos, 0, RichEdit1->length());
    RichEdit1->setCaretPosition(pos);
    const int line = RichEdit1->lineFromPosition(pos);
    const int first = RichEdit1->firstVisibleLine();
    if (line < first || line >= first + RichEdit1->visibleLineCount()) {
        RichEdit1->scrollToTop();
        RichEdit1->scrollLines(line);
    }
    SaveScrollAnchor();
}
