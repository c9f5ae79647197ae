// Speed of the design-space sweep: every shape, stack of 1-4 cores, 1-8 strands and both
// windings over the whole catalog, with all materials selected, the front and the refusals.
//
// Target, as medians on a 2-core machine: one frame, at most 16 ms, for a 100 µH / 5 A / 100 kHz
// DC-biased choke and for a 400 µH PFC boost choke. Run:
//   ./build/release/korvell_bench --benchmark_filter=Explore --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include "engine/ParametersEntry.h"
#include "explore/DesignSpace.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

DesignRecord allMaterials(DesignRecord r) {
    for (std::size_t k = 0; k < kSelectableMaterials.size(); ++k)
        r.selectedMaterials[k] = std::string(kSelectableMaterials[k]);
    loadActiveDesignParameters(r);
    return r;
}

// 100 µH at 5 A, 12 V on, 5 V off, 100 kHz.
DesignRecord dcChoke() {
    DesignRecord r;
    r.applicationType = kDcBiased;
    r.inductanceRequired = 0.1f;
    r.maxCurrent = 5;
    r.onVoltage = 12;
    r.offVoltage = 5;
    r.avgVoltage = 2 * 12.0f * 5 / 17;
    r.frequencyKhz = 100;
    return allMaterials(r);
}

// 400 µH at 5 A, 311 V peak input, 400 V output, 65 kHz.
DesignRecord pfcChoke() {
    DesignRecord r;
    r.applicationType = kPowerFactorBoost;
    r.inductanceRequired = 0.4f;
    r.maxCurrent = 5;
    r.pfcPeakInputVoltage = 311;
    r.pfcOutputVoltage = 400;
    r.pfcVoltageRatio = 311.0f / 400;
    r.avgVoltage = 400;
    r.frequencyKhz = 65;
    return allMaterials(r);
}

void BM_ExploreDesignSpace(benchmark::State& state) {
    const DesignRecord r = state.range(0) == 0 ? dcChoke() : pfcChoke();
    ExploreSettings settings;
    settings.threads = static_cast<int>(state.range(1));
    std::size_t designs = 0;
    std::size_t front = 0;
    for (auto _ : state) {
        const DesignSpace space = explore_design_space(r, settings);
        designs = space.designs.size();
        front = space.front.size();
        benchmark::DoNotOptimize(designs);
    }
    state.counters["designs"] = static_cast<double>(designs);
    state.counters["front"] = static_cast<double>(front);
}
BENCHMARK(BM_ExploreDesignSpace)
    ->ArgNames({"pfc", "threads"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace korvell
