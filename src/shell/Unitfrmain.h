#pragma once

#include "exercise/ExerciseHost.h"
#include "shell/HeldKeys.h"
#include "shell/StatusHints.h"
#include "training/RunState.h"
#include "training/TrainingState.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QButtonGroup;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSlider;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;
class HelpViewer;
class ReadingView;
class TCSpinEdit;
class TCoolBar;
class KeyTable;
class MoreButton;
class TStatusBar;
class CourseMarkers;
class ExerciseWindow;
class LoadedText;
class Scenario;
struct ControlSnapshot;
enum class MarkerTarget;
struct ProgramWindows;
struct StoredSettings;

// The frame of the whole program: toolbars, status bar and the exercise windows as children of
// a multiple-document area. Its controls write the shared TrainingState, which the other
// windows read; it is the exercise windows' host. It keeps one list of the exercise windows and
// acts on the one in front through their base, never by name; what differs by kind it reads
// from the kinds' descriptions.
class TMainForm : public QMainWindow, public ExerciseHost {
    Q_OBJECT
public:
    explicit TMainForm(const QString& programDir, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Called once by the program before the windows are made; they are there by windowsCreated.
    void setWindows(const ProgramWindows* windows);
    // Called once by the program: the exercise windows, and the one that holds the loaded text.
    void setExercises(QList<ExerciseWindow*> exercises, LoadedText& text);
    // Called once every window exists: the text window becomes the active child.
    void windowsCreated();

    // Reads the settings store. Returns false (after telling the user) when the store is missing.
    bool FormCreate();

    // --- Shared state, and what others read of the frame ----------------------------------
    TrainingState& state() { return State; }
    const TrainingState& state() const { return State; }
    // The file the text on show came from; empty for none or a pasted text.
    const QString& fileName() const { return FileName; }
    const QString& programDir() const { return ProgramDir; }
    // The running guided course, or none.
    const Scenario* course() const { return Course.get(); }
    // Where others attach: the table-size button the picker opens under, the tool bars the
    // assistant keeps clear of, the diary's entry under "Ещё".
    QWidget* tableSizeButton() const;
    QWidget* toolBars() const;
    QAction* diaryEntry() const { return DiaryEntry; }
    // "Открыть" can be pressed: outside a run and outside test mode.
    bool mayOpenText() const;
    // The frame's own fields, under their long-standing names: "Стоп" was pressed during the
    // course's stage, the test button was toggled since the start, the status hint's panel edges,
    // the course opens at the next start, and the position of the next tip in a kind's list of
    // tips.
    bool stopPressed() const { return StopPressed; }
    bool testToggled() const { return TestToggled; }
    int hintPanelLeft() const { return HintPanelLeft; }
    int hintPanelRight() const { return HintPanelRight; }
    bool assistantAtStart() const { return Assistant; }
    int nextTip(ExerciseKind kind) const;

    QMdiArea* mdiArea() const { return MdiArea; }
    // The frame's active child, or nullptr.
    QMdiSubWindow* ActiveMDIChild() const;
    // The drop-down entry that chooses a kind listed under "Ещё", or nullptr.
    QAction* kindEntry(ExerciseKind kind) const;

    // --- Run control ---------------------------------------------------------------------
    void SetRunState(RunState state) override;
    RunControls runControls() const;
    bool isRunning() const;
    // Re-checks the course stage against the controls; reached through controlsChanged.
    void RefreshCourseState();
    // The end of every exercise run while a course runs: re-enables the assistant's buttons and
    // moves the course on (goOn) or repeats the stage. Does nothing when no course runs.
    void CourseRunEnded(bool goOn);
    // Test mode switched off because no test text could be prepared.
    void LeaveTestMode() override;

    // --- Guided course (MainFormCourse.cpp) -------------------------------------------------
    // Enters the next stage (goOn) or the current one again and shows it.
    void AdvanceCourse(bool goOn);
    // "Сначала": the course starts anew at level 1, ignoring the stored course values once.
    void RestartGuidedCourse();
    // The assistant window closed: stores the course values and ends the course.
    void EndGuidedCourse();
    // The markers of the current stage, by the guide's check box.
    void PlaceCourseMarkers();
    void HideCourseMarkers();
    CourseMarkers& courseMarkers();

    // --- Regulator and status bar --------------------------------------------------------
    void TrackBar1Change();
    void TimerSpeedRegulatorTimer();
    void StatusBar1MouseMove(int x);
    void setStatusPanel(int panel, const QString& text) override;
    void resetStatusHint() override;
    QString statusPanel(int panel) const;

    // --- Fonts and width -----------------------------------------------------------------
    void MeasureFont();
    void ComboBox2Change();
    void ComboBox1Change();
    void CSpinEdit1Change();

    // --- Text loading ----------------------------------------------------------------------
    void SpeedButton1Click();
    void SaveTextPosition() override;
    QString textMemoryPath() const;
    // Opens a file as the Open button does once its dialog is answered (a file named on the
    // command line or dropped onto the window).
    void OpenTextFile(const QString& path);
    // Makes text from the clipboard the exercise text. It has no file, so no reading position.
    void PasteText(const QString& pasted);

    // --- Other handlers ------------------------------------------------------------------
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void SpeedButton13Click();
    void SpeedButton20Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton16Click();
    void SpeedButton19Click();
    void N1Click();
    void N2Click();
    void N3Click();
    void UpdateAdviceGlyph();
    void ShowAdvice(ExerciseKind kind) override;
    // Returns true when the key was taken as a shortcut.
    bool FormShortCut(const QKeyEvent& key);
    // Tab and Ctrl+Tab, with or without Shift: returns true when the key moved the focus.
    bool FocusKey(const QKeyEvent& key);

    HelpViewer* helpViewer();

signals:
    // A control the course checks has changed.
    void controlsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame's own fields.
    QString FileName;
    QString ProgramDir;
    bool StopPressed = false;
    bool TestToggled = false;
    StatusPanelEdges PanelEdges;
    int HintPanelLeft = 0;
    int HintPanelRight = 0;
    bool TextLaidOut = false;
    int CurrentTextAdvice = 0;
    int CurrentStringAdvice = 0;
    int CurrentTableAdvice = 0;
    bool Assistant = true;
    bool RegulatorUp = false;
    std::unique_ptr<Scenario> Course; // the running guided course, or none

    // --- Controls ------------------------------------------------------------------------
    // Controls.
    QToolButton* SpeedButton1 = nullptr;  // Открыть
    QToolButton* SpeedButton10 = nullptr; // Выход
    QToolButton* SpeedButton2 = nullptr;  // Пуск
    QToolButton* SpeedButton3 = nullptr;  // Стоп
    QToolButton* SpeedButton14 = nullptr; // Тест
    QToolButton* SpeedButton4 = nullptr;  // Текст
    QToolButton* SpeedButton6 = nullptr;  // Строка
    QToolButton* SpeedButton5 = nullptr;  // Таблица
    QToolButton* SpeedButton15 = nullptr; // table size
    // The exercises and records beyond the first kinds, under one drop-down (MainFormKinds.cpp).
    MoreButton* MoreKinds = nullptr;
    QAction* DiaryEntry = nullptr;        // opens the training diary (Ctrl+D)
    QToolButton* SpeedButton9 = nullptr;  // Помощь
    QToolButton* SpeedButton16 = nullptr; // О...
    QToolButton* SpeedButton11 = nullptr; // align left
    QToolButton* SpeedButton12 = nullptr; // align centre
    QToolButton* SpeedButton13 = nullptr; // align right
    QToolButton* SpeedButton7 = nullptr;  // dynamic reading
    QToolButton* SpeedButton8 = nullptr;  // static reading
    QToolButton* SpeedButton19 = nullptr; // advice menu
    QToolButton* SpeedButton20 = nullptr; // assistant
    QToolButton* SpeedButton18 = nullptr; // regulator: slower
    QToolButton* SpeedButton21 = nullptr; // regulator: faster
    QComboBox* ComboBox2 = nullptr;       // font face
    QComboBox* ComboBox1 = nullptr;       // font size
    TCSpinEdit* CSpinEdit1 = nullptr;     // reading-field width
    QWidget* Panel7 = nullptr;            // speed regulator panel
    QSlider* TrackBar1 = nullptr;
    QLabel* Label1 = nullptr; // current speed under the bar
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QTimer* TimerSpeedRegulator = nullptr;
    QLabel* LabelTestFont = nullptr;
    QLabel* LabelSpace = nullptr;
    TCoolBar* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar7 = nullptr;
    QToolBar* ToolBar5 = nullptr;
    QToolBar* ToolBar6 = nullptr;
    QToolBar* ToolBar10 = nullptr; // the drop-down of further kinds
    QToolBar* ToolBar2 = nullptr;
    QToolBar* ToolBar8 = nullptr;
    QToolBar* ToolBar4 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QToolBar* ToolBar9 = nullptr;

    // Window assembly (Unitfrmain.cpp).
    void buildToolbars();
    void buildRegulator();
    void buildStatusBar();
    void buildHiddenParts();
    QToolButton* makeButton(QToolBar* bar, const char* name, const QString& caption,
                            const QString& hint, const QString& glyph, bool large);
    // Gives a button the look of the tool bar's buttons and adds it.
    void placeButton(QToolBar* bar, QToolButton* button, const char* name, bool large);

    // The keys (MainFormKeys.cpp).
    void buildKeyTables();
    bool moveFocusWithin(bool forward);
    bool moveFocusAcross();
    // The inside of the exercise window in front, or nullptr.
    QWidget* exerciseArea() const;

    // The kinds in the drop-down (MainFormKinds.cpp).
    void buildMoreKinds();
    // A kind entry of the drop-down chooses its kind when it goes down; the kind buttons let go.
    void connectKindEntries();
    void connectKindButtons();
    // The button or the drop-down entry that chooses a kind.
    QObject* kindChooser(ExerciseKind kind) const;
    // Brings the window of a kind to the front, the tool bar in the state the kind asks for.
    void chooseKind(ExerciseKind kind);
    void connectHandlers();
    void connectCheckableButtons();

    // Settings (MainFormSettings.cpp).
    void applySettings(const StoredSettings& s);
    StoredSettings collectSettings() const;
    // Writes the last bounds the window had in the normal state.
    void writeBounds();
    // Bounds brought wholly onto the available area of the screen they are on, frame included.
    QRect fitOnScreen(const QRect& bounds) const;
    void FormClose();

    // Start-up and resizing.
    void FormShow();
    // Brings the window, its frame included, wholly onto the screen in the normal state.
    void fitFrameOnScreen();
    void FormResize();
    void updateMinimumWidth();
    void checkFirstTextAdvice();
    void StartGuidedCourse();

    // Shows the font face in ComboBox2, with the face drawn in its place when it is missing.
    void showFontFace(const QString& usedFamily);
    // Loads a chosen file from the resume question to the shown text; false when it failed.
    bool openChosenFile(const QString& chosen);

    // The course's view of the controls.
    ControlSnapshot controlSnapshot() const;

    // Regulator repeat.
    void startRegulatorRepeat(bool up);
    void stopRegulatorRepeat();

    // The window of a kind; the window the kind buttons chose; the exercise window in front.
    ExerciseWindow* exerciseOf(ExerciseKind kind) const;
    ExerciseWindow* chosenExerciseWindow() const;
    ExerciseWindow* activeExercise() const;
    // SetRunState, where chosen is the kind chosen (in a ...Chosen state, the one being chosen).
    void enterRunState(RunState state, ExerciseKind chosen);
    void setTestMayBeReleased(bool allowed) { TestMayBeReleased = allowed; }

    // The frame's answers to changes of the shared state.
    void connectState();
    void showFontInControls();

    TrainingState State;
    QMdiArea* MdiArea = nullptr;
    QButtonGroup* KindButtons = nullptr; // SpeedButton4, SpeedButton6, SpeedButton5, by kind
    std::vector<QAction*> KindEntries;   // by kind: its entry under "Ещё", or nullptr
    const ProgramWindows* Windows = nullptr;
    QList<ExerciseWindow*> Exercises;
    LoadedText* Text = nullptr; // the loaded text's holder
    HelpViewer* Help = nullptr;
    KeyTable* ShortCuts = nullptr; // the keys of the controls and of run control
    KeyTable* FocusKeys = nullptr; // Tab and Ctrl+Tab
    QTimer* IdleTimer = nullptr;
    bool FirstShowDone = false;
    bool FirstAdviceChecked = false;
    bool StartupDone = false; // the splash has gone and the course has started
    bool TestMayBeReleased = true;
    ExerciseWindow* RunningExercise = nullptr; // the window whose run goes on, from Start on
    QRect NormalBounds;                        // position and size while in the normal state
    HeldKeys Keys; // Enter and Escape act once however long they are held
    struct HeldKeyPress {
        const QEvent* event = nullptr;
        quint64 timestamp = 0;
    } HeldPress; // the press being delivered, when it only repeats a held key

    // Guided course.
    QWidget* markerTarget(MarkerTarget target) const;
    std::unique_ptr<CourseMarkers> CourseMarkerSlots;
};
