#pragma once

#include <QKeyCombination>
#include <QList>
#include <QObject>

#include <functional>

class QAbstractButton;
class QAction;
class QKeyEvent;
class QWidget;

// The keys a window answers itself, each with what it does. A key tied to a control acts as the
// mouse does on it, through the same handler, and only while the control is enabled; the
// control's hint names its key, and screen readers read the hint as its description. The
// window's key handler asks the table; the table is a child of the window, so anything that
// looks over a window finds the keys it answers.
class KeyTable : public QObject {
    Q_OBJECT
public:
    explicit KeyTable(QObject* parent);

    // A click on the button.
    void bind(QKeyCombination key, QAbstractButton* button);
    // A checkable menu entry is chosen, as by a click on it in its menu; a chosen entry stays so.
    void bind(QKeyCombination key, QAction* entry);
    // Runs act, as the control's own mouse action does (a list opens its drop-down).
    void bind(QKeyCombination key, QWidget* control, std::function<void()> act);
    // A key of the window's own; act says whether it took the key.
    void add(QKeyCombination key, std::function<bool()> act);

    // Acts on a pressed key; false when the table has no such key or the key was refused.
    bool handle(const QKeyEvent& event) const;
    QList<QKeyCombination> keys() const;

    // How a key is written in hints: "Ctrl+1".
    static QString keyText(QKeyCombination key);

private:
    struct Entry {
        QKeyCombination key;
        std::function<bool()> act;
    };
    QList<Entry> Entries;
};
