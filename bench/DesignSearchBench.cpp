// Speed of the automatic design: a full search per application type and core shape, and the
// cost of one candidate (screening plus winding).
//
// Targets, as medians on a 2-core machine: a full DC-biased search of the toroid catalog in at
// most 1 ms; no application on any shape above 5 ms. Run:
//   ./build/release/korvell_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "analysis/SecondOpinion.h"
#include "engine/DesignSearch.h"
#include "engine/ParametersEntry.h"
#include "engine/Screening.h"
#include "engine/Winding.h"
#include "record/DesignRecord.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using testing::scenario;

void BM_FullSearch(benchmark::State& state) {
    const DesignRecord start =
        scenario(static_cast<int>(state.range(0)), static_cast<std::int8_t>(state.range(1)));
    SilentMessages messages;
    DesignRecord r = start;
    for (auto _ : state) {
        r = start;
        run_design_search(r, messages);
        benchmark::DoNotOptimize(r.designCount);
    }
    state.counters["designs"] = r.designCount;
}
BENCHMARK(BM_FullSearch)
    ->ArgNames({"app", "shape"})
    ->ArgsProduct({{kDcBiased, kControlledSwing, kPowerFactorBoost, kPowerline, kResonant},
                   {kToroid, kECore, kComposite}})
    ->Args({kWideSwing, kComposite})
    ->Unit(benchmark::kMicrosecond);

// A search that walks the whole toroid catalog: 10 mH at 5 A, which only the largest cores carry.
void BM_WholeToroidCatalog(benchmark::State& state) {
    DesignRecord start = scenario(kDcBiased);
    start.inductanceRequired = 10;
    SilentMessages messages;
    DesignRecord r = start;
    for (auto _ : state) {
        r = start;
        run_design_search(r, messages);
        benchmark::DoNotOptimize(r.designCount);
    }
    state.counters["designs"] = r.designCount;
    state.counters["rows"] = r.catalogIndex;
}
BENCHMARK(BM_WholeToroidCatalog)->Unit(benchmark::kMicrosecond);

// One candidate: a catalog row screened and wound (the first row that makes a design).
void BM_OneCandidate(benchmark::State& state) {
    DesignRecord start = scenario(kDcBiased);
    SilentMessages messages;
    next_core(start, messages, 1, start.minPercentPerm, start.applicationType);
    start.catalogIndex -= 1;  // back to the accepted row
    start.catalogStatus = 2;
    DesignRecord r = start;
    for (auto _ : state) {
        r.catalogIndex = start.catalogIndex;
        r.catalogStatus = start.catalogStatus;
        const int status = next_core(r, messages, 0, r.minPercentPerm, r.applicationType);
        if (status > 0) {
            benchmark::DoNotOptimize(select_wire(r, messages, r.turns, r.windingMode, r.coreShape));
        }
    }
}
BENCHMARK(BM_OneCandidate)->Unit(benchmark::kMicrosecond);

// The second opinion of every design a search found, each analyzed again first (korvell design
// --check). Target: well under the time a user waits for a search, 50 ms for forty designs.
void BM_SecondOpinionOfEveryDesign(benchmark::State& state) {
    DesignRecord r = scenario(static_cast<int>(state.range(0)));
    SilentMessages messages;
    run_design_search(r, messages);
    for (auto _ : state) {
        for (int row = 0; row < r.designCount; ++row)
            benchmark::DoNotOptimize(secondOpinionOfResultsRow(r, row));
    }
    state.counters["designs"] = r.designCount;
}
BENCHMARK(BM_SecondOpinionOfEveryDesign)
    ->ArgNames({"app"})
    ->Args({kDcBiased})
    ->Args({kPowerFactorBoost})
    ->Args({kResonant})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvell
