#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/DesignSearch.h"
#include "engine/Screening.h"
#include "platform/Format.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using testing::buckFilter;

struct Scenario {
    const char* name;
    DesignRecord record;
};

std::vector<Scenario> everyApplication() {
    using namespace testing;
    return {
        {"buck toroid", buckFilter()},
        {"buck toroid single layer", buckFilter(kToroid, kSingleLayer)},
        {"buck e-core", buckFilter(kECore)},
        {"controlled swing", controlledSwing()},
        {"wide swing", wideSwing()},
        {"pfc toroid", pfcBoost()},
        {"pfc e-core", pfcBoost(kECore)},
        {"powerline toroid", powerlineChoke()},
        {"powerline e-core", powerlineChoke(kECore)},
        {"resonant", resonantInductor()},
    };
}

// Inductance (mH) of a stored design at its operating-point permeability.
double storedInductance(const DesignResult& d) {
    return d.al * d.percentPerm * 0.01 * d.turns * static_cast<double>(d.turns) * 1e-6;
}

TEST(DesignSearch, EveryApplicationProducesDesignsThatMeetEveryLimit) {
    for (auto& [name, r] : everyApplication()) {
        SCOPED_TRACE(name);
        RecordingMessages messages;
        run_design_search(r, messages);
        ASSERT_GT(r.designCount, 0);
        for (int i = 0; i < r.designCount; ++i) {
            SCOPED_TRACE(r.designResults[i].partNumber);
            const DesignResult& d = r.designResults[i];
            const DesignWire& w = r.designWires[i];
            for (float v :
                 {d.price, d.al, d.fillPercent, d.rdc, d.rac, d.bac, d.percentPerm, d.coreLossW,
                  d.copperLossW, d.tempRise, d.build, d.surfaceArea, d.coreVolume}) {
                EXPECT_TRUE(std::isfinite(v));
            }
            EXPECT_GT(d.turns, 0);
            EXPECT_GT(d.rdc, 0);
            EXPECT_GE(d.rac, d.rdc);
            EXPECT_LE(d.tempRise, r.maxTempRise);
            EXPECT_GE(d.tempRise, 0);
            double current = r.maxCurrent;
            if (r.applicationType == kPowerline) current = r.acCurrentMax;
            if (r.applicationType == kResonant) current = r.resonantPeakCurrent * 0.707;
            const double copperNeeded = r.minCopperAreaCma * current;
            if (copperNeeded > 1) {
                EXPECT_GE(d.strands * static_cast<double>(w.area), copperNeeded);
            }
            if (r.applicationType == kDcBiased || r.applicationType == kPowerFactorBoost) {
                EXPECT_GE(d.percentPerm, r.minPercentPerm);
            }
            // The row's inductance is its own Al, permeability and turns, and reaches the
            // inductance asked for.
            EXPECT_NEAR(storedInductance(d) * 1000, d.inductanceUh, 1e-5 * d.inductanceUh);
            EXPECT_GE(d.inductanceUh, 1000 * r.inductanceRequired * (1 - 1e-7));
            EXPECT_LE(d.inductanceMinUh, d.inductanceUh);
        }
    }
}

TEST(DesignSearch, ResultsAreIdenticalFromRunToRun) {
    for (auto& [name, first] : everyApplication()) {
        SCOPED_TRACE(name);
        DesignRecord second = first;
        RecordingMessages m1, m2;
        run_design_search(first, m1);
        run_design_search(first, m1);  // a second search on the same record
        run_design_search(second, m2);
        ASSERT_EQ(first.designCount, second.designCount);
        EXPECT_EQ(first.wireStrands, second.wireStrands);
        for (int i = 0; i <= std::min(first.designCount, kMaxDesigns - 1); ++i) {
            const DesignResult& a = first.designResults[i];
            const DesignResult& b = second.designResults[i];
            EXPECT_EQ(a.partNumber, b.partNumber);
            EXPECT_EQ(a.turns, b.turns);
            EXPECT_EQ(a.strands, b.strands);
            EXPECT_EQ(a.wire, b.wire);
            EXPECT_EQ(a.rdc, b.rdc);
            EXPECT_EQ(a.coreLossW, b.coreLossW);
            EXPECT_EQ(a.tempRise, b.tempRise);
        }
    }
}

