#include "widgets/MoreButtonAccessible.h"

#include "widgets/MoreButton.h"

#include <QMenu>

MoreButtonAccessible::MoreButtonAccessible(MoreButton* button)
    : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

QAccessibleInterface* MoreButtonAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String("MoreButton") && object && object->isWidgetType())
        return new MoreButtonAccessible(static_cast<MoreButton*>(object));
    return nullptr;
}

MoreButton* MoreButtonAccessible::button() const {
    return static_cast<MoreButton*>(widget());
}

QAccessible::State MoreButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.hasPopup = true;
    state.checkable = true;
    state.checked = button()->isChecked();
    state.pressed = button()->isDown();
    return state;
}

int MoreButtonAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* MoreButtonAccessible::child(int index) const {
    return index == 0 ? QAccessible::queryAccessibleInterface(button()->entries()) : nullptr;
}

int MoreButtonAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == button()->entries() ? 0 : -1;
}

QStringList MoreButtonAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void MoreButtonAccessible::doAction(const QString& actionName) {
    if (!button()->isEnabled())
        return;
    if (actionName == showMenuAction() || actionName == pressAction())
        button()->showMenu();
}
