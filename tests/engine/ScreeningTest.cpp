#include <gtest/gtest.h>

#include <cmath>

#include "engine/Screening.h"
#include "materials/Permeability.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

using testing::buckFilter;

TEST(Screening, DcBiasSolutionMeetsTheInductanceAtTheOperatingPoint) {
    DesignRecord r;
    // 100 µH at 5 A on a -21 core of Al 50 nH, le 5 cm.
    ASSERT_EQ(dc_bias_solution(r, "-21", 75, 0.1f, 5, 50, 5, 10), 1);
    const double H = r.dcMagnetizingForce;
    const double P = r.percentPerm;
    const double N = H * 5 / (1.256636 * 5);  // turns at that force
    const double L = 50 * P * 0.01 * N * N * 1e-6;
    // The iteration stops once its step is within 1 % of H: L within about 2 %.
    EXPECT_NEAR(L / 0.1, 1.0, 0.03);
    EXPECT_LT(P, 100);
    EXPECT_GT(P, 10);
}

TEST(Screening, MinimumPermeabilityDecidesAtTheSolution) {
    DesignRecord r;
    ASSERT_EQ(dc_bias_solution(r, "-21", 75, 0.1f, 5, 50, 5, 10), 1);
    const float solved = r.percentPerm;
    DesignRecord again;
    EXPECT_EQ(dc_bias_solution(again, "-21", 75, 0.1f, 5, 50, 5, solved - 0.05f), 1);
    EXPECT_EQ(dc_bias_solution(again, "-21", 75, 0.1f, 5, 50, 5, solved + 0.05f), 0);
    EXPECT_FLOAT_EQ(again.percentPerm, solved);  // the solution is set even when rejected
}

TEST(Screening, DcBiasSolutionRejectsForcesBeyondTheCurves) {
    DesignRecord r;
    EXPECT_EQ(dc_bias_solution(r, "-21", 75, 100.0f, 50, 5, 2, 10), 0);  // far above 350 Oe
    EXPECT_EQ(dc_bias_solution(r, "-99", 75, 0.1f, 5, 50, 5, 10), 0);    // no curve
    EXPECT_EQ(dc_bias_solution(r, "-21", 75, 0.1f, 5, 0, 5, 10), 0);     // no Al
}

TEST(Screening, MaterialSelectionFollowsTheSelectedList) {
    DesignRecord r;
    r.corePartNumber = "T50-21 x2";
    EXPECT_EQ(material_selected(r), 1);
    r.selectedMaterials[4].clear();  // -21
    EXPECT_EQ(material_selected(r), 0);
    r.corePartNumber = "no part";
    EXPECT_EQ(material_selected(r), 0);
}

TEST(Screening, StackingDoublesAlAndAreaButNotPathLength) {
    DesignRecord one = buckFilter();
    DesignRecord two = buckFilter();
    two.stackedCores = 2;
    RecordingMessages messages;
    ASSERT_GE(next_core(one, messages, 1, one.minPercentPerm, kDcBiased), 2);
    // Walk the stacked record to the same catalog row.
    two.catalogIndex = one.catalogIndex - 1;
    two.catalogStatus = 2;
    ASSERT_GE(next_core(two, messages, 0, 1, kDcBiased), 2);
    ASSERT_EQ(two.catalogIndex, one.catalogIndex);
    EXPECT_EQ(two.corePartNumber, one.corePartNumber + " x2");
    EXPECT_FLOAT_EQ(two.coreAl, 2 * one.coreAl);
    EXPECT_FLOAT_EQ(two.coreAe, 2 * one.coreAe);
    EXPECT_FLOAT_EQ(two.coreLe, one.coreLe);
    EXPECT_FLOAT_EQ(two.coreHt, 2 * one.coreHt);
}

TEST(Screening, TurnsAreTheNearestWholeNumber) {
    DesignRecord r = buckFilter();
    RecordingMessages messages;
    ASSERT_GE(next_core(r, messages, 1, r.minPercentPerm, kDcBiased), 2);
    const double exact = 1000 * std::sqrt(r.inductanceRequired / r.coreAl / (0.01 * r.percentPerm));
    EXPECT_EQ(r.turns, std::floor(exact + 0.5));
    EXPECT_LE(std::fabs(r.turns - exact), 0.5);
}

TEST(Screening, ResonantUsesOnlyTheLowLossMaterials) {
    DesignRecord r = testing::resonantInductor();
    RecordingMessages messages;
    int found = 0;
    for (int status = next_core(r, messages, 1, 40, kResonant); status >= 2;
         status = next_core(r, messages, 0, 40, kResonant)) {
        const std::string code = materialCodeOf(r.corePartNumber);
        EXPECT_TRUE(code == "-11" || code == "-13" || code == "-16" || code == "-17") << code;
        EXPECT_EQ(r.percentPerm, 100);
        ++found;
    }
    EXPECT_GT(found, 0);
    // Deselecting everything does not matter for the resonant application.
    DesignRecord none = testing::resonantInductor();
    for (auto& m : none.selectedMaterials)
        m.clear();
    EXPECT_GE(next_core(none, messages, 1, 40, kResonant), 2);
}

TEST(Screening, NothingSelectedFindsNoDcCore) {
    DesignRecord r = buckFilter();
    for (auto& m : r.selectedMaterials)
        m.clear();
    RecordingMessages messages;
    EXPECT_EQ(next_core(r, messages, 1, 40, kDcBiased), -2);  // energy above every rating (all 0)
    EXPECT_EQ(next_core(r, messages, 0, 40, kDcBiased), 0);
}

TEST(Screening, SwingSolutionRefusesInconsistentRequirements) {
    DesignRecord r;
    r.coreLe = 5;
    r.coreAl = 50;
    RecordingMessages messages;
    EXPECT_EQ(swing_solution(r, messages, kControlledSwing, "-21", 0.1f, 0.2f, 1, 5),
              -1);  // L1 > L2
    EXPECT_EQ(swing_solution(r, messages, kControlledSwing, "-21", 0.2f, 0.1f, 5, 1),
              -1);  // I1 < I2
    EXPECT_EQ(swing_solution(r, messages, kControlledSwing, "-21", 0.2f, 0.1f, 0, 0),
              -1);  // I1 = 0
    EXPECT_TRUE(messages.empty());
}

TEST(Screening, ControlledSwingKeepsTheMinimumCurrentInductanceBelowItsLimit) {
    DesignRecord r;
    r.coreLe = 5;
    r.coreAl = 50;
    RecordingMessages messages;
    // This small core saturates so far at 5 A that 1 A would give more than 0.2 mH.
    EXPECT_EQ(swing_solution(r, messages, kControlledSwing, "-21", 0.2f, 0.1f, 1, 5), -1);
    const float P1 = swing_solution(r, messages, kControlledSwing, "-21", 0.4f, 0.1f, 1, 5);
    ASSERT_GT(P1, 0);
    // At the solution the turns give 0.1 mH at 5 A; the inductance at 1 A must stay at or below
    // 0.4 mH.
    const double N = 1000 * std::sqrt(0.1 / 50 / (0.01 * P1));
    const double H2 = 1.256636 * N * 1 / 5;
    const double P2 = pctPermDcBias("-21", 50, H2)->percent;
    EXPECT_LE(0.1 * P2 / P1, 0.4 * 1.02);
}

}  // namespace
}  // namespace korvell
