// Permeability models of the powder materials: percent of initial permeability under DC bias
// (magnetizing force H, oersted), under AC excitation (peak flux density B, gauss) and the
// effective permeability against frequency (hertz), with the AC operating-point solver.
#pragma once

#include <optional>
#include <string_view>

#include "materials/Materials.h"
#include "platform/Messages.h"

namespace korvell {

// A percent permeability (100 = unchanged) and its slope, in percent per oersted or per gauss.
struct PermPoint {
    double percent;
    double slope;
};

// Percent permeability and slope at DC bias H (oersted). `material` is a material code, read as
// its leading dashes and digits ("-21", "-13/91" as "-13", "-411A" as "-411"), or a class name
// ("MPP", "HIF", case-insensitive; "PFE" is known but has no curves), in which
// case `permeability` picks the class row; the caller's text is left as it is. None for H < 0
// or an unknown material or row.
std::optional<PermPoint> pctPermDcBias(std::string_view material, int permeability, double H);

// Percent permeability and slope at peak AC flux density B (gauss), with the saturation model
// above the fit's range. None for B < 0 or a material without an AC curve.
std::optional<PermPoint> pctPermAcFlux(std::string_view material, double B);

// AC operating point of a winding: solves B = B0 * percent(B) / 100, where B0 is the flux density
// at initial permeability. None (and the "unrecognized material" message) for a material
// without saturation data.
std::optional<PermPoint> calc_pct_perm_ac(Messages& messages, double B0, std::string_view material);

// Effective (absolute) permeability at frequency f (Hz); 0 for a material without a curve.
double permeabilityVsFrequency(std::string_view material, double f);

}  // namespace korvell
