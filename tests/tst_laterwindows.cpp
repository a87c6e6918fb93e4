// The field-of-view, table, course and advice windows as the program creates them at start-up:
// captions, fixed sizes, colours, help contexts and the named controls the later behaviour
// works with.

#include "Controls.h"
#include "ProgramFixture.h"

#include "course/Unitassistant.h"
#include "course/Unitmarker.h"
#include "course/Unitwizard.h"
#include "dialogs/Unitadvice.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitfrstring.h"
#include "fieldofview/Unitstringresult.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfranstable.h"
#include "table/Unitfrtable.h"
#include "table/Unittableresult.h"
#include "text/Unitfrtext.h"
#include "widgets/TCoolBar.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest/qtestspontaneevent.h>

#include <QtTest>
#include <memory>

namespace {

const QColor DarkBlue(34, 50, 166);
const QColor LightBlue(163, 185, 218);
const QColor Maroon(128, 0, 0);
const QColor Navy(0, 0, 128);

QColor background(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}

QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

} // namespace

class TestLaterWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choosingAKindActivatesItsWindow_data();
    void choosingAKindActivatesItsWindow();

    void tableFormHasAHundredHiddenCells();

    void sizePickerWindow();

    void tableQuestions();
    void tableQuestionsTabOrder();
    void tableResult();

    void fieldOfViewAnswer();
    void fieldOfViewResult();

    void assistantWindow();
    void assistantButtonsEnabledTogether();
    void assistantCloseBoxRefusedWhileButtonsDisabled();

    void guideWindow();
    void guideLegendShowsTheMarkerFigure();

    void markerWindow();

    void adviceDialog();

    void dialogConventions_data();
    void dialogConventions();
    void controlsHaveAccessibleNames_data();
    void controlsHaveAccessibleNames();

private:
    template <class T> T* child(QWidget* window, const char* name) {
        auto* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            qWarning("%s has no %s", qPrintable(window->objectName()), name);
        return found;
    }
    QWidget* windowNamed(const QString& name) const;

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    ProgramWindows Windows;
};

// The whole program as it starts, shown, with the splash closed; no course and no advice.
void TestLaterWindows::init() {
    Fixture = std::make_unique<ProgramFixture>();
    Fixture->createStore(ProgramFixture::quietSettings());
    Program& program = Fixture->start();
    QVERIFY(program.isReady());
    Windows = program.windows();
    Main = Windows.MainForm;
}

void TestLaterWindows::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
    Main = nullptr;
    Windows = ProgramWindows{};
}

QWidget* TestLaterWindows::windowNamed(const QString& name) const {
    const QList<QWidget*> all = {
        Windows.StringForm,      Windows.TableForm,     Windows.FormDlgTable,
        Windows.AnsTableForm,    Windows.AnsStringForm, Windows.StringResultForm,
        Windows.TableResultForm, Windows.AdviceForm,    Windows.AssistantForm,
        Windows.WizardForm,      Windows.MarkersForm};
    for (QWidget* window : all) {
        if (window->objectName() == name)
            return window;
    }
    return nullptr;
}

// --- Exercise kinds ------------------------------------------------------------------------

void TestLaterWindows::choosingAKindActivatesItsWindow_data() {
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("lastExercise");
    QTest::addColumn<QString>("panel1");
    QTest::addRow("Строка") << true << "SpeedButton6"
                            << "StringForm" << 1 << "Ш (рек):10 симв";
    QTest::addRow("Таблица") << false << "SpeedButton5"
                             << "TableForm" << 2 << "Ш (рек):4 клет.";
}

