#include "shell/Unitfrmain.h"

#include "course/CourseMarkers.h"
#include "course/Unitscenario.h"
#include "dialogs/Unitabout.h"
#include "exercise/ExerciseWindow.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "shell/ProgramWindows.h"
#include "shell/RegulatorLabels.h"
#include "shell/SpeedEntry.h"
#include "training/ExerciseKinds.h"
#include "training/FontSizes.h"
#include "training/SpeedRegulator.h"
#include "widgets/Colours.h"
#include "widgets/MoreButton.h"
#include "widgets/TCSpinEdit.h"
#include "widgets/TCoolBar.h"
#include "widgets/TStatusBar.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

const std::array<int, 4> StatusPanelWidths{150, 150, 150, 200};

QToolBar* makeToolBar(const char* name, QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setMovable(false);
    return bar;
}

} // namespace

TMainForm::TMainForm(const QString& programDir, QWidget* parent)
    : QMainWindow(parent), ProgramDir(programDir) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Skimora [ru]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/skimora.svg")));
    QFont face;
    face.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    face.setPixelSize(11); // 8 points on a 96 dpi screen
    setFont(face);
    if (!ProgramDir.endsWith(QLatin1Char('/')))
        ProgramDir += QLatin1Char('/');

    QPalette pal = palette();
    pal.setColor(QPalette::Window, LightBlue);
    setPalette(pal);

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    CoolBar1 = new TCoolBar(client);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    column->addWidget(CoolBar1);
    MdiArea = new QMdiArea(client);
    MdiArea->setObjectName(QStringLiteral("ClientArea"));
    MdiArea->setBackground(DarkBlue);
    MdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    column->addWidget(MdiArea, 1);
    setCentralWidget(client);

    State.setWindowEdges({style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth),
                          std::max(1, style()->pixelMetric(QStyle::PM_DefaultFrameWidth)),
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent)});

    buildToolbars();
    buildStatusBar();
    buildHiddenParts();
    buildKeyTables();

    ComboBox2->addItems(QFontDatabase::families());
    showFontInControls();
    State.setRecommendation(SpeedRegulator::speed(TrackBar1->value()), State.ReadingFieldWidth());
    State.setDynamicReading(SpeedButton7->isChecked());

    PanelEdges = statusPanelEdges(StatusPanelWidths);
    QPalette tipPalette = QToolTip::palette();
    tipPalette.setColor(QPalette::ToolTipBase, Qt::white);
    tipPalette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tipPalette);

    IdleTimer = new QTimer(this);
    IdleTimer->setSingleShot(true);
    IdleTimer->setInterval(0);

    connectHandlers();
    connectState();
    qApp->installEventFilter(this);

    resize(782, 501);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    // The children close as the frame goes; nothing may be activated any more.
    disconnect(MdiArea, nullptr, this, nullptr);
}

void TMainForm::setWindows(const ProgramWindows* windows) {
    Windows = windows;
}

QWidget* TMainForm::tableSizeButton() const {
    return SpeedButton15;
}

QWidget* TMainForm::toolBars() const {
    return CoolBar1;
}

bool TMainForm::mayOpenText() const {
    return SpeedButton1->isEnabled();
}

void TMainForm::setExercises(QList<ExerciseWindow*> exercises, LoadedText& text) {
    Exercises = std::move(exercises);
    Text = &text;
}

void TMainForm::windowsCreated() {
    connectCheckableButtons();
    connect(MdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // At the frame's first showing the area activates each child in turn as it shows
        // it; only the one active afterwards counts.
        if (!FirstShowDone)
            return;
        // Only the kind buttons choose the exercise: a child brought forward any other way
        // (keyboard focus, accessibility) hands the front back as soon as the area is done.
        if (window && window != chosenExerciseWindow()) {
            QMetaObject::invokeMethod(
                this, [this] { MdiArea->setActiveSubWindow(chosenExerciseWindow()); },
                Qt::QueuedConnection);
            return;
        }
        if (auto* exercise = qobject_cast<ExerciseWindow*>(window))
            exercise->activate();
    });
    ExerciseWindow* chosen = chosenExerciseWindow();
    MdiArea->setActiveSubWindow(chosen);
    chosen->activate();
}

ExerciseWindow* TMainForm::exerciseOf(ExerciseKind kind) const {
    for (ExerciseWindow* exercise : Exercises) {
        if (exercise->kind() == kind)
            return exercise;
    }
    return nullptr;
}

ExerciseWindow* TMainForm::chosenExerciseWindow() const {
    return exerciseOf(State.ChosenKind());
}

ExerciseWindow* TMainForm::activeExercise() const {
    return qobject_cast<ExerciseWindow*>(ActiveMDIChild());
}

QToolButton* TMainForm::makeButton(QToolBar* bar, const char* name, const QString& caption,
                                   const QString& hint, const QString& glyph, bool large) {
    auto* button = new QToolButton(bar);
    button->setToolTip(hint);
    button->setAccessibleName(caption.isEmpty() ? hint : caption);
    if (!glyph.isEmpty())
        button->setIcon(glyphIcon(glyph));
    if (large)
        button->setText(caption);
    placeButton(bar, button, name, large);
    return button;
}

void TMainForm::placeButton(QToolBar* bar, QToolButton* button, const char* name, bool large) {
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus); // a click leaves the focus where it was
    if (large) {
        QFont captionFont = font();
        captionFont.setPixelSize(10); // the caption fits the 50-pixel button whole
        button->setFont(captionFont);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(22, 22));
        button->setFixedSize(50, 41);
    } else {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(16, 16));
        button->setFixedSize(23, 22);
    }
    bar->addWidget(button);
}

