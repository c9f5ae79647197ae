// Speed of the design explorer as an engineer feels it while typing, on the offscreen platform:
// a new inductance for the 22 µH / 10 A / 150 kHz buck choke (V_on 36 V, V_off 12 V, every
// material, stacks 1-4, strands 1-8) through the sweep, the table and the chart painted.
// Goal: at most 16 ms median, one frame, on a 2-core machine.
// Run: ./build/release/korvell_ui_bench --benchmark_filter=Explorer --benchmark_repetitions=5
// --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include "UiBench.h"
#include "platform/Messages.h"
#include "ui/Desktop.h"
#include "ui/ExplorerWindow.h"
#include "ui/RequirementsWindow.h"

namespace korvell {
namespace {

using bench::PaintCounter;
using bench::settle;

void ExplorerInductanceToPainted(benchmark::State& state) {
    RecordingMessages messages;
    DesktopOptions options;
    options.messages = &messages;
    options.screenSize = QSize(1280, 720);
    Desktop desktop(options);
    desktop.start();
    std::array<bool, kSelectableMaterialCount> every{};
    every.fill(true);
    writeMaterialSelection(desktop.record(), every);
    desktop.openRequirements();
    settle();
    RequirementsWindow& requirements = desktop.requirementsWindow();
    requirements.field(0)->setText("22");
    requirements.field(2)->setText("10");
    requirements.field(5)->setText("36");
    requirements.field(6)->setText("12");
    requirements.field(7)->setText("150");
    requirements.buttonOkClick();
    settle();
    desktop.openExplorer();
    settle();
    ExplorerWindow& explorer = desktop.explorerWindow();
    PaintCounter counter;
    explorer.chart()->installEventFilter(&counter);
    bool odd = false;
    QLineEdit* inductance = explorer.entry(kWhatIfInductance);
    QElapsedTimer clock;
    double computeMs = 0;
    for (auto _ : state) {
        // As typed: each edit that passes the field's check recomputes, then the paint.
        odd = !odd;
        const QString text = odd ? "23" : "22";
        clock.start();
        inductance->setText(text);
        emit inductance->textEdited(text);
        computeMs += static_cast<double>(clock.nsecsElapsed()) * 1e-6;
        QApplication::processEvents();
    }
    // The part before the paint: the sweep, the front and the table.
    state.counters["compute ms"] =
        benchmark::Counter(computeMs, benchmark::Counter::kAvgIterations);
    state.counters["paints per run"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    state.counters["designs"] = static_cast<double>(explorer.space().designs.size());
    if (explorer.space().designs.empty()) state.SkipWithError("no designs");
}
BENCHMARK(ExplorerInductanceToPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvell
