#include "platform/SettingsStore.h"

#include <QFileInfo>

namespace SettingsStore {

namespace {
const QString KeyName = QStringLiteral("Skimora v6.0 ru");
}

std::unique_ptr<QSettings> open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, KeyName);
}

std::unique_ptr<QSettings> openExisting() {
    auto store = open();
#ifdef Q_OS_WIN
    if (!QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
             .childGroups()
             .contains(KeyName))
        return nullptr;
#else
    if (!QFileInfo::exists(store->fileName()))
        return nullptr;
#endif
    return store;
}

} // namespace SettingsStore
