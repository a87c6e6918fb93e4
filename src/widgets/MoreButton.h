#pragma once

#include <QIcon>
#include <QToolButton>

class QActionGroup;
class QMenu;

// A tool button that opens a menu of further entries, each with its picture and hint. Entries
// that stand for a choice (an exercise kind) are checkable and exclusive among themselves;
// while one of them is chosen, the button is down and shows that entry's picture and caption,
// so the choice stays in sight with the menu closed.
class MoreButton : public QToolButton {
    Q_OBJECT
public:
    // The button at rest shows this caption, hint and picture (":/icons/<glyph>.svg").
    MoreButton(const QString& caption, const QString& hint, const QString& glyph, QWidget* parent);

    // Adds an entry: named object, caption, hint and picture. A choice entry is checkable.
    QAction* addEntry(const char* name, const QString& caption, const QString& hint,
                      const QString& glyph, bool choice = false);
    // Clears the chosen entry (another choice was made outside the menu).
    void clearChoice();
    // Enables or disables every choice entry; the other entries stay as they are.
    void setChoicesEnabled(bool enabled);
    bool choicesEnabled() const { return ChoicesEnabled; }
    QMenu* entries() const { return Menu; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showFace();

    QMenu* Menu = nullptr;
    QActionGroup* Choices = nullptr;
    QString RestCaption;
    QString RestHint;
    QIcon RestIcon;
    bool ChoicesEnabled = true;
};

// The picture ":/icons/<glyph>.svg".
QIcon glyphIcon(const QString& glyph);
