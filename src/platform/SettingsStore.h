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

// Writes the store's changes out and tells whether they are really there. Besides the error
// the store reports, a store kept in a file is read back: on this Qt a settings file whose
// writing failed on a full disk is still put in place, empty or cut short, without an error.
bool sync(QSettings& store);

} // namespace SettingsStore
