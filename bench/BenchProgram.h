#pragma once

#include "app/Program.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>

// The whole program as main builds it, for benchmarks: its settings store and program
// directory live in temporary folders of its own. The main window is shown (on the offscreen
// platform) and the start-up splash is closed as soon as it opens, so that what follows runs
// in a window that paints as the user's does.
class BenchProgram {
public:
    // `changes` override the quiet settings the store is created with (no guided course, no
    // advice, a window of 800 x 600).
    explicit BenchProgram(const QVariantMap& changes = {});
    ~BenchProgram();
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    bool isReady() const { return Running && Running->isReady(); }
    const ProgramWindows& windows() const { return Running->windows(); }

private:
    QTemporaryDir ConfigDirectory;
    QTemporaryDir DataDirectory; // the user's data folder: the diary
    QTemporaryDir ProgramDirectory;
    std::unique_ptr<Program> Running;
};
