#include <gtest/gtest.h>

#include "graphs/GraphRequest.h"

namespace korvell {
namespace {

DesignRecord withHighlightedRow(const char* partNumber, int turns, float coreLossW) {
    DesignRecord r;
    r.selectedDesign = 3;
    r.designResults[3].partNumber = partNumber;
    r.designResults[3].turns = turns;
    r.designResults[3].coreLossW = coreLossW;
    return r;
}

TEST(GraphRequest, DesignGraphsNeedTurnsAndTakeTheMaterialOfTheRow) {
    DesignRecord r = withHighlightedRow("T106-21 x2", 0, 0.2f);
    r.graphKind = 1;
    EXPECT_FALSE(requestDesignGraph(r, kInductanceVsCurrent));
    EXPECT_EQ(r.graphKind, 1);

    r.designResults[3].turns = 22;
    r.graphSource = kAnalyzedDesign;
    EXPECT_TRUE(requestDesignGraph(r, kPercentPermVsAcFlux));
    EXPECT_EQ(r.graphSource, kAnalyzedDesign) << "only the inductance graph resets the source";
    EXPECT_TRUE(requestInductanceGraph(r));
    EXPECT_EQ(r.graphKind, kInductanceVsCurrent);
    EXPECT_EQ(r.graphSource, kHighlightedDesign);
    EXPECT_EQ(r.graphMaterialCode, "-21");

    requestMaterialGraph(r, kCoreLoss1kHz);
    EXPECT_EQ(r.graphKind, kCoreLoss1kHz);
    EXPECT_EQ(r.graphMaterialCode, "");
}

TEST(GraphRequest, HighlightedRowStaysWithinTheList) {
    DesignRecord r;
    r.selectedDesign = 4000;
    r.designResults[kMaxDesigns - 1].partNumber = "E100-26";
    EXPECT_EQ(highlightedDesign(r).partNumber, "E100-26");
    r.selectedDesign = -7;
    EXPECT_EQ(&highlightedDesign(r), &r.designResults[0]);
}

TEST(GraphRequest, AgingFromTheMenu) {
    DesignRecord empty;
    EXPECT_EQ(requestAgingGraphFromMenu(empty, kTemperatureVsAge), AgingMenuOutcome::Nothing);

    DesignRecord r = withHighlightedRow("T90-39", 40, 0.3f);
    EXPECT_EQ(requestAgingGraphFromMenu(r, kTemperatureVsAge),
              AgingMenuOutcome::NegligibleMaterial);
    r.designResults[3].coreLossW = 0;
    EXPECT_EQ(requestAgingGraphFromMenu(r, kTemperatureVsAge), AgingMenuOutcome::Nothing);

    r.designResults[3].partNumber = "T90-26";
    r.designResults[3].coreLossW = 0.3f;
    r.graphSource = kAnalyzedDesign;
    EXPECT_EQ(requestAgingGraphFromMenu(r, kLossVsAge), AgingMenuOutcome::ShowGraph);
    EXPECT_EQ(r.graphKind, kLossVsAge);
    EXPECT_EQ(r.graphSource, kHighlightedDesign);
    EXPECT_EQ(r.graphMaterialCode, "-26");
}

TEST(GraphRequest, TemperatureRiseRefusalsLaterOverrideEarlier) {
    DesignRecord noCode = withHighlightedRow("END OF CATALG", 0, 0.5f);
    EXPECT_EQ(requestTemperatureRiseGraph(noCode),
              "Core Material Not Identified, P/N END OF CATALG");

    // A -37 core whose loss is below a milliwatt is refused for its loss, not its material.
    DesignRecord lossless = withHighlightedRow("T80-37", 30, 0.0004f);
    EXPECT_EQ(requestTemperatureRiseGraph(lossless),
              "Design Exhibits Negligable Core Loss, 4.00e-04");
    DesignRecord aged = withHighlightedRow("T80-37", 30, 0.02f);
    EXPECT_EQ(requestTemperatureRiseGraph(aged), " -37 and -39 MATERIALS EXHIBIT NEGLIGABLE AGING");

    DesignRecord ok = withHighlightedRow("T80-26", 30, 0.02f);
    ok.graphKind = 2;
    EXPECT_EQ(requestTemperatureRiseGraph(ok), "");
    EXPECT_EQ(ok.graphKind, kTemperatureVsAge);
    EXPECT_EQ(ok.graphMaterialCode, "-26");
}

TEST(GraphRequest, AnalyzedDesignGraphsNeedTurnsAndAMaterial) {
    DesignRecord r;
    r.corePartNumber = "T106-21";
    r.turns = 0;
    r.graphKind = 5;
    EXPECT_FALSE(requestAnalyzedDesignGraph(r, kInductanceVsCurrent));
    r.turns = 40;
    r.corePartNumber = "T106-";
    EXPECT_FALSE(requestAnalyzedDesignGraph(r, kInductanceVsCurrent));
    EXPECT_EQ(r.graphKind, 5);

    r.corePartNumber = "T106-21";
    r.graphSource = kHighlightedDesign;
    EXPECT_TRUE(requestAnalyzedDesignGraph(r, kPercentPermVsDcBias));
    EXPECT_EQ(r.graphKind, kPercentPermVsDcBias);
    EXPECT_EQ(r.graphSource, kHighlightedDesign);
    EXPECT_EQ(r.graphMaterialCode, "-21");
    EXPECT_TRUE(requestAnalyzedDesignGraph(r, kInductanceVsCurrent));
    EXPECT_EQ(r.graphSource, kAnalyzedDesign);
}

TEST(GraphRequest, AnalyzedAgingNeedsCoreLossAndAnAgingMaterial) {
    DesignRecord r;
    r.corePartNumber = "T106-37";
    r.coreLossMw = 0;
    EXPECT_EQ(requestAnalyzedAgingGraph(r), AgingMenuOutcome::Nothing);
    r.coreLossMw = 200;
    EXPECT_EQ(requestAnalyzedAgingGraph(r), AgingMenuOutcome::NegligibleMaterial);
    r.corePartNumber = "T106-21";
    r.graphKind = 1;
    EXPECT_EQ(requestAnalyzedAgingGraph(r), AgingMenuOutcome::ShowGraph);
    EXPECT_EQ(r.graphKind, kTemperatureVsAge);
    EXPECT_EQ(r.graphSource, kAnalyzedDesign);
    EXPECT_EQ(r.graphMaterialCode, "-21");
}

}  // namespace
}  // namespace korvell
