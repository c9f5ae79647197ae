#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "materials/WireTable.h"
#include "materials/WireTables.h"

namespace korvell {
namespace {

constexpr double kMmToIn = 0.03937007874;

TEST(WireTables, SwgIsTheImperialStandardWireGauge) {
    for (int i = 1; i < kSwgGaugeCount; ++i)
        EXPECT_LT(swgDiameters[i], swgDiameters[i - 1]) << i;
    // Published values at a few gauges (inches).
    EXPECT_EQ(swgDiameters[0], 0.300f);    // 1
    EXPECT_EQ(swgDiameters[9], 0.128f);    // 10
    EXPECT_EQ(swgDiameters[13], 0.080f);   // 14
    EXPECT_EQ(swgDiameters[17], 0.048f);   // 18
    EXPECT_EQ(swgDiameters[19], 0.036f);   // 20
    EXPECT_EQ(swgDiameters[25], 0.018f);   // 26
    EXPECT_EQ(swgDiameters[29], 0.0124f);  // 30
    EXPECT_EQ(swgDiameters[39], 0.0048f);  // 40
    EXPECT_EQ(swgDiameters[49], 0.0010f);  // 50
}

TEST(WireTables, MetricDiametersRunLargestFirst) {
    EXPECT_EQ(metricWireDiameters.front(), 8.0f);
    EXPECT_EQ(metricWireDiameters.back(), 0.05f);
    for (int i = 1; i < kMetricWireCount; ++i) {
        EXPECT_LT(metricWireDiameters[i], metricWireDiameters[i - 1]) << i;
    }
}

TEST(WireTables, MetricInsulationIsAMonotoneGradeThroughItsFixedSizes) {
    const auto row = [](float mm) {
        for (const auto& r : metricInsulation) {
            if (r.bareMm == mm) return r;
        }
        ADD_FAILURE() << mm << " mm missing";
        return MetricInsulationRow{};
    };
    EXPECT_EQ(row(0.10f).thicknessMm, 0.009f);
    EXPECT_EQ(row(0.10f).maxOverallMm, 0.140f);
    EXPECT_EQ(row(0.50f).thicknessMm, 0.017f);
    EXPECT_EQ(row(0.50f).maxOverallMm, 0.560f);
    EXPECT_EQ(row(1.50f).thicknessMm, 0.028f);
    EXPECT_EQ(row(1.50f).maxOverallMm, 1.612f);

    for (int i = 0; i < kMetricInsulationRows; ++i) {
        const auto& r = metricInsulation[i];
        // Nominal overall diameter (bare + two coats) within the maximum; enamel 2-10 % of
        // the diameter per side for fine wire, 1.5-2.5 % for the heavier sizes.
        EXPECT_LE(r.bareMm + 2 * r.thicknessMm, r.maxOverallMm) << r.bareMm;
        EXPECT_GT(r.thicknessMm / r.bareMm, 0.015) << r.bareMm;
        EXPECT_LT(r.thicknessMm / r.bareMm, 0.10) << r.bareMm;
        // Resistance of the bare copper, 0.017241 ohm mm²/m, to the four figures printed.
        const double ohmsPerMetre = 0.017241 / (M_PI / 4 * r.bareMm * r.bareMm);
        EXPECT_NEAR(r.ohmsPerMetre, ohmsPerMetre, ohmsPerMetre * 5e-4) << r.bareMm;
        if (i == 0) continue;
        const auto& p = metricInsulation[i - 1];
        EXPECT_GT(r.bareMm, p.bareMm);
        EXPECT_GE(r.thicknessMm, p.thicknessMm) << r.bareMm;
        EXPECT_GT(r.maxOverallMm, p.maxOverallMm) << r.bareMm;
    }
}

TEST(WireTables, AwgMaximumDiametersShrinkWithGageAndBoundTheLookup) {
    for (int i = 1; i < kAwgMaxDiameterCount; ++i) {
        EXPECT_LT(awgMaxDiameters[i], awgMaxDiameters[i - 1]) << "AWG " << i + 4;
    }
    for (int gage = 4; gage <= 50; ++gage) {
        DesignRecord r;
        ASSERT_EQ(wireTableLookup(r, kAwg, kByGage, static_cast<float>(gage)), 1);
        const float tabled = awgMaxDiameters[gage - kAwgFirstTabulatedGage];
        // From AWG 37 on the tabled maximum is below the computed nominal diameter; the
        // look-up then reports the nominal.
        EXPECT_EQ(r.wireMaxDia, std::max(tabled, r.wireDia)) << "AWG " << gage;
        // Within 0.6 mil + 8 % of the nominal: a wrong row would stand out.
        EXPECT_LT(tabled, r.wireDia * 1.08 + 0.0006) << "AWG " << gage;
        EXPECT_GT(tabled, r.wireDia * 0.9 - 0.0003) << "AWG " << gage;
    }
}

// Every size the program offers: the nominal diameter is bare + build, the maximum never below
// it, the copper consistent with the bare diameter, and a finer size is finer in every respect.
TEST(WireTables, EverySizeOfEverySystemIsConsistent) {
    struct System {
        std::int8_t code;
        std::vector<float> gages;
    };
    std::vector<System> systems{{kMetricWire, {}}, {kAwg, {}}, {kSwg, {}}};
    for (float mm : metricWireDiameters)
        systems[0].gages.push_back(mm);
    for (int g = -3; g <= 50; ++g)
        systems[1].gages.push_back(static_cast<float>(g));
    for (int g = 1; g <= 50; ++g)
        systems[2].gages.push_back(static_cast<float>(g));

    for (const System& s : systems) {
        DesignRecord previous;
        bool first = true;
        for (const float gage : s.gages) {
            DesignRecord r;
            ASSERT_EQ(wireTableLookup(r, s.code, kByGage, gage), 1) << int(s.code) << " " << gage;
            EXPECT_EQ(r.wireGage, gage);
            EXPECT_GT(r.wireBareDia, 0);
            EXPECT_GT(r.wireBuild, 0) << int(s.code) << " " << gage;
            EXPECT_NEAR(r.wireDia, r.wireBareDia + r.wireBuild, 1e-6);
            EXPECT_GE(r.wireMaxDia, r.wireDia);
            EXPECT_NEAR(r.wireArea, 1e6 * r.wireBareDia * r.wireBareDia, r.wireArea * 1e-5);
            EXPECT_NEAR(r.wireOhmsPerFoot * r.wireArea, 10.371, 10.371 * 1e-5);
            if (s.code == kMetricWire) {
                EXPECT_NEAR(r.wireBareDia, gage * kMmToIn, 1e-7);
            }
            if (!first) {
                EXPECT_LT(r.wireBareDia, previous.wireBareDia) << int(s.code) << " " << gage;
                EXPECT_LE(r.wireBuild, previous.wireBuild) << int(s.code) << " " << gage;
                EXPECT_LT(r.wireMaxDia, previous.wireMaxDia) << int(s.code) << " " << gage;
            }
            previous = r;
            first = false;
        }
    }
}

}  // namespace
}  // namespace korvell
