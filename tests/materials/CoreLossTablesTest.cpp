// Credibility of the loss, aging and price tables: every row is checked against the physics and
// against what the material selector tells the user about the materials.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "materials/CoreLoss.h"
#include "materials/CoreLossTables.h"
#include "materials/Materials.h"
#include "support/MaterialClaims.h"

namespace korvell {
namespace {

// n is stored to two decimals.
constexpr double kExponentRounding = 0.0051;
// "Similar" losses or characteristics: within these fractions.
constexpr double kSimilarCharacteristics = 0.25;
constexpr double kSimilarAtHighFrequency = 0.2;
constexpr double kAboutTenCents = 0.005;

const std::vector<std::string> kIronPowder = {"-11", "-13", "-16", "-17", "-21", "-22",
                                              "-23", "-24", "-25", "-27", "-29", "-31",
                                              "-32", "-36", "-37", "-39"};

// Initial permeabilities of the materials, the same in every table of the program.
const std::map<std::string, double> kPermeability = {
    {"-11", 10},  {"-13", 35}, {"-16", 14}, {"-17", 40}, {"-21", 75}, {"-22", 70},
    {"-23", 33},  {"-24", 55}, {"-25", 33}, {"-27", 46}, {"-29", 90}, {"-31", 60},
    {"-32", 100}, {"-36", 75}, {"-37", 46}, {"-39", 66}};

template <typename Row>
std::vector<std::string> codesOf(std::span<const Row> table) {
    std::vector<std::string> codes;
    for (const Row& row : table)
        codes.emplace_back(row.code);
    return codes;
}

// Log-spaced grid from lo to hi with `count` points.
std::vector<double> grid(double lo, double hi, int count) {
    std::vector<double> points;
    for (int i = 0; i < count; ++i)
        points.push_back(lo * std::pow(hi / lo, double(i) / (count - 1)));
    return points;
}

double density(const std::string& code, double f, double B) {
    return coreLossDensity(code, f, B);
}

TEST(CoreLossTables, RowsAreTheMaterialsInCatalogOrder) {
    EXPECT_EQ(codesOf(lossCoefficients()), kIronPowder);
    EXPECT_EQ(codesOf(agingCoefficients()), kIronPowder);
    EXPECT_EQ(codesOf(toroidPrices()),
              (std::vector<std::string>{"-11", "-13", "-16", "-17", "-21", "-23", "-25", "-27",
                                        "-29", "-31", "-32", "-36", "-37", "-39", "-411", "-413"}));
    EXPECT_EQ(codesOf(eCorePrices()),
              (std::vector<std::string>{"-11", "-13", "-17", "-21", "-23", "-25", "-27", "-31",
                                        "-36", "-37", "-39"}));
}

TEST(CoreLossTables, PublishedRowsAreExact) {
    const LossCoefficients& loss = *findRow(lossCoefficients(), "-11");
    EXPECT_EQ(loss.a, 4e9f);
    EXPECT_EQ(loss.b, 3e8f);
    EXPECT_EQ(loss.c, 2.7e6f);
    EXPECT_EQ(loss.d, 8e-15f);
    EXPECT_EQ(loss.n, 2.17f);
    const AgingCoefficients& aging = *findRow(agingCoefficients(), "-11");
    EXPECT_EQ(aging.p1, -11.7f);
    EXPECT_EQ(aging.p2, 0.0016f);
    EXPECT_EQ(aging.p3, 0.00016f);
    EXPECT_EQ(findRow(agingCoefficients(), "-37")->p1, -49.28f);
    EXPECT_EQ(findRow(agingCoefficients(), "-39")->p1, -49.28f);
    const PriceCoefficients& price = *findRow(toroidPrices(), "-11");
    EXPECT_EQ(price.b, 27.669006f);
    EXPECT_EQ(price.c, 1.8531344f);
    EXPECT_EQ(price.d, 0.005012684f);
}

TEST(CoreLossTables, LossGrowsWithFluxAndFrequencyForEveryRow) {
    for (const std::string& code : kIronPowder) {
        for (double f : grid(50, 2e6, 12)) {
            double previous = 0;
            for (double B : grid(1, 15000, 40)) {
                const double d = density(code, f, B);
                EXPECT_GT(d, previous) << code << " at " << f << " Hz, " << B << " G";
                previous = d;
            }
        }
        for (double B : grid(1, 15000, 12)) {
            double previous = 0;
            for (double f : grid(50, 2e6, 40)) {
                const double d = density(code, f, B);
                EXPECT_GT(d, previous) << code << " at " << f << " Hz, " << B << " G";
                previous = d;
            }
        }
    }
}

TEST(CoreLossTables, LossMagnitudesAreThoseOfIronPowder) {
    std::vector<double> lowMu, highMu;
    for (const std::string& code : kIronPowder) {
        // Iron powders at 100 kHz, 100 G lose roughly 5 to 100 mW/cm³; at line-filter duty
        // (1 kHz, 1000 G) some 10 to 40 mW/cm³.
        EXPECT_GE(density(code, 1e5, 100), 5) << code;
        EXPECT_LE(density(code, 1e5, 100), 100) << code;
        EXPECT_GE(density(code, 1e3, 1000), 10) << code;
        EXPECT_LE(density(code, 1e3, 1000), 40) << code;
        (kPermeability.at(code) >= 55 ? highMu : lowMu).push_back(density(code, 1e5, 100));
    }
    // Coarser, higher-permeability powders are on the whole the lossier ones.
    auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return sum / v.size();
    };
    EXPECT_GT(mean(highMu), 1.5 * mean(lowMu));
    EXPECT_GT(density("-21", 1e5, 100), 3 * density("-11", 1e5, 100));
}

TEST(CoreLossTables, AveragingExponentIsTheSlopeOfTheLossOverTheRippleRange) {
    // n is the mean log-slope of the density at 100 kHz between 150 and 1500 G, the window in
    // which the -11 row gives its published 2.17.
    for (const LossCoefficients& row : lossCoefficients()) {
        const std::string code(row.code);
        const double slope =
            std::log(density(code, 1e5, 1500) / density(code, 1e5, 150)) / std::log(10.0);
        EXPECT_NEAR(row.n, slope, kExponentRounding) << code;
        EXPECT_GE(row.n, 2.0f) << code;
        EXPECT_LE(row.n, 2.3f) << code;
    }
}

TEST(CoreLossTables, LossRankingBearsOutTheMaterialDescriptions) {
    const std::vector<double> fluxes = {50, 100, 300, 1000};
    for (double B : fluxes) {
        // The lowest loss at 100 kHz, within 5 %.
        EXPECT_TRUE(test::says("-13", "A good high frequency material"));
        double lowest = 1e300;
        for (const std::string& code : kIronPowder)
            lowest = std::min(lowest, density(code, 1e5, B));
        EXPECT_LE(density("-13", 1e5, B), 1.05 * lowest) << B;
        for (double f : {1e3, 1e5}) {
            EXPECT_TRUE(test::says("-17", "Low core loss similar to -13"));
            EXPECT_LT(density("-17", f, B), 1.5 * density("-13", f, B)) << f << " " << B;
            EXPECT_TRUE(test::says("-31", "Characteristics similar to -21"));
            EXPECT_NEAR(density("-31", f, B) / density("-21", f, B), 1.0, kSimilarCharacteristics)
                << f << " " << B;
        }
        for (double f : {1e5, 3e5, 1e6}) {
            EXPECT_TRUE(test::says("-36", "Lower core loss at high frequency"));
            EXPECT_TRUE(test::says("-32", "slightly higher core loses"));
            EXPECT_LT(density("-36", f, B), 0.85 * density("-21", f, B)) << f << " " << B;
            EXPECT_GT(density("-32", f, B), density("-36", f, B)) << f << " " << B;
            EXPECT_LT(density("-32", f, B), 1.3 * density("-36", f, B)) << f << " " << B;
            EXPECT_TRUE(test::says("-25", "high frequency core loss is not critical"));
            EXPECT_TRUE(test::says("-27", "high frequency core loss is not critical"));
            EXPECT_GT(density("-25", f, B), 1.5 * density("-13", f, B)) << f << " " << B;
            EXPECT_GT(density("-27", f, B), 1.5 * density("-13", f, B)) << f << " " << B;
            EXPECT_TRUE(test::says("-29", "best used at line frequency"));
            EXPECT_GT(density("-29", f, B), density("-21", f, B)) << f << " " << B;
        }
        EXPECT_TRUE(test::says(
            "-39", "Core losses are similar at highest frequencies and lower at low frequencies"));
        EXPECT_LT(density("-39", 1e3, B), 0.9 * density("-37", 1e3, B)) << B;
        EXPECT_NEAR(density("-39", 1e6, B) / density("-37", 1e6, B), 1.0, kSimilarAtHighFrequency)
            << B;
    }
}

const std::vector<double> kCatalogVolumes = grid(0.05, 500, 60);  // cm³

TEST(CoreLossTables, PriceRisesWithVolumeForEveryRow) {
    for (auto table : {toroidPrices(), eCorePrices()}) {
        for (const PriceCoefficients& row : table) {
            double previous = 0;
            for (double V : kCatalogVolumes) {
                const double price = (1 + row.c * V) / (row.b + row.d * V);
                EXPECT_GT(price, previous) << row.code << " at " << V;
                previous = price;
            }
            // Beyond the catalog the price keeps rising: c·b > d.
            EXPECT_GT(double(row.c) * row.b, row.d) << row.code;
        }
    }
}

TEST(CoreLossTables, PriceRankingBearsOutTheMaterialDescriptions) {
    for (std::int8_t shape : {std::int8_t{0}, std::int8_t{1}}) {
        const auto table = shape == 0 ? toroidPrices() : eCorePrices();
        for (double V : kCatalogVolumes) {
            EXPECT_TRUE(test::says("-31", "The least expensive material"));
            EXPECT_TRUE(test::says("-13", "Highest cost"));
            for (const PriceCoefficients& row : table) {
                const double price = corePrice(shape, row.code, V);
                if (row.code != "-31") {
                    EXPECT_GT(price, corePrice(shape, "-31", V)) << row.code << " " << V;
                }
                if (row.code != "-13") {
                    EXPECT_LT(price, corePrice(shape, "-13", V)) << row.code << " " << V;
                }
            }
            // "low cost" and "Inexpensive" materials cost less than the carbonyl -11.
            EXPECT_TRUE(test::says("-17", "low cost"));
            EXPECT_TRUE(test::says("-21", "cost effective"));
            EXPECT_TRUE(test::says("-23", "low cost"));
            EXPECT_TRUE(test::says("-25", "Inexpensive"));
            for (const char* cheap : {"-17", "-21", "-23", "-25"})
                EXPECT_LT(corePrice(shape, cheap, V), corePrice(shape, "-11", V))
                    << cheap << " " << V;
            EXPECT_TRUE(test::says("-37", "Less expensive than -39"));
            EXPECT_TRUE(test::says("-39", "Price competitive in small sizes"));
            EXPECT_LT(corePrice(shape, "-37", V), corePrice(shape, "-39", V)) << V;
            if (V <= 1) {
                EXPECT_LT(corePrice(shape, "-39", V), 1.1 * corePrice(shape, "-37", V)) << V;
            }
        }
    }
    EXPECT_NEAR(corePrice(0, "-11", 1.0), 0.10, kAboutTenCents);
}

TEST(CoreLossTables, ECoresCostAboutAsMuchAsToroidsOfEqualVolume) {
    for (const PriceCoefficients& row : eCorePrices()) {
        for (double V : grid(0.5, 500, 20)) {
            const double ratio = corePrice(1, row.code, V) / corePrice(0, row.code, V);
            EXPECT_GT(ratio, 0.5) << row.code << " " << V;
            EXPECT_LT(ratio, 2.0) << row.code << " " << V;
        }
    }
}

TEST(CoreLossTables, AgingRatesAreThoseOfBoundIronPowder) {
    // Representative core near 100 °C: 1 cm², 5 cm³, 500 G at 100 kHz, 2.5 W on 25.9 cm² of
    // surface (a 45 °C rise over 55 °C ambient with k = 1, x = 0.833).
    for (const AgingCoefficients& row : agingCoefficients()) {
        const std::string code(row.code);
        // The rate must rise with temperature over the whole working range.
        EXPECT_GT(2 * row.p3 * 25 + row.p2, 0) << code;
        const AgingInputs core{code, 500, 1e5, 1, 55, 2500, 25.9, 5, 1, 0.833};
        const double t115 = agingLife(AgingFigure::TimeTo115Percent, core);
        const double life = agingLife(AgingFigure::LifeLimit, core);
        // The materials the table groups as not aging are the ones whose rows do not age.
        if (materialIn(code, kNegligibleAgingMaterial)) {
            EXPECT_EQ(row.p1, -49.28f);
            EXPECT_EQ(t115, 300000) << code;
            EXPECT_EQ(life, 1e8) << code;
            continue;
        }
        EXPECT_GE(t115, 1e3) << code;
        EXPECT_LE(t115, 1e7) << code;
        EXPECT_GT(life, t115) << code;
    }
}

TEST(CoreLossTables, CoarserPowdersAgeFaster) {
    // The aging rate constant follows the particle size, as the eddy coefficient d does.
    std::vector<std::pair<float, float>> dAndP1;
    for (const AgingCoefficients& row : agingCoefficients()) {
        if (row.code == "-37" || row.code == "-39") continue;
        dAndP1.emplace_back(findRow(lossCoefficients(), row.code)->d, row.p1);
    }
    std::sort(dAndP1.begin(), dAndP1.end());
    for (std::size_t i = 1; i < dAndP1.size(); ++i)
        EXPECT_GE(dAndP1[i].second, dAndP1[i - 1].second) << "d = " << dAndP1[i].first;
}

}  // namespace
}  // namespace korvell