TEST(DesignSearch, FewerThanFortyDesignsEndWithTheMarkerAndTheCount) {
    DesignRecord r = buckFilter();
    r.inductanceRequired = 10.0f;  // 10 mH at 5 A: only the largest cores qualify
    RecordingMessages messages;
    run_design_search(r, messages);
    ASSERT_GT(r.designCount, 0);
    ASSERT_LT(r.designCount, kMaxDesigns);
    EXPECT_EQ(r.designResults[r.designCount].partNumber, kEndOfCatalogMarker);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.last().caption, "  ...END OF CATALOG REACHED...");
    EXPECT_EQ(messages.last().text,
              strprintf("%3d CORES MEETING REQUIREMENTS HAVE BEEN FOUND", r.designCount));
}

TEST(DesignSearch, FortyDesignsStopTheSearchWithoutMessageOrMarker) {
    DesignRecord r = buckFilter();
    r.inductanceRequired = 0.01f;  // 10 µH at 5 A fits most of the catalog
    RecordingMessages messages;
    run_design_search(r, messages);
    ASSERT_EQ(r.designCount, kMaxDesigns);
    for (const auto& m : messages.messages)
        EXPECT_EQ(m.caption.find("END OF CATALOG"), std::string::npos);
    for (const auto& d : r.designResults)
        EXPECT_NE(d.partNumber, kEndOfCatalogMarker);
}

TEST(DesignSearch, DcAndPfcDesignsOnCompositeCoresUseTheComposites) {
    // The selector offers only iron powders; composite cores pass the material test for the
    // DC-biased and boost inductors as they do for the swinging chokes, whatever is selected.
    for (DesignRecord r : {buckFilter(kComposite), testing::pfcBoost(kComposite)}) {
        r.maxCurrent = 0.5f;
        r.minPercentPerm = 10;
        for (auto& material : r.selectedMaterials)
            material.clear();
        RecordingMessages messages;
        run_design_search(r, messages);
        ASSERT_GT(r.designCount, 0) << kApplicationNames[r.applicationType];
        for (int i = 0; i < r.designCount; ++i) {
            EXPECT_EQ(r.designResults[i].partNumber.rfind("ST", 0), 0u);
            EXPECT_GT(r.designResults[i].coreLossW, 0) << r.designResults[i].partNumber;
        }
    }
}

// A search that finds nothing: no designs, the end marker in row 0, and one message saying why.
void expectEmptySearchSaying(DesignRecord r, const std::string& caption, const std::string& text) {
    RecordingMessages messages;
    run_design_search(r, messages);
    EXPECT_EQ(r.designCount, 0);
    EXPECT_EQ(r.designResults[0].partNumber, kEndOfCatalogMarker);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.last().caption, caption);
    EXPECT_EQ(messages.last().text, text);
}

TEST(DesignSearch, ApplicationsNoCompositeServesSaySoPlainly) {
    for (const DesignRecord& r :
         {testing::powerlineChoke(kComposite), testing::resonantInductor(kComposite)}) {
        expectEmptySearchSaying(
            r, "NOTICE: ",
            "NO COMPOSITE CORE SUITS THE " + std::string(kApplicationNames[r.applicationType]));
    }
    EXPECT_TRUE(shapeServesApplication(kToroid, kPowerline));
    EXPECT_TRUE(shapeServesApplication(kComposite, kWideSwing));
    EXPECT_FALSE(shapeServesApplication(kComposite, kResonant));
}

