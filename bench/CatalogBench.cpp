// The design search reads the whole catalog of a shape, one catalogLookup per row.
#include <benchmark/benchmark.h>

#include "materials/Catalog.h"

namespace korvell {
namespace {

void walkCatalog(benchmark::State& state, std::int8_t shape) {
    DesignRecord record;
    SilentMessages messages;
    for (auto _ : state) {
        int index = 0;
        while (catalogLookup(record, messages, index, shape) > 1)
            ++index;
        benchmark::DoNotOptimize(record.catalogLine.data());
    }
    state.SetItemsProcessed(state.iterations() * catalogRowCount(shape));
}

void BM_WalkToroidCatalog(benchmark::State& state) {
    walkCatalog(state, kToroid);
}
void BM_WalkECoreCatalog(benchmark::State& state) {
    walkCatalog(state, kECore);
}
BENCHMARK(BM_WalkToroidCatalog);
BENCHMARK(BM_WalkECoreCatalog);

}  // namespace
}  // namespace korvell
