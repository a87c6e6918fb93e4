#include "app/DiaryMessages.h"

#include "diary/DiaryStore.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace {

// How often a message that waits for a dialog to close looks again.
constexpr int WaitForDialogMs = 200;

} // namespace

DiaryMessages::DiaryMessages(QWidget* main, DiaryStore& diary, QDialog* splash)
    : QObject(main), Main(main), Diary(diary) {
    const auto warn = [this](const QString& text) {
        enqueue(
            [this, text] { QMessageBox::warning(Main, QStringLiteral("Предупреждение"), text); });
    };
    if (const QString message = diary.openingMessage(); !message.isEmpty())
        warn(message);
    if (const QString backup = diary.offeredBackup(); !backup.isEmpty())
        enqueue([this, backup] { offerRestore(backup); });
    connect(&diary, &DiaryStore::trouble, this, warn);
    connect(&diary, &DiaryStore::restoreOffered, this,
            [this](const QString& backup) { enqueue([this, backup] { offerRestore(backup); }); });
    connect(splash, &QDialog::finished, this, [this] {
        SplashClosed = true;
        QTimer::singleShot(0, this, &DiaryMessages::showNext);
    });
}

void DiaryMessages::enqueue(std::function<void()> show) {
    Waiting.push_back(std::move(show));
    QTimer::singleShot(0, this, &DiaryMessages::showNext);
}

void DiaryMessages::showNext() {
    if (!SplashClosed || Showing || Waiting.empty())
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(WaitForDialogMs, this, &DiaryMessages::showNext);
        return;
    }
    const std::function<void()> show = std::move(Waiting.front());
    Waiting.pop_front();
    Showing = true;
    show();
    Showing = false;
    showNext();
}

// Asks whether the records of the newest backup that the recovered diary lacks are to be added.
void DiaryMessages::offerRestore(const QString& backup) {
    const auto answer = QMessageBox::question(
        Main, QStringLiteral("Дневник"),
        QStringLiteral("Есть резервная копия дневника: ") + QDir::toNativeSeparators(backup) +
            QStringLiteral(". Добавить из неё записи, которых нет в восстановленном дневнике?"));
    if (answer != QMessageBox::Yes)
        return;
    const int added = Diary.restoreBackup(backup);
    if (added < 0)
        QMessageBox::warning(Main, QStringLiteral("Предупреждение"),
                             QStringLiteral("Резервную копию прочитать не удалось."));
    else
        QMessageBox::information(Main, QStringLiteral("Дневник"),
                                 QStringLiteral("Из резервной копии добавлено записей: ") +
                                     QString::number(added) + QLatin1Char('.'));
}