// The user picks the exercise on the toolbar; its window comes to the front and sets the
// status bar for itself.
void TestLaterWindows::choosingAKindActivatesItsWindow() {
    QFETCH(bool, testMode);
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(int, lastExercise);
    QFETCH(QString, panel1);
    if (testMode)
        control<QToolButton>(Main, "SpeedButton14")->click();
    auto* kind = Main->findChild<QToolButton*>(button);
    QVERIFY(kind);
    QVERIFY(kind->isEnabled());
    kind->click();

    QCOMPARE(Main->ActiveMDIChild(), windowNamed(window));
    QCOMPARE(Main->state().LastExercise(), lastExercise);
    QCOMPARE(Main->statusPanel(1), panel1);
    QCOMPARE(Main->statusPanel(3), QString());

    control<QToolButton>(Main, "SpeedButton4")->click();
    QCOMPARE(Main->ActiveMDIChild(), Windows.TextForm);
}

// --- Table window ----------------------------------------------------------------------------

void TestLaterWindows::tableFormHasAHundredHiddenCells() {
    TTableForm* form = Windows.TableForm;
    QCOMPARE(form->windowTitle(), QStringLiteral("Чтение таблиц"));
    QCOMPARE(form->property("helpContext").toInt(), 410);
    QCOMPARE(background(form->widget()), DarkBlue);

    auto* panel = child<QFrame>(form, "BkGrPanel");
    QVERIFY(panel);
    QCOMPARE(panel, child<QLabel>(form, "Cell_0_0")->parentWidget());
    QCOMPARE(panel->frameShape(), QFrame::NoFrame);
    QCOMPARE(background(panel), DarkBlue);
    QVERIFY(!panel->accessibleName().isEmpty());

    QSet<QLabel*> distinct;
    for (int i = 0; i < TTableForm::GridSide; ++i) {
        for (int j = 0; j < TTableForm::GridSide; ++j) {
            auto* cell =
                child<QLabel>(form, qPrintable(QStringLiteral("Cell_%1_%2").arg(i).arg(j)));
            QVERIFY(cell);
            QCOMPARE(cell->parentWidget(), panel);
            QVERIFY(cell->isHidden());
            QCOMPARE(background(cell), LightBlue);
            QCOMPARE(cell->frameShadow(), QFrame::Raised);
            QCOMPARE(cell->alignment(), Qt::AlignCenter);
            distinct.insert(cell);
        }
    }
    QCOMPARE(distinct.size(), 100);
    QCOMPARE(form->CellGap, 3);
}

// --- Size picker -----------------------------------------------------------------------------

void TestLaterWindows::sizePickerWindow() {
    TFormDlgTable* picker = Windows.FormDlgTable;
    QVERIFY(picker->isWindow());
    QCOMPARE(picker->windowType(), Qt::Popup);
    QCOMPARE(picker->parentWidget(), Main);
    QVERIFY(picker->isHidden());
    QCOMPARE(picker->property("helpContext").toInt(), 290);
    QCOMPARE(picker->minimumSize(), QSize(110, 129));
    QCOMPARE(picker->maximumSize(), QSize(110, 129));
    QVERIFY(picker->hasMouseTracking());

    auto* panel = child<QFrame>(picker, "Panel1");
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(0, 0, 110, 129));
    QVERIFY(!panel->isEnabled());
    QCOMPARE(panel->frameShadow(), QFrame::Raised);
    QCOMPARE(background(panel), DarkBlue);
    QVERIFY(panel->testAttribute(Qt::WA_TransparentForMouseEvents));

    auto* status = child<QLabel>(picker, "PanelStatus");
    QVERIFY(status);
    QCOMPARE(status->parentWidget(), panel);
    QCOMPARE(status->text(), QStringLiteral("0 x 0"));
    QCOMPARE(status->height(), 19);
    QCOMPARE(status->frameShadow(), QFrame::Sunken);
    QCOMPARE(background(status), LightBlue);
    QVERIFY(panel->contentsRect().contains(status->geometry()));
    QCOMPARE(status->geometry().bottom(), panel->contentsRect().bottom());
    QCOMPARE(status->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(picker->hoverColumn(), 0);
    QCOMPARE(picker->hoverRow(), 0);

    // Squares 9 x 9 at a pitch of 10 from (5, 5); they take no mouse input.
    QCOMPARE(picker->pickerCell(9, 9)->geometry(), QRect(95, 95, 9, 9));
    QCOMPARE(picker->childAt(QPoint(99, 99)), nullptr);
}

