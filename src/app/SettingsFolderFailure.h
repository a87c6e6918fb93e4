#pragma once

#include <QString>

// The launcher creates the user's settings store before it starts the program. When it cannot
// (a read-only home, a full disk, a folder of another user), it starts the program with this
// option and the system's reason instead, and the program tells the user in a message box
// which folder could not be made or written, then ends with status 1.
namespace SettingsFolderFailure {

inline constexpr auto Option = "--settings-folder-failed";

// The message box's text for the store's folder: whether it could not be created or could
// not be written, where it is, the system's reason if any, and what to do.
QString message(const QString& folder, bool folderExists, const QString& reason);

// Shows the message for this user's store in a message box; returns the exit status.
int report(const QString& reason);

} // namespace SettingsFolderFailure
