#pragma once

#include <QSettings>

#include <memory>

// The per-user settings store of the program: the registry key "Software\Skimora v6.0 ru" on
// Windows, the file "Skimora v6.0 ru.conf" in the user's configuration directory elsewhere.
// The installation creates it; the program opens it without creating it at start-up.
namespace SettingsStore {

// The store, or nullptr when it does not exist.
std::unique_ptr<QSettings> openExisting();
// The store, created when missing (for writing).
std::unique_ptr<QSettings> open();

} // namespace SettingsStore
