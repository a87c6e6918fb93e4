#include "shell/SpeedEntry.h"

#include "training/SpeedRegulator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QShortcut>
#include <QSlider>

namespace {
constexpr int SpeedPerPosition = 10;
constexpr int PagePositions = 100; // 1000 characters per minute
// Any number of up to nine digits may be typed, so that a speed off the scale is seen whole
// and refused with a word instead of being cut short.
constexpr int LargestTyped = 999999999;

int lowestSpeed() {
    return SpeedRegulator::speed(SpeedRegulator::MinimumPosition);
}

int highestSpeed() {
    return SpeedRegulator::speed(SpeedRegulator::MaximumPosition);
}
} // namespace

SpeedEntry::SpeedEntry(QSlider& bar, QLabel& caption)
    : QSpinBox(caption.parentWidget()), Bar(bar), Caption(caption) {
    setObjectName(QStringLiteral("SpeedEntry"));
    setAccessibleName(QStringLiteral("Скорость, симв/мин"));
    setRange(0, LargestTyped);
    setSingleStep(SpeedPerPosition);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    hide();

    Caption.setToolTip(QStringLiteral("Двойной щелчок или F2: ввести скорость"));
    Caption.installEventFilter(this);
    QWidget* window = Caption.window();
    connect(new QShortcut(QKeySequence(Qt::Key_F2), window), &QShortcut::activated, this,
            &SpeedEntry::open);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), window), &QShortcut::activated,
            this, [this] { stepBy1000(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), window), &QShortcut::activated,
            this, [this] { stepBy1000(-1); });
    connect(this, &QAbstractSpinBox::editingFinished, this, &SpeedEntry::apply);
}

void SpeedEntry::open() {
    if (!Bar.isEnabled())
        return;
    Cancelled = false;
    setValue(SpeedRegulator::speed(Bar.value()));
    setFont(Caption.font());
    setGeometry(Caption.geometry());
    show();
    raise();
    setFocus();
    selectAll();
}

bool SpeedEntry::holds(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (qobject_cast<const SpeedEntry*>(widget))
            return true;
    }
    return false;
}

void SpeedEntry::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Cancelled = true;
        hide();
        return;
    }
    QSpinBox::keyPressEvent(event);
    // The spin box passes Enter on to its parents, where it would start a run.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

bool SpeedEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Caption && event->type() == QEvent::MouseButtonDblClick) {
        open();
        return true;
    }
    return QSpinBox::eventFilter(watched, event);
}

// Enter, or the focus going elsewhere: the typed speed, rounded to the bar's steps of ten.
void SpeedEntry::apply() {
    if (!isVisible() || Cancelled || Refusing)
        return;
    interpretText();
    if (value() < lowestSpeed() || value() > highestSpeed()) {
        // Gone to another program, the entry waits for the user's return as it is.
        if (QApplication::activeWindow() == window())
            refuse();
        return;
    }
    Cancelled = true; // hiding takes the focus away, which would finish the edit again
    hide();
    Bar.setValue((value() + SpeedPerPosition / 2) / SpeedPerPosition);
}

void SpeedEntry::refuse() {
    Refusing = true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Предупреждение"),
                    QStringLiteral("Скорость можно задать от ") + QString::number(lowestSpeed()) +
                        QStringLiteral(" до ") + QString::number(highestSpeed()) +
                        QStringLiteral(" симв/мин."),
                    QMessageBox::Ok, window());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    Refusing = false;
    if (isVisible()) {
        window()->activateWindow();
        setFocus();
        selectAll();
    }
}

void SpeedEntry::stepBy1000(int direction) {
    if (Bar.isEnabled())
        Bar.setValue(Bar.value() + direction * PagePositions);
}
