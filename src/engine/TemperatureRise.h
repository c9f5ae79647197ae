// The program's temperature-rise rule, the one rule the search, the analysis and the second
// opinion use: a wound core in still air rises above ambient by
//   ΔT = factor × (total loss [mW] / wound surface [cm²])^exponent  °C,
// with the factor and exponent of the design parameters (TEMP RISE FACTOR and EXPONENT).
#pragma once

namespace korvell {

// Loss density at or below which a core does not warm at all, mW/cm²: the rule is a fit to
// measured rises and says nothing below it.
inline constexpr double kNoRiseLossDensityMwPerCm2 = 0.1;

// The rise in °C; 0 for a loss density of at most kNoRiseLossDensityMwPerCm2, and 0 without
// wound surface (a core that has not been wound).
double temperatureRiseC(double totalLossMw, double surfaceCm2, double factor, double exponent);

}  // namespace korvell
