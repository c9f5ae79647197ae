// Core loss, power factor boost averaging and core price of the powder materials.
#include "materials/CoreLoss.h"

#include <cmath>

#include "materials/CoreLossTables.h"
#include "materials/Materials.h"
#include "platform/PhysicalConstants.h"

namespace korvell {
namespace {

constexpr std::int8_t kToroidShape = 0;
constexpr std::int8_t kECoreShape = 1;
constexpr std::int8_t kCompositeShape = 2;  // priced as toroids
constexpr std::int8_t kPowerFactorBoostApplication = 3;
constexpr int kPfcSteps = 12;
// Ceiling on loss results, so that absurd operating points stay finite even in a float field.
constexpr double kMaxLossMw = 1e30;

// NaN (from NaN arguments) becomes 0, anything above the ceiling the ceiling.
double limitLoss(double loss) {
    if (std::isnan(loss)) return 0;
    return loss < kMaxLossMw ? loss : kMaxLossMw;
}

// F / (a/B³ + b/B^2.3 + c/B^1.65) + d·(B·F)², mW/cm³, with F and B taken by magnitude.
double densityOf(const LossCoefficients& row, double f, double B) {
    const double F = std::fabs(f);
    const double b = std::fabs(B);
    if (F == 0 || b == 0) return 0;
    const double reciprocal =
        row.a / (b * b * b) + row.b / std::pow(b, 2.3) + row.c / std::pow(b, 1.65);
    const double hysteresis = reciprocal > 0 ? F / reciprocal : kMaxLossMw;
    return limitLoss(hysteresis + row.d * (b * F) * (b * F));
}

}  // namespace

// Loss density in mW/cm³ at f (Hz) and B (gauss); 0 for an unknown material.
double coreLossDensity(std::string_view material, double f, double B) {
    const LossCoefficients* row = findRow(lossCoefficients(), material);
    return row == nullptr ? 0 : densityOf(*row, f, B);
}

// volume × share × factor × density(1000·fKhz, B), mW; B halved and factor = pfcLossFactor for
// the power factor boost.
double coreLoss(std::string_view material, double volume, double fKhz, double B,
                std::int8_t applicationType, double pfcVoltageRatio) {
    if (fKhz == 0 || B == 0) return 0;
    const LossEquivalent equivalent = lossEquivalent(material);
    volume *= equivalent.volumeShare;
    const LossCoefficients* row = findRow(lossCoefficients(), equivalent.code);
    if (row == nullptr || !(volume > 0)) return 0;
    double factor = 1;
    if (applicationType == kPowerFactorBoostApplication) {
        B /= 2;
        factor = pfcLossFactor(pfcVoltageRatio, row->n, kPfcSteps);
    }
    return limitLoss(volume * factor * densityOf(*row, 1000 * fKhz, B));
}

// Σ (4r·sin θ·(1 − r·sin θ))^n · Δθ / 3.14159 over θ = i·Δθ, i = 1 … steps, Δθ = 3.14159/steps.
// The ripple term is taken as 0 where it would be negative (r > 1: the boost stage does not
// switch) so that the power stays defined. 0 for steps < 1.
double pfcLossFactor(double r, double n, int steps) {
    if (steps < 1) return 0;
    const double step = kPiAsUsed / steps;
    double sum = 0;
    for (int i = 1; i <= steps; ++i) {
        const double theta = i * step;
        const double ripple = 4 * r * std::sin(theta) + 2 * r * r * (std::cos(2 * theta) - 1);
        if (ripple > 0) sum += std::pow(ripple, n) * step;
    }
    return limitLoss(sum / kPiAsUsed);
}

// (1 + c·V) / (b + d·V) dollars from the toroid table (shapes 0 and 2) or the E-core table
// (shape 1); a volume below 0 is priced as 0. −1 when the shape or the material has no row.
double corePrice(std::int8_t shape, std::string_view material, double volume) {
    std::span<const PriceCoefficients> table;
    if (shape == kToroidShape || shape == kCompositeShape)
        table = toroidPrices();
    else if (shape == kECoreShape)
        table = eCorePrices();
    else
        return -1;
    const PriceCoefficients* row = findRow(table, material);
    if (row == nullptr) return -1;
    const double V = volume > 0 ? volume : 0;
    if (V > 1) return (1 / V + row->c) / (row->b / V + row->d);  // the same, without overflow
    return (1 + row->c * V) / (row->b + row->d * V);
}

}  // namespace korvell
