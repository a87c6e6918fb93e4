#include "widgets/KeyTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

namespace {

QString withKey(const QString& hint, QKeyCombination key) {
    return hint + QStringLiteral(" (") + KeyTable::keyText(key) + QLatin1Char(')');
}

} // namespace

KeyTable::KeyTable(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("KeyTable"));
}

QString KeyTable::keyText(QKeyCombination key) {
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

void KeyTable::bind(QKeyCombination key, QAbstractButton* button) {
    button->setToolTip(withKey(button->toolTip(), key));
    add(key, [button = QPointer<QAbstractButton>(button)] {
        if (!button || !button->isEnabled())
            return false;
        button->click();
        return true;
    });
}

void KeyTable::bind(QKeyCombination key, QAction* entry) {
    entry->setToolTip(withKey(entry->toolTip(), key));
    entry->setStatusTip(entry->toolTip());
    add(key, [entry = QPointer<QAction>(entry)] {
        if (!entry || !entry->isEnabled())
            return false;
        if (!entry->isCheckable() || !entry->isChecked())
            entry->trigger();
        return true;
    });
}

void KeyTable::bind(QKeyCombination key, QWidget* control, std::function<void()> act) {
    control->setToolTip(withKey(control->toolTip(), key));
    add(key, [control = QPointer<QWidget>(control), act = std::move(act)] {
        if (!control || !control->isEnabled() || !control->isVisible())
            return false;
        act();
        return true;
    });
}

void KeyTable::add(QKeyCombination key, std::function<bool()> act) {
    Entries.append({key, std::move(act)});
}

bool KeyTable::handle(const QKeyEvent& event) const {
    // Enter on the keypad is the same key as on the main block; Backtab is Tab with Shift,
    // whether or not the event says so.
    Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Backtab)
        modifiers |= Qt::ShiftModifier;
    const QKeyCombination pressed(modifiers, Qt::Key(event.key()));
    for (const Entry& entry : Entries) {
        if (entry.key == pressed)
            return entry.act();
    }
    return false;
}

QList<QKeyCombination> KeyTable::keys() const {
    QList<QKeyCombination> all;
    for (const Entry& entry : Entries)
        all.append(entry.key);
    return all;
}
