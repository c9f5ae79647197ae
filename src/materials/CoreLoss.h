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

// Core loss (mW) of a core of `volume` at fKhz and B, computed with the material's loss
// equivalent on its losing share of the volume (a composite loses as -36 on part of it; see
// lossEquivalent). For the power factor boost application the flux is halved and the loss
// averaged over the line cycle with pfcVoltageRatio. 0 when fKhz or B is 0 (checked first), the
// material is unknown or the volume is not above 0.
double coreLoss(std::string_view material, double volume, double fKhz, double B,
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

// The core and operating point whose aging is computed. A composite ages as its loss
// equivalent on its losing share of the volume (see lossEquivalent).
struct AgingInputs {
    std::string_view material;
    double fluxGauss = 0;     // B, peak AC flux density
    double frequencyHz = 0;   // f
    double aeCm2 = 0;         // magnetic cross-section
    double ambientC = 0;      // ta
    double lossMw = 0;        // p0, the initial total loss, core plus copper
    double surfaceCm2 = 0;    // s, wound surface
    double volumeCm3 = 0;     // v, core volume
    double riseFactor = 0;    // k, the temperature-rise factor
    double riseExponent = 0;  // x, the temperature-rise exponent
};

// Integrates the aging feedback up to time t (hours). A record of zeros for an unknown material.
AgingState agingState(const AgingInputs& inputs, double t);

// The two figures of the analysis: hours to a 15 % rise of the core loss, and the life limit,
// the hours until the thermal feedback gain reaches 1. Negligible aging (and no loss to age)
// gives the stand-ins 300000 h and 1e8 h.
enum class AgingFigure { TimeTo115Percent, LifeLimit };
double agingLife(AgingFigure figure, const AgingInputs& inputs);

// The 32 (time, value) samples of the graphs: loss increase (mW), core temperature (°C), that
// temperature limited to 250 °C, or the feedback gain. All zeros when there is no loss to age.
using AgingCurvePoints = std::array<std::pair<float, float>, 32>;
enum class AgingCurveKind { LossIncrease, Temperature, LimitedTemperature, Gain };
void agingCurve(AgingCurveKind kind, const AgingInputs& inputs, AgingCurvePoints& out);

// Whether the aging is negligible (no loss to age, or a 1 % loss increase takes 30000 hours or
// more), so that agingLife's two figures are stand-ins, not times.
bool agingNegligible(const AgingInputs& inputs);

}  // namespace korvell
