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
#include "readingview/ReadingView.h"
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
#include "training/ExerciseKinds.h"
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
    Windows.StringForm = new TStringForm(state, main);
    Windows.TableForm = new TTableForm(state, main);
    Windows.TextForm = new TTextForm(state, main, main.programDir());
    Windows.SchulteForm = new TSchulteForm(state, main);
    TextPlace = std::make_unique<TextReadingPlace>(*Windows.TextForm);
    Windows.FlashForm = new TFlashForm(state, main, *TextPlace);
    // The one list of the exercise windows, in the order they are made and laid in the frame.
    Exercises = {Windows.StringForm, Windows.TableForm, Windows.TextForm, Windows.SchulteForm,
                 Windows.FlashForm};
    for (ExerciseWindow* exercise : Exercises)
        addExerciseWindow(main.mdiArea(), exercise);
    main.setExercises(Exercises, *Windows.TextForm);
    Windows.FormDlgTable = new TFormDlgTable(&main, main.tableSizeButton(), state);
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
    Windows.AssistantForm = new TAssistantForm(&main, main.toolBars(), state);
    Windows.WizardForm = new TWizardForm(&main, state);
    Windows.MarkersForm = new TMarkersForm(&main);
    Windows.BookmarkForm = new TBookmarkForm(&main);
    Cloze = new ClozeTest(*Windows.TextForm, *Windows.TextResultForm, &main);
    connectWindows();
    main.windowsCreated();
    new TextInlets(main, *Windows.TextForm->RichEdit1);
    createDiary();
}

void Program::createDiary() {
    TMainForm* main = Main.get();
    Diary->open(DiaryStore::defaultPath());
    Windows.DiaryForm = new TDiaryForm(*Diary, main);
    QObject::connect(Windows.DiaryForm, &TDiaryForm::helpRequested, main,
                     [main](int context) { main->helpViewer()->showTopic(context); });
    QObject::connect(main->diaryEntry(), &QAction::triggered, Windows.DiaryForm,
                     &TDiaryForm::showDiary);
    // Every exercise's result goes to the diary, with what only the frame knows: the file
    // read and the course stage the run belonged to (before the course moves on).
    DiaryStore* diary = Diary.get();
    for (ExerciseWindow* exercise : Exercises) {
        const ExerciseKindInfo& kind = exercise->description();
        QObject::connect(
            exercise, &ExerciseWindow::runFinished, diary, [main, diary, &kind](RunResult result) {
                // A run over the opened text is filed under the file's name.
                if (result.textName.isEmpty() && kind.ReadsLoadedText && result.kind == kind.Diary)
                    result.textName = QFileInfo(main->fileName()).fileName();
                if (const Scenario* course = main->course()) {
                    result.courseLevel = course->Level();
                    result.courseStage = course->StageIndex() + 1;
                }
                diary->add(result);
            });
    }
    QObject::connect(Cloze, &ClozeTest::finished, diary, [main, diary](RunResult result) {
        result.textName = QFileInfo(main->fileName()).fileName();
        if (const Scenario* course = main->course()) {
            result.courseLevel = course->Level();
            result.courseStage = course->StageIndex() + 1;
        }
        diary->add(result);
    });
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
    for (ExerciseWindow* exercise : Exercises) {
        QObject::connect(exercise, &ExerciseWindow::runEnded, main, &TMainForm::CourseRunEnded);
        QObject::connect(exercise, &ExerciseWindow::controlsChanged, main,
                         &TMainForm::RefreshCourseState);
    }

    // The picker closed: the table, when chosen, lays out the size just taken.
    QObject::connect(w.FormDlgTable, &TFormDlgTable::closed, w.TableForm,
                     &ExerciseWindow::activate);

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
