// Constant per-material tables of the core loss, aging and price models. Rows are found by exact
// comparison of the material code, first match.
#pragma once

#include <span>
#include <string_view>

namespace korvell {

// density (mW/cm³) = F / (a/B³ + b/B^2.3 + c/B^1.65) + d·(B·F)², F in Hz, B in gauss;
// n is the flux-density exponent of the power factor boost averaging.
struct LossCoefficients {
    std::string_view code;
    float a;
    float b;
    float c;
    float d;
    float n;
};

// Aging rate exponent: ln(rate) = p1 + T·(p3·T + p2), T in °C.
struct AgingCoefficients {
    std::string_view code;
    float p1;
    float p2;  // 1/°C
    float p3;  // 1/°C²
};

// price (US dollars) = (1 + c·V) / (b + d·V), V in cm³.
struct PriceCoefficients {
    std::string_view code;
    float b;
    float c;
    float d;
};

std::span<const LossCoefficients> lossCoefficients();    // 16 iron-powder rows
std::span<const AgingCoefficients> agingCoefficients();  // 16 iron-powder rows
std::span<const PriceCoefficients> toroidPrices();       // toroids and composites, 16 rows
std::span<const PriceCoefficients> eCorePrices();        // E-cores, 11 rows

// First row of `table` whose code equals `material`; nullptr when there is none.
template <typename Row>
const Row* findRow(std::span<const Row> table, std::string_view material) {
    for (const Row& row : table)
        if (row.code == material) return &row;
    return nullptr;
}

}  // namespace korvell
