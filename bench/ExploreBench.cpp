// Speed of the design-space sweep: every shape, stack of 1-4 cores, 1-8 strands and both
// windings over the whole catalog, with all materials selected, the front and the refusals.
//
// Target, as medians on a 2-core machine: one frame, at most 16 ms, for a 100 µH / 5 A / 100 kHz
// DC-biased choke and for a 400 µH PFC boost choke. Run:
//   ./build/release/korvell_bench --benchmark_filter=Explore --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include "explore/DesignSpace.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

void BM_ExploreDesignSpace(benchmark::State& state) {
    // The 100 µH / 5 A / 100 kHz buck choke, or the 400 µH PFC choke, over every material.
    const DesignRecord r = testing::withAllMaterials(
        testing::scenario(state.range(0) == 0 ? kDcBiased : kPowerFactorBoost));
    ExploreSettings settings;
    settings.threads = static_cast<int>(state.range(1));
    std::size_t designs = 0;
    std::size_t front = 0;
    std::size_t listed = 0;
    for (auto _ : state) {
        const DesignSpace space = explore_design_space(r, settings);
        designs = space.designs.size();
        front = space.front.size();
        listed = space.listed.size();
        benchmark::DoNotOptimize(designs);
    }
    state.counters["designs"] = static_cast<double>(designs);
    state.counters["front"] = static_cast<double>(front);
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_ExploreDesignSpace)
    ->ArgNames({"pfc", "threads"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace korvell
