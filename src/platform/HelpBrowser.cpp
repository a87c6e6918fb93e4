#include "platform/HelpBrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(true);
    // Web pages and e-mail addresses go to the desktop's own programs.
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::HtmlResource) {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (url.isLocalFile() || url.scheme().isEmpty()) {
            const QString path = url.isLocalFile() ? url.toLocalFile() : url.path();
            const QFileInfo info(path);
            if (!info.isFile() || !info.isReadable())
                return missingFilePage(path);
        }
    }
    return QTextBrowser::loadResource(type, name);
}

QString HelpBrowser::missingFilePage(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path).toHtmlEscaped();
    return QStringLiteral("<html><head><meta charset=\"utf-8\">"
                          "<title>Справка недоступна</title></head><body>"
                          "<h2 style=\"color:#8b0000\">Справка недоступна</h2>"
                          "<p>Файл справки не найден: <b>%1</b></p>"
                          "<p>Страницы справки хранятся в папке <b>help</b> рядом с программой. "
                          "Если эта папка удалена или повреждена, установите программу заново."
                          "</p></body></html>")
        .arg(shown);
}
