#include "platform/ProgramFolder.h"

#include <QFileInfo>

#include <array>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Where the system keeps what packages install; the folders of users and their builds are
// elsewhere (/home, /root, /tmp, /srv, /work...).
constexpr std::array SystemTrees{"/usr",   "/opt",   "/bin",    "/sbin", "/lib",
                                 "/lib32", "/lib64", "/libx32", "/etc"};

bool isUnder(const QString& path, QLatin1String tree) {
    return path == tree || (path.startsWith(tree) && path.at(tree.size()) == u'/');
}

} // namespace

ProgramFolder programFolder(const QString& path) {
    const QFileInfo info(path);
    ProgramFolder folder;
    folder.path = info.canonicalFilePath();
    if (folder.path.isEmpty())
        folder.path = info.absoluteFilePath();
    folder.writable = info.isDir() && info.isWritable();
#ifdef Q_OS_UNIX
    folder.ownerId = info.ownerId();
#else
    // No owners to compare here: a folder the user can write is the user's.
    folder.ownerId = currentUserId();
#endif
    return folder;
}

uint currentUserId() {
#ifdef Q_OS_UNIX
    return ::geteuid();
#else
    return 0;
#endif
}

bool isSystemFolder(const ProgramFolder& folder, uint userId) {
    if (!folder.writable || folder.ownerId != userId)
        return true;
    if (folder.ownerId != 0)
        return false;
    for (const char* tree : SystemTrees) {
        if (isUnder(folder.path, QLatin1String(tree)))
            return true;
    }
    return false;
}
