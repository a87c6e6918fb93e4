#pragma once

#include <QAccessibleWidget>

class MoreButton;

// What screen readers see of a MoreButton: a menu button whose one child is its menu, so that
// the menu's entries are found as menu items by their names, open or not. (A tool button that
// opens its menu at once has no children of its own, and a popup menu is no child of the
// application either.)
class MoreButtonAccessible : public QAccessibleWidget {
public:
    explicit MoreButtonAccessible(MoreButton* button);
    // The accessibility factory for MoreButton objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    MoreButton* button() const;
};
