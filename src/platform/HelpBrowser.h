#pragma once

#include <QTextBrowser>

// The page view of the help window. A page that cannot be found is shown as a
// short message naming the missing file, so every link and every history step
// lands on something readable.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    // The page shown in place of a missing help file.
    static QString missingFilePage(const QString& path);
};
