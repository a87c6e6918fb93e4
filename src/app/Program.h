#pragma once

#include "shell/ProgramWindows.h"

#include <QList>
#include <QString>

#include <memory>

class ClozeTest;
class DiaryStore;
class ExerciseWindow;
class QApplication;

// Gives the application its title, Russian standard texts and pictures.
void setUpApplication(QApplication& app);

// The running program: its windows, created once in their fixed order and kept to the end.
class TextReadingPlace;

class Program {
public:
    // Creates the main window and reads the settings. When the settings store is missing the
    // user is told, and no other window is created.
    explicit Program(const QString& programDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool isReady() const { return Ready; }
    const ProgramWindows& windows() const { return Windows; }
    DiaryStore& diary() { return *Diary; }
    // Shows the main window; the splash and the rest of the start-up follow.
    void show();
    // Opens this file once the splash has closed, as if it had been chosen with Open.
    // Called before show().
    void openAfterSplash(const QString& path);

private:
    void createWindows();
    void createDiary();
    // Hands the windows what they use of each other and connects their news, once.
    void connectWindows();

    // Declared before the windows: the results they report go to it until they are gone.
    std::unique_ptr<DiaryStore> Diary;
    std::unique_ptr<TMainForm> Main;
    std::unique_ptr<TextReadingPlace> TextPlace;
    ClozeTest* Cloze = nullptr; // owned by the text window
    ProgramWindows Windows;
    QList<ExerciseWindow*> Exercises;
    bool Ready = false;
};
