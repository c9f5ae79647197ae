// The physical constants and unit conversions of the program, each defined once, with its units
// and where it comes from. Where the design rules compute with a rounded value (3.14159 for π,
// 1.256636 for 0.4 π), that value has a name of its own ending in "AsUsed", so that the figures
// the program has always given stay as they were and nobody mistakes the rounding for physics.
#pragma once

#include <numbers>

namespace korvell {

// π to full double precision.
inline constexpr double kPi = std::numbers::pi;
// π as the winding, AC-resistance and PFC-averaging rules write it.
inline constexpr double kPiAsUsed = 3.14159;

// Magnetic constant µ0, H/m: 4π × 10⁻⁷ (the 2019 SI value differs by less than 1 part in 10⁹).
inline constexpr double kMu0 = 4e-7 * kPi;
// 0.4 π, oersted per (ampere-turn per cm): H [Oe] = 0.4 π N I / le [cm].
inline constexpr double kFourPiTenths = 0.4 * kPi;
// 0.4 π as the screening, the analysis and the inductance graph write it.
inline constexpr double kFourPiTenthsAsUsed = 1.256636;

// Lengths and areas: the inch is 2.54 cm exactly.
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kMmPerInch = 25.4;
inline constexpr double kSquareInchToCm2 = 6.4516;  // 2.54²
// A circular mil is the area of a circle one mil (0.001 in) across: π/4 × 10⁻⁶ square inch.
inline constexpr double kSquareInchesPerCircularMil = kPi / 4 * 1e-6;
// A round wire of d inches has d² × 10⁶ circular mils: the square of the diameter in square
// inches per circular mil of area.
inline constexpr double kDiameterSquaredPerCircularMil = 1e-6;

// Annealed copper (International Annealed Copper Standard, IEC 60028): resistivity at 20 °C,
// Ω·m, and the temperature coefficient α20 = 0.00393 /K, whose inverse puts copper's
// resistance at zero 1/α20 − 20 = 234.45 °C below 0 °C. The winding rules take 234.4, so that
// R(T) = R20 × (234.4 + T) / 254.4; the second opinion takes the same.
inline constexpr double kCopperResistivity20C = 1.7241e-8;
inline constexpr double kCopperReferenceC = 20;
inline constexpr double kCopperZeroResistanceC = 234.4;
// Resistance of annealed copper wire at 20 °C, Ω per foot of one circular mil (1.7241e-8 Ω·m
// is 10.371 Ω·cmil/ft).
inline constexpr double kCopperOhmCmilPerFoot = 10.371;

// Skin depth of copper as the AC-resistance rules take it: δ = 7.1 cm / √f[Hz], the depth of
// copper at about 60 °C (6.61 cm / √f at 20 °C), in inches.
inline constexpr double kCopperSkinDepthInchRootHzAsUsed = 7.1 / 2.54;

// Grams in a pound, as the analysis weighs cores and wire.
inline constexpr double kGramsPerPound = 453.6;

}  // namespace korvell
