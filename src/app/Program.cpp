#include "app/Program.h"

#include "app/DiaryMessages.h"

#include "course/Unitassistant.h"
#include "course/Unitmarker.h"
#include "course/Unitscenario.h"
#include "course/Unitwizard.h"
#include "dialogs/Unitabout.h"
#include "dialogs/Unitadvice.h"
#include "dialogs/Unitfrmessage.h"
#include "diary/DiaryStore.h"
#include "diary/TDiaryForm.h"
#include "fieldofview/Unitfransstring.h"
#include "fieldofview/Unitfrstring.h"
#include "fieldofview/Unitstringresult.h"
#include "flash/FlashForm.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"
#include "schulte/SchulteForm.h"
#include "schulte/SchulteResultForm.h"
#include "shell/TextInlets.h"
#include "shell/Unitbookmark.h"
#include "shell/Unitfrmain.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfranstable.h"
#include "table/Unitfrtable.h"
#include "table/Unittableresult.h"
#include "text/ClozeTest.h"
#include "text/TextReadingPlace.h"
#include "text/Unitfranstext.h"
#include "text/Unitfrtext.h"
#include "text/Unittextresult.h"
#include "widgets/TCoolBar.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

static void initResources() {
    Q_INIT_RESOURCE(icons);
}

void setUpApplication(QApplication& app) {
    initResources();
    app.setApplicationName(QStringLiteral("Skimora"));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/skimora.svg")));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

Program::Program(const QString& programDir)
    : Diary(std::make_unique<DiaryStore>()), Main(std::make_unique<TMainForm>(programDir)) {
    Windows.MainForm = Main.get();
    Main->setWindows(&Windows);
    Ready = Main->FormCreate();
    if (Ready)
        createWindows();
}

Program::~Program() = default;

namespace {
// The exercise windows stay maximised and live as long as the program: a caption, but no
// button or menu that would minimise, restore or close them.
constexpr Qt::WindowFlags ExerciseWindowFlags =
    Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Adds an exercise window to the frame, maximised, without a system menu: every item in it
// (stay on top, close) would either cover the exercise in front or be refused.
void addExerciseWindow(QMdiArea* area, QMdiSubWindow* window) {
    area->addSubWindow(window, ExerciseWindowFlags);
    window->setSystemMenu(nullptr);
    window->showMaximized();
}
} // namespace

void Program::createWindows() {
    TMainForm& main = *Main;
    TrainingState& state = main.state();
    QMdiArea* area = main.mdiArea();
    Windows.StringForm = new TStringForm(state, main);
    addExerciseWindow(area, Windows.StringForm);
    Windows.TableForm = new TTableForm(state, main);
    addExerciseWindow(area, Windows.TableForm);
    Windows.TextForm = new TTextForm(state, main, main.ProgramDir);
    addExerciseWindow(area, Windows.TextForm);
    Windows.SchulteForm = new TSchulteForm(state, main);
    addExerciseWindow(area, Windows.SchulteForm);
    TextPlace = std::make_unique<TextReadingPlace>(*Windows.TextForm);
    Windows.FlashForm = new TFlashForm(state, main, *TextPlace);
    addExerciseWindow(area, Windows.FlashForm);
    Windows.FormDlgTable = new TFormDlgTable(&main, main.SpeedButton15, state);
    Windows.AboutForm = new TAboutForm(&main);
    Windows.AnsTextForm = new TAnsTextForm(&main);
    Windows.AnsTableForm = new TAnsTableForm(&main);
    Windows.AnsStringForm = new TAnsStringForm(&main);
    Windows.TextResultForm = new TTextResultForm(&main);
    Windows.StringResultForm = new TStringResultForm(&main);
    Windows.TableResultForm = new TTableResultForm(&main);
    Windows.SchulteResultForm = new TSchulteResultForm(&main);
    Windows.MessageForm = new TMessageForm(&main);
    Windows.AdviceForm = new TAdviceForm(&main, state, [&main] { return main.helpViewer(); });
    Windows.AssistantForm = new TAssistantForm(&main, main.CoolBar1, state);
    Windows.WizardForm = new TWizardForm(&main, state);
    Windows.MarkersForm = new TMarkersForm(&main);
    Windows.BookmarkForm = new TBookmarkForm(&main);
    Cloze = new ClozeTest(*Windows.TextForm, *Windows.TextResultForm, &main);
    connectWindows();
    main.windowsCreated();
    new TextInlets(main);
    createDiary();
}

void Program::createDiary() {
    TMainForm* main = Main.get();
    Diary->open(DiaryStore::defaultPath());
    Windows.DiaryForm = new TDiaryForm(*Diary, main);
    QObject::connect(Windows.DiaryForm, &TDiaryForm::helpRequested, main,
                     [main](int context) { main->helpViewer()->showTopic(context); });
    QObject::connect(main->DiaryEntry, &QAction::triggered, Windows.DiaryForm,
                     &TDiaryForm::showDiary);
    // Every exercise's result goes to the diary, with what only the frame knows: the file
    // read and the course stage the run belonged to (before the course moves on).
    DiaryStore* diary = Diary.get();
    const auto keep = [main, diary](RunResult result) {
        if (result.textName.isEmpty() &&
            (result.kind == DiaryKind::TextReading || result.kind == DiaryKind::FlashReading ||
             result.kind == DiaryKind::ClozeTest))
            result.textName = QFileInfo(main->FileName).fileName();
        if (main->Course) {
            result.courseLevel = main->Course->Level();
            result.courseStage = main->Course->StageIndex() + 1;
        }
        diary->add(result);
    };
    for (ExerciseWindow* exercise : std::initializer_list<ExerciseWindow*>{
             Windows.TextForm, Windows.StringForm, Windows.TableForm, Windows.SchulteForm,
             Windows.FlashForm})
        QObject::connect(exercise, &ExerciseWindow::runFinished, diary, keep);
    QObject::connect(Cloze, &ClozeTest::finished, diary, keep);
    // What the diary has to say (a file it could not use, trouble met later, a backup to
    // restore) is told after the splash, one message at a time.
    new DiaryMessages(main, *Diary, Windows.AboutForm);
}

void Program::connectWindows() {
    TMainForm* main = Main.get();
    const ProgramWindows& w = Windows;
    w.TextForm->setDialogs(w.MessageForm, w.AnsTextForm, w.TextResultForm);
    w.StringForm->setDialogs(w.AnsStringForm, w.StringResultForm);
    w.TableForm->setDialogs(w.AnsTableForm, w.TableResultForm);
    w.SchulteForm->setDialogs(w.SchulteResultForm);
    w.FlashForm->setDialogs(w.MessageForm);
    w.AssistantForm->setGuide(w.WizardForm);
    w.WizardForm->setAssistant(w.AssistantForm);

    // The course hears of every run's end and of every change it checks, from here only.
    QObject::connect(main, &TMainForm::controlsChanged, main, &TMainForm::RefreshCourseState);
    QObject::connect(w.FormDlgTable, &TFormDlgTable::controlsChanged, main,
                     &TMainForm::RefreshCourseState);
    for (ExerciseWindow* exercise : std::initializer_list<ExerciseWindow*>{
             w.TextForm, w.StringForm, w.TableForm, w.SchulteForm, w.FlashForm}) {
        QObject::connect(exercise, &ExerciseWindow::runEnded, main, &TMainForm::CourseRunEnded);
        QObject::connect(exercise, &ExerciseWindow::controlsChanged, main,
                         &TMainForm::RefreshCourseState);
    }

    // The picker closed: the table, when on show, lays out the size just taken.
    TTableForm* table = w.TableForm;
    QObject::connect(w.FormDlgTable, &TFormDlgTable::closed, table, [main, table] {
        if (main->ActiveMDIChild() == table)
            table->FormActivate();
    });

    TAssistantForm* assistant = w.AssistantForm;
    QObject::connect(assistant, &TAssistantForm::nextStageAsked, main,
                     [main] { main->AdvanceCourse(true); });
    QObject::connect(assistant, &TAssistantForm::restartAsked, main,
                     &TMainForm::RestartGuidedCourse);
    QObject::connect(assistant, &TAssistantForm::helpAsked, main,
                     [main] { main->helpViewer()->showTopic(HelpContext::Course); });
    QObject::connect(assistant, &TAssistantForm::closed, main, &TMainForm::EndGuidedCourse);
    QObject::connect(w.WizardForm, &TWizardForm::markersSwitched, main, [main](bool shown) {
        if (shown)
            main->PlaceCourseMarkers();
        else
            main->HideCourseMarkers();
    });
}

void Program::openAfterSplash(const QString& path) {
    if (!Ready)
        return;
    TMainForm* main = Main.get();
    QObject::connect(
        Windows.AboutForm, &QDialog::finished, main,
        [main, path] { QTimer::singleShot(0, main, [main, path] { main->OpenTextFile(path); }); },
        Qt::SingleShotConnection);
}

void Program::show() {
    Main->show();
}
