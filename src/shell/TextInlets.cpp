#include "shell/TextInlets.h"

#include "shell/Unitfrmain.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

// The one local file a drag carries, or "".
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

TextInlets::TextInlets(TMainForm& main, QWidget& textView) : QObject(&main), Main(main) {
    Main.setAcceptDrops(true);
    Main.installEventFilter(this);
    textView.installEventFilter(this);
}

bool TextInlets::mayLoad() const {
    return Main.mayOpenText();
}

void TextInlets::paste() {
    if (mayLoad())
        Main.PasteText(QApplication::clipboard()->text());
}

bool TextInlets::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &Main) { // the text window's text
        if (event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return false;
        paste();
        return true;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (mayLoad() && !droppedFile(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (!mayLoad() || path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The drag ends first; the resume question and any error come after it.
        QTimer::singleShot(0, &Main, [this, path] {
            if (mayLoad())
                Main.OpenTextFile(path);
        });
        return true;
    }
    default:
        return false;
    }
}
