#include "engine/AcResistance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/AcResistanceTables.h"
#include "materials/WireTable.h"
#include "platform/PhysicalConstants.h"

namespace korvell {

namespace {

// Index of the axis point nearest to x among the first `count`: advance while the midpoint to
// the next point is below x (or not above it, when `advanceOnMidpoint`). NaN stays at 0.
template <std::size_t N>
int nearestAxisPoint(const std::array<float, N>& axis, int count, double x,
                     bool advanceOnMidpoint) {
    int i = 0;
    while (i + 1 < count) {
        const double midpoint = 0.5 * (static_cast<double>(axis[i]) + axis[i + 1]);
        if (!(advanceOnMidpoint ? midpoint <= x : midpoint < x)) break;
        ++i;
    }
    return i;
}

}  // namespace

double skinEffectTerm(double x) {
    if (!(x > 1e-8)) return 0.0;
    if (std::isinf(x)) return x;
    double ratio;  // (sinh x + sin x) / (cosh x − cos x)
    if (x < 2.0) {
        // cosh x − cos x = 2 (sinh²(x/2) + sin²(x/2)), free of cancellation for small x.
        const double sh = std::sinh(0.5 * x);
        const double s = std::sin(0.5 * x);
        ratio = (std::sinh(x) + std::sin(x)) / (2.0 * (sh * sh + s * s));
    } else {
        // Numerator and denominator scaled by 2e^−x, free of overflow for large x.
        const double e = std::exp(-x);
        ratio = (1.0 - e * e + 2.0 * e * std::sin(x)) / (1.0 + e * e - 2.0 * e * std::cos(x));
    }
    return std::max(0.0, 0.5 * x * ratio - 1.0);
}

double windingSpacing(float wireDia, float wireBareDia, float coreOd) {
    const double clearance = coreOd > 0.259f ? 0.003 : 0.001;
    return ((static_cast<double>(wireDia) - wireBareDia) * 0.5 + clearance) / wireBareDia;
}

float proximity_k1(float pitchDia, float diaDepth) {
    const int row = nearestAxisPoint(kK1DiaDepthAxis, kK1Rows, diaDepth, true);
    int column = 0;
    if (pitchDia > 1.0f) {
        const double steps = std::trunc((static_cast<double>(pitchDia) - 1.0) / 0.25);
        column = steps >= kK1Columns - 1 ? kK1Columns - 1 : static_cast<int>(steps);
    }
    return kProximityK1[row][column];
}

float proximity_k2(float permeability, float pitchDia, float spacing, float diaDepth) {
    const int band = pitchDia < 1.22f ? 0 : pitchDia < 1.6f ? 1 : 2;
    const ProximityK2Table& table = kProximityK2[permeability > 20.0f ? 0 : 1][band];
    const int row = nearestAxisPoint(kK2SpacingAxis, table.rows, spacing, false);
    const int column = nearestAxisPoint(kK2DiaDepthAxis, kK2Columns, diaDepth, false);
    return table.k[row][column];
}

float calc_ac_res_Fr(DesignRecord& record, float gage, float frequencyKhz,
                     [[maybe_unused]] int report) {
    const double f = frequencyKhz;
    // Compared with the float 0.01 so that a product the user reads as 0.01 is not below it.
    if (!(static_cast<double>(gage) * f >= 0.01f) || !(f > 0) || !std::isfinite(f)) return 1.0f;
    if (wireTableLookup(record, record.wireGageSystem, kByGage, gage) != 1) return 1.0f;

    const double bare = record.wireBareDia;
    const double conductors = static_cast<double>(record.turns) * record.wireStrands;
    if (!(conductors > 0) || !std::isfinite(conductors)) return 1.0f;

    const double skinDepth = kCopperSkinDepthInchRootHzAsUsed / std::sqrt(1000.0 * f);
    const double diaDepth = bare / skinDepth;
    const double skin = skinEffectTerm(1.768 * bare / (skinDepth + 0.0001));
    const double spacing = windingSpacing(record.wireDia, record.wireBareDia, record.coreOd);

    double fr = 1.0;
    for (const double diameter :
         {static_cast<double>(record.coreId), static_cast<double>(record.coreOd)}) {
        // A surface without a diameter (no toroid data) carries no turns to add loss.
        if (!(diameter > 0) || !std::isfinite(diameter)) continue;
        // Circumference shared by all conductors, in wire diameters.
        double pitch = kPiAsUsed * diameter / (bare * conductors);
        if (pitch > 5.0) pitch = 5.0;
        const double k1 = proximity_k1(static_cast<float>(pitch), static_cast<float>(diaDepth));
        const double k2 = proximity_k2(record.corePerm, static_cast<float>(pitch),
                                       static_cast<float>(spacing), static_cast<float>(diaDepth));
        fr += 0.5 * skin / pitch * k1 * k2;
    }
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(fr < kLargest ? fr : kLargest);
}

}  // namespace korvell
