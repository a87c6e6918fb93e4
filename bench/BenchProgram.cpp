#include "BenchProgram.h"

#include "QuietStore.h"

#include "dialogs/Unitabout.h"
#include "shell/Unitfrmain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTimer>

BenchProgram::BenchProgram(const QVariantMap& changes) {
    // The settings store: the per-user file the program expects, in a folder of our own.
    qputenv("XDG_CONFIG_HOME", ConfigDirectory.path().toUtf8());
    qputenv("XDG_DATA_HOME", DataDirectory.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ConfigDirectory.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ConfigDirectory.path());
    const QString storePath = ConfigDirectory.filePath(QStringLiteral("Skimora v6.0 ru.conf"));
    QVariantMap values = quietSettings();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values[it.key()] = it.value();
    writeStore(storePath, values);
    QDir().mkpath(ProgramDirectory.filePath(QStringLiteral("Test")));
    QDir().mkpath(ProgramDirectory.filePath(QStringLiteral("LIBRARY")));

    Running = std::make_unique<Program>(ProgramDirectory.path());
    if (!Running->isReady())
        return;

    // The splash opens modally right after the first show; close it at once.
    bool splashClosed = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&splashClosed, &poll] {
        if (auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget())) {
            about->Timer1Timer();
            splashClosed = true;
            poll.stop();
        }
    });
    poll.start();
    Running->show();
    const QDeadlineTimer deadline(10000);
    while (!splashClosed && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

BenchProgram::~BenchProgram() {
    Running.reset();
}
