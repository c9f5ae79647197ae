// Speed of the second opinion, which the search asks for every winding when RISE LIMIT BY is
// CHECK and the explorer for every design when a checked figure is chosen.
//
// Targets, as medians: at most 10 µs a design over the explorer's designs of the DC-biased and
// the PFC problems, on one thread; a PFC search with RISE LIMIT BY CHECK within 16 ms; the sweep
// of the DC problem on price, checked loss and size within 250 ms on two threads. Run:
//   ./build/release/korvell_bench --benchmark_filter=Check --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/DesignSearch.h"
#include "engine/SecondOpinionModel.h"
#include "engine/Winding.h"
#include "explore/DesignSpace.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// Every winding of the explorer's sweep, as the search leaves the record when it has wound it:
// the candidates of one walk per shape and stack, all strands and windings.
class CollectingWinder : public CandidateWinder {
  public:
    explicit CollectingWinder(std::vector<DesignRecord>& wound) : m_wound(wound) {}
    int wind(DesignRecord& r, Messages& messages) override {
        int result = kWindingInvalid;
        for (int strands = 1; strands <= 8; strands += 3) {
            for (const std::int8_t winding : {kFullWindow, kSingleLayer}) {
                r.wireStrands = strands;
                r.windingMode = winding;
                result = select_wire(r, messages, r.turns, winding, r.coreShape);
                if (result > 0) m_wound.push_back(r);
            }
        }
        return result;
    }

  private:
    std::vector<DesignRecord>& m_wound;
};

std::vector<DesignRecord> woundDesigns(int application) {
    std::vector<DesignRecord> wound;
    const DesignRecord base = testing::withAllMaterials(testing::scenario(application));
    SilentMessages quiet;
    for (const std::int8_t shape : {kToroid, kECore}) {
        for (int stack = 1; stack <= 2; ++stack) {
            DesignRecord r = base;
            r.coreShape = shape;
            r.stackedCores = stack;
            CollectingWinder winder(wound);
            walk_catalog(r, quiet, winder);
        }
    }
    return wound;
}

// Time per design of the second opinion over the designs of the sweep: the inverse of
// items_per_second.
void BM_CheckPerDesign(benchmark::State& state) {
    const std::vector<DesignRecord> designs =
        woundDesigns(state.range(0) == 0 ? kDcBiased : kPowerFactorBoost);
    for (auto _ : state) {
        for (const DesignRecord& d : designs)
            benchmark::DoNotOptimize(candidateSecondOpinion(d));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(designs.size()));
    state.counters["designs"] = static_cast<double>(designs.size());
}
BENCHMARK(BM_CheckPerDesign)->ArgNames({"pfc"})->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// An ordinary PFC search whose rise limit is judged by the check (the 500 µH choke).
void BM_CheckedPfcSearch(benchmark::State& state) {
    DesignRecord r = testing::pfcBoost();
    r.inductanceRequired = 0.5f;
    r.maxCurrent = 9.5f;
    r.riseLimitBy = kRiseByCheck;
    SilentMessages quiet;
    int count = 0;
    for (auto _ : state) {
        DesignRecord searched = r;
        run_design_search(searched, quiet);
        count = searched.designCount;
    }
    state.counters["designs"] = count;
}
BENCHMARK(BM_CheckedPfcSearch)->Unit(benchmark::kMillisecond);

// The DC problem's design space on price, checked loss and size, two threads.
void BM_CheckedExplore(benchmark::State& state) {
    const DesignRecord r = testing::withAllMaterials(testing::scenario(kDcBiased));
    ExploreSettings settings;
    settings.threads = 2;
    settings.objectives = {Objective::Price, Objective::CheckLoss, Objective::Size};
    std::size_t designs = 0;
    for (auto _ : state) {
        const DesignSpace space = explore_design_space(r, settings);
        designs = space.designs.size();
    }
    state.counters["designs"] = static_cast<double>(designs);
}
BENCHMARK(BM_CheckedExplore)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvell
