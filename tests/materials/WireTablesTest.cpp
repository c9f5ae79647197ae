#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "materials/WireTable.h"
#include "materials/WireTables.h"

namespace korvell {
namespace {

TEST(WireTables, SwgIsTheImperialStandardWireGauge) {
    for (int i = 1; i < kSwgGaugeCount; ++i)
        EXPECT_LT(swgDiameters[i], swgDiameters[i - 1]) << i;
    const struct {
        int gauge;
        float inches;
    } published[] = {{1, 0.300f},  {10, 0.128f},  {14, 0.080f},  {18, 0.048f}, {20, 0.036f},
                     {26, 0.018f}, {30, 0.0124f}, {40, 0.0048f}, {50, 0.0010f}};
    for (const auto& p : published)
        EXPECT_EQ(swgDiameters[p.gauge - 1], p.inches) << p.gauge;
}

TEST(WireTables, MetricInsulationIsAMonotoneGradeThroughItsFixedSizes) {
    const auto row = [](float mm) {
        return *std::find_if(metricInsulation.begin(), metricInsulation.end(),
                             [mm](const MetricInsulationRow& r) { return r.bareMm == mm; });
    };
    EXPECT_EQ(row(0.10f).thicknessMm, 0.009f);
    EXPECT_EQ(row(0.10f).maxOverallMm, 0.140f);
    EXPECT_EQ(row(0.50f).thicknessMm, 0.017f);
    EXPECT_EQ(row(0.50f).maxOverallMm, 0.560f);
    EXPECT_EQ(row(1.50f).thicknessMm, 0.028f);
    EXPECT_EQ(row(1.50f).maxOverallMm, 1.612f);

    for (int i = 0; i < kMetricInsulationRows; ++i) {
        const auto& r = metricInsulation[i];
        // Bare plus two coats within the maximum; enamel 1.5-10 % of the diameter per side.
        EXPECT_LE(r.bareMm + 2 * r.thicknessMm, r.maxOverallMm) << r.bareMm;
        EXPECT_GT(r.thicknessMm / r.bareMm, 0.015) << r.bareMm;
        EXPECT_LT(r.thicknessMm / r.bareMm, 0.10) << r.bareMm;
        // Copper of 0.017241 ohm mm²/m, to the four figures printed.
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
    for (int gage = 4; gage <= 50; ++gage) {
        const float tabled = awgMaxDiameters[gage - kAwgFirstTabulatedGage];
        if (gage > 4) {
            EXPECT_LT(tabled, awgMaxDiameters[gage - kAwgFirstTabulatedGage - 1]);
        }
        DesignRecord r;
        ASSERT_EQ(wireTableLookup(r, kAwg, kByGage, static_cast<float>(gage)), 1);
        // From AWG 37 on the tabled maximum is below the computed nominal diameter; the
        // look-up then reports the nominal.
        EXPECT_EQ(r.wireMaxDia, std::max(tabled, r.wireDia)) << "AWG " << gage;
        // Within -10 % / +8 % (and 0.3 / 0.6 mil) of the nominal: a wrong row would stand out.
        EXPECT_LT(tabled, r.wireDia * 1.08 + 0.0006) << "AWG " << gage;
        EXPECT_GT(tabled, r.wireDia * 0.9 - 0.0003) << "AWG " << gage;
    }
}

// Every size the program offers: the nominal diameter is bare + build, the maximum never below
// it, copper and resistance consistent with the bare diameter, and each finer size finer in
// every respect.
TEST(WireTables, EverySizeOfEverySystemIsConsistent) {
    std::vector<std::pair<std::int8_t, std::vector<float>>> systems{
        {kMetricWire, {metricWireDiameters.begin(), metricWireDiameters.end()}},
        {kAwg, {}},
        {kSwg, {}}};
    for (int g = -3; g <= 50; ++g)
        systems[1].second.push_back(static_cast<float>(g));
    for (int g = 1; g <= 50; ++g)
        systems[2].second.push_back(static_cast<float>(g));

    for (const auto& [system, gages] : systems) {
        DesignRecord previous;
        previous.wireBareDia = previous.wireBuild = previous.wireMaxDia = 1e9f;
        for (const float gage : gages) {
            DesignRecord r;
            ASSERT_EQ(wireTableLookup(r, system, kByGage, gage), 1) << int(system) << " " << gage;
            EXPECT_EQ(r.wireGage, gage);
            EXPECT_GT(r.wireBuild, 0) << int(system) << " " << gage;
            EXPECT_NEAR(r.wireDia, r.wireBareDia + r.wireBuild, 1e-6);
            EXPECT_GE(r.wireMaxDia, r.wireDia);
            EXPECT_NEAR(r.wireArea, 1e6 * r.wireBareDia * r.wireBareDia, r.wireArea * 1e-5);
            EXPECT_NEAR(r.wireOhmsPerFoot * r.wireArea, 10.371, 10.371 * 1e-5);
            EXPECT_LT(r.wireBareDia, previous.wireBareDia) << int(system) << " " << gage;
            EXPECT_LE(r.wireBuild, previous.wireBuild) << int(system) << " " << gage;
            EXPECT_LT(r.wireMaxDia, previous.wireMaxDia) << int(system) << " " << gage;
            previous = r;
        }
    }
}

}  // namespace
}  // namespace korvell
