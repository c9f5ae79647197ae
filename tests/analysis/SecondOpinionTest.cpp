#include <gtest/gtest.h>

#include <cmath>

#include "analysis/SecondOpinion.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(SecondOpinion, DowellFactorAgreesWithItsTabulatedValues) {
    // Dowell's F_R for m layers at Δ = 0.5, 1 and 2 skin depths, as his curves give them.
    struct Case {
        int layers;
        double values[3];
    };
    const Case cases[] = {
        {1, {1.006, 1.086, 1.898}},
        {2, {1.026, 1.406, 5.146}},
        {3, {1.061, 1.940, 10.56}},
        {5, {1.172, 3.649, 27.89}},
    };
    const double deltas[3] = {0.5, 1, 2};
    for (const Case& c : cases) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(dowellFactor(deltas[k], c.layers), c.values[k], 0.01 * c.values[k])
                << c.layers << " layers at " << deltas[k];
        }
    }
    // No skin effect at DC; far above, the factor grows as Δ (1 + 2(m² − 1)/3) without overflow.
    EXPECT_EQ(dowellFactor(0, 4), 1);
    EXPECT_NEAR(dowellFactor(1e-4, 4), 1, 1e-12);
    EXPECT_NEAR(dowellFactor(1000, 3), 1000 * (1 + 16.0 / 3), 1e-6 * 1000 * 6.34);
}

TEST(SecondOpinion, TriangleHarmonicsCarryTheRippleAndMatchItsWaveform) {
    for (const double duty : {0.3, 0.5, 0.7}) {
        // Parseval: the 25 harmonics hold the triangle's mean square ΔI²/12.
        double sum = 0;
        for (int n = 1; n <= kRippleHarmonics; ++n)
            sum += std::pow(triangleHarmonicRms(2.0, duty, n), 2);
        EXPECT_NEAR(sum, 4.0 / 12, 0.005 * 4.0 / 12) << duty;

        // Each amplitude against the Fourier integral of the sampled waveform.
        constexpr int kSamples = 20000;
        for (const int n : {1, 2, 3}) {
            double a = 0, b = 0;
            for (int k = 0; k < kSamples; ++k) {
                const double t = (k + 0.5) / kSamples;
                const double i = t < duty ? t / duty : (1 - t) / (1 - duty);  // 0..1..0
                a += 2 * i * std::cos(2 * kPi * n * t) / kSamples;
                b += 2 * i * std::sin(2 * kPi * n * t) / kSamples;
            }
            EXPECT_NEAR(triangleHarmonicRms(1.0, duty, n), std::hypot(a, b) / std::sqrt(2.0), 1e-6)
                << "duty " << duty << " harmonic " << n;
        }
    }
    EXPECT_EQ(triangleHarmonicRms(1.0, 0, 1), 0);
    EXPECT_EQ(triangleHarmonicRms(1.0, 1, 1), 0);
}

TEST(SecondOpinion, PfcLineAverageAgreesWithABruteForceSum) {
    HarmonicFactors factors{};
    for (int n = 1; n <= kRippleHarmonics; ++n)
        factors[n - 1] = 1 + 3 * std::sqrt(n);
    for (const double ratio : {0.5, 311.0 / 400, 1.2}) {
        // Every switching period of a 65 kHz half line cycle at 60 Hz, each its own triangle.
        constexpr int kPeriods = 541;
        double sum = 0;
        for (int k = 0; k < kPeriods; ++k) {
            const double d = 1 - ratio * std::sin(kPi * (k + 0.5) / kPeriods);
            if (d <= 0) continue;
            sum += rippleLossPerOhm(triangleRippleMeanSquares(3.0 * 4 * d * (1 - d), d), factors);
        }
        // The usual 256 angles, and an odd count (its crest angle counted once).
        for (const int steps : {kLineAngleSteps, 255}) {
            EXPECT_NEAR(rippleLossPerOhm(pfcRippleMeanSquares(3.0, ratio, steps), factors),
                        sum / kPeriods, 0.005 * sum / kPeriods)
                << ratio << " " << steps;
        }
    }
}

