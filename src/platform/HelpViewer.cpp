#include "platform/HelpViewer.h"

#include "platform/HelpBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A page name from contexts.txt must stay inside the help directory.
bool isPlainPageName(const QString& name) {
    if (name.isEmpty() || QDir::isAbsolutePath(name) || name.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".."))
            return false;
    }
    return true;
}

QToolButton* makeButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& text,
                        const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(hint);
    button->setAccessibleName(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

// Fills the document with a help page, in the encoding the page declares; false when the
// page cannot be read.
bool loadPage(const QString& path, QTextDocument* document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    document->setHtml(decoder.isValid() ? QString(decoder(bytes)) : QString::fromUtf8(bytes));
    return true;
}

QString plainTextOf(const QString& path) {
    QTextDocument document;
    return loadPage(path, &document) ? document.toPlainText() : QString();
}

// Where a window of the given size goes beside the frame of its owner: to the right of it,
// else to the left, else over it, always within the area.
QPoint besideFrame(const QRect& frame, const QSize& size, const QRect& area) {
    const int top = std::clamp(frame.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - size.height()));
    if (frame.right() + 1 + size.width() <= area.right() + 1)
        return {frame.right() + 1, top};
    if (frame.left() - size.width() >= area.left())
        return {frame.left() - size.width(), top};
    const int left = std::clamp(frame.center().x() - size.width() / 2, area.left(),
                                std::max(area.left(), area.right() + 1 - size.width()));
    return {left, top};
}

} // namespace

HelpViewer::HelpViewer(const QString& helpDir, QWidget* parent)
    : QWidget(parent, Qt::Window), m_helpDir(helpDir) {
    setWindowTitle(QStringLiteral("Справка Skimora"));
    setAccessibleName(QStringLiteral("Справка Skimora"));
    resize(820, 600);

    m_back = makeButton(this, QStyle::SP_ArrowBack, QStringLiteral("Назад"),
                        QStringLiteral("Предыдущая страница (Alt+Влево)"));
    m_forward = makeButton(this, QStyle::SP_ArrowForward, QStringLiteral("Вперёд"),
                           QStringLiteral("Следующая страница (Alt+Вправо)"));
    m_home = makeButton(this, QStyle::SP_DirHomeIcon, QStringLiteral("Содержание"),
                        QStringLiteral("Содержание справки"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 0);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch();

    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Найти в справке"));
    m_search->setAccessibleName(QStringLiteral("Найти в справке"));
    m_search->setToolTip(QStringLiteral("Оставляет в списке разделы, где есть все набранные слова "
                                        "(Ctrl+F)"));
    m_search->setClearButtonEnabled(true);
    m_nothingFound = new QLabel(QStringLiteral("Ничего не найдено"), this);
    m_nothingFound->setContentsMargins(4, 0, 4, 0);
    m_nothingFound->hide();
    m_topics = new QListWidget(this);
    m_topics->setAccessibleName(QStringLiteral("Разделы справки"));
    m_topics->setStyleSheet(QStringLiteral("QListWidget::item { padding: 2px 4px; }"));
    auto* topicsPane = new QWidget(this);
    auto* topicsLayout = new QVBoxLayout(topicsPane);
    topicsLayout->setContentsMargins(0, 0, 0, 0);
    topicsLayout->setSpacing(2);
    topicsLayout->addWidget(m_search);
    topicsLayout->addWidget(m_nothingFound);
    topicsLayout->addWidget(m_topics, 1);
    m_browser = new HelpBrowser(this);
    m_browser->setAccessibleName(QStringLiteral("Текст справки"));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(topicsPane);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_search, [this] { m_search->setFocus(); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpViewer::filterTopics);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpViewer::openFirstFoundTopic);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { openPage(contentsPage()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::markCurrentTopic);
    connect(m_topics, &QListWidget::itemActivated, this, &HelpViewer::openTopicOf);
    connect(m_topics, &QListWidget::itemClicked, this, &HelpViewer::openTopicOf);

    readContexts();
    fillContentsList();
    // The list is as wide as its longest entry, within reason.
    const int listWidth = qBound(180,
                                 m_topics->sizeHintForColumn(0) + 2 * m_topics->frameWidth() +
                                     m_topics->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8,
                                 320);
    splitter->setSizes({listWidth, width() - listWidth});
}

void HelpViewer::showContents() {
    openPage(contentsPage());
    bringToFront();
}

void HelpViewer::showTopic(int contextId) {
    const QString page = pageForContext(contextId);
    openPage(page.isEmpty() ? contentsPage() : page);
    bringToFront();
}

void HelpViewer::readContexts() {
    QFile file(QDir(m_helpDir).filePath(contextsFile()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() != 2)
            continue;
        bool ok = false;
        const int id = fields.at(0).toInt(&ok);
        if (ok && isPlainPageName(fields.at(1)))
            m_contexts.insert(id, fields.at(1));
    }
}

// The list beside the page holds the contents page itself and every local page
// that the contents page links to, in the order of its links.
void HelpViewer::fillContentsList() {
    auto* home = new QListWidgetItem(QStringLiteral("Содержание"), m_topics);
    home->setData(Qt::UserRole, contentsPage());

    QTextDocument document;
    if (!loadPage(QDir(m_helpDir).filePath(contentsPage()), &document))
        return;

    QStringList seen{contentsPage()};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 2) {
            // A section heading of the contents: shown in the list, opens nothing.
            auto* heading = new QListWidgetItem(block.text().simplified(), m_topics);
            heading->setFlags(Qt::ItemIsEnabled);
            QFont font = heading->font();
            font.setBold(true);
            heading->setFont(font);
            continue;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor())
                continue;
            const QUrl link(format.anchorHref());
            if (!link.isRelative() || link.path().isEmpty())
                continue;
            const QString page = link.path();
            if (seen.contains(page))
                continue;
            seen.append(page);
            auto* item = new QListWidgetItem(fragment.text().simplified(), m_topics);
            item->setData(Qt::UserRole, page);
            item->setToolTip(fragment.text().simplified());
            m_pages.addPage(page, plainTextOf(QDir(m_helpDir).filePath(page)));
        }
    }
}

QUrl HelpViewer::pageUrl(const QString& fileName) const {
    return QUrl::fromLocalFile(QDir(m_helpDir).absoluteFilePath(fileName));
}

void HelpViewer::openPage(const QString& fileName) {
    const QUrl url = pageUrl(fileName);
    if (m_browser->source() == url) {
        // Back to the top of the page that is already shown.
        m_browser->verticalScrollBar()->setValue(0);
        return;
    }
    m_browser->setSource(url, QTextDocument::HtmlResource);
}

void HelpViewer::openTopicOf(QListWidgetItem* item) {
    const QString page = item->data(Qt::UserRole).toString();
    if (!page.isEmpty())
        openPage(page);
}

void HelpViewer::markCurrentTopic(const QUrl& url) {
    const QString page = QDir(m_helpDir).relativeFilePath(url.toLocalFile());
    const QSignalBlocker blocker(m_topics);
    m_topics->clearSelection();
    for (int i = 0; i < m_topics->count(); ++i) {
        QListWidgetItem* item = m_topics->item(i);
        if (item->data(Qt::UserRole).toString() == page) {
            m_topics->setCurrentItem(item);
            return;
        }
    }
}

void HelpViewer::filterTopics(const QString& query) {
    const bool searching = !HelpSearch::wordsOf(query).isEmpty();
    bool found = false;
    for (int i = 0; i < m_topics->count(); ++i) {
        QListWidgetItem* item = m_topics->item(i);
        const QString page = item->data(Qt::UserRole).toString();
        // Section headings and the contents page stand only in the whole list.
        const bool shown = !searching || (page != contentsPage() && !page.isEmpty() &&
                                          m_pages.matches(page, query));
        item->setHidden(!shown);
        found = found || (shown && !page.isEmpty());
    }
    m_nothingFound->setVisible(!found);
}

void HelpViewer::openFirstFoundTopic() {
    for (int i = 0; i < m_topics->count(); ++i) {
        QListWidgetItem* item = m_topics->item(i);
        if (!item->isHidden() && !item->data(Qt::UserRole).toString().isEmpty()) {
            openTopicOf(item);
            return;
        }
    }
}

void HelpViewer::placeBesideOwner() {
    m_placed = true;
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QScreen* screen = owner->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty())
        return;
    // Before it is first shown the window's own frame is not known: the owner's is close.
    const QSize frameSize = size() + owner->frameGeometry().size() - owner->size();
    move(besideFrame(owner->frameGeometry(), frameSize.boundedTo(area.size()), area));
}

void HelpViewer::bringToFront() {
    if (!m_placed)
        placeBesideOwner();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
