#include "materials/CoreLoss.h"

#include <cmath>

#include "materials/CoreLossTables.h"

namespace korvell {

// F / (a/B³ + b/B^2.3 + c/B^1.65) + d·(B·F)² in mW/cm³; 0 at zero flux or frequency or for an
// unknown material.
double coreLossDensity(std::string_view material, double f, double B) {
    const LossCoefficients* row = findRow(lossCoefficients(), material);
    if (row == nullptr) return 0;
    const double F = std::fabs(f);
    const double b = std::fabs(B);
    if (F == 0 || b == 0) return 0;
    const double perCycle =
        1.0 / (row->a / (b * b * b) + row->b / std::pow(b, 2.3) + row->c / std::pow(b, 1.65));
    return F * perCycle + row->d * (b * F) * (b * F);
}

}  // namespace korvell
