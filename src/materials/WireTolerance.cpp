#include "materials/WireTolerance.h"

#include <array>
#include <cmath>

#include "platform/PhysicalConstants.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

// ASTM B3, permissible variation of diameter: ±1 % of the nominal diameter from 0.0100 in up,
// ±0.0001 in below.
constexpr double kInchWireSmallLimitIn = 0.0100;
constexpr double kInchWireSmallToleranceIn = 0.0001;
constexpr double kLargeWireTolerancePercent = 1.0;

// IEC 60317-0-1, conductor diameter tolerance of enamelled round copper wire: up to each nominal
// diameter (mm, inclusive) the tolerance ± mm; above the last step ±1 %.
struct MetricToleranceStep {
    double upToMm;
    double toleranceMm;
};
constexpr std::array<MetricToleranceStep, 5> kMetricToleranceSteps = {{
    {0.036, 0.001},
    {0.095, 0.002},
    {0.236, 0.003},
    {0.355, 0.004},
    {0.600, 0.005},
}};

}  // namespace

double wireDiameterTolerancePercent(std::int8_t system, double bareInches) {
    if (!(bareInches > 0) || !std::isfinite(bareInches)) return 0;
    switch (system) {
        case kAwg:
        case kSwg:
            return bareInches >= kInchWireSmallLimitIn
                       ? kLargeWireTolerancePercent
                       : 100 * kInchWireSmallToleranceIn / bareInches;
        case kMetricWire: {
            // The tables hold the metric diameters as inches converted from round millimetres;
            // a thousandth of a millimetre of slack keeps a size on its own step.
            const double mm = bareInches * kMmPerInch;
            for (const MetricToleranceStep& step : kMetricToleranceSteps) {
                if (mm <= step.upToMm + 1e-6) return 100 * step.toleranceMm / mm;
            }
            return kLargeWireTolerancePercent;
        }
        default:
            return 0;
    }
}

std::string_view wireToleranceSource(std::int8_t system) {
    switch (system) {
        case kAwg:
        case kSwg:
            return "ASTM B3";
        case kMetricWire:
            return "IEC 60317-0-1";
        default:
            return {};
    }
}

}  // namespace korvell
