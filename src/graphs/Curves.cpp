#include "graphs/Curves.h"

#include <algorithm>
#include <cmath>

#include "materials/CoreLoss.h"
#include "materials/Materials.h"
#include "materials/Permeability.h"
#include "materials/PermeabilityTables.h"

namespace korvell {

namespace {

constexpr double kDcBiasStepRatio = 1.27045;
constexpr double kFluxStepRatio = 1.12421;
constexpr float kFrequencyStepRatio = 1.2154f;  // held in single precision, as the graph has it
constexpr double kAcFluxLimitGauss = 12000;
constexpr double kCompositeBiasLimit = 100;

int pointCount(int n) {
    return std::min(n, kCurvePoints);
}

}  // namespace

bool isCompositeMaterial(std::string_view code) {
    const auto letters = code.find_first_not_of("-0123456789");
    const std::string_view base = code.substr(0, letters);
    if (!materialIn(base, kCompositeMaterial)) return false;
    return std::all_of(code.begin() + static_cast<std::ptrdiff_t>(base.size()), code.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

std::optional<Curve> DcBiasCurve(std::string_view material, int n) {
    if (n < 1) return std::nullopt;
    n = pointCount(n);
    double hMax = 350, step = 2.5;
    const bool composite = isCompositeMaterial(material);
    // Composites: a geometric scale from 0.1 Oe with the ratio that the 350 Oe / 2.5 grid gives.
    const double ratio = n > 1 ? std::pow(2 * hMax / step, 1.0 / (n - 1)) : 1;
    if (material == "-32" || material == "-39") hMax = 250, step = 1;

    Curve curve;
    curve.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double H = composite
                             ? std::min(0.1 * std::pow(ratio, i), kCompositeBiasLimit)
                             : std::min(std::floor(std::pow(kDcBiasStepRatio, i) * step), hMax);
        const auto point = pctPermDcBias(material, 0, H);
        if (!point) return std::nullopt;
        curve.push_back({static_cast<float>(H), static_cast<float>(point->percent)});
    }
    return curve;
}

std::optional<Curve> AcFluxCurve(Messages& messages, std::string_view material,
                                 bool useOperatingSolver, int n) {
    if (n < 1 || isCompositeMaterial(material)) return std::nullopt;
    n = pointCount(n);
    Curve curve;
    curve.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double B =
            std::min(std::floor(std::pow(kFluxStepRatio, i) * 10 + 0.5), kAcFluxLimitGauss);
        const auto point = useOperatingSolver ? calc_pct_perm_ac(messages, B, material)
                                              : pctPermAcFlux(material, B);
        if (!point) return std::nullopt;
        curve.push_back({static_cast<float>(B), static_cast<float>(point->percent)});
    }
    return curve;
}

std::optional<Curve> FrequencyCurve(std::string_view material, int n) {
    if (n < 1) return std::nullopt;
    const bool known = std::any_of(frequencyCurves.begin(), frequencyCurves.end(),
                                   [&](const auto& row) { return row.code == material; });
    if (!known) return std::nullopt;
    n = pointCount(n);
    Curve curve;
    curve.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double f = std::pow(static_cast<double>(kFrequencyStepRatio), i) * 1000;
        curve.push_back(
            {static_cast<float>(f), static_cast<float>(permeabilityVsFrequency(material, f))});
    }
    return curve;
}

std::optional<Curve> CoreLossCurve(std::string_view material, double fHz, int n) {
    if (n < 1) return std::nullopt;
    n = pointCount(n);
    Curve curve;
    curve.reserve(n);
    for (int i = 0; i < n; ++i) {
        // The rounding comes before the factor 10: 10, 10, 10, 10, 20, ... 10000 gauss.
        const double B = std::floor(std::pow(kFluxStepRatio, i) + 0.5) * 10;
        const double density = coreLossDensity(material, fHz, B);
        if (!(density > 0) || !std::isfinite(density)) return std::nullopt;
        curve.push_back({static_cast<float>(B), static_cast<float>(density)});
    }
    return curve;
}

