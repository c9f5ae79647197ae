// Speed of the desktop program as a user feels it, on the offscreen platform:
// - start-up: the application object, its windows, the main window shown;
// - the requirements window's OK for a 100 uH, 5 A DC-biased design through to the results
//   window painted (goal: at most 16 ms, one frame);
// - one repaint of the results window holding forty designs (goal: at most 2 ms).
// Run: ./build/release/korvell_ui_bench --benchmark_repetitions=5
// --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include "UiBench.h"
#include "platform/Messages.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/RequirementsWindow.h"
#include "ui/ResultsWindow.h"

namespace korvell {
namespace {

DesktopOptions benchOptions(Messages& messages) {
    DesktopOptions options;
    options.messages = &messages;
    options.screenSize = QSize(1280, 1024);
    return options;
}

using bench::PaintCounter;
using bench::settle;

void StartUpToMainWindowShown(benchmark::State& state) {
    SilentMessages messages;
    int paints = 0;
    for (auto _ : state) {
        Desktop desktop(benchOptions(messages));
        PaintCounter counter;
        desktop.mainWindow().installEventFilter(&counter);
        desktop.start();
        // Shown and drawn: the window system's expose reaches the window.
        settle();
        paints += counter.paints;
        state.PauseTiming();
        desktop.mainWindow().removeEventFilter(&counter);
        state.ResumeTiming();
    }
    state.counters["paints per run"] =
        benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);

// The requirements window open on the DC-biased application with the five numbers typed in.
void typeBuckFilter(RequirementsWindow& w) {
    w.field(0)->setText("100");
    w.field(2)->setText("5");
    w.field(5)->setText("12");
    w.field(6)->setText("5");
    w.field(7)->setText("100");
}

void RequirementsOkToResultsPainted(benchmark::State& state) {
    RecordingMessages messages;
    Desktop desktop(benchOptions(messages));
    desktop.start();
    RequirementsWindow& requirements = desktop.requirementsWindow();
    ResultsWindow& results = desktop.resultsWindow();
    PaintCounter counter;
    results.installEventFilter(&counter);
    for (auto _ : state) {
        state.PauseTiming();
        desktop.openRequirements();
        settle();
        typeBuckFilter(requirements);
        state.ResumeTiming();
        requirements.buttonOkClick();
        // The window system shows the results window anew, then it is drawn.
        QApplication::processEvents();
    }
    state.counters["paints per run"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    if (desktop.record().designCount != kMaxDesigns) {
        state.SkipWithError(messages.empty() ? "no forty designs" : messages.last().text.c_str());
    }
}
BENCHMARK(RequirementsOkToResultsPainted)->Unit(benchmark::kMillisecond);

void ResultsRepaintWithFortyDesigns(benchmark::State& state) {
    SilentMessages messages;
    Desktop desktop(benchOptions(messages));
    desktop.start();
    desktop.openRequirements();
    settle();
    typeBuckFilter(desktop.requirementsWindow());
    desktop.requirementsWindow().buttonOkClick();
    ResultsWindow& results = desktop.resultsWindow();
    settle();
    PaintCounter counter;
    results.installEventFilter(&counter);
    for (auto _ : state) {
        results.repaint();
    }
    state.counters["paints per run"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    if (desktop.record().designCount != kMaxDesigns) state.SkipWithError("no forty designs");
}
BENCHMARK(ResultsRepaintWithFortyDesigns)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvell
