// Speed of the CHECK display: every design of a search analyzed again with its second opinion,
// once per search (checkResults), for the forty designs of a full search. The results window
// computes it when DISPLAY CHECK or PRINT ALL DESIGNS first needs it after a search, so it must
// not make the window wait: a median well under 100 ms on a 2-core machine. Run:
//   ./build/release/korvell_bench --benchmark_filter=CheckResults --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include "analysis/ResultsCheck.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

void BM_CheckResults(benchmark::State& state) {
    DesignRecord r = testing::scenario(static_cast<int>(state.range(0)),
                                       static_cast<std::int8_t>(state.range(1)));
    SilentMessages messages;
    run_design_search(r, messages);
    for (auto _ : state) {
        const ResultsCheck check = checkResults(r);
        benchmark::DoNotOptimize(check.designs.data());
    }
    state.counters["designs"] = r.designCount;
}
BENCHMARK(BM_CheckResults)
    ->ArgNames({"app", "shape"})
    ->Args({kDcBiased, kToroid})
    ->Args({kControlledSwing, kToroid})
    ->Args({kPowerFactorBoost, kToroid})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvell
