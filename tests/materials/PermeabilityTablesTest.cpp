// Properties every row of the permeability tables must have, and the claims the material
// selector makes about the materials.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "materials/Permeability.h"
#include "materials/PermeabilityTables.h"
#include "support/MaterialClaims.h"

namespace korvell {
namespace {

const std::vector<std::string> kIronPowders = {"-11", "-13", "-16", "-17", "-21", "-22",
                                               "-23", "-24", "-25", "-27", "-29", "-31",
                                               "-32", "-36", "-37", "-39"};

// One initial permeability per material, shared with the catalog.
const std::map<std::string, float> kInitialPermeability = {
    {"-11", 10},  {"-13", 35}, {"-16", 14}, {"-17", 40}, {"-21", 75},  {"-22", 70},
    {"-23", 33},  {"-24", 55}, {"-25", 33}, {"-27", 46}, {"-29", 90},  {"-31", 60},
    {"-32", 100}, {"-36", 75}, {"-37", 46}, {"-39", 66}, {"-411", 50}, {"-413", 60}};

// A curve may wiggle by this much (percent) where it should be monotonic: single-precision
// coefficients.
constexpr double kMonotonicSlack = 1e-4;

std::vector<double> logGrid(double lo, double hi, int n) {
    std::vector<double> x;
    for (int i = 0; i < n; ++i)
        x.push_back(lo * std::pow(hi / lo, double(i) / (n - 1)));
    return x;
}

double dcPercent(std::string_view code, double H) {
    return pctPermDcBias(code, 0, H)->percent;
}

// Bias (Oe) at which half the initial permeability is left, by bisection on a falling curve.
double halfBias(std::string_view material, int permeability) {
    double lo = 0.1, hi = 1e6;
    for (int i = 0; i < 200; ++i) {
        const double mid = std::sqrt(lo * hi);
        (pctPermDcBias(material, permeability, mid)->percent > 50 ? lo : hi) = mid;
    }
    return lo;
}

double frequencyHalf(const FrequencyCurveRow& row) {
    return std::pow(row.a / row.b, 1 / row.p);
}

// A DC-bias curve that starts at full permeability and never rises, up to 100000 Oe.
void expectFalling(std::string_view material, int permeability) {
    EXPECT_GE(pctPermDcBias(material, permeability, 0.1)->percent, 99.9) << material;
    double previous = 1e9;
    for (const double H : logGrid(0.1, 1e5, 400)) {
        const auto point = pctPermDcBias(material, permeability, H);
        ASSERT_TRUE(point && point->percent > 0) << material << permeability << " at " << H;
        EXPECT_LE(point->percent, previous + kMonotonicSlack)
            << material << permeability << " at " << H;
        previous = point->percent;
    }
}

TEST(PermeabilityTables, RowsFollowTheMaterialOrderAndForms) {
    const std::string form7021 = " -11 -13 -16 -17 -21 -31 -37 -39 ";
    for (std::size_t i = 0; i < kIronPowders.size(); ++i) {
        const auto& code = kIronPowders[i];
        EXPECT_EQ(dcBiasCurves[i].code, code);
        EXPECT_EQ(dcBiasCurves[i].form, 7143);
        EXPECT_EQ(saturationData[i].code, code);
        EXPECT_EQ(acFluxCurves[i].code, code);
        const bool is7021 = form7021.find(" " + code + " ") != std::string::npos;
        EXPECT_EQ(acFluxCurves[i].form, is7021 ? 7021 : 7051) << code;
    }
    EXPECT_EQ(dcBiasCurves[16].code, "-411");
    EXPECT_EQ(dcBiasCurves[17].code, "-413");
    EXPECT_EQ(dcBiasCurves[16].form, 145);
    EXPECT_EQ(dcBiasCurves[17].form, 145);

    std::vector<int> keys, forms;
    for (const auto& row : mppDcBiasCurves)
        keys.push_back(row.permeability);
    EXPECT_EQ(keys, (std::vector<int>{14, 26, 60, 60, 125, 147, 160, 173, 200, 300, 550}));
    keys.clear();
    for (const auto& row : highFluxDcBiasCurves) {
        keys.push_back(row.permeability);
        forms.push_back(row.form);
    }
    EXPECT_EQ(keys, (std::vector<int>{14, 26, 60, 125, 160}));
    EXPECT_EQ(forms, (std::vector<int>{7111, 7113, 7003, 7113, 7113}));
}

TEST(PermeabilityTables, PublishedRowsAreKeptVerbatim) {
    const std::array<float, 5> dc11 = {10000, 0.000613f, 5.22f, 3.51e-6f, 0.00464f};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dcBiasCurves[0].c[i], dc11[i]);
    for (int i = 5; i < 11; ++i)
        EXPECT_EQ(dcBiasCurves[0].c[i], 0);
    const std::array<float, 5> ac13 = {9990, 0.000452f, 11.4f, 8.82e-9f, -0.000829f};
    EXPECT_EQ(acFluxCurves[1].c, ac13);
    EXPECT_EQ(initialPermeability("-13"), 35.0f);
    EXPECT_EQ(saturationData[1].bMax, 13964);
    EXPECT_EQ(saturationData[1].k2, 0.2901f);
    for (const int i : {0, 2}) {  // -11 and -16
        EXPECT_EQ(saturationData[i].bMax, 10000);
        EXPECT_EQ(saturationData[i].k2, 0.1f);
    }
    EXPECT_EQ(acFluxCurves[0].c, acFluxCurves[2].c);  // -11 and -16 share their AC curve
    EXPECT_EQ(frequencyCurves[0].a, 0.11111111f);
    EXPECT_EQ(frequencyCurves[0].b, 7.01213e-11f);
    EXPECT_EQ(frequencyCurves[0].p, 0.9f);
    EXPECT_EQ(frequencyCurves[0].c, 1.0f);
}

TEST(PermeabilityTables, OneInitialPermeabilityPerMaterial) {
    for (const auto& [code, mu] : kInitialPermeability) {
        EXPECT_EQ(initialPermeability(code), mu) << code;
    }
    // The frequency curves start at the same permeability.
    for (const auto& row : frequencyCurves) {
        const double mu = kInitialPermeability.at(std::string(row.code));
        EXPECT_NEAR(permeabilityVsFrequency(row.code, 1000), mu, 0.001 * mu) << row.code;
        EXPECT_NEAR(1 / row.a + row.c, mu, 1e-4 * mu) << row.code;
    }
}

TEST(PermeabilityTables, SelectorDescriptionsHold) {
    auto mu = [](const char* code) { return *initialPermeability(code); };
    const std::vector<std::string> selectable = {"-11", "-13", "-16", "-17", "-21", "-23", "-25",
                                                 "-27", "-29", "-31", "-32", "-36", "-37", "-39"};
    EXPECT_TRUE(test::says("-32", "The highest permeability material."));
    for (const auto& code : kInitialPermeability) {
        if (code.first != "-32") {
            EXPECT_LT(code.second, mu("-32")) << code.first;
        }
    }
    EXPECT_TRUE(test::says("-29", "A higher permeability alternate to -21"));
    EXPECT_GT(mu("-29"), mu("-21"));
    EXPECT_TRUE(test::says("-36", "same permeability as -21"));
    EXPECT_EQ(mu("-36"), mu("-21"));
    EXPECT_TRUE(test::says("-39", "Higher permeabililty than -37"));
    EXPECT_GT(mu("-39"), mu("-37"));
    EXPECT_TRUE(test::says("-17", "similar to -13 with higher permeability"));
    EXPECT_GT(mu("-17"), mu("-13"));
    EXPECT_TRUE(test::says("-11", "Low permeability"));
    EXPECT_TRUE(test::says("-16", "Low permeability"));
    EXPECT_TRUE(test::says("-23", "relatively low permeability"));
    std::vector<float> sorted;
    for (const auto& code : selectable)
        sorted.push_back(mu(code.c_str()));
    std::sort(sorted.begin(), sorted.end());
    EXPECT_LE(std::max(mu("-11"), mu("-16")), sorted[1]);
    EXPECT_LT(mu("-23"), sorted[sorted.size() / 2]);

    // Linearity under DC bias: with the same flux at initial permeability (mu H = 4000 G), the
    // materials sold for linearity or DC saturation keep more permeability than the
    // general-purpose ones.
    auto keptAt4000 = [&](const char* code) { return dcPercent(code, 4000 / mu(code)); };
    for (const char* linear : {"-13", "-17", "-23", "-25", "-27", "-37"}) {
        for (const char* general : {"-21", "-29", "-31", "-32", "-36"}) {
            EXPECT_GT(keptAt4000(linear), keptAt4000(general)) << linear << " vs " << general;
        }
    }
    // -17, "Good DC saturation": more than the -13 it is compared with, at the same flux.
    EXPECT_GE(keptAt4000("-17") + 1, keptAt4000("-13"));
}

TEST(PermeabilityTables, DcBiasCurvesFallFromFullPermeability) {
    for (const auto& row : dcBiasCurves)
        expectFalling(row.code, 0);
    for (const auto& row : mppDcBiasCurves)
        expectFalling("MPP", row.permeability);
    for (const auto& row : highFluxDcBiasCurves)
        expectFalling("HIF", row.permeability);
}

TEST(PermeabilityTables, DcBiasRollOffFollowsPermeability) {
    // Iron powders: the more permeable material loses half its permeability at a lower bias.
    std::vector<std::pair<float, double>> byMu;
    for (std::size_t i = 0; i < kIronPowders.size(); ++i) {
        byMu.push_back({*initialPermeability(kIronPowders[i]), halfBias(kIronPowders[i], 0)});
    }
    std::sort(byMu.begin(), byMu.end());
    for (std::size_t i = 1; i < byMu.size(); ++i) {
        if (byMu[i].first > byMu[i - 1].first) {
            EXPECT_LT(byMu[i].second, byMu[i - 1].second) << "mu " << byMu[i].first;
        }
    }
    EXPECT_GT(halfBias("-11", 0), 350);
    for (const char* code : {"-21", "-36", "-22"}) {  // mu 70-75: a few tens of oersteds
        EXPECT_GT(halfBias(code, 0), 20) << code;
        EXPECT_LT(halfBias(code, 0), 80) << code;
    }
    // Composites roll off within their graph's 0.1-28 Oe span, at a few oersteds.
    for (const char* code : {"-411", "-413"}) {
        EXPECT_GT(halfBias(code, 0), 1) << code;
        EXPECT_LT(halfBias(code, 0), 10) << code;
        EXPECT_LT(dcPercent(code, 28), 30) << code;
    }
}

TEST(PermeabilityTables, ClassCurvesRollOffEarlierForHigherPermeability) {
    auto expectOrdered = [](const char* name, const auto& rows) {
        double previousHalf = 1e9;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i > 0 && rows[i].permeability == rows[i - 1].permeability) continue;
            const double half = halfBias(name, rows[i].permeability);
            EXPECT_LT(half, previousHalf) << name << " " << rows[i].permeability;
            previousHalf = half;
        }
    };
    expectOrdered("MPP", mppDcBiasCurves);
    expectOrdered("HIF", highFluxDcBiasCurves);
    // High Flux keeps its permeability to a higher bias than MPP of the same grade.
    for (const int key : {14, 26, 60, 125, 160}) {
        EXPECT_GT(halfBias("HIF", key), halfBias("MPP", key)) << key;
    }
}

// The AC fit of a row without the model's floor, hyperbola and saturation rules.
double acFit(const AcFluxCurveRow& row, double B) {
    const auto& c = row.c;
    if (row.form == 7021) {
        return std::sqrt((c[0] + c[2] * B + c[4] * B * B) / (1 + c[1] * B + c[3] * B * B));
    }
    return c[0] + c[1] * B + c[2] * std::sqrt(B) + c[3] * B * B;
}

TEST(PermeabilityTables, AcCurvesRisePeakAndMeetTheSaturationModel) {
    for (std::size_t i = 0; i < acFluxCurves.size(); ++i) {
        const auto& row = acFluxCurves[i];
        const auto& sat = saturationData[i];
        const bool lowPair = row.code == "-11" || row.code == "-16";
        // Real and positive over the whole fit, starting close to 100 %.
        EXPECT_NEAR(acFit(row, 0.1), 100, 0.5) << row.code;
        double peak = 0, peakB = 0;
        int turns = 0;
        double previous = acFit(row, 10), previousDelta = 1;
        for (double B = 20; B <= sat.bMax; B += 10) {
            const double p = acFit(row, B);
            ASSERT_TRUE(std::isfinite(p) && p > 0) << row.code << " at " << B;
            if (p > peak) peak = p, peakB = B;
            const double delta = p - previous;
            if ((delta > 0) != (previousDelta > 0) && std::fabs(delta) > kMonotonicSlack) ++turns;
            if (std::fabs(delta) > kMonotonicSlack) previousDelta = delta;
            previous = p;
        }
        EXPECT_EQ(turns, 1) << row.code << ": one peak, rising before and falling after";
        EXPECT_GT(peak, 100) << row.code;
        EXPECT_GT(peakB, 1000) << row.code;
        EXPECT_LT(peakB, 0.6 * sat.bMax) << row.code;
        EXPECT_LT(peak, 360) << row.code << " stays within the AC graph";
        // Not below vacuum.
        EXPECT_GE(sat.k2 * *initialPermeability(row.code), 1 - 1e-6) << row.code;
        if (lowPair) {
            // The hyperbola takes over at 7000 G without a jump.
            EXPECT_NEAR(acFit(row, 7000), 70, 0.03 * 70) << row.code;
        } else {
            EXPECT_NEAR(acFit(row, sat.bMax), 100 * sat.k2, 0.03 * 100 * sat.k2) << row.code;
        }
        if (row.form == 7021) {
            // No drop where the floor below 2000 G ends.
            EXPECT_GE(acFit(row, 2000), 100) << row.code;
        }
    }
}

TEST(PermeabilityTables, FrequencyCurvesFallEarlierForMorePermeableMaterials) {
    for (const auto& row : frequencyCurves) {
        double previous = 1e9;
        for (const double f : logGrid(1000, 1e8, 200)) {
            const double mu = permeabilityVsFrequency(row.code, f);
            EXPECT_LE(mu, previous) << row.code;
            EXPECT_GE(mu, 1) << row.code;
            previous = mu;
        }
    }
    std::vector<std::pair<float, double>> byMu;
    for (const auto& row : frequencyCurves) {
        byMu.push_back({*initialPermeability(row.code), frequencyHalf(row)});
    }
    std::sort(byMu.begin(), byMu.end());
    for (std::size_t i = 1; i < byMu.size(); ++i) {
        if (byMu[i].first > byMu[i - 1].first) {
            EXPECT_LT(byMu[i].second, byMu[i - 1].second) << "mu " << byMu[i].first;
        }
    }
}

}  // namespace
}  // namespace korvell
