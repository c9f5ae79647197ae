// Bare-diameter tolerance of round copper magnet wire, by gage system: how far a delivered wire's
// copper diameter may lie from its nominal one. The Monte Carlo yield draws each part's copper
// from it.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvell {

// ± percent of the nominal bare diameter for a wire of `bareInches` in gage system `system`
// (kMetricWire, kAwg, kSwg):
//   - AWG and SWG, wire named in inches: ASTM B3 (soft or annealed copper wire, the tolerance
//     that ASTM B258's standard AWG diameters are drawn to): ±1 % from 0.0100 in up, ±0.0001 in
//     below;
//   - metric, wire named in millimetres: IEC 60317-0-1 (enamelled round copper wire), conductor
//     tolerance in steps of 0.001 mm up to 0.600 mm, ±1 % above.
// 0 for a diameter that is not positive or an unknown system.
double wireDiameterTolerancePercent(std::int8_t system, double bareInches);

// The standard behind the tolerance of a gage system ("ASTM B3", "IEC 60317-0-1"); empty for an
// unknown system.
std::string_view wireToleranceSource(std::int8_t system);

}  // namespace korvell
