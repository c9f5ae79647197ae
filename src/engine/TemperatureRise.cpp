#include "engine/TemperatureRise.h"

#include <cmath>

namespace korvell {

double temperatureRiseC(double totalLossMw, double surfaceCm2, double factor, double exponent) {
    if (!(surfaceCm2 > 0) || !(totalLossMw > kNoRiseLossDensityMwPerCm2 * surfaceCm2)) return 0;
    return factor * std::pow(totalLossMw / surfaceCm2, exponent);
}

}  // namespace korvell
