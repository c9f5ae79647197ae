#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "materials/CoreLoss.h"

namespace korvell {
namespace {

constexpr double kSameArithmetic = 1e-9;
// Between the start and t1 the core warms slightly, so the increase at t1 exceeds 1 % a little.
constexpr double kWarmingOnTheWay = 0.05;
constexpr double kFloatPoints = 1e-5;  // the curve points are stored as floats

// A core near 100 °C: 1 cm², 5 cm³, 500 G at 100 kHz, 2.5 W on 25.9 cm² over 55 °C ambient.
struct Core {
    double B = 500, f = 1e5, ae = 1, ta = 55, p0 = 2500, s = 25.9, v = 5, k = 1, x = 0.833;
};

AgingInputs inputsOf(std::string_view material, const Core& c) {
    return {material, c.B, c.f, c.ae, c.ta, c.p0, c.s, c.v, c.k, c.x};
}

AgingState stateOf(std::string_view material, double t, const Core& c) {
    return agingState(inputsOf(material, c), t);
}

constexpr AgingFigure k115 = AgingFigure::TimeTo115Percent;
constexpr AgingFigure kLife = AgingFigure::LifeLimit;

double lifeOf(AgingFigure figure, std::string_view material, const Core& c) {
    return agingLife(figure, inputsOf(material, c));
}

void curveOf(AgingCurveKind kind, std::string_view material, const Core& c, AgingCurvePoints& out) {
    agingCurve(kind, inputsOf(material, c), out);
}

bool finite(const AgingState& r) {
    return std::isfinite(r.time) && std::isfinite(r.deltaP) && std::isfinite(r.temperature) &&
           std::isfinite(r.gain);
}

void expectSame(const AgingState& a, const AgingState& b) {
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.deltaP, b.deltaP);
    EXPECT_EQ(a.temperature, b.temperature);
    EXPECT_EQ(a.gain, b.gain);
}

TEST(Aging, MaterialsMinus37AndMinus39AreNegligible) {
    const Core c;
    const double T0 = c.ta + std::pow(c.k * c.p0 / c.s, c.x);
    for (const char* code : {"-37", "-39"}) {
        const AgingState r = stateOf(code, 5000, c);
        EXPECT_EQ(r.time, 100000) << code;
        EXPECT_DOUBLE_EQ(r.deltaP, 0.01 * c.p0) << code;
        EXPECT_NEAR(r.temperature, T0, kSameArithmetic) << code;
        EXPECT_EQ(r.gain, 0) << code;
        EXPECT_EQ(lifeOf(k115, code, c), 300000) << code;
        EXPECT_EQ(lifeOf(kLife, code, c), 1e8) << code;
    }
}

TEST(Aging, CompositeIsAgedAsMinus36WithReducedVolumeOnEveryCall) {
    const Core c;
    Core as36 = c;
    for (auto [code, factor] : {std::pair{"-413", 0.75}, std::pair{"-411", 0.67}}) {
        as36.v = c.v * factor;
        expectSame(stateOf(code, 20000, c), stateOf("-36", 20000, as36));
        EXPECT_EQ(lifeOf(k115, code, c), lifeOf(k115, "-36", as36)) << code;
        EXPECT_EQ(lifeOf(kLife, code, c), lifeOf(kLife, "-36", as36)) << code;
        // Every one of the 32 samples sees the reduced volume, not just the first.
        AgingCurvePoints composite{}, plain{};
        curveOf(AgingCurveKind::LossIncrease, code, c, composite);
        curveOf(AgingCurveKind::LossIncrease, "-36", as36, plain);
        EXPECT_EQ(composite, plain) << code;
    }
    EXPECT_NE(lifeOf(k115, "-413", c), lifeOf(k115, "-36", c));
}

TEST(Aging, UnknownMaterialGivesZeros) {
    const Core c;
    const AgingState r = stateOf("-99", 1000, c);
    EXPECT_EQ(r.time, 0);
    EXPECT_EQ(r.deltaP, 0);
    EXPECT_EQ(r.temperature, 0);
    EXPECT_EQ(r.gain, 0);
    EXPECT_EQ(lifeOf(k115, "-99", c), 0);
    EXPECT_EQ(lifeOf(kLife, "-99", c), 0);
}

TEST(Aging, FirstIntegrationEndsAtTheOnePercentIncrease) {
    // Asked for time 0, the integration runs to t1, where the loss is up by 1 % of p0; the
    // core warms a little on the way.
    const Core c;
    const AgingState r = stateOf("-21", 0, c);
    EXPECT_GT(r.time, 0);
    EXPECT_NEAR(r.deltaP, 0.01 * c.p0, kWarmingOnTheWay * 0.01 * c.p0);
    EXPECT_GT(r.temperature, c.ta + std::pow(c.p0 / c.s, c.x));
    // Later times give more loss, a hotter core and a stronger feedback.
    const AgingState later = stateOf("-21", 10 * r.time, c);
    EXPECT_EQ(later.time, 10 * r.time);
    EXPECT_GT(later.deltaP, r.deltaP);
    EXPECT_GT(later.temperature, r.temperature);
    EXPECT_GT(later.gain, r.gain);
}

TEST(Aging, CurvesRiseAndTheFiguresFallBetweenTheBracketingSamples) {
    const Core c;
    AgingCurvePoints loss{}, temperature{}, limited{}, gain{};
    curveOf(AgingCurveKind::LossIncrease, "-21", c, loss);
    curveOf(AgingCurveKind::Temperature, "-21", c, temperature);
    curveOf(AgingCurveKind::LimitedTemperature, "-21", c, limited);
    curveOf(AgingCurveKind::Gain, "-21", c, gain);
    for (int i = 1; i < 32; ++i) {
        EXPECT_GE(loss[i].first, loss[i - 1].first) << i;
        EXPECT_GE(loss[i].second, loss[i - 1].second) << i;
        EXPECT_GE(temperature[i].second, temperature[i - 1].second) << i;
        EXPECT_GE(gain[i].second, gain[i - 1].second) << i;
    }
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(limited[i].second, std::min(temperature[i].second, 250.0f)) << i;
        EXPECT_EQ(loss[i].first, gain[i].first) << i;
    }

