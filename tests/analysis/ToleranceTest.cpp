#include <gtest/gtest.h>

#include <cmath>

#include "analysis/Tolerance.h"
#include "engine/DesignSearch.h"
#include "support/DesignScenarios.h"

namespace korvell {
namespace {

// The first design of a scenario's search, analyzed as the analysis window loads it.
DesignRecord analyzedFirstDesign(const DesignRecord& scenario) {
    DesignRecord searched = scenario;
    SilentMessages quiet;
    run_design_search(searched, quiet);
    DesignRecord analyzed;
    AnalysisTable table;
    EXPECT_GT(searched.designCount, 0) << int{scenario.applicationType};
    EXPECT_TRUE(analyzeResultsRow(searched, 0, quiet, analyzed, table));
    return analyzed;
}

struct Scenario {
    const char* name;
    DesignRecord record;
};
// A PFC choke whose line crest stays below half the output never switches at duty 0.5: its
// largest ripple is the crest's.
DesignRecord lowLinePfc() {
    DesignRecord r = testing::pfcBoost();
    r.pfcPeakInputVoltage = 120;
    r.pfcVoltageRatio = 120.0f / 400;
    return r;
}

std::vector<Scenario> scenarios() {
    using namespace testing;
    return {{"buck toroid", buckFilter()},       {"low-line pfc", lowLinePfc()},
            {"buck e-core", buckFilter(kECore)}, {"controlled swing", controlledSwing()},
            {"wide swing", wideSwing()},         {"pfc", pfcBoost()},
            {"powerline", powerlineChoke()},     {"resonant", resonantInductor()}};
}

void expectClose(double fast, double full, const char* what) {
    // Both paths store single-precision figures on the way; they may differ in the last bits.
    EXPECT_NEAR(fast, full, 2e-6 * std::fabs(full) + 1e-9) << what;
}

TEST(Tolerance, EachSampledPartEqualsAFullAnalysisOfThatPart) {
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.name);
        const DesignRecord analyzed = analyzedFirstDesign(s.record);
        const std::int8_t app = analyzed.applicationType;
        auto analyzer = PartAnalyzer::of(analyzed, app);
        ASSERT_TRUE(analyzer);
        // Wide tolerances, so that every figure moves.
        PartSampler sampler(7, 20, 6, analyzed.ambientTemp, 30);
        std::vector<PartSample> parts = {{BuiltPart{}, analyzed.ambientTemp}};
        for (int i = 0; i < 4; ++i)
            parts.push_back(sampler.next());
        for (const PartSample& part : parts) {
            SCOPED_TRACE(::testing::Message()
                         << "Al x" << part.part.alFactor << " copper x"
                         << part.part.copperDiameterFactor << " at " << part.ambientC);
            const PartFigures fast = analyzer->figures(part);
            const auto full = reanalyzedPartFigures(analyzed, app, part);
            ASSERT_TRUE(full);
            expectClose(fast.inductanceUh, full->inductanceUh, "inductance");
            ASSERT_EQ(fast.inductanceMinUh.has_value(), hasMinCurrentRequirement(app));
            if (fast.inductanceMinUh) {
                expectClose(*fast.inductanceMinUh, *full->inductanceMinUh, "L at min current");
            }
            expectClose(fast.rdcOhm, full->rdcOhm, "rdc");
            expectClose(fast.copperLossW, full->copperLossW, "copper loss");
            expectClose(fast.coreLossW, full->coreLossW, "core loss");
            expectClose(fast.tempRiseC, full->tempRiseC, "rise");
            EXPECT_NEAR(fast.checkTempRiseC, full->checkTempRiseC, 1e-4) << "check rise";
        }
        // The nominal part is the analysis itself.
        const PartFigures nominal = analyzer->figures(parts.front());
        EXPECT_FLOAT_EQ(nominal.rdcOhm, analyzed.dcResistance);
        EXPECT_FLOAT_EQ(nominal.tempRiseC, analyzed.tempRise);
    }
}