TEST(DesignSearch, NoCandidateAnywhereReportsTheEnergyLimit) {
    DesignRecord r = buckFilter();
    r.inductanceRequired = 500.0f;  // 500 mH at 5 A: no core of the catalog carries it
    expectEmptySearchSaying(
        r, "  ...END OF CATALOG REACHED ...",
        "Energy Product Requirement exceeds capacity of largest core in catalog. Consider "
        "stacking two or more cores");
}

TEST(DesignSearch, WireDiagnosticOnlyAboveOneTenthMillihenry) {
    // A low resistance limit rejects every winding; the diagnostic appears only for L > 0.1 mH.
    for (float L : {0.1f, 0.2f}) {
        DesignRecord r = buckFilter();
        r.inductanceRequired = L;
        r.maxDcResistance = 1e-6f;
        RecordingMessages messages;
        run_design_search(r, messages);
        EXPECT_EQ(r.designCount, 0);
        bool diagnostic = false;
        for (const auto& m : messages.messages)
            diagnostic |= m.caption == "WIRE SELECTION FAILED";
        EXPECT_EQ(diagnostic, L > 0.1f) << L;
    }
}

TEST(DesignSearch, StoresWireTextPfcHalfFluxAndDimensionSlots) {
    DesignRecord pfc = testing::pfcBoost();
    RecordingMessages messages;
    run_design_search(pfc, messages);
    ASSERT_GT(pfc.designCount, 0);
    // The last candidate examined is the last stored one when the search stopped right after it;
    // compare the stored flux with a direct store of the current candidate instead.
    store_design(pfc, kStoreCandidate, 0);
    EXPECT_FLOAT_EQ(pfc.designResults[0].bac, 0.5f * pfc.fluxAc);
    EXPECT_EQ(pfc.designResults[0].wire, wireSizeText(kAwg, pfc.wireGage));

    pfc.wireGage = 20;
    store_design(pfc, kStoreCandidate, 1);
    EXPECT_EQ(pfc.designResults[1].wire, "# 20");
    EXPECT_TRUE(pfc.designDimensions[1].slot[0].has_value());
    EXPECT_FALSE(pfc.designDimensions[1].slot[5].has_value());

    DesignRecord ecore = buckFilter(kECore);
    run_design_search(ecore, messages);
    ASSERT_GT(ecore.designCount, 0);
    const auto& dims = ecore.designDimensions[0];
    EXPECT_TRUE(dims.slot[0] && dims.slot[1] && dims.slot[5] && dims.slot[6] && dims.slot[7]);
    EXPECT_FALSE(dims.slot[2].has_value());
    EXPECT_GT(ecore.designResults[0].bobbinDim, 0);
}

TEST(DesignSearch, ClearingEmptiesTextsAndZeroesTheNumbers) {
    DesignRecord r = buckFilter();
    RecordingMessages messages;
    run_design_search(r, messages);
    const float build = r.designResults[0].build;
    store_design(r, kClearResults, 0);
    for (const auto& d : r.designResults) {
        EXPECT_TRUE(d.partNumber.empty());
        EXPECT_TRUE(d.wire.empty());
        EXPECT_EQ(d.turns, 0);
        EXPECT_EQ(d.tempRise, 0);
    }
    EXPECT_EQ(r.designResults[0].build, build);  // wound sizes are left as they were
}

TEST(DesignSearch, ResonantStrandCountDoesNotLeakIntoTheNextSearch) {
    DesignRecord r = testing::resonantInductor();
    RecordingMessages messages;
    run_design_search(r, messages);
    ASSERT_GT(r.designCount, 0);
    bool stranded = false;
    for (int i = 0; i < r.designCount; ++i)
        stranded |= r.designResults[i].strands > 1;
    EXPECT_TRUE(stranded) << "at about 800 kHz a single wire is thicker than three skin depths";
    EXPECT_EQ(r.wireStrands, 1);
}

}  // namespace
}  // namespace korvell
