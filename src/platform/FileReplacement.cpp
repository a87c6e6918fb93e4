#include "platform/FileReplacement.h"

#include <QSaveFile>

bool replaceFileContents(const QString& path, QByteArrayView bytes, QString* reason) {
    QSaveFile file(path);
    const auto fail = [&] {
        if (reason)
            *reason = file.errorString();
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return false;
    };
    // Unbuffered: a buffered write only fills memory, and the failure of the later flush does
    // not stop the commit, which would put an empty or cut file in the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            return fail();
        written += n;
    }
    if (!file.flush())
        return fail();
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}
