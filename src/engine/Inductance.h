// The inductance of a winding on a core, computed one way for the whole program: the screening
// solves its turns with it, the analysis reports it, the tolerance studies scale its Al.
//   L [µH] = Al [nH/turn²] × P / 100 × N² / 1000,
// P the percent of initial permeability at the winding's operating point.
#pragma once

#include <optional>
#include <string_view>

#include "platform/Messages.h"

namespace korvell {

// The magnetics of a core (the whole stack): its material, initial permeability (the DC-bias
// curves are read with it), Al in nH/turn², cross-section in cm² and path length in cm.
struct CoreMagnetics {
    std::string_view material;
    int initialPermeability = 0;
    double al = 0;
    double ae = 0;
    double le = 0;
};

// An operating point of N turns on the core.
struct MagneticPoint {
    double percent = 100;         // percent of initial permeability
    double biasOe = 0;            // DC magnetizing force H
    double initialFluxGauss = 0;  // line frequency: peak flux at initial permeability
    double inductanceUh = 0;
};

// Under DC bias (DC-biased, swinging and PFC chokes): H = 0.4π N I / le (0 without a path
// length), P the material's DC-bias curve at H. None where the material has no curve there.
std::optional<MagneticPoint> dcBiasPoint(const CoreMagnetics& core, double N, double amperes);

// Peak flux density (gauss) of the rms current at initial permeability: √2 N I Al / Ae × 0.1.
double initialPeakFluxGauss(const CoreMagnetics& core, double N, double rmsAmperes);

// At line frequency (powerline chokes): the peak flux of the rms current at initial
// permeability, B0 = √2 N I Al / Ae × 0.1 gauss, and P at the AC operating point it settles to
// (calc_pct_perm_ac, whose message a material without AC data shows). None without it.
std::optional<MagneticPoint> lineFrequencyPoint(const CoreMagnetics& core, Messages& messages,
                                                double N, double rmsAmperes);

// Without bias (resonant inductors): P = 100.
MagneticPoint unbiasedPoint(const CoreMagnetics& core, double N);

// The point of an application: DC bias for the DC-biased, swinging and PFC chokes, line
// frequency for the powerline choke, none for the resonant inductor.
std::optional<MagneticPoint> applicationPoint(const CoreMagnetics& core, Messages& messages,
                                              int application, double N, double amperes);

}  // namespace korvell
