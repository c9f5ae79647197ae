#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "materials/WireTable.h"
#include "materials/WireTables.h"

namespace korvell {
namespace {

// Stored fields are single precision: six significant digits are all a float promises.
constexpr double kFloatRelative = 2e-6;
// AWG diameters and builds are whole tenths of a mil; allow the float rounding of such a value.
constexpr double kTenthMilRounding = 1e-7;
constexpr double kMmToIn = 0.03937007874;

DesignRecord lookedUp(std::int8_t system, int kind, float value, int expected = 1) {
    DesignRecord r;
    EXPECT_EQ(wireTableLookup(r, system, kind, value), expected)
        << "system " << int(system) << " kind " << kind << " value " << value;
    return r;
}

TEST(WireTableLookup, Awg10ByGageHasTheCatalogDimensions) {
    const DesignRecord r = lookedUp(kAwg, kByGage, 10);
    EXPECT_EQ(r.wireSystemLabel, " AWG");
    EXPECT_EQ(r.wireGage, 10.0f);
    EXPECT_NEAR(r.wireBareDia, 0.1019, kTenthMilRounding);
    EXPECT_NEAR(r.wireBuild, 0.0023, kTenthMilRounding);
    EXPECT_NEAR(r.wireDia, 0.1042, kTenthMilRounding);
    EXPECT_NEAR(r.wireMaxDia, 0.1061, kTenthMilRounding);
    EXPECT_NEAR(r.wireArea, 10383.61, 10383.61 * kFloatRelative);
    EXPECT_NEAR(r.wireOhmsPerFoot, 0.000999, 0.0000005);
    EXPECT_NEAR(r.wireWeightPerFoot, 3.044e-6 * 10383.61, 1e-7);
}

TEST(WireTableLookup, AwgByAreaAllowsUpToThreeTenthsOfAGageMore) {
    const DesignRecord awg20 = lookedUp(kAwg, kByArea, 1000);
    EXPECT_EQ(awg20.wireGage, 20.0f);
    EXPECT_NEAR(awg20.wireBareDia, 0.0320, kTenthMilRounding);
    EXPECT_NEAR(awg20.wireArea, 1024.0, 1024 * kFloatRelative);
    EXPECT_EQ(lookedUp(kAwg, kByArea, 10384).wireGage, 10.0f);

    const DesignRecord heaviest = lookedUp(kAwg, kByArea, 1e9f);
    EXPECT_EQ(heaviest.wireGage, -3.0f);
    EXPECT_NEAR(heaviest.wireBareDia, 0.46, kTenthMilRounding);
    EXPECT_NEAR(heaviest.wireMaxDia, 0.46 + 0.0037, kTenthMilRounding);

    const DesignRecord finest = lookedUp(kAwg, kByArea, 0.61f);
    EXPECT_EQ(finest.wireGage, 52.0f);
    EXPECT_EQ(finest.wireMaxDia, finest.wireDia);  // no tabled maximum beyond AWG 50
}

TEST(WireTableLookup, RefusalsLeaveTheCurrentWireAsItWas) {
    DesignRecord r;
    r.wireGage = 7;
    r.wireSystemLabel = "before";
    EXPECT_EQ(wireTableLookup(r, kAwg, kByArea, 0.60f), 0);
    EXPECT_EQ(wireTableLookup(r, kSwg, kByMaxDiameter, 0.00109f), 0);
    EXPECT_EQ(wireTableLookup(r, kAwg, kByGage, 80), 0);  // rounds to no copper at all
    EXPECT_EQ(wireTableLookup(r, 3, kByGage, 10), 0);
    EXPECT_EQ(wireTableLookup(r, kAwg, 3, 10), 0);
    EXPECT_EQ(r.wireGage, 7.0f);
    EXPECT_EQ(r.wireSystemLabel, "before");
    EXPECT_EQ(lookedUp(kAwg, kByGage, -10).wireGage, -3.0f);  // heavier than 0000 is 0000
}

TEST(WireTableLookup, MetricByGageTakesTheLargestDiameterNotAbove) {
    const DesignRecord tabled = lookedUp(kMetricWire, kByGage, 0.58f);
    EXPECT_EQ(tabled.wireSystemLabel, "mm G");
    EXPECT_EQ(tabled.wireGage, 0.55f);
    EXPECT_NEAR(tabled.wireBareDia, 0.55 * kMmToIn, 1e-7);
    EXPECT_NEAR(tabled.wireBuild, 2 * 0.018 * kMmToIn, 1e-7);  // from the insulation table
    EXPECT_NEAR(tabled.wireMaxDia, 0.613 * kMmToIn, 1e-7);
    EXPECT_EQ(lookedUp(kMetricWire, kByGage, 0.65f).wireGage, 0.65f);  // equal is not above

    const DesignRecord formula = lookedUp(kMetricWire, kByGage, 3.0f);
    EXPECT_EQ(formula.wireGage, 2.9f);
    EXPECT_NEAR(formula.wireBuild, 0.0373333 * 2.9 * kMmToIn, 1e-7);
    EXPECT_NEAR(formula.wireMaxDia, 1.0746667 * 2.9 * kMmToIn, 1e-7);
    lookedUp(kMetricWire, kByGage, 0.04f, 0);
}

TEST(WireTableLookup, SwgByGageRoundsToTheNearestGauge) {
    const DesignRecord r = lookedUp(kSwg, kByGage, 10.4f);
    EXPECT_EQ(r.wireSystemLabel, " SWG");
    EXPECT_EQ(r.wireGage, 10.0f);
    EXPECT_NEAR(r.wireBareDia, 0.128, 1e-7);
    EXPECT_EQ(r.wireMaxDia, r.wireDia);  // SWG has no separate maximum
    EXPECT_EQ(lookedUp(kSwg, kByGage, 10.5f).wireGage, 11.0f);
    EXPECT_EQ(lookedUp(kSwg, kByGage, 50.4f).wireGage, 50.0f);
    lookedUp(kSwg, kByGage, 0.4f, 0);
    lookedUp(kSwg, kByGage, 50.5f, 0);
}

TEST(WireTableWalk, MetricStopsOnAnEqualLimitSwgOnlyOnAStrictlySmaller) {
    const int half = 25;  // 0.5 mm
    ASSERT_EQ(metricWireDiameters[half], 0.5f);
    const double inches = static_cast<double>(metricWireDiameters[half]) / 25.4;
    EXPECT_EQ(metricWireWalk(kByArea, inches * inches), half);
    EXPECT_EQ(metricWireWalk(kByMaxDiameter, inches), half);

    const int gauge20 = 19;
    const double d = swgDiameters[gauge20];
    EXPECT_EQ(swgWireWalk(kByArea, d * d), gauge20 + 1);
    EXPECT_EQ(swgWireWalk(kByMaxDiameter, d), gauge20 + 1);
    EXPECT_EQ(swgWireWalk(kByMaxDiameter, std::nextafter(d, 1.0)), gauge20);
    EXPECT_EQ(swgWireWalk(kByArea, 1e-6), -1);  // 1 cmil is not above SWG 50's area
}

TEST(WireTableLookup, ByDiameterRetriesWithTheBuildOfTheWireThatDidNotFit) {
    // AWG 20 (bare 0.0320) passes the first bare-diameter test, but with its build it is 0.0339;
    // the second pass leaves room for that build and settles on AWG 21.
    EXPECT_EQ(lookedUp(kAwg, kByMaxDiameter, 0.0325f).wireGage, 21.0f);
    EXPECT_EQ(lookedUp(kAwg, kByMaxDiameter, 0.1042f).wireGage, 10.0f);  // its own nominal
    EXPECT_LE(lookedUp(kAwg, kByMaxDiameter, 0.0011f).wireDia, 0.0011f);
}

// Over a sweep of requests: kind 1 never exceeds the area (AWG by at most 0.3 gage and the
// rounding of its diameter) and grows with it; kind 2 never exceeds the diameter. (Kind 2 is not
// monotone: its second pass makes room for the build of the wire that did not fit, which can
// skip a size that would have fitted.)
TEST(WireTableLookup, AreaAndDiameterSelectionsRespectTheirLimits) {
    constexpr double kAwgGageAllowance = 1.0720;  // 0.3 gage = 1.2610^0.3 in area
    constexpr double kHalfTenthMil = 0.00005;     // rounding of an AWG bare diameter, inches
    for (const std::int8_t system : {kMetricWire, kAwg, kSwg}) {
        float lastArea = 0;
        for (double v = 0.61; v < 3e5; v *= 1.05) {
            DesignRecord r;
            if (wireTableLookup(r, system, kByArea, static_cast<float>(v)) != 1) continue;
            double limit = v;
            if (system == kAwg) {
                limit *= kAwgGageAllowance *
                         std::pow(r.wireBareDia / (r.wireBareDia - kHalfTenthMil), 2);
            }
            EXPECT_LE(r.wireArea, limit * (1 + kFloatRelative)) << int(system) << " at " << v;
            EXPECT_GE(r.wireArea, lastArea) << int(system) << " at " << v;
            lastArea = r.wireArea;
        }
        EXPECT_GT(lastArea, 0);
        for (double v = 0.0011; v < 0.6; v *= 1.02) {
            DesignRecord r;
            if (wireTableLookup(r, system, kByMaxDiameter, static_cast<float>(v)) != 1) continue;
            EXPECT_LE(r.wireDia, static_cast<float>(v)) << int(system);
        }
    }
}

TEST(WireTableLookup, NonsenseValuesAreRefusedOrGiveAFiniteWire) {
    const float inf = std::numeric_limits<float>::infinity();
    const float huge = std::numeric_limits<float>::max();
    for (const std::int8_t system : {kMetricWire, kAwg, kSwg}) {
        for (const int kind : {kByGage, kByArea, kByMaxDiameter}) {
            for (const float v : {std::nanf(""), inf, -inf, huge, -huge, 1e-30f, -0.0f}) {
                DesignRecord r;
                const int found = wireTableLookup(r, system, kind, v);
                EXPECT_TRUE(found == 0 || std::isfinite(v)) << int(system) << kind << v;
                if (found == 1) {
                    EXPECT_TRUE(std::isfinite(r.wireOhmsPerFoot) && r.wireBareDia > 0 &&
                                r.wireDia < 1)
                        << int(system) << " " << kind << " " << v;
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvell
