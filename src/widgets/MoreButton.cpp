#include "widgets/MoreButton.h"

#include "widgets/MoreButtonAccessible.h"

#include <QAccessible>
#include <QActionGroup>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include <algorithm>

QIcon glyphIcon(const QString& glyph) {
    return QIcon(QStringLiteral(":/icons/") + glyph + QStringLiteral(".svg"));
}

MoreButton::MoreButton(const QString& caption, const QString& hint, const QString& glyph,
                       QWidget* parent)
    : QToolButton(parent), RestCaption(caption), RestHint(hint), RestIcon(glyphIcon(glyph)) {
    [[maybe_unused]] static const bool accessible = [] {
        QAccessible::installFactory(&MoreButtonAccessible::create);
        return true;
    }();
    Menu = new QMenu(this);
    Menu->setToolTipsVisible(true);
    Choices = new QActionGroup(this);
    Choices->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    setMenu(Menu);
    setPopupMode(QToolButton::InstantPopup);
    setCheckable(true);
    // The face follows the choice, never a click on the button itself.
    connect(this, &QToolButton::toggled, this, [this] { showFace(); });
    showFace();
}

QAction* MoreButton::addEntry(const char* name, const QString& caption, const QString& hint,
                              const QString& glyph, bool choice) {
    QAction* entry = Menu->addAction(glyphIcon(glyph), caption);
    entry->setObjectName(QLatin1String(name));
    entry->setToolTip(hint);
    entry->setStatusTip(hint);
    if (choice) {
        entry->setCheckable(true);
        entry->setEnabled(ChoicesEnabled);
        Choices->addAction(entry);
        connect(entry, &QAction::toggled, this, [this] { showFace(); });
    }
    return entry;
}

void MoreButton::clearChoice() {
    if (QAction* chosen = Choices->checkedAction())
        chosen->setChecked(false);
}

void MoreButton::setChoicesEnabled(bool enabled) {
    ChoicesEnabled = enabled;
    for (QAction* entry : Choices->actions())
        entry->setEnabled(enabled);
}

void MoreButton::showFace() {
    const QAction* chosen = Choices->checkedAction();
    const QString caption = chosen ? chosen->text() : RestCaption;
    const QString hint = chosen ? chosen->toolTip() : RestHint;
    setText(caption);
    setIcon(chosen ? chosen->icon() : RestIcon);
    setToolTip(hint);
    setAccessibleName(caption);
    setAccessibleDescription(hint);
    if (isChecked() != (chosen != nullptr)) {
        const QSignalBlocker quiet(this);
        setChecked(chosen != nullptr);
    }
}

void MoreButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The style puts the menu's arrow in the bottom corner, over the end of a long caption
    // ("Вспышки"); it goes beside the picture instead, where the caption leaves room.
    const bool hasMenu = option.features & QStyleOptionToolButton::HasMenu;
    option.features &= ~QStyleOptionToolButton::HasMenu;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    if (!hasMenu)
        return;
    constexpr int Arrow = 7;
    const int pictureTop = (height() - option.iconSize.height() - fontMetrics().height()) / 2;
    QStyleOption arrow = option;
    arrow.rect =
        QRect(width() / 2 + option.iconSize.width() / 2 + 2,
              std::max(2, pictureTop + (option.iconSize.height() - Arrow) / 2), Arrow, Arrow);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
}
