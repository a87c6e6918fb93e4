#include "BenchMain.h"

#include "app/Program.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform's notes about features it lacks are noise in a benchmark's output.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int runBenchmarks(int argc, char** argv, const std::function<bool()>& prepare) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(dropPlatformNotes);
    QApplication app(argc, argv);
    setUpApplication(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (prepare && !prepare())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
