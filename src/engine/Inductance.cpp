#include "engine/Inductance.h"

#include <cmath>

#include "materials/Permeability.h"
#include "platform/PhysicalConstants.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

double inductanceUh(const CoreMagnetics& core, double percent, double N) {
    return core.al * percent * 0.01 * N * N / 1000;
}

}  // namespace

std::optional<MagneticPoint> dcBiasPoint(const CoreMagnetics& core, double N, double amperes) {
    MagneticPoint p;
    p.biasOe = core.le > 0 ? kFourPiTenthsAsUsed * N * amperes / core.le : 0;
    const auto point = pctPermDcBias(core.material, core.initialPermeability, p.biasOe);
    if (!point) return std::nullopt;
    p.percent = point->percent;
    p.inductanceUh = inductanceUh(core, p.percent, N);
    return p;
}

double initialPeakFluxGauss(const CoreMagnetics& core, double N, double rmsAmperes) {
    return std::sqrt(2.0) * N * rmsAmperes * core.al / core.ae * 0.1;
}

std::optional<MagneticPoint> lineFrequencyPoint(const CoreMagnetics& core, Messages& messages,
                                                double N, double rmsAmperes) {
    MagneticPoint p;
    p.initialFluxGauss = initialPeakFluxGauss(core, N, rmsAmperes);
    const auto point = calc_pct_perm_ac(messages, p.initialFluxGauss, core.material);
    if (!point) return std::nullopt;
    p.percent = point->percent;
    p.inductanceUh = inductanceUh(core, p.percent, N);
    return p;
}

MagneticPoint unbiasedPoint(const CoreMagnetics& core, double N) {
    MagneticPoint p;
    p.inductanceUh = inductanceUh(core, p.percent, N);
    return p;
}

std::optional<MagneticPoint> applicationPoint(const CoreMagnetics& core, Messages& messages,
                                              int application, double N, double amperes) {
    switch (application) {
        case kPowerline:
            return lineFrequencyPoint(core, messages, N, amperes);
        case kResonant:
            return unbiasedPoint(core, N);
        default:
            return dcBiasPoint(core, N, amperes);
    }
}

}  // namespace korvell