TEST(Tolerance, TruncatedNormalProbabilityAtItsLandmarks) {
    const struct {
        double ratio, expected;
    } cases[] = {
        {0.92, 1},
        {0.5, 1},
        {1.0, 0.5},
        {1.08, 0},
        {1.5, 0},
        // One σ below nominal: (Φ(3) − Φ(−1)) / (Φ(3) − Φ(−3)).
        {1 - 0.08 / 3, (0.998650102 - 0.158655254) / 0.997300204},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(truncatedNormalAtLeast(c.ratio, 8), c.expected, 1e-7) << c.ratio;
    EXPECT_EQ(truncatedNormalAtLeast(1.0, 0), 1);
    EXPECT_EQ(truncatedNormalAtLeast(1.0001, 0), 0);
}

TEST(Tolerance, AlOnlyFractionIsTheTruncatedNormalsProbability) {
    constexpr int kSamples = 20000;
    const DesignRecord designs[] = {testing::buckFilter(), testing::buckFilter(kECore),
                                    testing::pfcBoost(), testing::resonantInductor()};
    for (const DesignRecord& design : designs) {
        DesignRecord analyzed = analyzedFirstDesign(design);
        const auto nominal = inductanceAtAlFactor(analyzed, analyzed.applicationType, 1);
        ASSERT_TRUE(nominal);
        for (const double tolerance : {5.0, 8.0, 15.0}) {
            for (const double ratio : {0.93, 0.98, 1.0, 1.02, 1.06}) {
                analyzed.alTolerancePercent = static_cast<float>(tolerance);
                analyzed.inductanceRequired =
                    static_cast<float>(ratio * nominal->atDesignCurrentUh / 1000);
                YieldSettings settings;
                settings.samples = kSamples;
                settings.inductanceOnly = true;
                const auto y = designYield(analyzed, analyzed.applicationType, settings);
                ASSERT_TRUE(y && y->fractionMeetingInductance);
                const double p = truncatedNormalAtLeast(
                    analyzed.inductanceRequired * 1000 / nominal->atDesignCurrentUh, tolerance);
                // Four standard errors of a binomial fraction.
                const double error = 4 * std::sqrt(std::max(p * (1 - p), 1e-6) / kSamples);
                EXPECT_NEAR(*y->fractionMeetingInductance, p, error)
                    << analyzed.corePartNumber << " tol " << tolerance << " ratio " << ratio;
            }
        }
    }
}

TEST(Tolerance, NoToleranceMeansEveryPartOrNone) {
    for (const Scenario& s : scenarios()) {
        DesignRecord analyzed = analyzedFirstDesign(s.record);
        analyzed.alTolerancePercent = 0;
        const auto nominal = inductanceAtAlFactor(analyzed, analyzed.applicationType, 1);
        ASSERT_TRUE(nominal) << s.name;
        // The powerline choke holds both currents to the one inductance: the lower decides.
        const double lowest =
            std::min(nominal->atDesignCurrentUh,
                     nominal->atMinCurrentUh.value_or(nominal->atDesignCurrentUh));
        for (const double ratio : {0.999, 1.001}) {
            analyzed.inductanceRequired = static_cast<float>(ratio * lowest / 1000);
            analyzed.inductanceAtMinCurrent = 0;
            YieldSettings settings;
            settings.samples = 500;
            settings.ambientSpreadC = 10;
            const auto y = designYield(analyzed, analyzed.applicationType, settings);
            ASSERT_TRUE(y && y->fractionMeetingInductance) << s.name;
            EXPECT_EQ(*y->fractionMeetingInductance, ratio < 1 ? 1.0 : 0.0) << s.name;
        }
    }
}

TEST(Tolerance, TheSameSeedGivesTheSameReport) {
    const DesignRecord analyzed = analyzedFirstDesign(testing::controlledSwing());
    YieldSettings settings;
    settings.samples = 2000;
    settings.ambientSpreadC = 15;
    const auto a = designYield(analyzed, kControlledSwing, settings);
    const auto b = designYield(analyzed, kControlledSwing, settings);
    settings.seed += 1;
    const auto c = designYield(analyzed, kControlledSwing, settings);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->inductanceSamplesUh, b->inductanceSamplesUh);
    EXPECT_EQ(a->checkTempRiseC.p99, b->checkTempRiseC.p99);
    EXPECT_EQ(a->fractionMeetingInductance, b->fractionMeetingInductance);
    EXPECT_EQ(yieldModelText(*a), yieldModelText(*b));
    EXPECT_NE(a->inductanceSamplesUh, c->inductanceSamplesUh);
}

