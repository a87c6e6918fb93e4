#include "platform/SettingsStore.h"

#include "platform/RegularFile.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace SettingsStore {

namespace {
const QString KeyName = QStringLiteral("Skimora v6.0 ru");
// The program keeps a few dozen values; a store file far larger is not its own.
constexpr qint64 MaxStoreSize = 16 * 1024 * 1024;
} // namespace

std::unique_ptr<QSettings> open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, KeyName);
}

bool sync(QSettings& store) {
    store.sync();
    if (store.status() != QSettings::NoError)
        return false;
#ifdef Q_OS_WIN
    return true;
#else
    // Read the file as it is on the disk, through a copy: the store itself answers from what
    // it holds in memory.
    const RegularFileRead file = readRegularFile(store.fileName(), MaxStoreSize);
    QTemporaryFile copy;
    if (file.status != RegularFileRead::Status::Read || !copy.open() ||
        copy.write(file.bytes) != file.bytes.size() || !copy.flush())
        return false;
    const QSettings onDisk(copy.fileName(), QSettings::IniFormat);
    const QStringList keys = store.allKeys();
    if (onDisk.allKeys().size() != keys.size())
        return false;
    for (const QString& key : keys) {
        // The file holds text: a number the store was given reads back as its digits.
        const QVariant written = store.value(key);
        const QVariant read = onDisk.value(key);
        if (read != written && read.toString() != written.toString())
            return false;
    }
    return true;
#endif
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