// --- Table test dialogs ----------------------------------------------------------------------

void TestLaterWindows::tableQuestions() {
    TAnsTableForm* dialog = Windows.AnsTableForm;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Вопросы к тесту"));
    QCOMPARE(dialog->property("helpContext").toInt(), 440);

    auto* group = child<QGroupBox>(dialog, "GroupBox1");
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral("Введите пропущенные числа:"));
    int previousRight = -1;
    for (const char* name : {"Edit1", "Edit2", "Edit3"}) {
        auto* edit = child<QLineEdit>(dialog, name);
        QVERIFY(edit);
        QCOMPARE(edit->parentWidget(), group);
        QCOMPARE(edit->width(), 60);
        QCOMPARE(edit->y(), control<QLineEdit>(dialog, "Edit1")->y());
        QVERIFY(edit->x() > previousRight);
        QVERIFY(group->rect().contains(edit->geometry()));
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::black));
        previousRight = edit->geometry().right();
    }
    auto* ok = child<QPushButton>(dialog, "BitBtn1");
    auto* cancel = child<QPushButton>(dialog, "BitBtn2");
    QVERIFY(ok && cancel);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
    QVERIFY(dialog->rect().contains(ok->geometry()));
    QVERIFY(dialog->rect().contains(cancel->geometry()));
    QVERIFY(dialog->rect().contains(group->geometry()));
}

void TestLaterWindows::tableQuestionsTabOrder() {
    TAnsTableForm* dialog = Windows.AnsTableForm;
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    // The numbers first: the focus starts in the first, Tab goes on to OK and Cancel.
    QCOMPARE(dialog->focusWidget(), control<QLineEdit>(dialog, "Edit1"));
    const QList<QWidget*> order = {
        control<QLineEdit>(dialog, "Edit2"), control<QLineEdit>(dialog, "Edit3"),
        control<QPushButton>(dialog, "BitBtn1"), control<QPushButton>(dialog, "BitBtn2"),
        control<QLineEdit>(dialog, "Edit1")};
    for (QWidget* next : order) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget(), next);
    }
    dialog->hide();
}

void TestLaterWindows::tableResult() {
    TTableResultForm* dialog = Windows.TableResultForm;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Результат"));

    struct Line {
        const char* caption;
        QString text;
        const char* value;
        QColor colour;
        bool bold;
    };
    const Line lines[] = {
        {"Label1", QStringLiteral("Правильных ответов:"), "Label4", Maroon, true},
        {"Label2", QStringLiteral("Размер таблицы:"), "Label5", Navy, false},
        {"Label7", QStringLiteral("Скорость чтения:"), "Label8", Navy, false},
        {"Label3", QStringLiteral("Отсутствуют числа:"), "Label6", Navy, false},
    };
    int previousTop = -1;
    for (const Line& line : lines) {
        auto* caption = child<QLabel>(dialog, line.caption);
        auto* value = child<QLabel>(dialog, line.value);
        QVERIFY(caption && value);
        QCOMPARE(caption->text(), line.text);
        QCOMPARE(caption->font().bold(), line.bold);
        QCOMPARE(value->font().bold(), line.bold);
        QCOMPARE(textColour(value), line.colour);
        QVERIFY(value->text().isEmpty());
        QCOMPARE(value->y(), caption->y());
        QVERIFY(value->x() > caption->geometry().right());
        QVERIFY(caption->y() > previousTop);
        previousTop = caption->y();
    }
    auto* firstRule = child<QFrame>(dialog, "Bevel1");
    auto* lastRule = child<QFrame>(dialog, "Bevel2");
    QVERIFY(firstRule && lastRule);
    QVERIFY(firstRule->y() > control<QLabel>(dialog, "Label1")->geometry().bottom());
    QVERIFY(firstRule->y() < control<QLabel>(dialog, "Label2")->y());
    QVERIFY(lastRule->y() > control<QLabel>(dialog, "Label3")->geometry().bottom());

    auto* ok = child<QPushButton>(dialog, "BitBtn1");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(lastRule->y() < ok->y());
}

