#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/AcResistance.h"
#include "engine/AcResistanceTables.h"

namespace korvell {
namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// Fr is returned in single precision.
constexpr double kFloatRelative = 2e-6;

// The textbook form of the skin-effect excess, good away from x = 0 and below exp overflow.
double naiveSkinTerm(double x) {
    return x / 2 * (std::sinh(x) + std::sin(x)) / (std::cosh(x) - std::cos(x)) - 1;
}

// A single-layer resonant winding: AWG wire, 20 turns, one strand, on a 1.0 in OD, 0.5 in ID
// toroid of permeability 75.
DesignRecord resonantWinding() {
    DesignRecord r;
    r.wireGageSystem = kAwg;
    r.turns = 20;
    r.wireStrands = 1;
    r.coreId = 0.5f;
    r.coreOd = 1.0f;
    r.corePerm = 75;
    return r;
}

template <typename Change>
float frOfAwg20At100Khz(Change change) {
    DesignRecord r = resonantWinding();
    change(r);
    return calc_ac_res_Fr(r, 20, 100, 0);
}

TEST(SkinEffect, MatchesTheClosedFormAndVanishesForThinWire) {
    for (const double x : {0.5, 1.0, 1.99, 2.0, 3.0, 10.0, 30.0}) {
        EXPECT_NEAR(skinEffectTerm(x), naiveSkinTerm(x), 1e-12 * (1 + naiveSkinTerm(x))) << x;
    }
    // Small x: S = x⁴/180 to leading order, where the closed form cancels to noise or 0/0.
    for (const double x : {1e-2, 1e-4, 1e-6, 2e-8}) {
        EXPECT_NEAR(skinEffectTerm(x), std::pow(x, 4) / 180, 1e-15) << x;
    }
    EXPECT_EQ(skinEffectTerm(1e-8), 0.0);
    EXPECT_EQ(skinEffectTerm(std::nan("")), 0.0);
    // Large x: the resistance grows as x/2 (current in one skin depth), without overflow.
    EXPECT_NEAR(skinEffectTerm(5000.0), 2499.0, 1e-9);
}

TEST(AcResistance, ResonantWindingAt100KhzMatchesAHandCalculation) {
    // AWG 20: bare 0.0320, nominal 0.0339 in. δ = 0.0088394 in, dia/depth 3.62 (K1 row 4.0,
    // K2 column 4.0), x = 6.3288, S = 2.17622; spacing (0.00095 + 0.003) / 0.032 = 0.123 (row
    // 0.1). Inside: pitch 2.4544 (K1 column 2.25) → 0.835 × 0.8498; outside: pitch 4.9087
    // (column 4.75) → 0.923 × 0.8498. Fr = 1 + ½ S (0.835 × 0.8498 / 2.4544 + 0.923 × 0.8498 /
    // 4.9087).
    DesignRecord r = resonantWinding();
    const float fr = calc_ac_res_Fr(r, 20, 100, 0);
    EXPECT_NEAR(fr, 1.4884531, 1.4884531 * kFloatRelative);
    EXPECT_EQ(r.wireGage, 20.0f);  // the wire stays selected
    EXPECT_NEAR(r.wireBareDia, 0.0320, 1e-7);
    DesignRecord again = resonantWinding();
    EXPECT_EQ(calc_ac_res_Fr(again, 20, 100, 1), fr);  // the report flag changes nothing
}

TEST(AcResistance, FewTurnsUseThePitchOfFive) {
    // 2 turns: the pitch is far above 5 on both surfaces, each term ½ S / 5 × K1 × K2 at the last
    // K1 column (K1 row 4.0, K2 table µ > 20, pitch ≥ 1.6, row 0.1, column 4.0).
    const float fr = frOfAwg20At100Khz([](DesignRecord& r) { r.turns = 2; });
    const double skin = naiveSkinTerm(1.768 * 0.032 / (2.795275590551181 / std::sqrt(1e5) + 1e-4));
    EXPECT_NEAR(fr, 1 + 2 * 0.5 * skin / 5 * 0.95 * 0.8498, 1e-5);
}

TEST(AcResistance, IsExactlyOneBelowTheThresholdAndForWiresNotInTheTables) {
    DesignRecord r = resonantWinding();
    EXPECT_EQ(calc_ac_res_Fr(r, 0.5f, 0.01f, 0), 1.0f);  // gage × kHz = 0.005
    EXPECT_EQ(calc_ac_res_Fr(r, -3, 100, 0), 1.0f);      // AWG 0000 and every gage ≤ 0
    EXPECT_EQ(calc_ac_res_Fr(r, 80, 100, 0), 1.0f);      // not an AWG wire
    EXPECT_GT(calc_ac_res_Fr(r, 0.5f, 0.02f, 0), 1.0f);  // a product of 0.01 is not below it
    // 1 mil wire at 0.2 Hz: δ about 6 in, x near 0, Fr tends to 1 from above.
    const float thin = calc_ac_res_Fr(r, 50, 0.0002f, 0);
    EXPECT_GE(thin, 1.0f);
    EXPECT_NEAR(thin, 1.0f, 1e-7);
}

TEST(AcResistance, BadRecordsAndFrequenciesGiveAFiniteFactorOfAtLeastOne) {
    for (const float f : {kNan, kInf, -kInf, -100.0f, 0.0f, 1e30f}) {
        DesignRecord r = resonantWinding();
        const float fr = calc_ac_res_Fr(r, 20, f, 0);
        EXPECT_TRUE(std::isfinite(fr) && fr >= 1.0f) << f;
    }
    DesignRecord r = resonantWinding();
    EXPECT_EQ(calc_ac_res_Fr(r, -3, -100, 0), 1.0f);  // a positive product, but no frequency
    EXPECT_EQ(frOfAwg20At100Khz([](DesignRecord& w) { w.turns = 0; }), 1.0f);
    EXPECT_EQ(frOfAwg20At100Khz([](DesignRecord& w) { w.turns = -5; }), 1.0f);
    EXPECT_EQ(frOfAwg20At100Khz([](DesignRecord& w) { w.turns = kNan; }), 1.0f);
    // An E-core record carries no toroid diameters: no surface, no proximity loss.
    EXPECT_EQ(frOfAwg20At100Khz([](DesignRecord& w) { w.coreId = w.coreOd = 0; }), 1.0f);
    for (const float fr : {frOfAwg20At100Khz([](DesignRecord& w) { w.turns = 1e30f; }),
                           frOfAwg20At100Khz([](DesignRecord& w) { w.coreId = 1e-38f; })}) {
        EXPECT_TRUE(std::isfinite(fr) && fr >= 1.0f) << fr;
    }
}

TEST(ProximityK1, ColumnIsThePitchStepClampedToTheTable) {
    const float q = 1.0f;                     // row 0: 1.0, 0.808, ..., 0.433, 0.44
    EXPECT_EQ(proximity_k1(1.24f, q), 1.0f);  // truncation keeps the 1.0 column
    EXPECT_EQ(proximity_k1(1.25f, q), 0.808f);
    EXPECT_EQ(proximity_k1(4.99f, q), 0.433f);
    EXPECT_EQ(proximity_k1(5.0f, q), 0.44f);
    EXPECT_EQ(proximity_k1(kInf, q), 0.44f);
    // Below a pitch of 1 (more than one layer) the first column is the nearest the table has.
    for (const float pitch : {0.5f, -3.0f, kNan})
        EXPECT_EQ(proximity_k1(pitch, q), 1.0f) << pitch;
}

TEST(ProximityK1, RowIsTheNearestDiaDepthAdvancingOnTheMidpoint) {
    const float pitch = 5.0f;  // last column: 0.44, 0.45, 0.5, 0.7, ... 1.8
    EXPECT_EQ(proximity_k1(pitch, 0.1f), 0.44f);
    EXPECT_EQ(proximity_k1(pitch, 2.49f), 0.5f);
    EXPECT_EQ(proximity_k1(pitch, 2.5f), 0.7f);  // on the midpoint of 2 and 3 it moves on
    EXPECT_EQ(proximity_k1(pitch, 1e9f), 1.8f);
    EXPECT_EQ(proximity_k1(pitch, kNan), 0.44f);
}

TEST(ProximityK2, TableFollowsPermeabilityAndPitchBands) {
    const float spacing = 0.04f;
    const float q = 0.5f;  // first cell of each table
    EXPECT_EQ(proximity_k2(20.01f, 1.0f, spacing, q), 0.9862f);
    EXPECT_EQ(proximity_k2(20.0f, 1.0f, spacing, q), 0.9903f);  // 20 is "20 or less"
    EXPECT_EQ(proximity_k2(kNan, 1.0f, spacing, q), 0.9903f);
    EXPECT_EQ(proximity_k2(75, 1.2199f, spacing, q), 0.9862f);
    EXPECT_EQ(proximity_k2(75, 1.22f, spacing, q), 0.9656f);
    EXPECT_EQ(proximity_k2(75, 1.5999f, spacing, q), 0.9656f);
    EXPECT_EQ(proximity_k2(75, 1.6f, spacing, q), 0.8746f);
    EXPECT_EQ(proximity_k2(10, 1.22f, spacing, q), 0.9789f);
    EXPECT_EQ(proximity_k2(10, 1.6f, spacing, q), 0.9144f);
}

TEST(ProximityK2, RowAndColumnAreTheNearestAxisPoints) {
    // Four-row tables stop at spacing 0.4, five-row tables go on to 0.8.
    EXPECT_EQ(proximity_k2(75, 1.0f, 5.0f, 0.5f), 0.9943f);
    EXPECT_EQ(proximity_k2(75, 2.0f, 5.0f, 0.5f), 0.9807f);
    EXPECT_EQ(proximity_k2(75, 2.0f, 0.069f, 0.5f), 0.8746f);
    EXPECT_EQ(proximity_k2(75, 2.0f, 0.071f, 0.5f), 0.8879f);
    // Column: stays on the midpoint itself (2.5, between 2 and 3), moves just beyond it.
    EXPECT_EQ(proximity_k2(75, 2.0f, 0.04f, 2.5f), 0.8519f);
    EXPECT_EQ(proximity_k2(75, 2.0f, 0.04f, 2.51f), 0.8312f);
    EXPECT_EQ(proximity_k2(75, 2.0f, 0.04f, 1e6f), 0.8715f);
    EXPECT_EQ(proximity_k2(75, 2.0f, -1.0f, -1.0f), 0.8746f);
}

TEST(WindingSpacing, ClearanceStepsUpAboveA0259InchCore) {
    const float bare = 0.0320f;
    const float dia = 0.0339f;
    const double insulation = (static_cast<double>(dia) - bare) * 0.5;
    EXPECT_NEAR(windingSpacing(dia, bare, 0.259f), (insulation + 0.001) / bare, 1e-9);
    EXPECT_NEAR(windingSpacing(dia, bare, 0.2591f), (insulation + 0.003) / bare, 1e-9);
}

TEST(ProximityTables, AreShapedAsTheirAxesAndPhysical) {
    EXPECT_EQ(kProximityK1[kK1Rows - 1][kK1Columns - 1], 1.8f);
    for (const auto& row : kProximityK1) {
        EXPECT_EQ(row[0], 1.0f);  // touching turns: no correction
        for (float k : row)
            EXPECT_TRUE(k >= 0.42f && k <= 1.8f) << k;
    }
    const float lastCell[2][kK2PitchBands] = {{0.9879f, 0.9982f, 0.9808f},
                                              {0.9935f, 1.0004f, 0.9885f}};
    for (int p = 0; p < 2; ++p) {
        for (int b = 0; b < kK2PitchBands; ++b) {
            const ProximityK2Table& t = kProximityK2[p][b];
            EXPECT_EQ(t.rows, b == 0 ? 4 : 5);
            EXPECT_EQ(t.k[t.rows - 1][kK2Columns - 1], lastCell[p][b]);
            for (int i = 0; i < t.rows; ++i) {
                for (float k : t.k[i])
                    EXPECT_TRUE(k > 0.82f && k <= 1.0004f) << p << b << i;
            }
        }
    }
}

}  // namespace
}  // namespace korvell
