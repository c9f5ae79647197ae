// What an export of one analyzed design costs: the SPICE model (its flux table follows the
// curve where it bends), the MAS document, and the whole design report as a PDF. The design is
// the first the search finds for each application's benchmark requirements.
#include <benchmark/benchmark.h>

#include "engine/DesignSearch.h"
#include "export/MasDocument.h"
#include "export/SpiceModel.h"
#include "report/DesignReport.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// The first design of the search, analyzed again as the analysis window loads it.
ReportInput firstDesign(int application) {
    DesignRecord r = testing::scenario(application);
    SilentMessages quiet;
    run_design_search(r, quiet);
    const auto input = reportInputOfResultsRow(r, 0, quiet);
    return input ? *input : ReportInput{};
}

void BM_SpiceModel(benchmark::State& state) {
    const ReportInput d = firstDesign(static_cast<int>(state.range(0)));
    SilentMessages quiet;
    std::size_t points = 0;
    for (auto _ : state) {
        const auto model = spiceModel(d.record, d.table, d.record.applicationType, false, quiet);
        points = model ? model->table.size() : 0;
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_SpiceModel)->DenseRange(kDcBiased, kResonant)->Unit(benchmark::kMicrosecond);

void BM_MasDocument(benchmark::State& state) {
    const ReportInput d = firstDesign(kDcBiased);
    for (auto _ : state)
        benchmark::DoNotOptimize(masDocumentText(d.record, d.table));
}
BENCHMARK(BM_MasDocument)->Unit(benchmark::kMicrosecond);

void BM_DesignReportPdf(benchmark::State& state) {
    const ReportInput d = firstDesign(kDcBiased);
    ReportOptions options;
    options.dateText = "Tue Dec  8 12:00:00 2026";
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        const auto pdf = designReportPdf(d, options, error);
        bytes = pdf ? pdf->size() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DesignReportPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvell
