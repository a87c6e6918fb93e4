#pragma once

#include "platform/HelpSearch.h"

#include <QHash>
#include <QString>
#include <QWidget>

class HelpBrowser;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;
class QUrl;

// The program's help window: the HTML pages of one help directory, a list of
// the topics named on its contents page with a search field above it that keeps
// only the topics whose pages hold the words typed, and back, forward and
// contents buttons. Context ids are mapped to pages by the file contexts.txt in
// the help directory, one "id page.html" pair a line. The first time it is shown
// the window stands beside the window it belongs to, or over it when the screen
// has no room beside it.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(const QString& helpDir, QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void showContents();
    // Shows the page of a context id; an unknown id shows the contents page.
    void showTopic(int contextId);

    QString helpDir() const { return m_helpDir; }
    // File name of the page mapped to a context id, empty for an unknown id.
    QString pageForContext(int contextId) const { return m_contexts.value(contextId); }

    static QString contentsPage() { return QStringLiteral("index.html"); }
    static QString contextsFile() { return QStringLiteral("contexts.txt"); }

private:
    void readContexts();
    void fillContentsList();
    void openPage(const QString& fileName);
    void openTopicOf(QListWidgetItem* item);
    void markCurrentTopic(const QUrl& url);
    void filterTopics(const QString& query);
    void openFirstFoundTopic();
    void placeBesideOwner();
    void bringToFront();
    QUrl pageUrl(const QString& fileName) const;

    QString m_helpDir;
    QHash<int, QString> m_contexts;
    HelpBrowser* m_browser = nullptr;
    QListWidget* m_topics = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_nothingFound = nullptr;
    HelpSearch m_pages;
    bool m_placed = false;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_home = nullptr;
};
