// The main window by keyboard alone: a key for every tool bar control, named in its hint and
// refused while the control is; Tab and Ctrl+Tab between the tool bar and the exercise window;
// and the help's page of keys, which must name every key the running program answers.
#include "Controls.h"
#include "ProgramFixture.h"

#include "course/Unitassistant.h"
#include "readingview/ReadingView.h"
#include "shell/ProgramWindows.h"
#include "shell/Unitfrmain.h"
#include "table/Unitdlgtable.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "widgets/KeyTable.h"
#include "widgets/MoreButton.h"
#include "widgets/TCoolBar.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QShortcut>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

const QString UserText = QStringLiteral("Один два три четыре пять шесть семь восемь девять десять");

// A key as the help page writes it and as the program binds it come to one name: keypad Enter
// is Enter, Shift+Tab arrives as Backtab.
QString keyName(QKeyCombination key) {
    Qt::Key code = key.key();
    Qt::KeyboardModifiers modifiers = key.keyboardModifiers() & ~Qt::KeypadModifier;
    if (code == Qt::Key_Backtab) {
        code = Qt::Key_Tab;
        modifiers |= Qt::ShiftModifier;
    }
    if (code == Qt::Key_Enter)
        code = Qt::Key_Return;
    return QKeySequence(QKeyCombination(modifiers, code)).toString(QKeySequence::PortableText);
}

// The keys the page names in its <span class="key"> marks, each made a key name.
QStringList keysOnPage(const QString& html, QStringList* unreadable) {
    const QHash<QString, QString> written{
        {"Enter", "Return"}, {"Escape", "Esc"}, {"Page Up", "PgUp"}, {"Page Down", "PgDown"},
        {"←", "Left"},       {"→", "Right"},    {"↑", "Up"},         {"↓", "Down"},
        {"Пробел", "Space"}};
    QStringList names;
    static const QRegularExpression mark(QStringLiteral("<span class=\"key\">([^<]+)</span>"));
    for (const QRegularExpressionMatch& found : mark.globalMatch(html)) {
        QStringList parts = found.captured(1).split(QLatin1Char('+'));
        for (QString& part : parts)
            part = written.value(part, part);
        const QKeySequence key =
            QKeySequence::fromString(parts.join(QLatin1Char('+')), QKeySequence::PortableText);
        if (key.count() == 1 && key[0].key() != Qt::Key_unknown)
            names << keyName(key[0]);
        else
            *unreadable << found.captured(1);
    }
    return names;
}

} // namespace

class TestFrameKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void toolBarControlsAnswerTheirKeys();
    void tabStaysInTheFrontWindowAndCtrlTabCrossesToTheToolBar();
    void keysPageNamesEveryKey();

private:
    void press(QKeyCombination key);
    // Every key the running program answers, by name, with where it was found.
    QMap<QString, QString> boundKeys() const;

    std::unique_ptr<ProgramFixture> Fixture;
    TMainForm* Main = nullptr;
    const ProgramWindows* Windows = nullptr;
};

void TestFrameKeys::init() {
    Fixture = std::make_unique<ProgramFixture>();
    Windows = &Fixture->startQuiet().windows();
    Main = Windows->MainForm;
    Windows->TextForm->setLoadedText(UserText, 0, 0);
    QApplication::setActiveWindow(Main);
    QVERIFY(QTest::qWaitForWindowActive(Main));
    Windows->TextForm->RichEdit1->setFocus();
}

void TestFrameKeys::cleanup() {
    closeUnexpectedDialogs();
    Fixture.reset();
}

// The key goes where the user's keys go: to the widget with the focus, or with none (as while
// a run has disabled the text view) to the active window.
void TestFrameKeys::press(QKeyCombination key) {
    QWidget* to = QApplication::focusWidget();
    QTest::keyClick(to ? to : QApplication::activeWindow(), key.key(), key.keyboardModifiers());
    QCoreApplication::processEvents();
}

void TestFrameKeys::toolBarControlsAnswerTheirKeys() {
    TMainForm* m = Main;
    QComboBox* face = control<QComboBox>(m, "ComboBox2");
    QComboBox* size = control<QComboBox>(m, "ComboBox1");
    struct Row {
        QKeyCombination key;
        QObject* control;
        std::function<bool()> done; // what the control's click does, seen
        std::function<void()> undo; // closes what the click opened
    };
    const auto down = [](QAbstractButton* b) { return [b] { return b->isChecked(); }; };
    const auto chosen = [](QAction* a) { return [a] { return a->isChecked(); }; };
    const auto listOpen = [](QComboBox* list) {
        return [list] { return list->view()->isVisible(); };
    };
    const auto closeList = [](QComboBox* list) { return [list] { list->hidePopup(); }; };
    const QList<Row> rows{
        {Qt::CTRL | Qt::Key_3,
         control<QToolButton>(m, "SpeedButton5"),
         down(control<QToolButton>(m, "SpeedButton5")),
         {}},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_R, control<QToolButton>(m, "SpeedButton15"),
         [this] { return Windows->FormDlgTable->isVisible(); },
         [this] { Windows->FormDlgTable->hide(); }},
        {Qt::CTRL | Qt::Key_4,
         m->kindEntry(ExerciseKind::Schulte),
         chosen(m->kindEntry(ExerciseKind::Schulte)),
         {}},
        {Qt::CTRL | Qt::Key_5,
         m->kindEntry(ExerciseKind::Flash),
         chosen(m->kindEntry(ExerciseKind::Flash)),
         {}},
        {Qt::CTRL | Qt::Key_1,
         control<QToolButton>(m, "SpeedButton4"),
         down(control<QToolButton>(m, "SpeedButton4")),
         {}},
        {Qt::CTRL | Qt::Key_T,
         control<QToolButton>(m, "SpeedButton14"),
         down(control<QToolButton>(m, "SpeedButton14")),
         {}},
        {Qt::CTRL | Qt::Key_2,
         control<QToolButton>(m, "SpeedButton6"),
         down(control<QToolButton>(m, "SpeedButton6")),
         {}},
        {Qt::CTRL | Qt::Key_1,
         control<QToolButton>(m, "SpeedButton4"),
         down(control<QToolButton>(m, "SpeedButton4")),
         {}},
        {Qt::CTRL | Qt::Key_T,
         control<QToolButton>(m, "SpeedButton14"),
         [m] { return !control<QToolButton>(m, "SpeedButton14")->isChecked(); },
         {}},
        {Qt::CTRL | Qt::Key_E,
         control<QToolButton>(m, "SpeedButton12"),
         [m] { return m->state().TextAlignment() == 2; },
         {}},
        {Qt::CTRL | Qt::Key_R,
         control<QToolButton>(m, "SpeedButton13"),
         [m] { return m->state().TextAlignment() == 1; },
         {}},
        {Qt::CTRL | Qt::Key_L,
         control<QToolButton>(m, "SpeedButton11"),
         [m] { return m->state().TextAlignment() == 0; },
         {}},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S,
         control<QToolButton>(m, "SpeedButton8"),
         down(control<QToolButton>(m, "SpeedButton8")),
         {}},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_N,
         control<QToolButton>(m, "SpeedButton7"),
         down(control<QToolButton>(m, "SpeedButton7")),
         {}},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_F, face, listOpen(face), closeList(face)},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_P, size, listOpen(size), closeList(size)},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_H, control<QToolButton>(m, "SpeedButton19"),
         [m] { return control<QMenu>(m, "PopupMenu1")->isVisible(); },
         [m] { control<QMenu>(m, "PopupMenu1")->hide(); }},
    };
    for (const Row& row : rows) {
        const QByteArray what = KeyTable::keyText(row.key).toUtf8();
        // The hint names the key, to the eye and to screen readers.
        const QString hint = row.control->property("toolTip").toString();
        QVERIFY2(hint.endsWith(QStringLiteral(" (") + what + ')'), what);
        if (auto* widget = qobject_cast<QWidget*>(row.control)) {
            const QString description =
                QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
            QVERIFY2(description.contains(what), what);
        }
        Windows->TextForm->RichEdit1->setFocus();
        QVERIFY2(!row.done(), what);
        press(row.key);
        QVERIFY2(row.done(), what);
        if (row.undo)
            row.undo();
    }
    // While "Ещё" shows a chosen kind, its face and description name that kind's key.
    press(Qt::CTRL | Qt::Key_4);
    QVERIFY(control<MoreButton>(m, "MoreKinds")
                ->accessibleDescription()
                .contains(QStringLiteral("Ctrl+4")));
    press(Qt::CTRL | Qt::Key_1);

    // During a run every one of them is refused whose control is disabled then (the tips stay).
    press(Qt::Key_Return);
    QVERIFY(m->isRunning());
    for (const Row& row : rows) {
        const QByteArray what = KeyTable::keyText(row.key).toUtf8();
        if (row.control->property("enabled").toBool())
            continue;
        const bool before = row.done();
        press(row.key);
        QVERIFY2(row.done() == before, what);
    }
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
    QVERIFY(!Windows->AssistantForm->isVisible());
    press(Qt::Key_Escape);
    QVERIFY(!m->isRunning());

    // After the run the assistant answers its key too.
    QVERIFY(control<QToolButton>(m, "SpeedButton20")
                ->toolTip()
                .endsWith(QStringLiteral(" (Ctrl+Shift+A)")));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
    QVERIFY(Windows->AssistantForm->isVisible());
    QVERIFY(!control<QToolButton>(m, "SpeedButton20")->isEnabled());
}

