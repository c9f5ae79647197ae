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

namespace korvell {
namespace {

// Sensible requirements of each application: a 100 µH, 5 A buck filter at 100 kHz; swinging
// chokes around it; a 400 µH PFC boost inductor for 400 V at 65 kHz; a 1 mH, 10 A rms 60 Hz
// choke; a 10 µH resonant inductor at 2 A peak.
DesignRecord requirements(int application, int shape) {
    DesignRecord r;
    r.applicationType = static_cast<std::int8_t>(application);
    r.coreShape = static_cast<std::int8_t>(shape);
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            r.inductanceRequired = 0.1f;
            r.maxCurrent = 5;
            r.onVoltage = 12;
            r.offVoltage = 5;
            r.avgVoltage = 2 * 12.0f * 5 / 17;
            r.frequencyKhz = 100;
            r.inductanceAtMinCurrent = application == kWideSwing ? 1.0f : 0.2f;
            r.minCurrent = application == kWideSwing ? 0.5f : 1;
            break;
        case kPowerFactorBoost:
            r.inductanceRequired = 0.4f;
            r.maxCurrent = 5;
            r.pfcPeakInputVoltage = 311;
            r.pfcOutputVoltage = 400;
            r.pfcVoltageRatio = 311.0f / 400;
            r.avgVoltage = 400;
            r.frequencyKhz = 65;
            break;
        case kPowerline:
            r.inductanceRequired = 1.0f;
            r.acCurrentMax = 10;
            r.lineFrequencyHz = 60;
            break;
        case kResonant:
            r.windingMode = kSingleLayer;
            r.inductanceRequired = 0.01f;
            r.resonantPeakCurrent = 2;
            r.resonantPeakVoltage = 100;
            r.avgVoltage = 63.66f;
            r.frequencyKhz = 795.8f;
            break;
    }
    loadActiveDesignParameters(r);
    return r;
}

void BM_FullSearch(benchmark::State& state) {
    const DesignRecord start =
        requirements(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
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
    DesignRecord start = requirements(kDcBiased, kToroid);
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
    DesignRecord start = requirements(kDcBiased, kToroid);
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

// The second opinion of every design a search found, each analysed again first (korvell design
// --check). Target: well under the time a user waits for a search, 50 ms for forty designs.
void BM_SecondOpinionOfEveryDesign(benchmark::State& state) {
    DesignRecord r = requirements(static_cast<int>(state.range(0)), kToroid);
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
