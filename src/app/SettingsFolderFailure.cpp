#include "app/SettingsFolderFailure.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace SettingsFolderFailure {

QString message(const QString& folder, bool folderExists, const QString& reason) {
    const QString where = QDir::toNativeSeparators(folder);
    QString text =
        folderExists
            ? QStringLiteral("В папке настроек «%1» нельзя создать файл настроек.").arg(where)
            : QStringLiteral("Не удаётся создать папку настроек «%1».").arg(where);
    if (!reason.trimmed().isEmpty())
        text += QStringLiteral("\n\n") + reason.trimmed();
    text += QStringLiteral("\n\nSkimora хранит в этой папке ваши настройки и без них не "
                           "запускается. Сделайте папку доступной для записи (или укажите "
                           "другую в переменной XDG_CONFIG_HOME) и запустите Skimora снова.");
    return text;
}

int report(const QString& reason) {
    const QString folder = QFileInfo(SettingsStore::open()->fileName()).absolutePath();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"),
                    message(folder, QFileInfo(folder).isDir(), reason), QMessageBox::Ok);
    box.exec();
    return 1;
}

} // namespace SettingsFolderFailure