    // The time to 115 % loss lies between the samples around ΔP = 0.15·p0.
    const double t115 = lifeOf(k115, "-21", c);
    int i115 = 0;
    while (i115 < 32 && loss[i115].second < 0.15 * c.p0)
        ++i115;
    ASSERT_GT(i115, 0);
    ASSERT_LT(i115, 32);
    EXPECT_GT(t115, loss[i115 - 1].first);
    EXPECT_LE(t115, loss[i115].first);
    // Here the integration stops at runaway (gain 0.99) before any sample reaches a gain of 1:
    // the life limit is the time of the last sample.
    EXPECT_LT(gain[31].second, 1);
    EXPECT_FLOAT_EQ(lifeOf(kLife, "-21", c), gain[31].first);
}

TEST(Aging, LifeLimitInterpolatesWhereTheGainCrossesOne) {
    // A steep temperature rise (k = 0.2 with the same starting temperature) makes the gain
    // step across 1 between two samples.
    Core c;
    c.k = 0.2;
    c.s = 25.9 * 0.2;
    AgingCurvePoints gain{};
    curveOf(AgingCurveKind::Gain, "-21", c, gain);
    int i = 0;
    while (i < 32 && gain[i].second < 1)
        ++i;
    ASSERT_GT(i, 0);
    ASSERT_LT(i, 32);
    const auto [t0, g0] = gain[i - 1];
    const auto [t1, g1] = gain[i];
    EXPECT_NEAR(lifeOf(kLife, "-21", c), t0 + (t1 - t0) * (1 - g0) / (g1 - g0), kFloatPoints * t1);
}

TEST(Aging, RunawayBefore115PercentEndsBothFiguresAtTheRunaway) {
    // About 200 °C: the feedback runs away at some 12 % increase. The time to 115 % is then the
    // first sample time past the runaway, one sample step (here 10^(1/20)) beyond it, and the
    // life limit the runaway itself.
    Core c;
    c.s = 6.4;
    AgingCurvePoints loss{};
    curveOf(AgingCurveKind::LossIncrease, "-21", c, loss);
    const double runaway = loss[31].first;
    ASSERT_LT(loss[31].second, 0.15 * c.p0);
    const double t115 = lifeOf(k115, "-21", c);
    EXPECT_GT(t115, runaway);
    EXPECT_LT(t115, 1.13 * runaway);
    EXPECT_FLOAT_EQ(lifeOf(kLife, "-21", c), runaway);
}

TEST(Aging, HotterCoreAgesSooner) {
    const Core c;
    Core hot = c;
    hot.p0 = 4000;  // about 125 °C
    EXPECT_LT(lifeOf(k115, "-21", hot), 0.5 * lifeOf(k115, "-21", c));
    EXPECT_LT(lifeOf(kLife, "-21", hot), 0.5 * lifeOf(kLife, "-21", c));
    Core gentle = c;
    gentle.B = 100;  // a fifth of the flux: the rate constant falls 25 times
    EXPECT_GT(lifeOf(k115, "-21", gentle), 10 * lifeOf(k115, "-21", c));
}

