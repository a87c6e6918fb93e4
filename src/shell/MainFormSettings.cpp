// The main window's settings: read at start-up, written at close and when the width changes.
#include "shell/Unitfrmain.h"

#include "app/ProgramWindows.h"
#include "course/Unitassistant.h"
#include "fieldofview/Unitfrstring.h"
#include "flash/FlashForm.h"
#include "platform/PacedTimer.h"
#include "platform/SettingsStore.h"
#include "readingview/ReadingView.h"
#include "schulte/SchulteForm.h"
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
    const QScreen* screen = QGuiApplication::screenAt(QPoint(s.Left, s.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect bounds =
        screen ? placeOnScreen(s.Left, s.Top, s.Width, s.Height, screen->availableGeometry())
               : QRect(s.Left, s.Top, s.Width, s.Height);
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

StoredSettings TMainForm::collectSettings() const {
    StoredSettings s;
    s.Top = y();
    s.Left = x();
    s.Width = width();
    s.Height = height();
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
    writeWindowBounds(*store, NormalBounds.y(), NormalBounds.x(), NormalBounds.width(),
                      NormalBounds.height());
}

void TMainForm::FormClose() {
    if (State.Closing())
        return;
    // A run ends with the program: no further step, and no test questions, while it closes.
    Windows->TextForm->Timer1->stop();
    Windows->TableForm->Timer1->stop();
    Windows->StringForm->Timer1->stop();
    Windows->SchulteForm->Timer1->stop();
    Windows->FlashForm->Timer1->stop();
    SaveTextPosition(); // the user's text, also when it waits aside in test mode
    Assistant = !SpeedButton20->isEnabled();
    Windows->AssistantForm->close();
    State.setClosing();
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
