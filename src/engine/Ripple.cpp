#include "engine/Ripple.h"

#include <algorithm>

#include "engine/PfcRipple.h"

namespace korvell {

double biasedAverageVoltage(double onVoltage, double offVoltage) {
    return onVoltage * offVoltage > 0 ? 2 * onVoltage * offVoltage / (onVoltage + offVoltage) : 0;
}

double switchingRippleCurrent(const DesignRecord& r, int application, double averageVoltage,
                              double inductanceUh) {
    const double fKhz = r.frequencyKhz;
    if (application == kPowerline || !(inductanceUh * fKhz > 0)) return 0;
    const double ripple =
        application == kPowerFactorBoost
            ? pfcRipplePeakToPeak(r.pfcPeakInputVoltage, r.pfcOutputVoltage, inductanceUh, fKhz)
            : 0.5 * averageVoltage / (inductanceUh * fKhz) * 1000;
    return std::min<double>(ripple, r.maxCurrent);
}

}  // namespace korvell
