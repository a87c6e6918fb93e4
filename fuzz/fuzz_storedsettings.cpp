// libFuzzer entry point for the stored settings. The input is the settings store as a damaged
// or hand-edited file; reading it never fails, and what was read is written to a fresh store
// and reads back as the same values.

#include "shell/StoredSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// QSettings keeps the files it read in a cache keyed by name, so every round gets new names.
QString scratchFile(const QTemporaryDir& dir, const char* kind) {
    static quint64 round = 0;
    return dir.filePath(QStringLiteral("%1-%2.conf").arg(QLatin1String(kind)).arg(++round));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();

    const QString inPath = scratchFile(dir, "in");
    const QString outPath = scratchFile(dir, "out");
    {
        QFile in(inPath);
        if (!in.open(QIODevice::WriteOnly) ||
            in.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            std::abort();
    }

    StoredSettings first;
    {
        const QSettings in(inPath, QSettings::IniFormat);
        first = readStoredSettings(in);
    }
    {
        QSettings out(outPath, QSettings::IniFormat);
        writeStoredSettings(out, first, true);
        out.sync();
        if (out.status() != QSettings::NoError)
            std::abort();
    }
    StoredSettings second;
    {
        const QSettings back(outPath, QSettings::IniFormat);
        second = readStoredSettings(back);
    }
    if (!(first == second))
        std::abort();

    QFile::remove(inPath);
    QFile::remove(outPath);
    return 0;
}