TEST(Tolerance, LowToleranceInductanceScalesWithAlUnderDcBias) {
    for (const Scenario& s : scenarios()) {
        const DesignRecord analyzed = analyzedFirstDesign(s.record);
        const std::int8_t app = analyzed.applicationType;
        YieldSettings settings;
        settings.samples = 200;
        const auto y = designYield(analyzed, app, settings);
        ASSERT_TRUE(y) << s.name;
        const double tol = analyzed.alTolerancePercent / 100;
        const FigureSpread& l = y->inductanceUh;
        if (app == kPowerline) {
            // The AC flux falls with Al and moves the permeability: not in proportion.
            EXPECT_LT(*l.atLowTolerance, l.nominal);
            EXPECT_GT(std::fabs(*l.atLowTolerance / (l.nominal * (1 - tol)) - 1), 1e-3);
            continue;
        }
        EXPECT_NEAR(*l.atLowTolerance, l.nominal * (1 - tol), 1e-4 * l.nominal) << s.name;
        EXPECT_NEAR(*l.atHighTolerance, l.nominal * (1 + tol), 1e-4 * l.nominal) << s.name;
        // The samples stay within the tolerance, and the percentiles in order.
        EXPECT_GE(l.min, *l.atLowTolerance * (1 - 1e-9));
        EXPECT_LE(l.max, *l.atHighTolerance * (1 + 1e-9));
        EXPECT_LE(l.p1, l.mean);
        EXPECT_LE(l.mean, l.p99);
    }
}

TEST(Tolerance, FractionsFollowTheLimitsAsked) {
    DesignRecord analyzed = analyzedFirstDesign(testing::buckFilter());
    YieldSettings settings;
    settings.samples = 1000;
    analyzed.maxDcResistance = 0;
    auto y = designYield(analyzed, kDcBiased, settings);
    ASSERT_TRUE(y);
    EXPECT_FALSE(y->fractionMeetingRdc);  // no limit asked for
    // A limit at the median resistance passes about half the parts, one at the largest all.
    analyzed.maxDcResistance = static_cast<float>(y->rdcOhm.nominal);
    y = designYield(analyzed, kDcBiased, settings);
    EXPECT_NEAR(*y->fractionMeetingRdc, 0.5, 0.06);
    analyzed.maxDcResistance = static_cast<float>(y->rdcOhm.max);
    y = designYield(analyzed, kDcBiased, settings);
    EXPECT_EQ(*y->fractionMeetingRdc, 1);
    // The check's rise is never below the program's, so it never passes more parts.
    analyzed.maxTempRise = static_cast<float>(y->tempRiseC.p99);
    y = designYield(analyzed, kDcBiased, settings);
    EXPECT_LE(y->fractionMeetingCheckRise, y->fractionMeetingRise);
    EXPECT_GE(y->fractionMeetingRise, 0.99);
    EXPECT_EQ(yieldFractionText(0.9999), "99.9 %");
    EXPECT_EQ(yieldFractionText(std::nullopt), "-");
}

}  // namespace
}  // namespace korvell
