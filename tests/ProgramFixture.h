#pragma once

#include "QuietStore.h"
#include "app/Program.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <functional>
#include <memory>

class QWidget;

// Runs `act` on the next modal dialog that opens, from the event loop that dialog runs.
// Fails the test when no dialog opens within timeoutMs.
void onNextModal(std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Closes any modal dialog that is still open after a test, and fails the test: nothing may be
// left hanging.
void closeUnexpectedDialogs();

// A whole program as main builds it, with its settings store and program directory in
// temporary folders of its own.
class ProgramFixture {
public:
    ProgramFixture();
    ~ProgramFixture();

    QString configFile() const;
    QString programDir() const { return ProgramDirectory.path(); }

    // Creates the settings store with these values (an empty store when none are given).
    void createStore(const QVariantMap& values = {});
    QVariant storedValue(const QString& name) const;
    // Copies the built help pages into the program directory, for tests that open them.
    bool copyHelpPages() const;
    static QVariantMap quietSettings() { return ::quietSettings(); }

    // Builds the program; when show is set, shows it and lets the splash close.
    Program& start(bool show = true);
    // Creates a store of quiet settings with these changes, then starts and shows the program.
    Program& startQuiet(const QVariantMap& changes = {});
    Program& program() { return *Running; }
    // Closes the main window the way the user does, which writes the settings.
    void close();

private:
    QTemporaryDir ConfigDirectory;
    QTemporaryDir DataDirectory; // the user's data folder: the diary
    QTemporaryDir ProgramDirectory;
    std::unique_ptr<Program> Running;
};
