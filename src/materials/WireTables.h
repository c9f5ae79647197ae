// Constant data of round copper magnet wire: the metric diameters and their enamel insulation,
// the Imperial Standard Wire Gauge and the maximum insulated diameters of AWG film-insulated wire.
#pragma once

#include <array>

namespace korvell {

constexpr int kMetricWireCount = 40;
constexpr int kMetricInsulationRows = 42;
constexpr int kSwgGaugeCount = 50;
constexpr int kAwgMaxDiameterCount = 47;
constexpr int kAwgFirstTabulatedGage = 4;  // awgMaxDiameters[0] is AWG 4, the last AWG 50

// Metric wire diameters, mm, largest first.
extern const std::array<float, kMetricWireCount> metricWireDiameters;

// One metric enamelled wire size.
struct MetricInsulationRow {
    float bareMm;        // bare copper diameter, mm
    float thicknessMm;   // insulation thickness per side, mm
    float maxOverallMm;  // maximum overall diameter, mm
    float ohmsPerMetre;  // nominal copper resistance at 20 °C, ohm/m (for reference only)
};

// Metric insulation, smallest diameter first (0.10 to 1.50 mm).
extern const std::array<MetricInsulationRow, kMetricInsulationRows> metricInsulation;

// Imperial Standard Wire Gauge diameters, inches; index 0 is gauge 1, index 49 gauge 50.
extern const std::array<float, kSwgGaugeCount> swgDiameters;

// Maximum insulated diameters of AWG 4 to AWG 50 magnet wire, inches.
extern const std::array<float, kAwgMaxDiameterCount> awgMaxDiameters;

}  // namespace korvell
