#include "ProgramFixture.h"

#include "QuietStore.h"

#include "dialogs/Unitabout.h"
#include "shell/Unitfrmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QTimer>

void onNextModal(std::function<void(QWidget*)> act, int timeoutMs) {
    auto* poll = new QTimer(qApp);
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, elapsed, act, timeoutMs] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            poll->deleteLater();
            poll->stop();
            act(modal);
            // A failed check inside act must not leave the dialog hanging.
            if (QTest::currentTestFailed() && modal->isVisible())
                modal->close();
            return;
        }
        *elapsed += 10;
        if (*elapsed > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            QTest::qFail("the expected dialog did not open", __FILE__, __LINE__);
        }
    });
    poll->start(10);
}

void closeUnexpectedDialogs() {
    int closed = 0;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (++closed > 10)
            break;
    }
    if (closed > 0)
        QTest::qFail("a dialog was left open", __FILE__, __LINE__);
}

ProgramFixture::ProgramFixture() {
    // The application is set up once, as main does it.
    static const bool applicationReady = [] {
        setUpApplication(*qApp);
        return true;
    }();
    Q_UNUSED(applicationReady);
    qputenv("XDG_CONFIG_HOME", ConfigDirectory.path().toUtf8());
    qputenv("XDG_DATA_HOME", DataDirectory.path().toUtf8());
    // The settings cache their folders once per process; point them at this fixture's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ConfigDirectory.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ConfigDirectory.path());
    // The test files the build made beside the program.
    QDir().mkpath(ProgramDirectory.filePath(QStringLiteral("Test")));
    const QDir tests(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/Test"));
    for (const QString& name : tests.entryList(QDir::Files))
        QFile::copy(tests.filePath(name),
                    ProgramDirectory.filePath(QStringLiteral("Test/") + name));
    QDir().mkpath(ProgramDirectory.filePath(QStringLiteral("LIBRARY")));
}

ProgramFixture::~ProgramFixture() {
    Running.reset();
}

QString ProgramFixture::configFile() const {
    return ConfigDirectory.filePath(QStringLiteral("Skimora v6.0 ru.conf"));
}

void ProgramFixture::createStore(const QVariantMap& values) {
    QVERIFY(writeStore(configFile(), values));
}

QVariant ProgramFixture::storedValue(const QString& name) const {
    return QSettings(configFile(), QSettings::IniFormat).value(name);
}

Program& ProgramFixture::start(bool show) {
    Running = std::make_unique<Program>(programDir());
    if (show && Running->isReady()) {
        bool splashSeen = false;
        onNextModal([&splashSeen](QWidget* modal) {
            if (auto* about = qobject_cast<TAboutForm*>(modal)) {
                splashSeen = true;
                about->Timer1Timer();
            }
        });
        Running->show();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(splashSeen, 5000); }();
        QCoreApplication::processEvents();
    }
    return *Running;
}

Program& ProgramFixture::startQuiet(const QVariantMap& changes) {
    QVariantMap settings = quietSettings();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        settings[it.key()] = it.value();
    createStore(settings);
    return start();
}

void ProgramFixture::close() {
    Running->windows().MainForm->close();
}

bool ProgramFixture::copyHelpPages() const {
    const QDir built(QStringLiteral(SKIMORA_BUILT_PROGRAM_DIR "/help"));
    const QDir help(programDir() + QStringLiteral("/help"));
    if (!help.mkpath(QStringLiteral(".")))
        return false;
    for (const QString& name : built.entryList(QDir::Files)) {
        if (!QFile::copy(built.filePath(name), help.filePath(name)))
            return false;
    }
    return true;
}
