// Core loss, core price and thermal aging models of the powder materials.
// Units: B peak flux density in gauss, f in Hz unless named kHz, loss in mW, density in
// mW/cm³, volume in cm³, area in cm², temperature in °C, time in hours, price in US dollars.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace korvell {

// Loss density (mW/cm³) at frequency f (Hz) and flux density B; 0 for an unknown material.
double coreLossDensity(std::string_view material, double f, double B);

// Core loss (mW) of a core of `volume` at fKhz and B. A composite core (shape 2) is computed as
// material -36 with a reduced volume, and `material` is rewritten to "-36" for the caller.
// For the power factor boost application the flux is halved and the loss averaged over the
// line cycle with pfcVoltageRatio. 0 when fKhz or B is 0 (checked first), the material is
// unknown or the volume is not above 0.
double coreLoss(std::int8_t shape, std::string& material, double volume, double fKhz, double B,
                std::int8_t applicationType, double pfcVoltageRatio);

// Averaging factor of the boost converter's ripple over half a line cycle (callers pass 12 steps).
double pfcLossFactor(double r, double n, int steps);

// Price (US dollars) of a core of `volume` cm³; -1 when the material has no price row for the
// shape.
double corePrice(std::int8_t shape, std::string_view material, double volume);

// State of the aging feedback at a time (hours).
struct AgingState {
    double time = 0;         // hours
    double deltaP = 0;       // loss increase, mW
    double temperature = 0;  // core temperature, °C
    double gain = 0;         // thermal feedback gain, dimensionless
};

// Integrates the aging feedback up to time t. B peak AC flux density, f Hz, ae cm², ta ambient
// °C, p0 initial total loss mW, s wound surface cm², v core volume cm³, k and x the temperature
// rise factor and exponent. A record of zeros for an unknown material.
AgingState agingState(std::string_view material, double t, double B, double f, double ae, double ta,
                      double p0, double s, double v, double k, double x);

using AgingCurvePoints = std::array<std::pair<float, float>, 32>;

// Mode 1: hours to 115 % core loss; mode 2: life limit (hours); modes 10-13 fill `out` with 32
// (time, value) points of loss increase, temperature, temperature limited to 250 °C, or gain,
// and return 31. Any other mode returns 31. Negligible aging (and p0 <= 0, no loss to age)
// gives 300000 h and 1e8 h.
double agingLife(int mode, AgingCurvePoints* out, std::string_view material, double B, double f,
                 double ae, double ta, double p0, double s, double v, double k, double x);

// Whether agingLife finds the aging negligible for these arguments (no loss to age, or a 1 %
// loss increase takes 30000 hours or more), so that its two figures are stand-ins, not times.
bool agingNegligible(std::string_view material, double B, double f, double ae, double ta, double p0,
                     double s, double v, double k, double x);

}  // namespace korvell