TEST(Aging, FirstSampleWithGainOfOneOrMoreKeepsTheInitialLife) {
    // A tiny temperature-rise factor makes the feedback gain about 0.01/k = 2 after the first
    // step, while the core is still cool and ages quickly enough (t1 < 30000 h).
    Core c;
    c.k = 0.005;
    c.x = 1;
    const AgingState first = stateOf("-21", 0, c);
    ASSERT_GE(first.gain, 1);
    ASSERT_LT(first.time, 30000);
    EXPECT_EQ(lifeOf(kLife, "-21", c), 1000000);
}

TEST(Aging, NoInitialLossGivesTheNegligibleFigures) {
    Core c;
    for (double p0 : {0.0, -100.0}) {
        c.p0 = p0;
        EXPECT_EQ(lifeOf(k115, "-21", c), 300000);
        EXPECT_EQ(lifeOf(kLife, "-21", c), 1e8);
        AgingCurvePoints out;
        out.fill({7.0f, 7.0f});
        curveOf(AgingCurveKind::Temperature, "-21", c, out);
        for (const auto& point : out)
            EXPECT_EQ(point, (std::pair{0.0f, 0.0f}));
        const AgingState r = stateOf("-21", 1000, c);
        EXPECT_TRUE(finite(r));
        EXPECT_EQ(r.time, 100000);
        EXPECT_EQ(r.deltaP, 0);
    }
}

TEST(Aging, ColdAmbientAgesNoFasterThanWarm) {
    // The fitted rate exponent has its lowest point near -5 °C; colder cores must not age
    // faster, and the integration must still climb to its end.
    Core warm;
    warm.ta = 25;
    Core cold = warm;
    cold.ta = -200;
    const double tWarm = lifeOf(k115, "-21", warm);
    const double tCold = lifeOf(k115, "-21", cold);
    EXPECT_TRUE(std::isfinite(tCold));
    EXPECT_GT(tCold, tWarm);
    cold.ta = -55;  // the lowest ambient the parameters window accepts
    EXPECT_GE(lifeOf(k115, "-21", cold), tWarm);
    EXPECT_TRUE(finite(stateOf("-21", 1e6, cold)));
}

TEST(Aging, OddInputsGiveFiniteResults) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Core base;
    std::vector<Core> odd;
    auto vary = [&](double Core::*field, std::initializer_list<double> values) {
        for (double value : values) {
            Core c = base;
            c.*field = value;
            odd.push_back(c);
        }
    };
    vary(&Core::B, {0, -500, 1e6, 1e300, nan});
    vary(&Core::f, {0, -1e5, 1e9, inf});
    vary(&Core::ae, {0, -1, 1e6});
    vary(&Core::v, {0, -5, 1e9});
    vary(&Core::s, {0, -10, 1e-300, 1e300});
    vary(&Core::p0, {1e-300, 1e30, 1e300, inf});
    vary(&Core::ta, {-200, 250, 300, 1e6});
    vary(&Core::k, {0, -1, 1e-9, 1e9});
    vary(&Core::x, {0, -1, 0.01, 5, nan});
    vary(&Core::p0, {nan});
    vary(&Core::ta, {nan});
    Core driven = base;  // an infinite drive on no cross-section
    driven.f = inf;
    driven.ae = 0;
    odd.push_back(driven);
    for (const Core& c : odd) {
        for (double t : {-1.0, 0.0, 1e4, 1e300})
            EXPECT_TRUE(finite(stateOf("-21", t, c)));
        for (AgingFigure figure : {k115, kLife}) {
            EXPECT_TRUE(std::isfinite(lifeOf(figure, "-21", c)));
            EXPECT_TRUE(std::isfinite(lifeOf(figure, "-413", c)));
        }
        AgingCurvePoints out{};
        for (AgingCurveKind kind : {AgingCurveKind::LossIncrease, AgingCurveKind::Temperature,
                                    AgingCurveKind::LimitedTemperature, AgingCurveKind::Gain}) {
            curveOf(kind, "-21", c, out);
            for (const auto& [time, value] : out) {
                EXPECT_TRUE(std::isfinite(time));
                EXPECT_TRUE(std::isfinite(value));
            }
        }
    }
}

}  // namespace
}  // namespace korvell