// --- Field-of-view test dialogs --------------------------------------------------------------

void TestLaterWindows::fieldOfViewAnswer() {
    TAnsStringForm* dialog = Windows.AnsStringForm;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Вопросы к тесту"));
    QCOMPARE(dialog->size(), QSize(248, 128));

    auto* label = child<QLabel>(dialog, "Label1");
    auto* edit = child<QLineEdit>(dialog, "Edit1");
    auto* box = child<QCheckBox>(dialog, "CheckBox1");
    auto* ok = child<QPushButton>(dialog, "BitBtn1");
    auto* cancel = child<QPushButton>(dialog, "BitBtn2");
    QVERIFY(label && edit && box && ok && cancel);
    QCOMPARE(label->text(), QStringLiteral("Введите ответ:"));
    QCOMPARE(label->buddy(), edit);
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(box->text(), QStringLiteral("Я смотрел на маркер"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
}

void TestLaterWindows::fieldOfViewResult() {
    TStringResultForm* dialog = Windows.StringResultForm;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Результат"));

    auto* verdict = child<QLabel>(dialog, "Label7");
    QVERIFY(verdict);
    QVERIFY(verdict->font().bold());
    QCOMPARE(textColour(verdict), Maroon);

    struct Caption {
        const char* name;
        QString text;
        bool bold;
    };
    const Caption captions[] = {
        {"Label1", QStringLiteral("Правильный ответ:"), true},
        {"Label8", QStringLiteral(" Рекомендуемые параметры: "), false},
        {"Label2", QStringLiteral("Ширина поля чтения:"), false},
        {"Label3", QStringLiteral("Скорость чтения:"), false},
    };
    for (const Caption& caption : captions) {
        auto* label = child<QLabel>(dialog, caption.name);
        QVERIFY(label);
        QCOMPARE(label->text(), caption.text);
        QCOMPARE(label->font().bold(), caption.bold);
    }
    QCOMPARE(textColour(control<QLabel>(dialog, "Label8")), Maroon);

    struct Value {
        const char* name;
        QColor colour;
        bool bold;
        QLabel* caption;
    };
    const Value values[] = {
        {"Label4", Maroon, true, control<QLabel>(dialog, "Label1")},
        {"Label5", Navy, false, control<QLabel>(dialog, "Label2")},
        {"Label6", Navy, false, control<QLabel>(dialog, "Label3")},
    };
    for (const Value& value : values) {
        auto* label = child<QLabel>(dialog, value.name);
        QVERIFY(label);
        QCOMPARE(textColour(label), value.colour);
        QCOMPARE(label->font().bold(), value.bold);
        QCOMPARE(label->y(), value.caption->y());
        QVERIFY(label->x() > value.caption->x());
    }

    // The heading stands on the rule, between the answer and the recommended values.
    auto* rule = child<QFrame>(dialog, "Bevel1");
    QVERIFY(rule);
    QVERIFY(control<QLabel>(dialog, "Label8")->geometry().intersects(rule->geometry()));
    QVERIFY(rule->y() > control<QLabel>(dialog, "Label1")->geometry().bottom());
    QVERIFY(rule->y() < control<QLabel>(dialog, "Label2")->y());
}

// --- Assistant -------------------------------------------------------------------------------

void TestLaterWindows::assistantWindow() {
    TAssistantForm* assistant = Windows.AssistantForm;
    QCOMPARE(assistant->windowTitle(), QStringLiteral("Ассистент"));
    QCOMPARE(assistant->windowType(), Qt::Tool);
    QVERIFY(assistant->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(assistant->parentWidget(), Main);
    QVERIFY(assistant->isHidden());
    QCOMPARE(assistant->size(), QSize(224, 175));
    QCOMPARE(assistant->minimumSize(), assistant->maximumSize());
    QCOMPARE(assistant->property("helpContext").toInt(), 150);
    QCOMPARE(background(assistant), LightBlue);
    QCOMPARE(assistant->font().pixelSize(), 11);
    QVERIFY(assistant->buttonsEnabled());
    QVERIFY(assistant->guideDocked());

    QCOMPARE(child<QLabel>(assistant, "Label6")->text(), QStringLiteral("УРОВЕНЬ:"));
    QVERIFY(control<QLabel>(assistant, "Label6")->font().bold());
    QCOMPARE(child<QLabel>(assistant, "Label1")->text(), QStringLiteral("Скорость:"));
    QCOMPARE(child<QLabel>(assistant, "Label2")->text(), QStringLiteral("Ширина:"));
    QCOMPARE(child<QLabel>(assistant, "Label9")->text(),
             QStringLiteral("Ход выполнения упражнений"));
    QVERIFY(control<QLabel>(assistant, "LabelLevel")->font().bold());
    QCOMPARE(textColour(control<QLabel>(assistant, "LabelLevel")), Maroon);
    QVERIFY(control<QLabel>(assistant, "LabelLevel")->alignment() & Qt::AlignRight);
    QCOMPARE(textColour(control<QLabel>(assistant, "LabelSpeed")), Navy);
    QCOMPARE(textColour(control<QLabel>(assistant, "LabelWidth")), Navy);
    QCOMPARE(background(control<QFrame>(assistant, "Panel3")), QColor(Qt::white));
    QVERIFY(control<QGroupBox>(assistant, "GroupBox1")->title().trimmed().isEmpty());

    const QList<QPair<const char*, QString>> buttons = {
        {"SpeedButton2", QStringLiteral("След.")},
        {"SpeedButton1", QStringLiteral("Стоп")},
        {"SpeedButton3", QStringLiteral("Сначала")},
        {"SpeedButton4", QStringLiteral("Помощь")},
    };
    for (const auto& [name, caption] : buttons) {
        auto* button = child<QToolButton>(assistant, name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isEnabled());
    }

    // Creating the assistant clears a pending course restart.
    Main->state().setRestartCourse(true);
    auto* another = new TAssistantForm(Main, control<TCoolBar>(Main, "CoolBar1"), Main->state());
    QVERIFY(!Main->state().RestartCourse());
    delete another;
}

void TestLaterWindows::assistantButtonsEnabledTogether() {
    TAssistantForm* assistant = Windows.AssistantForm;
    const QList<QToolButton*> buttons = {control<QToolButton>(assistant, "SpeedButton1"),
                                         control<QToolButton>(assistant, "SpeedButton2"),
                                         control<QToolButton>(assistant, "SpeedButton3"),
                                         control<QToolButton>(assistant, "SpeedButton4")};
    assistant->SetButtonsEnabled(false);
    QVERIFY(!assistant->buttonsEnabled());
    for (QToolButton* button : buttons)
        QVERIFY(!button->isEnabled());

    assistant->SetButtonsEnabled(true);
    QVERIFY(assistant->buttonsEnabled());
    for (QToolButton* button : buttons)
        QVERIFY(button->isEnabled());
}

void TestLaterWindows::assistantCloseBoxRefusedWhileButtonsDisabled() {
    TAssistantForm* assistant = Windows.AssistantForm;
    assistant->show();
    assistant->SetButtonsEnabled(false);

    QCloseEvent fromCloseBox;
    QSpontaneKeyEvent::setSpontaneous(&fromCloseBox);
    qApp->notify(assistant, &fromCloseBox); // delivered as from the window system
    QVERIFY(!fromCloseBox.isAccepted());
    QVERIFY(assistant->isVisible());

    assistant->SetButtonsEnabled(true);
    QCloseEvent again;
    QSpontaneKeyEvent::setSpontaneous(&again);
    qApp->notify(assistant, &again);
    QVERIFY(again.isAccepted());

    // The program can close it at any time, as at exit during a run.
    assistant->SetButtonsEnabled(false);
    QVERIFY(assistant->close());
    QVERIFY(assistant->isHidden());
}

// --- Guide -----------------------------------------------------------------------------------

void TestLaterWindows::guideWindow() {
    TWizardForm* guide = Windows.WizardForm;
    QCOMPARE(guide->windowTitle(), QStringLiteral("Руководство"));
    QCOMPARE(guide->windowType(), Qt::Tool);
    QVERIFY(guide->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(guide->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(guide->parentWidget(), Main);
    QVERIFY(guide->isHidden());
    QCOMPARE(guide->size(), QSize(224, 232));
    QCOMPARE(guide->minimumSize(), guide->maximumSize());
    QCOMPARE(guide->property("helpContext").toInt(), 150);
    QCOMPARE(background(guide), LightBlue);

    auto* box = child<QCheckBox>(guide, "CheckBoxShowRedMarkers");
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("маркеры текущего этапа -"));
    QVERIFY(box->isChecked());
    QCOMPARE(box->geometry(), QRect(5, 6, 156, 17));
    auto* sample = child<QLabel>(guide, "Image1");
    QVERIFY(sample);
    QCOMPARE(sample->geometry(), QRect(168, 9, 10, 10));

    auto* panel = child<QFrame>(guide, "Panel1");
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(0, 27, 225, 173));
    QVERIFY(!panel->isEnabled());
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    auto* steps = child<QTextEdit>(guide, "RichEdit1");
    QVERIFY(steps);
    QCOMPARE(steps->parentWidget(), panel);
    QCOMPARE(steps->geometry(), panel->contentsRect());
    QVERIFY(steps->isReadOnly());
    QCOMPARE(steps->lineWrapMode(), QTextEdit::NoWrap);
    QCOMPARE(steps->frameShape(), QFrame::NoFrame);
    QCOMPARE(steps->palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::white));
    QCOMPARE(steps->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black));

    QCOMPARE(child<QLabel>(guide, "Label4")->text(), QStringLiteral("Этапы:"));
    QVERIFY(control<QLabel>(guide, "Label4")->font().bold());

    struct Legend {
        const char* label;
        QString text;
        const char* shape;
        QColor colour;
    };
    const Legend legend[] = {
        {"Label3", QStringLiteral("текущие"), "Shape3", Qt::red},
        {"Label1", QStringLiteral("выполненные"), "Shape2", QColor(192, 192, 192)},
        {"Label2", QStringLiteral("невыполненные"), "Shape1", Qt::black},
    };
    for (const Legend& entry : legend) {
        auto* label = child<QLabel>(guide, entry.label);
        auto* shape = child<QLabel>(guide, entry.shape);
        QVERIFY(label && shape);
        QCOMPARE(label->text(), entry.text);
        const QImage circle = shape->pixmap().toImage();
        QCOMPARE(circle.pixelColor(4, 4), entry.colour);
        QCOMPARE(circle.pixelColor(0, 0).alpha(), 0);
    }
}

void TestLaterWindows::guideLegendShowsTheMarkerFigure() {
    TWizardForm* guide = Windows.WizardForm;
    QVERIFY(control<QLabel>(guide, "Image1")->pixmap().isNull());
    guide->show();
    const QImage sample = control<QLabel>(guide, "Image1")->pixmap().toImage();
    QCOMPARE(sample.size(), QSize(10, 10));
    // Diagonal, right edge and bottom edge in red; the rest see-through.
    QCOMPARE(sample.pixelColor(4, 4), QColor(Qt::red));
    QCOMPARE(sample.pixelColor(8, 3), QColor(Qt::red));
    QCOMPARE(sample.pixelColor(3, 8), QColor(Qt::red));
    QCOMPARE(sample.pixelColor(5, 1).alpha(), 0);
    QCOMPARE(sample.pixelColor(1, 5).alpha(), 0);
    guide->hide();
}

// --- Marker ----------------------------------------------------------------------------------

void TestLaterWindows::markerWindow() {
    TMarkersForm* marker = Windows.MarkersForm;
    QVERIFY(marker->isWindow());
    QVERIFY(marker->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(marker->windowFlags() & Qt::WindowStaysOnTopHint);
    // Cut to the figure: the right edge shows, the rest is see-through.
    QVERIFY(marker->mask().contains(QPoint(7, 4)));
    QVERIFY(!marker->mask().contains(QPoint(0, 4)));
    QCOMPARE(marker->size(), QSize(8, 8));
    QCOMPARE(marker->minimumSize(), marker->maximumSize());
    QVERIFY(marker->isHidden());
    QVERIFY(!marker->target());
    QCOMPARE(control<QTimer>(marker, "Timer1")->interval(), 100);
    QVERIFY(!control<QTimer>(marker, "Timer1")->isActive());

    TMarkersForm ownerless;
    QVERIFY(ownerless.isWindow());
    QVERIFY(ownerless.isHidden());
}

// --- Advice ----------------------------------------------------------------------------------

void TestLaterWindows::adviceDialog() {
    TAdviceForm* dialog = Windows.AdviceForm;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Skimora Советы"));
    QCOMPARE(dialog->size(), QSize(334, 195));
    QCOMPARE(background(control<QFrame>(dialog, "Panel1")), QColor(Qt::white));
    QCOMPARE(textColour(control<QLabel>(dialog, "Label1")), QColor(Qt::black));
    QCOMPARE(control<QCheckBox>(dialog, "CheckBox1")->text(), QStringLiteral("советовать"));
    QCOMPARE(control<QPushButton>(dialog, "BitBtn2")->text(), QStringLiteral("Помощь"));
}

// --- Common to the dialogs -------------------------------------------------------------------

void TestLaterWindows::dialogConventions_data() {
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"AnsTableForm", "TableResultForm", "AnsStringForm", "StringResultForm", "AdviceForm"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestLaterWindows::dialogConventions() {
    QFETCH(QString, name);
    auto* dialog = qobject_cast<QDialog*>(windowNamed(name));
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), Main);
    QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(dialog->autoFillBackground());
    QCOMPARE(background(dialog), LightBlue);
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QCOMPARE(dialog->size(), dialog->minimumSize());
    QVERIFY(dialog->isHidden());
    for (QWidget* control : dialog->findChildren<QWidget*>())
        QVERIFY2(dialog->rect().contains(control->geometry()) || control->parentWidget() != dialog,
                 qPrintable(control->objectName()));
}

void TestLaterWindows::controlsHaveAccessibleNames_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"FormDlgTable", "AnsTableForm", "TableResultForm", "AnsStringForm",
                             "StringResultForm", "AdviceForm", "AssistantForm", "WizardForm"})
        QTest::addRow("%s", name) << QString::fromLatin1(name);
}

void TestLaterWindows::controlsHaveAccessibleNames() {
    QFETCH(QString, name);
    QWidget* window = windowNamed(name);
    QVERIFY(window);
    int checked = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty())
            continue; // the inner parts of Qt's own widgets
        const bool isControl =
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QGroupBox*>(widget) || qobject_cast<QProgressBar*>(widget) ||
            qobject_cast<QTextEdit*>(widget);
        const auto* label = qobject_cast<QLabel*>(widget);
        if (!isControl && !label)
            continue;
        // What a screen reader is told the widget is called.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const QString spoken = accessible->text(QAccessible::Name);
        ++checked;
        if (isControl) {
            // Named by the program itself, not left to what Qt guesses from its surroundings.
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
            QCOMPARE(spoken, widget->accessibleName());
        } else if (!label->text().isEmpty()) {
            QCOMPARE(spoken.trimmed(), label->text().trimmed());
        }
    }
    QVERIFY(checked > 0);
}

QTEST_MAIN(TestLaterWindows)
#include "tst_laterwindows.moc"
