#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/PfcRipple.h"
#include "engine/RequirementsEntry.h"
#include "platform/Messages.h"

namespace korvell {
namespace {

// The ripple at line angle θ straight from the boost's volt-seconds: V_in (1 - V_in / V_out)
// / (L f) with V_in = V_in,pk sin θ; its largest over a finely sampled half cycle.
double sampledLargestRipple(double inputPeak, double output, double uh, double khz) {
    double largest = 0;
    for (int k = 0; k <= 100000; ++k) {
        const double v = inputPeak * std::sin(std::numbers::pi * k / 100000);
        if (v < output) largest = std::max(largest, v * (1 - v / output) / (uh * khz) * 1000);
    }
    return largest;
}

TEST(PfcRipple, IsTheLargestRippleOverTheLineCycle) {
    struct Case {
        double inputPeak, output, uh, khz, expected;
    };
    // 120 V never reaches half of 400 V: the crest's 2.585 A, not V_out / (4 L f) = 3.08 A.
    // 311 V does: 3.85 A at D = 0.5 for the README's 400 µH at 65 kHz.
    for (const Case c : {Case{120, 400, 500, 65, 2.5846}, Case{311, 400, 400, 65, 3.8462},
                         Case{200, 400, 500, 65, 3.0769}, Case{400, 400, 500, 65, 3.0769}}) {
        EXPECT_NEAR(pfcRipplePeakToPeak(c.inputPeak, c.output, c.uh, c.khz), c.expected, 1e-4)
            << c.inputPeak;
        EXPECT_NEAR(pfcRipplePeakToPeak(c.inputPeak, c.output, c.uh, c.khz),
                    sampledLargestRipple(c.inputPeak, c.output, c.uh, c.khz), 1e-4)
            << c.inputPeak;
    }
    // Nothing to figure without every quantity.
    EXPECT_EQ(pfcRipplePeakToPeak(0, 400, 500, 65), 0);
    EXPECT_EQ(pfcRipplePeakToPeak(120, 400, 500, 0), 0);
    EXPECT_EQ(pfcLargestDutyProduct(0), 0);
}

TEST(PfcRipple, RequirementsShowTheBoostsRippleAndNoneForThePowerline) {
    DesignRecord r;
    r.applicationType = kPowerFactorBoost;
    RequirementTexts texts = requirementFieldTexts(r);
    texts[0] = "500";
    texts[2] = "10";
    texts[5] = "120";
    texts[6] = "400";
    texts[7] = "65";
    EXPECT_EQ(leaveRequirementField(r, texts), "RIPPLE CURRENT:   2.585 AMPERES  p-p");
    r.applicationType = kPowerline;
    EXPECT_EQ(leaveRequirementField(r, texts), "");
}

}  // namespace
}  // namespace korvell
