// A results row is analysable again and gives the same figures: the analysis window loaded from
// any row of a search accepts it as it stands, finds the same core, and computes the same
// winding resistance, fill and wound size as the search did.
#include <gtest/gtest.h>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// Relative agreement of figures both computations derive from the same stored numbers; the
// analysis reads the operating point back from texts of two decimals.
constexpr double kSameFigure = 1e-5;

void expectRowsAnalyzeAgain(DesignRecord searched, const char* scenario) {
    SilentMessages quiet;
    run_design_search(searched, quiet);
    ASSERT_GT(searched.designCount, 0) << scenario;
    for (int i = 0; i < searched.designCount; ++i) {
        const DesignResult& row = searched.designResults[i];
        DesignRecord r = searched;
        r.selectedDesign = i;
        AnalysisTexts texts;
        loadAnalysisInputs(r, texts);
        RecordingMessages messages;
        ASSERT_TRUE(acceptAnalysisInputs(r, messages, texts))
            << scenario << " " << row.partNumber << ": " << messages.last().text;
        AnalysisTable table;
        ASSERT_EQ(AnalyzeDesign(r, messages, table, r.applicationType), 1)
            << scenario << " " << row.partNumber;
        EXPECT_EQ(r.turns, static_cast<float>(row.turns)) << scenario << " " << row.partNumber;
        EXPECT_NEAR(r.coreAl, row.al, kSameFigure * row.al) << scenario << " " << row.partNumber;
        EXPECT_NEAR(r.dcResistance, row.rdc, kSameFigure * row.rdc)
            << scenario << " " << row.partNumber;
        EXPECT_NEAR(table.rows[29].value, row.fillPercent, kSameFigure * row.fillPercent)
            << scenario << " " << row.partNumber;
        EXPECT_NEAR(r.woundOd, row.woundOd, kSameFigure * row.woundOd)
            << scenario << " " << row.partNumber;
        EXPECT_NEAR(r.surfaceArea, row.surfaceArea, kSameFigure * row.surfaceArea)
            << scenario << " " << row.partNumber;
    }
}

TEST(RowRoundTrip, EveryRowOfEveryApplicationAnalyzesAgain) {
    using namespace testing;
    DesignRecord stacked = buckFilter();
    stacked.stackedCores = 2;
    stacked.wireStrands = 3;
    DesignRecord metric = buckFilter(kECore, kSingleLayer);
    metric.wireGageSystem = kMetricWire;
    metric.wireGageName = "mm ";
    const std::pair<DesignRecord, const char*> scenarios[] = {
        {buckFilter(), "buck toroid"},
        {metric, "buck e-core single layer, metric wire"},
        {stacked, "buck on two stacked toroids, three strands"},
        {controlledSwing(), "controlled swing"},
        {wideSwing(), "wide swing composite"},
        {pfcBoost(), "pfc"},
        {powerlineChoke(kECore), "powerline e-core"},
        {resonantInductor(), "resonant"},
    };
    for (const auto& [record, name] : scenarios)
        expectRowsAnalyzeAgain(record, name);
}

// A row is analyzed again at the conditions its search used, not at the fields' two decimals:
// 5.127 A and 12.345 V stay what they are, and the analysis gives the row's own inductance.
TEST(RowRoundTrip, ARowIsAnalyzedAgainAtItsExactConditions) {
    DesignRecord searched = testing::buckFilter();
    searched.maxCurrent = 5.127f;
    searched.onVoltage = 12.345f;
    SilentMessages quiet;
    run_design_search(searched, quiet);
    ASSERT_GT(searched.designCount, 0);
    for (int i = 0; i < searched.designCount; ++i) {
        DesignRecord analyzed;
        AnalysisTable table;
        ASSERT_TRUE(analyzeResultsRow(searched, i, quiet, analyzed, table));
        EXPECT_EQ(analyzed.maxCurrent, 5.127f);
        EXPECT_EQ(analyzed.onVoltage, 12.345f);
        const DesignResult& row = searched.designResults[i];
        EXPECT_NEAR(table.rows[0].value, row.inductanceUh, 1e-6 * row.inductanceUh)
            << row.partNumber;
    }
}

}  // namespace
}  // namespace korvell
