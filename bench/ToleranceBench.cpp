// Speed of the Monte Carlo yield of one analyzed design: 10,000 sampled parts, each with its
// inductance, resistance, losses, the program's rise and the second opinion's.
//
// Target, as a median on one thread: 10,000 samples in at most 100 ms. The second opinion is
// timed alone beside it, since each sample asks it once. Run:
//   ./build/release/korvell_bench --benchmark_filter=Yield --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "analysis/SecondOpinion.h"
#include "analysis/Tolerance.h"
#include "engine/DesignSearch.h"
#include "record/DesignRecord.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// The first design of the application's scenario search, analyzed.
DesignRecord analyzedScenario(int application) {
    DesignRecord searched = testing::scenario(application);
    SilentMessages quiet;
    run_design_search(searched, quiet);
    DesignRecord analyzed;
    AnalysisTable table;
    analyzeResultsRow(searched, 0, quiet, analyzed, table);
    return analyzed;
}

void BM_Yield(benchmark::State& state) {
    const DesignRecord analyzed = analyzedScenario(static_cast<int>(state.range(0)));
    YieldSettings settings;
    settings.samples = kDefaultYieldSamples;
    settings.ambientSpreadC = 10;
    settings.inductanceOnly = state.range(1) != 0;
    for (auto _ : state) {
        const auto y = designYield(analyzed, analyzed.applicationType, settings);
        if (!y) state.SkipWithError("no analyzed design");
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_Yield)
    ->ArgNames({"app", "inductanceOnly"})
    ->ArgsProduct({{kDcBiased, kControlledSwing, kPowerFactorBoost, kPowerline, kResonant}, {0}})
    ->Args({kDcBiased, 1})
    ->Args({kPowerline, 1})
    ->Unit(benchmark::kMillisecond);

// The second opinion of one part, as each sample asks for it.
void BM_YieldSecondOpinion(benchmark::State& state) {
    const DesignRecord analyzed = analyzedScenario(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(secondOpinion(analyzed, analyzed.applicationType));
}
BENCHMARK(BM_YieldSecondOpinion)
    ->ArgNames({"app"})
    ->DenseRange(kDcBiased, kResonant)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvell
