// The main window's settings: read at start-up, written at close and when the width changes.
#include "shell/Unitfrmain.h"

#include "course/Unitassistant.h"
#include "fieldofview/Unitfrstring.h"
#include "flash/FlashForm.h"
#include "platform/PacedTimer.h"
#include "platform/SettingsStore.h"
#include "readingview/ReadingView.h"
#include "schulte/SchulteForm.h"
#include "shell/ProgramWindows.h"
#include "shell/StoredSettings.h"
#include "shell/WindowPlacement.h"
#include "table/Unitfrtable.h"
#include "text/Unitfrtext.h"
#include "training/SpeedRegulator.h"
#include "widgets/TCSpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

bool TMainForm::FormCreate() {
    TextLaidOut = false;
    const auto store = SettingsStore::openExisting();
    if (!store) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"),
                        QStringLiteral("Reinstall Skimora v6.0 ru"), QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return false;
    }
    applySettings(readStoredSettings(*store));
    return true;
}

void TMainForm::applySettings(const StoredSettings& s) {
    State.setFontName(s.FontName);
    State.setFontSize(s.FontSize);
    State.setTextAlignment(s.TextAlignment);
    {
        // No window is laid out to the width yet: the spin takes it quietly, further down.
        const QSignalBlocker quiet(CSpinEdit1);
        State.setReadingFieldWidth(s.WideExpression);
    }
    State.setTextColumnWidth(s.WidthFormatStr);
    // The regulator's handler keeps the position within its scale and sets the speed.
    if (TrackBar1->value() == s.SpeedTrackBarPosition)
        TrackBar1Change();
    else
        TrackBar1->setValue(s.SpeedTrackBarPosition);
    State.setRecommendation(s.RecommendSpeed, s.RecommendWide);
    State.setTableSize(s.Column, s.Row);
    N1->setChecked(s.TextAdvice);
    N2->setChecked(s.StringAdvice);
    N3->setChecked(s.TableAdvice);
    CurrentTextAdvice = s.CurrentTextAdvice;
    CurrentStringAdvice = s.CurrentStringAdvice;
    CurrentTableAdvice = s.CurrentTableAdvice;
    Assistant = s.Assistant;
    State.setMarkers(s.Markers);

    switch (State.TextAlignment()) {
    case 0:
        SpeedButton11->setChecked(true);
        break;
    case 1:
        SpeedButton13->setChecked(true);
        break;
    case 2:
        SpeedButton12->setChecked(true);
        break;
    }
    showFontInControls();
    {
        const QSignalBlocker quiet(CSpinEdit1);
        CSpinEdit1->setValue(State.ReadingFieldWidth());
    }
    // Stored bounds may come from a larger screen, or from a hand-edited store: bring them onto
    // this one before the window is shown.
    // A hand-edited store may hold any int: a million pixels is off every screen and still
    // leaves QRect's edge arithmetic in range.
    const auto bounded = [](int v) { return std::clamp(v, -(1 << 20), 1 << 20); };
    const QRect bounds =
        fitOnScreen(QRect(bounded(s.Left), bounded(s.Top), bounded(s.Width), bounded(s.Height)));
    move(bounds.topLeft());
    resize(bounds.size());
    switch (s.WindowState) {
    case 1:
        setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
    }

    setStatusPanel(0, SpeedRegulator::recommendedSpeedPanel(State.RecommendSpeed()));
    setStatusPanel(1, SpeedRegulator::recommendedWidthPanel(State.RecommendWide()));
    UpdateAdviceGlyph();
}

QRect TMainForm::fitOnScreen(const QRect& bounds) const {
    const QScreen* screen = QGuiApplication::screenAt(bounds.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return bounds;
    // What the window manager adds around the client area; nothing before the first showing.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    return placeOnScreen(bounds.x(), bounds.y(), bounds.width(), bounds.height(),
                         screen->availableGeometry(), margins);
}

StoredSettings TMainForm::collectSettings() const {
    StoredSettings s;
    const QRect bounds = fitOnScreen(QRect(pos(), size()));
    s.Top = bounds.y();
    s.Left = bounds.x();
    s.Width = bounds.width();
    s.Height = bounds.height();
    s.WindowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    s.FontName = State.FontName();
    s.FontSize = ComboBox1->currentText().toInt();
    s.TextAlignment = State.TextAlignment();
    s.WideExpression = State.ReadingFieldWidth();
    s.WidthFormatStr = Windows->TextForm->columnPanelWidth();
    s.SpeedTrackBarPosition = TrackBar1->value();
    s.RecommendWide = State.RecommendWide();
    s.RecommendSpeed = State.RecommendSpeed();
    s.Column = State.Column();
    s.Row = State.Row();
    s.TextAdvice = N1->isChecked();
    s.StringAdvice = N2->isChecked();
    s.TableAdvice = N3->isChecked();
    s.CurrentTextAdvice = CurrentTextAdvice;
    s.CurrentStringAdvice = CurrentStringAdvice;
    s.CurrentTableAdvice = CurrentTableAdvice;
    s.Assistant = Assistant;
    s.Markers = State.Markers();
    return s;
}

void TMainForm::writeBounds() {
    if (!NormalBounds.isValid())
        return;
    const auto store = SettingsStore::open();
    const QRect bounds = fitOnScreen(NormalBounds);
    writeWindowBounds(*store, bounds.y(), bounds.x(), bounds.width(), bounds.height());
}

void TMainForm::FormClose() {
    if (State.Closing())
        return;
    State.setClosing();
    // A run ends with the program as if stopped: it goes to the diary, it asks no test
    // questions, and the course stays at its stage.
    if (RunningExercise)
        RunningExercise->stopRun();
    SaveTextPosition(); // the user's text, also when it waits aside in test mode
    // The course opens at the next start only if one runs now.
    Assistant = Course != nullptr;
    Windows->AssistantForm->close();
    const auto store = SettingsStore::open();
    writeStoredSettings(*store, collectSettings(), windowState() == Qt::WindowNoState);
    if (!SettingsStore::sync(*store)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Предупреждение"),
                        QStringLiteral("Не удалось сохранить настройки программы в ") +
                            QDir::toNativeSeparators(store->fileName()) +
                            QStringLiteral(".\nИзменения настроек за этот сеанс будут потеряны."),
                        QMessageBox::Ok, this);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
}
