// Loss, aging and price coefficients of the powder materials.
#include "materials/CoreLossTables.h"

#include <array>

namespace korvell {
namespace {

// Provisional rows scaled from the -11 row; refined by tools/derive_loss_tables.py.
constexpr std::array<LossCoefficients, 16> kLoss{{
    {"-11", 4e9f, 3e8f, 2.7e6f, 8e-15f, 2.17f},
    {"-13", 4.4e9f, 3.3e8f, 2.97e6f, 1.2e-14f, 2.17f},
    {"-16", 3.6e9f, 2.7e8f, 2.43e6f, 1.2e-14f, 2.17f},
    {"-17", 3.6e9f, 2.7e8f, 2.43e6f, 2.5e-14f, 2.17f},
    {"-21", 1e9f, 7.5e7f, 6.75e5f, 2.5e-13f, 2.17f},
    {"-22", 8.8e8f, 6.6e7f, 5.94e5f, 3e-13f, 2.17f},
    {"-23", 1.2e9f, 9e7f, 8.1e5f, 1.5e-13f, 2.17f},
    {"-24", 1.12e9f, 8.4e7f, 7.56e5f, 2e-13f, 2.17f},
    {"-25", 1.8e9f, 1.35e8f, 1.215e6f, 8e-14f, 2.17f},
    {"-27", 1.6e9f, 1.2e8f, 1.08e6f, 1e-13f, 2.17f},
    {"-29", 7.2e8f, 5.4e7f, 4.86e5f, 4e-13f, 2.17f},
    {"-31", 9.2e8f, 6.9e7f, 6.21e5f, 2.8e-13f, 2.17f},
    {"-32", 1.2e9f, 9e7f, 8.1e5f, 1.5e-13f, 2.17f},
    {"-36", 1.4e9f, 1.05e8f, 9.45e5f, 1.2e-13f, 2.17f},
    {"-37", 1.2e9f, 9e7f, 8.1e5f, 1.3e-13f, 2.17f},
    {"-39", 1.6e9f, 1.2e8f, 1.08e6f, 1.4e-13f, 2.17f},
}};

}  // namespace

std::span<const LossCoefficients> lossCoefficients() {
    return kLoss;
}
std::span<const AgingCoefficients> agingCoefficients() {
    return {};
}
std::span<const PriceCoefficients> toroidPrices() {
    return {};
}
std::span<const PriceCoefficients> eCorePrices() {
    return {};
}

}  // namespace korvell
