// The desktop program's benchmarks run on the offscreen platform, so they measure the program's
// own work (layout, drawing into the window's backing store) and not a display server.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>

#include "platform/qt/Fonts.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    korvell::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