std::optional<MaterialGraphSettings> materialGraphSettings(int kind,
                                                           std::string_view graphMaterialCode) {
    constexpr std::string_view kBias = "DC BIAS IN OERSTEADS";
    constexpr std::string_view kFlux = "PEAK AC FLUX DENSITY IN GAUSS";
    constexpr std::string_view kLoss = "LOSS mW/cm3";
    switch (kind) {
        case 1:
            return MaterialGraphSettings{
                1, "INITIAL PERMEABILITY vs DC BIAS", kBias, "INIT PERM", 1, 3, 0, 120, 1, 0, true};
        case 2:
            return MaterialGraphSettings{2,
                                         "PERCENT INITIAL PERMEABILITY vs DC BIAS",
                                         kBias,
                                         "% PERM",
                                         isCompositeMaterial(graphMaterialCode) ? 0.1 : 1,
                                         3,
                                         0,
                                         100,
                                         1,
                                         0,
                                         false};
        case 3:
            return MaterialGraphSettings{3,     "PERCENT PERMEABILITY vs AC FLUX DENSITY",
                                         kFlux, "% PERM",
                                         10,    3,
                                         90,    360,
                                         1,     0,
                                         false};
        case 4:
            return MaterialGraphSettings{4,
                                         "EFFECTIVE PERMEABILITY vs FREQUENCY",
                                         "FREQUENCY in HERTZ",
                                         "PERM",
                                         1000,
                                         5,
                                         0,
                                         120,
                                         1,
                                         0,
                                         false};
        case 5:
            return MaterialGraphSettings{5,     "CORE LOSS vs PEAK AC FLUX DENSITY @ 1 kHZ",
                                         kFlux, kLoss,
                                         10,    3,
                                         0,     100,
                                         10,    3,
                                         false};
        case 6:
            return MaterialGraphSettings{6,     "CORE LOSS vs PEAK AC FLUX DENSITY @ 100 kHZ",
                                         kFlux, kLoss,
                                         10,    3,
                                         0,     100,
                                         10,    3,
                                         false};
        default:
            return std::nullopt;
    }
}

namespace {

// The point of a kind's curve its label stands at.
std::size_t labelIndex(int kind, const Curve& curve) {
    const std::size_t wanted = kind == 1   ? 5
                               : kind == 3 ? 52
                               : kind == 4 ? 20
                               : kind == 5 ? 50
                                           : 30;
    return std::min(wanted, curve.size() - 1);
}

// Label position of a kind's curve, in data units.
CurvePoint labelPosition(int kind, const Curve& curve) {
    const CurvePoint at = curve[labelIndex(kind, curve)];
    const float rise = kind == 3 ? 10.0f : kind == 4 ? 2.0f : 0.0f;
    return {at.x, at.y + rise};
}

std::optional<Curve> curveOfKind(Messages& messages, int kind, std::string_view material) {
    switch (kind) {
        case 1:
        case 2:
            return DcBiasCurve(material, kCurvePoints);
        case 3:
            return AcFluxCurve(messages, material, false, kCurvePoints);
        case 4:
            return FrequencyCurve(material, kCurvePoints);
        case 5:
            return CoreLossCurve(material, 1000, kCurvePoints);
        case 6:
            return CoreLossCurve(material, 100000, kCurvePoints);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<MaterialCurve> materialGraphCurves(const DesignRecord& record, Messages& messages,
                                               int kind) {
    std::vector<MaterialCurve> curves;
    const auto settings = materialGraphSettings(kind, record.graphMaterialCode);
    if (!settings) return curves;

    std::vector<std::string> materials;
    if (!record.graphMaterialCode.empty()) {
        materials.push_back(record.graphMaterialCode);
    } else {
        for (int slot = 0; slot < kSelectableMaterialCount; ++slot) {
            if (!record.selectedMaterials[slot].empty()) {
                materials.push_back(record.selectedMaterials[slot]);
            }
        }
    }

    for (const auto& material : materials) {
        auto points = curveOfKind(messages, kind, material);
        if (!points || points->empty()) continue;
        double sY = settings->sY;
        if (settings->sYIsInitialPermeability) {
            const auto mu = initialPermeability(material);
            if (!mu) continue;
            sY = 0.01 * *mu;
        }
        const CurvePoint label = labelPosition(kind, *points);
        const std::size_t index = labelIndex(kind, *points);
        curves.push_back({material, std::move(*points), sY, label, index});
    }
    return curves;
}

double valueOnAxis(const MaterialGraphSettings& settings, const MaterialCurve& curve, float y) {
    if (settings.yDecades > 0) return y;
    return settings.yMin + (y - settings.yMin) * curve.sY;
}

}  // namespace korvell
