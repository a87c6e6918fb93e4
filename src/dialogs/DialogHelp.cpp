#include "dialogs/DialogHelp.h"

#include "platform/HelpViewer.h"

#include <QVariant>
#include <QWidget>

namespace DialogHelp {

int contextOf(const QWidget* widget) {
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        if (const int context = widget->property("helpContext").toInt())
            return context;
    }
    return 0;
}

void showOver(HelpViewer& help, QWidget* window, int contextId) {
    if (window && window->isModal() && help.parentWidget() != window)
        help.setParent(window, help.windowFlags());
    help.showTopic(contextId);
}

} // namespace DialogHelp
