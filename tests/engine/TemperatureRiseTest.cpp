#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Analysis.h"
#include "analysis/SecondOpinion.h"
#include "engine/TemperatureRise.h"

namespace korvell {
namespace {

TEST(TemperatureRise, OneRuleWithItsThreshold) {
    struct Case {
        double lossMw, surfaceCm2, expected;
    };
    const Case cases[] = {
        {100, 10, 0.5 * std::pow(10.0, 0.8)},  // 10 mW/cm²
        {1.0, 10, 0},                          // exactly at 0.1 mW/cm²: no rise
        {1.01, 10, 0.5 * std::pow(0.101, 0.8)},
        {0.5, 10, 0},  // below the threshold
        {100, 0, 0},   // no surface: not wound
        {0, 10, 0},    // no loss
        {-5, 10, 0},   // no negative rise
        {NAN, 10, 0},  // no figure at all
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(temperatureRiseC(c.lossMw, c.surfaceCm2, 0.5, 0.8), c.expected)
            << c.lossMw << " mW on " << c.surfaceCm2 << " cm2";
    }
}

// The second opinion (like the analysis) takes the search's rule: a core losing no more than
// 0.1 mW per cm² of its surface does not warm.
TEST(TemperatureRise, TheSecondOpinionKeepsTheThreshold) {
    DesignRecord r;
    r.surfaceArea = 50;
    r.tempRiseFactor = 1;
    r.tempRiseExponent = 0.833f;
    r.ambientTemp = 25;
    r.coreLossMw = 2;  // 3 mW on 50 cm²
    r.copperLossMw = 1;
    const SecondOpinion o = secondOpinion(r, kPowerline);
    EXPECT_EQ(o.tempRiseC, 0);
    EXPECT_TRUE(o.converged);
}

}  // namespace
}  // namespace korvell
