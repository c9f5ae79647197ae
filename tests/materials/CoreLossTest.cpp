#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "materials/CoreLoss.h"
#include "materials/CoreLossTables.h"

namespace korvell {
namespace {

// Loss results are double arithmetic over float coefficients: relative agreement to 1e-9 is
// exact for our purposes.
constexpr double kSameArithmetic = 1e-9;
// Hand-worked values are written to five significant figures.
constexpr double kHandWorked = 1e-3;
// The 180° term of the averaging is about 1e-5 (sin 3.14159 is not 0), hence the looser bound
// where n = 1 keeps it.
constexpr double kLastTermN1 = 1e-5;
constexpr double kPriceFigures = 1e-6;  // the price is written to seven figures
constexpr double kPi = 3.14159;         // the constant the averaging uses

double relative(double a, double b) {
    return std::fabs(a - b) / std::max(std::fabs(b), 1e-300);
}

TEST(CoreLoss, ZeroFrequencyOrFluxIsZero) {
    EXPECT_EQ(coreLoss("-411", 10, 0, 1000, 0, 0), 0);
    EXPECT_EQ(coreLoss("-411", 10, 100, 0, 0, 0), 0);
    EXPECT_EQ(coreLoss("NOPE", 10, 0, 0, 3, 0.5), 0);
}

TEST(CoreLoss, IsVolumeTimesDensityAtTheFrequencyInKilohertz) {
    const double loss = coreLoss("-21", 3.0, 100, 500, 0, 0);
    EXPECT_LT(relative(loss, 3.0 * coreLossDensity("-21", 1e5, 500)), kSameArithmetic);
    EXPECT_LT(
        relative(coreLoss("-36", 2.0, 1, 2000, 2, 0), 2.0 * coreLossDensity("-36", 1e3, 2000)),
        kSameArithmetic);
    EXPECT_EQ(coreLoss("-99", 3.0, 100, 500, 0, 0), 0);
}

// A composite loses as its loss equivalent, -36, on 0.67 (-411) or 0.75 (-413) of its volume.
TEST(CoreLoss, CompositeLosesAsMinus36OnPartOfItsVolume) {
    const double density36 = coreLossDensity("-36", 50e3, 800);
    EXPECT_LT(relative(coreLoss("-413", 4.0, 50, 800, 0, 0), 0.75 * 4.0 * density36),
              kSameArithmetic);
    EXPECT_LT(relative(coreLoss("-411", 4.0, 50, 800, 0, 0), 0.67 * 4.0 * density36),
              kSameArithmetic);
}

TEST(CoreLoss, PowerFactorBoostHalvesTheFluxAndAveragesOverTheLineCycle) {
    const LossCoefficients* row = findRow(lossCoefficients(), "-36");
    ASSERT_NE(row, nullptr);
    const double r = 0.6;
    const double loss = coreLoss("-36", 5.0, 100, 1200, 3, r);
    const double expected = 5.0 * pfcLossFactor(r, row->n, 12) * coreLossDensity("-36", 1e5, 600);
    EXPECT_LT(relative(loss, expected), kSameArithmetic);
    // The averaged loss lies below the loss at the halved flux, which is the ripple peak.
    EXPECT_LT(loss, 5.0 * coreLossDensity("-36", 1e5, 600));
}

TEST(CoreLossDensity, FollowsTheMinus11Row) {
    // 1e5 / (4e9/1e6 + 3e8/100^2.3 + 2.7e6/100^1.65) + 8e-15·(100·1e5)², worked by hand.
    EXPECT_NEAR(coreLossDensity("-11", 1e5, 100), 8.5586, kHandWorked);
    EXPECT_NEAR(coreLossDensity("-11", 1e3, 1000), 13.885, kHandWorked);
    EXPECT_EQ(coreLossDensity("-11", 0, 100), 0);
    EXPECT_EQ(coreLossDensity("-11", 1e5, 0), 0);
    EXPECT_EQ(coreLossDensity("-411", 1e5, 100), 0);  // composites have no row of their own
    EXPECT_EQ(coreLossDensity("", 1e5, 100), 0);
}

TEST(PfcLossFactor, RippleTermPeaksAtOneAtNinetyDegreesForHalfRatio) {
    // Two steps: θ = 90° (term 1) and θ = 180° (term ≈ 0), each weighted Δθ/3.14159 = 1/2.
    EXPECT_NEAR(pfcLossFactor(0.5, 2.17, 2), 0.5, kSameArithmetic);
    EXPECT_NEAR(pfcLossFactor(0.5, 1.0, 2), 0.5, kLastTermN1);
    // Below r = 0.5 the peak (at 90°) is lower; from 0.5 on no term exceeds 1.
    EXPECT_LT(pfcLossFactor(0.4, 2.0, 12), pfcLossFactor(0.5, 2.0, 12));
    EXPECT_LE(pfcLossFactor(0.7, 2.0, 12), 1.0);
    EXPECT_LE(pfcLossFactor(0.95, 1.0, 12), 1.0);
}

TEST(PfcLossFactor, SumsTwelvePointsFromFifteenToOneHundredEightyDegrees) {
    // With n = 0.5 the nearly vanishing 180° term still weighs about 3e-4, so the wrong set of
    // angles (0° … 165°) or full-precision pi would show.
    const double r = 0.8, n = 0.5;
    auto term = [&](double theta) {
        return std::pow(4 * r * std::sin(theta) + 2 * r * r * (std::cos(2 * theta) - 1), n);
    };
    const double dTheta = kPi / 12;
    double from15 = 0, from0 = 0;
    for (int i = 1; i <= 12; ++i)
        from15 += term(i * dTheta) * dTheta / kPi;
    for (int i = 0; i < 12; ++i)
        from0 += term(i * dTheta) * dTheta / kPi;
    EXPECT_NEAR(pfcLossFactor(r, n, 12), from15, kSameArithmetic);
    EXPECT_GT(std::fabs(from15 - from0), 1e-4);
}

TEST(PfcLossFactor, StaysDefinedWhereTheRippleWouldTurnNegative) {
    // r > 1 cannot occur in a working boost stage; the negative terms count as no ripple.
    const double beyond = pfcLossFactor(1.5, 2.17, 12);
    EXPECT_TRUE(std::isfinite(beyond));
    EXPECT_GE(beyond, 0);
    EXPECT_EQ(pfcLossFactor(-0.5, 2.17, 12), 0);
    EXPECT_EQ(pfcLossFactor(0, 2.17, 12), 0);
    EXPECT_EQ(pfcLossFactor(0.5, 2.17, 0), 0);
    EXPECT_TRUE(std::isfinite(pfcLossFactor(0.5, -3, 12)));
}

TEST(CorePrice, PicksTheTableByShapeAndRefusesMissingRows) {
    EXPECT_EQ(corePrice(1, "-16", 5), -1);   // no E-core price row
    EXPECT_EQ(corePrice(0, "-22", 5), -1);   // discontinued, not priced
    EXPECT_EQ(corePrice(1, "-411", 5), -1);  // composites are toroids only
    EXPECT_EQ(corePrice(3, "-21", 5), -1);   // no such shape
    EXPECT_EQ(corePrice(-1, "-21", 5), -1);
    EXPECT_EQ(corePrice(2, "-21", 5), corePrice(0, "-21", 5));
    EXPECT_GT(corePrice(2, "-411", 5), 0);
    EXPECT_NE(corePrice(1, "-21", 5), corePrice(0, "-21", 5));
    // (1 + 1.8531344) / (27.669006 + 0.005012684) for the -11 toroid at 1 cm³.
    EXPECT_NEAR(corePrice(0, "-11", 1.0), 0.1030979, kPriceFigures);
}

TEST(CoreLossAndPrice, OddInputsGiveFiniteResults) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double B : {-500.0, 1e-300, 1e30, 1e300, inf, nan}) {
        for (double f : {-1e5, 1e-300, 1e5, 1e300, inf, nan}) {
            const double density = coreLossDensity("-21", f, B);
            EXPECT_TRUE(std::isfinite(density)) << B << " " << f;
            EXPECT_GE(density, 0);
            const double loss = coreLoss("-21", 10, f / 1000, B, 3, 0.5);
            EXPECT_TRUE(std::isfinite(loss)) << B << " " << f;
            EXPECT_TRUE(std::isfinite(static_cast<float>(loss)));
        }
    }
    // The sign of flux or frequency does not change a loss.
    EXPECT_EQ(coreLossDensity("-21", -1e5, -500), coreLossDensity("-21", 1e5, 500));
    EXPECT_EQ(coreLoss("-21", -2, 100, 500, 0, 0), 0);
    for (double V : {-5.0, 0.0, 1e300, inf, nan}) {
        const double price = corePrice(0, "-21", V);
        EXPECT_TRUE(std::isfinite(price)) << V;
        EXPECT_GT(price, 0) << V;
    }
}

}  // namespace
}  // namespace korvell