// Every design of a search, analyzed again, has a second opinion no more hopeful than the
// program's own, and a winding temperature the rise it reports settles on.
TEST(SecondOpinion, NeverMoreHopefulThanTheProgramOnAnyDesign) {
    using namespace testing;
    const DesignRecord scenarios[] = {buckFilter(),      buckFilter(kECore), controlledSwing(),
                                      pfcBoost(),        powerlineChoke(),   powerlineChoke(kECore),
                                      resonantInductor()};
    for (const DesignRecord& start : scenarios) {
        DesignRecord searched = start;
        RecordingMessages messages;
        run_design_search(searched, messages);
        ASSERT_GT(searched.designCount, 0) << int{start.applicationType};
        for (int row = 0; row < searched.designCount; ++row) {
            const auto o = secondOpinionOfResultsRow(searched, row);
            ASSERT_TRUE(o) << searched.designResults[row].partNumber;
            SCOPED_TRACE(searched.designResults[row].partNumber);
            EXPECT_TRUE(o->converged);
            EXPECT_GE(o->copperLossW, o->programCopperLossW * (1 - 1e-6));
            EXPECT_GE(o->tempRiseC, o->programTempRiseC - 1e-4);
            EXPECT_GE(o->rdcHotOhm, o->programRdcOhm);
            EXPECT_NEAR(o->windingTempC - o->ambientC, o->tempRiseC, kSettledRiseC);
            EXPECT_GE(o->layers, 1);
            EXPECT_GT(o->porosity, 0.5);
            EXPECT_LE(o->porosity, std::sqrt(kPi) / 2);
            if (start.applicationType == kPowerline) {
                EXPECT_EQ(o->rippleCopperLossW, 0);
                EXPECT_EQ(o->acFactorFundamental, 1);
            }
        }
    }
}

// A DC-biased choke analyzed for the tests below: 100 µH at 5 A on the first core found.
DesignRecord analyzedBuck(float onVoltage, float tempRiseFactor, float tempRiseExponent) {
    DesignRecord searched = testing::buckFilter();
    RecordingMessages messages;
    run_design_search(searched, messages);
    searched.onVoltage = onVoltage;
    searched.tempRiseFactor = tempRiseFactor;
    searched.tempRiseExponent = tempRiseExponent;
    return searched;
}

TEST(SecondOpinion, WithoutRippleItIsTheHotResistanceAlone) {
    // No ON voltage: no ripple, so only the resistance's temperature is left to change.
    const DesignRecord searched = analyzedBuck(0, 1, 0.833f);
    const auto o = secondOpinionOfResultsRow(searched, 0);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->rippleCopperLossW, 0);
    EXPECT_EQ(o->rippleRmsA, 0);

    // The same fixed point, found here by bisection of rise = k (P(rise) / A)^x.
    const double ta = o->ambientC;
    const double coreW = o->programTotalLossW - o->programCopperLossW;
    // 1 / surface area, from the program's rise of its own total loss.
    const double perArea = std::pow(o->programTempRiseC, 1 / 0.833) / 1000 / o->programTotalLossW;
    const auto excess = [&](double rise) {
        const double copper = o->programCopperLossW * (234.5 + ta + rise) / (234.5 + ta);
        return std::pow(1000 * (coreW + copper) * perArea, 0.833) - rise;
    };
    double low = 0, high = 200;
    for (int i = 0; i < 100; ++i)
        (excess(0.5 * (low + high)) > 0 ? low : high) = 0.5 * (low + high);
    EXPECT_NEAR(o->tempRiseC, low, 0.05);
    EXPECT_NEAR(o->copperLossW, o->programCopperLossW * (234.5 + ta + low) / (234.5 + ta),
                0.001 * o->copperLossW);
}

TEST(SecondOpinion, AWindingThatHeatsItselfWithoutBoundRunsAway) {
    // The steepest rise the parameters allow: 10 °C per mW/cm², linear.
    const DesignRecord searched = analyzedBuck(12, 10, 1);
    const auto o = secondOpinionOfResultsRow(searched, 0);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->converged);
    EXPECT_EQ(checkStatusText(*o), "THERMAL RUNAWAY");
    EXPECT_GT(o->tempRiseC, kRunawayRiseC);
}

// RISE LIMIT BY CHECK: the search holds the second opinion's rise of every design it lists to the
// limit (the program's rule alone lists designs above it), and the check the search made is the
// one the analysis of the row gives.
TEST(SecondOpinion, TheSearchHoldsTheCheckedRiseWhenAsked) {
    DesignRecord r = testing::pfcBoost();
    r.inductanceRequired = 0.5f;
    r.maxCurrent = 9.5f;
    SilentMessages quiet;
    for (const std::int8_t by : {kRiseByProgram, kRiseByCheck}) {
        DesignRecord searched = r;
        searched.riseLimitBy = by;
        run_design_search(searched, quiet);
        ASSERT_GT(searched.designCount, 0);
        int over = 0;
        for (int i = 0; i < searched.designCount; ++i) {
            const auto check = secondOpinionOfResultsRow(searched, i);
            ASSERT_TRUE(check.has_value()) << searched.designResults[i].partNumber;
            if (!check->converged || check->tempRiseC > searched.maxTempRise) ++over;
        }
        EXPECT_EQ(over > 0, by == kRiseByProgram) << over << " designs over the limit";
    }
}

}  // namespace
}  // namespace korvell
