// Proximity-effect correction factors of a single-layer toroidal winding: K1 for the neighbouring
// turns, K2 for the core.
#pragma once

#include <array>

namespace korvell {

constexpr int kK1Rows = 13;
constexpr int kK1Columns = 17;
constexpr int kK2MaxRows = 5;
constexpr int kK2Columns = 15;

// K1: rows by wire diameter / skin depth, columns by pitch / wire diameter 1.0 to 5.0 in 0.25
// steps.
extern const std::array<float, kK1Rows> kK1DiaDepthAxis;
extern const std::array<std::array<float, kK1Columns>, kK1Rows> kProximityK1;

// K2: rows by spacing (insulation plus clearance, in wire diameters), columns by wire
// diameter / skin depth.
extern const std::array<float, kK2MaxRows> kK2SpacingAxis;
extern const std::array<float, kK2Columns> kK2DiaDepthAxis;

struct ProximityK2Table {
    int rows;  // 4 or 5: the first `rows` points of the spacing axis
    std::array<std::array<float, kK2Columns>, kK2MaxRows> k;
};

// Pitch / wire diameter bands of K2: below 1.22, 1.22 to below 1.6, 1.6 and above.
constexpr int kK2PitchBands = 3;
// kProximityK2[0]: core permeability above 20; kProximityK2[1]: 20 or less.
extern const std::array<std::array<ProximityK2Table, kK2PitchBands>, 2> kProximityK2;

}  // namespace korvell