void TestFrameKeys::tabStaysInTheFrontWindowAndCtrlTabCrossesToTheToolBar() {
    TCoolBar* toolBar = control<TCoolBar>(Main, "CoolBar1");
    QWidget* view = Windows->TextForm->RichEdit1;
    QCOMPARE(QApplication::focusWidget(), view);

    // Ctrl+Tab goes to the tool bar and back to where the focus was.
    press(Qt::CTRL | Qt::Key_Tab);
    QWidget* inToolBar = QApplication::focusWidget();
    QVERIFY(toolBar->isAncestorOf(inToolBar));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), view);
    press(Qt::CTRL | Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), inToolBar);
    QCOMPARE(Main->ActiveMDIChild(), Windows->TextForm); // no other exercise came forward

    // Tab walks the tool bar and the text view, nothing behind, and comes round; Shift+Tab
    // walks the same way back.
    QList<QWidget*> walked;
    for (int i = 0; i < 60 && !walked.contains(QApplication::focusWidget()); ++i) {
        walked << QApplication::focusWidget();
        press(Qt::Key_Tab);
    }
    QVERIFY(walked.contains(view));
    QVERIFY(walked.contains(control<QToolButton>(Main, "SpeedButton2")));
    QVERIFY(walked.contains(control<QComboBox>(Main, "ComboBox1")));
    QVERIFY(walked.contains(control<QToolButton>(Main, "SpeedButton20")));
    for (QWidget* stop : walked)
        QVERIFY2(stop == view || toolBar->isAncestorOf(stop), stop->metaObject()->className());
    QCOMPARE(Main->ActiveMDIChild(), Windows->TextForm);
    QList<QWidget*> back;
    for (qsizetype i = 0; i < walked.size(); ++i) {
        press(Qt::SHIFT | Qt::Key_Backtab);
        back.prepend(QApplication::focusWidget());
    }
    QCOMPARE(back, walked);

    // A tool bar button with the focus answers Space as a click; the exercise it chose comes
    // forward with the focus. The table window has no control of its own and takes the focus
    // itself; Ctrl+Tab goes from it to the button and back.
    control<QToolButton>(Main, "SpeedButton5")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QVERIFY(control<QToolButton>(Main, "SpeedButton5")->isChecked());
    QCOMPARE(Main->ActiveMDIChild(), Windows->TableForm);
    QVERIFY(Windows->TableForm->isAncestorOf(QApplication::focusWidget()) ||
            QApplication::focusWidget() == Windows->TableForm);
    press(Qt::CTRL | Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QToolButton>(Main, "SpeedButton5"));
    press(Qt::CTRL | Qt::Key_Tab);
    QVERIFY(Windows->TableForm->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(Main->ActiveMDIChild(), Windows->TableForm);
}

QMap<QString, QString> TestFrameKeys::boundKeys() const {
    QMap<QString, QString> keys;
    const auto note = [&keys](const QKeySequence& sequence, const QObject* owner) {
        for (int i = 0; i < sequence.count(); ++i)
            keys.insert(keyName(sequence[i]),
                        owner->objectName() + QLatin1Char(' ') + owner->metaObject()->className());
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QShortcut* shortcut : window->findChildren<QShortcut*>()) {
            for (const QKeySequence& key : shortcut->keys())
                note(key, shortcut);
        }
        for (const QAction* action : window->findChildren<QAction*>()) {
            for (const QKeySequence& key : action->shortcuts())
                note(key, action);
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            note(button->shortcut(), button);
        for (const KeyTable* table : window->findChildren<KeyTable*>()) {
            for (QKeyCombination key : table->keys())
                note(QKeySequence(key), table);
        }
    }
    return keys;
}

void TestFrameKeys::keysPageNamesEveryKey() {
    Main->helpViewer(); // its keys too
    QFile page(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/help/keys.html"));
    QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
    QStringList unreadable;
    const QStringList named = keysOnPage(QString::fromUtf8(page.readAll()), &unreadable);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));

    const QMap<QString, QString> bound = boundKeys();
    // Enough found that the search itself is known to work: the frame's table, the speed
    // entry's shortcuts, the diary's action, the help window's keys.
    for (const char* key : {"Ctrl+1", "Ctrl+T", "Return", "F2", "Ctrl+PgUp", "Ctrl+D", "Ctrl+F"})
        QVERIFY2(bound.contains(QLatin1String(key)), key);
    QStringList missing;
    for (auto it = bound.cbegin(); it != bound.cend(); ++it) {
        if (!named.contains(it.key()))
            missing << it.key() + QStringLiteral(" (") + it.value() + QLatin1Char(')');
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));

    // The page is in the contents.
    QFile contents(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/help/index.html"));
    QVERIFY(contents.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(contents.readAll()).contains(QStringLiteral("href=\"keys.html\"")));
}

QTEST_MAIN(TestFrameKeys)
#include "tst_framekeys.moc"
