#include <gtest/gtest.h>

#include "materials/WireTolerance.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

TEST(WireTolerance, BareDiameterToleranceOfEachGageSystem) {
    const struct {
        std::int8_t system;
        double bareInches;
        double percent;
    } cases[] = {
        // ASTM B3: ±1 % from 0.0100 in up, ±0.0001 in below.
        {kAwg, 0.0403, 1.0},      // AWG 18
        {kAwg, 0.0100, 1.0},      // the step itself
        {kAwg, 0.00314, 3.1847},  // AWG 40
        {kSwg, 0.048, 1.0},       // SWG 18
        {kSwg, 0.0048, 2.0833},   // SWG 37
        // IEC 60317-0-1, in millimetres.
        {kMetricWire, 0.05 / 25.4, 4.0},     // ±0.002 mm
        {kMetricWire, 0.10 / 25.4, 3.0},     // ±0.003 mm
        {kMetricWire, 0.30 / 25.4, 1.3333},  // ±0.004 mm
        {kMetricWire, 0.50 / 25.4, 1.0},     // ±0.005 mm
        {kMetricWire, 1.50 / 25.4, 1.0},     // ±1 %
        {kAwg, 0, 0},
        {7, 0.04, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(wireDiameterTolerancePercent(c.system, c.bareInches), c.percent, 1e-4)
            << int{c.system} << " " << c.bareInches;
    }
    EXPECT_EQ(wireToleranceSource(kAwg), "ASTM B3");
    EXPECT_EQ(wireToleranceSource(kMetricWire), "IEC 60317-0-1");
}

}  // namespace
}  // namespace korvell