void TMainForm::buildToolbars() {
    setStyleSheet(
        QStringLiteral("QToolBar, #CoolBar1 { background: rgb(163,185,218); border: none; "
                       "spacing: 1px; }"));
    CoolBar1->setAttribute(Qt::WA_StyledBackground);

    ToolBar1 = makeToolBar("ToolBar1", this);
    ToolBar7 = makeToolBar("ToolBar7", this);
    ToolBar5 = makeToolBar("ToolBar5", this);
    ToolBar6 = makeToolBar("ToolBar6", this);
    ToolBar10 = makeToolBar("ToolBar10", this);
    ToolBar2 = makeToolBar("ToolBar2", this);
    ToolBar8 = makeToolBar("ToolBar8", this);
    ToolBar4 = makeToolBar("ToolBar4", this);
    ToolBar3 = makeToolBar("ToolBar3", this);
    ToolBar9 = makeToolBar("ToolBar9", this);
    for (QToolBar* bar : {ToolBar1, ToolBar7, ToolBar5, ToolBar10, ToolBar6})
        CoolBar1->addBand(bar, bar == ToolBar1);
    for (QToolBar* bar : {ToolBar2, ToolBar8, ToolBar4, ToolBar3, ToolBar9})
        CoolBar1->addBand(bar, bar == ToolBar2);

    SpeedButton1 = makeButton(ToolBar1, "SpeedButton1", "Открыть", "Открыть", "open", true);
    SpeedButton10 = makeButton(ToolBar1, "SpeedButton10", "Выход", "Выход", "exit", true);

    SpeedButton2 = makeButton(ToolBar7, "SpeedButton2", "Пуск", "Пуск", "start", true);
    SpeedButton3 = makeButton(ToolBar7, "SpeedButton3", "Стоп", "Стоп", "stop", true);
    SpeedButton3->setEnabled(false);
    buildRegulator();

    SpeedButton14 =
        makeButton(ToolBar5, "SpeedButton14", "Тест", "Режим тестирования", "test", true);
    SpeedButton14->setCheckable(true);
    SpeedButton4 = makeButton(ToolBar5, "SpeedButton4", "Текст", "Чтение текста", "text", true);
    SpeedButton6 =
        makeButton(ToolBar5, "SpeedButton6", "Строка", "Тест на ширину поля зрения", "line", true);
    SpeedButton5 = makeButton(ToolBar5, "SpeedButton5", "Таблица", "Чтение таблиц", "table", true);
    SpeedButton15 =
        makeButton(ToolBar5, "SpeedButton15", QString(), "Размер таблицы", "table_size", false);
    SpeedButton15->setFixedSize(13, 41);
    SpeedButton15->setEnabled(false);
    SpeedButton6->setEnabled(false);
    KindButtons = new QButtonGroup(this);
    for (auto [b, kind] : {std::pair{SpeedButton4, ExerciseKind::Text},
                           std::pair{SpeedButton6, ExerciseKind::FieldOfView},
                           std::pair{SpeedButton5, ExerciseKind::Table}}) {
        b->setCheckable(true);
        KindButtons->addButton(b, int(kind));
    }
    SpeedButton4->setChecked(true);
    buildMoreKinds();

    SpeedButton9 =
        makeButton(ToolBar6, "SpeedButton9", "Помощь", "Содержание помощи", "help", true);
    SpeedButton16 = makeButton(ToolBar6, "SpeedButton16", "О...", "О программе", "about", true);

    ComboBox2 = new QComboBox(ToolBar2);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setFixedWidth(165);
    ComboBox2->setToolTip(QStringLiteral("Шрифт"));
    ComboBox2->setAccessibleName(QStringLiteral("Шрифт"));
    ComboBox2->setFocusPolicy(Qt::StrongFocus);
    QPalette faceText = ComboBox2->palette(); // the face shown in place of a missing one
    faceText.setColor(QPalette::PlaceholderText, faceText.color(QPalette::ButtonText));
    ComboBox2->setPalette(faceText);
    ToolBar2->addWidget(ComboBox2);
    ComboBox1 = new QComboBox(ToolBar2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFixedWidth(56);
    ComboBox1->setToolTip(QStringLiteral("Размер Шрифта"));
    ComboBox1->setAccessibleName(QStringLiteral("Размер Шрифта"));
    ComboBox1->setProperty("helpContext", HelpContext::FontSize);
    ComboBox1->setFocusPolicy(Qt::StrongFocus);
    ComboBox1->addItems(FontSizes::all());
    ToolBar2->addWidget(ComboBox1);

    SpeedButton11 =
        makeButton(ToolBar8, "SpeedButton11", QString(), "По левому краю", "align_left", false);
    SpeedButton12 =
        makeButton(ToolBar8, "SpeedButton12", QString(), "По центру", "align_center", false);
    SpeedButton13 =
        makeButton(ToolBar8, "SpeedButton13", QString(), "По правому краю", "align_right", false);
    auto* alignment = new QButtonGroup(this);
    for (QToolButton* b : {SpeedButton11, SpeedButton12, SpeedButton13}) {
        b->setCheckable(true);
        alignment->addButton(b);
    }
    SpeedButton11->setChecked(true);

    SpeedButton7 = makeButton(ToolBar4, "SpeedButton7", QString(), "Динамическое чтение",
                              "reading_dynamic", false);
    SpeedButton8 = makeButton(ToolBar4, "SpeedButton8", QString(), "Статическое чтение",
                              "reading_static", false);
    auto* modes = new QButtonGroup(this);
    for (QToolButton* b : {SpeedButton7, SpeedButton8}) {
        b->setCheckable(true);
        modes->addButton(b);
    }
    SpeedButton7->setChecked(true);

    CSpinEdit1 = new TCSpinEdit(ToolBar3);
    CSpinEdit1->setObjectName(QStringLiteral("CSpinEdit1"));
    CSpinEdit1->setFixedWidth(49);
    CSpinEdit1->setRange(0, 10000);
    CSpinEdit1->setValue(10);
    CSpinEdit1->setToolTip(QStringLiteral("Ширина поля чтения"));
    CSpinEdit1->setAccessibleName(QStringLiteral("Ширина поля чтения"));
    CSpinEdit1->setProperty("helpContext", HelpContext::ReadingFieldWidth);
    ToolBar3->addWidget(CSpinEdit1);

    SpeedButton19 =
        makeButton(ToolBar9, "SpeedButton19", QString(), "Давать советы", "advice_on", false);
    SpeedButton20 =
        makeButton(ToolBar9, "SpeedButton20", QString(), "Ассистент", "assistant", false);
}

void TMainForm::buildRegulator() {
    Panel7 = new QWidget(ToolBar7);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setFixedSize(180, 41);
    Panel7->setStyleSheet(
        QStringLiteral("#Panel7 { border-image: url(:/icons/regulator_background.svg) 0 0 0 0 "
                       "stretch stretch; }"));
    Panel7->setAttribute(Qt::WA_StyledBackground);

    TrackBar1 = new QSlider(Qt::Horizontal, Panel7);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 1000);
    TrackBar1->setPageStep(100);
    TrackBar1->setSingleStep(1);
    TrackBar1->setTickInterval(100);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(100);
    TrackBar1->setGeometry(15, 2, 150, 22);
    TrackBar1->setToolTip(QStringLiteral("Регулятор скорости"));
    TrackBar1->setAccessibleName(QStringLiteral("Регулятор скорости"));
    TrackBar1->setProperty("helpContext", HelpContext::SpeedRegulator);

    // A label's accessible name is its text, whatever the text is at the moment.
    auto makeLabel = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, Panel7);
        label->setObjectName(QLatin1String(name));
        return label;
    };
    Label4 = makeLabel("Label4", QStringLiteral("0"));
    Label5 = makeLabel("Label5", QStringLiteral("10000"));
    Label1 = makeLabel("Label1", QStringLiteral("1000 симв/мин"));
    layOutRegulatorLabels(*Label4, *Label1, *Label5, Panel7->width());
    new SpeedEntry(*TrackBar1, *Label1);

    auto makeSmall = [this](const char* name, const QString& hint, const QString& glyph) {
        auto* button = new QToolButton(Panel7);
        button->setObjectName(QLatin1String(name));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(glyphIcon(glyph));
        button->setIconSize(QSize(9, 9));
        button->setFixedSize(11, 11);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        return button;
    };
    SpeedButton18 =
        makeSmall("SpeedButton18", QStringLiteral("Медленнее"), QStringLiteral("slower"));
    SpeedButton18->move(0, 0);
    SpeedButton21 = makeSmall("SpeedButton21", QStringLiteral("Быстрее"), QStringLiteral("faster"));
    SpeedButton21->move(169, 0);

    TimerSpeedRegulator = new QTimer(this);
    TimerSpeedRegulator->setObjectName(QStringLiteral("TimerSpeedRegulator"));
    TimerSpeedRegulator->setTimerType(Qt::PreciseTimer);
    ToolBar7->addWidget(Panel7);
}

void TMainForm::buildStatusBar() {
    StatusBar1 = new TStatusBar(StatusPanelWidths, this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
}

void TMainForm::buildHiddenParts() {
    auto* panelTestFont = new QWidget(this);
    panelTestFont->setObjectName(QStringLiteral("PanelTestFont"));
    panelTestFont->hide();
    LabelTestFont = new QLabel(QStringLiteral("0"), panelTestFont);
    LabelTestFont->setObjectName(QStringLiteral("LabelTestFont"));
    LabelSpace = new QLabel(QStringLiteral(" "), panelTestFont);
    LabelSpace->setObjectName(QStringLiteral("LabelSpace"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("Чтение текста"));
    N2 = PopupMenu1->addAction(QStringLiteral("Тест на ширину поля зрения"));
    N3 = PopupMenu1->addAction(QStringLiteral("Чтение таблиц"));
    N1->setObjectName(QStringLiteral("N1"));
    N2->setObjectName(QStringLiteral("N2"));
    N3->setObjectName(QStringLiteral("N3"));
    for (QAction* item : {N1, N2, N3}) {
        item->setCheckable(true);
        item->setChecked(true);
    }
}

void TMainForm::connectHandlers() {
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TMainForm::SpeedButton10Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TMainForm::SpeedButton15Click);
    connect(SpeedButton20, &QToolButton::clicked, this, &TMainForm::SpeedButton20Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TMainForm::SpeedButton9Click);
    connect(SpeedButton16, &QToolButton::clicked, this, &TMainForm::SpeedButton16Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TMainForm::SpeedButton19Click);
    connect(N1, &QAction::triggered, this, &TMainForm::N1Click);
    connect(N2, &QAction::triggered, this, &TMainForm::N2Click);
    connect(N3, &QAction::triggered, this, &TMainForm::N3Click);

    connect(TrackBar1, &QSlider::valueChanged, this, &TMainForm::TrackBar1Change);
    connect(SpeedButton18, &QToolButton::pressed, this, [this] { startRegulatorRepeat(false); });
    connect(SpeedButton21, &QToolButton::pressed, this, [this] { startRegulatorRepeat(true); });
    connect(SpeedButton18, &QToolButton::released, this, &TMainForm::stopRegulatorRepeat);
    connect(SpeedButton21, &QToolButton::released, this, &TMainForm::stopRegulatorRepeat);
    connect(TimerSpeedRegulator, &QTimer::timeout, this, &TMainForm::TimerSpeedRegulatorTimer);
    connect(StatusBar1, &TStatusBar::mouseMoved, this, &TMainForm::StatusBar1MouseMove);

    connect(ComboBox2, &QComboBox::activated, this, &TMainForm::ComboBox2Change);
    connect(ComboBox1, &QComboBox::activated, this, &TMainForm::ComboBox1Change);
    connect(CSpinEdit1, &QSpinBox::valueChanged, this, &TMainForm::CSpinEdit1Change);

    connect(IdleTimer, &QTimer::timeout, this, &TMainForm::checkFirstTextAdvice);
}

void TMainForm::connectState() {
    // The frame measures a new font before any window hears of it.
    connect(&State, &TrainingState::fontChanged, this, &TMainForm::showFontInControls);
    // A window that sets the width moves the spin, whose handler lays the window out again.
    connect(&State, &TrainingState::readingFieldWidthChanged, this,
            [this] { CSpinEdit1->setValue(State.ReadingFieldWidth()); });
    connect(&State, &TrainingState::readingFieldLimitChanged, this,
            [this] { CSpinEdit1->setMaximum(State.ReadingFieldLimit()); });
    // During a run the frame keeps its size; the minimum applies when the run ends.
    connect(&State, &TrainingState::minimumWidthsChanged, this, [this] {
        if (!isRunning())
            updateMinimumWidth();
    });
}

void TMainForm::connectCheckableButtons() {
    // A checkable button's state changes by mouse, by an accessibility action or by code alike;
    // its handler follows the state, not the click. A button of a group runs its handler when
    // it goes down.
    const auto onDown = [this](QToolButton* button, void (TMainForm::*handler)()) {
        connect(button, &QToolButton::toggled, this, [this, handler](bool down) {
            if (down)
                (this->*handler)();
        });
    };
    onDown(SpeedButton4, &TMainForm::SpeedButton4Click);
    onDown(SpeedButton5, &TMainForm::SpeedButton5Click);
    onDown(SpeedButton6, &TMainForm::SpeedButton6Click);
    onDown(SpeedButton7, &TMainForm::SpeedButton7Click);
    onDown(SpeedButton8, &TMainForm::SpeedButton8Click);
    onDown(SpeedButton11, &TMainForm::SpeedButton11Click);
    onDown(SpeedButton12, &TMainForm::SpeedButton12Click);
    onDown(SpeedButton13, &TMainForm::SpeedButton13Click);
    connectKindButtons();
    connectKindEntries();
    connect(SpeedButton14, &QToolButton::toggled, this, &TMainForm::SpeedButton14Click);
}

QMdiSubWindow* TMainForm::ActiveMDIChild() const {
    // The area names no active child while another program has the focus (as during a drag
    // from it); the child in front is still the one the first click back must reach.
    return MdiArea->currentSubWindow();
}

HelpViewer* TMainForm::helpViewer() {
    if (!Help) {
        Help = new HelpViewer(ProgramDir + QStringLiteral("help"), this);
        Help->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    return Help;
}

void TMainForm::SpeedButton9Click() {
    helpViewer()->showContents();
}

void TMainForm::SpeedButton10Click() {
    close();
}

void TMainForm::SpeedButton16Click() {
    Windows->AboutForm->showAsAbout();
}

void TMainForm::SpeedButton19Click() {
    // The menu's right edge lines up with the button's, its top just under the button.
    const QPoint corner =
        SpeedButton19->mapToGlobal(QPoint(SpeedButton19->width(), SpeedButton19->height()));
    PopupMenu1->popup(QPoint(corner.x() - PopupMenu1->sizeHint().width(), corner.y()));
}

void TMainForm::N1Click() {
    UpdateAdviceGlyph();
}

void TMainForm::N2Click() {
    UpdateAdviceGlyph();
}

void TMainForm::N3Click() {
    UpdateAdviceGlyph();
}

void TMainForm::UpdateAdviceGlyph() {
    const bool anyOn = N1->isChecked() || N2->isChecked() || N3->isChecked();
    SpeedButton19->setIcon(QIcon(anyOn ? QStringLiteral(":/icons/advice_on.svg")
                                       : QStringLiteral(":/icons/advice_off.svg")));
    SpeedButton19->setProperty("adviceImage", anyOn ? 0 : 1);
}
