#include "materials/Permeability.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "materials/PermeabilityTables.h"
#include "platform/Format.h"

namespace korvell {

namespace {

constexpr double kLowestField = 0.1;           // Oe and gauss: smaller inputs are raised to this
constexpr double kFloorBelowGauss = 2000;      // form 7021 is held at 100 % or more below this
constexpr double kHyperbolaAboveGauss = 7000;  // -11 and -16 follow 490000 / B above this
constexpr double kHyperbolaNumerator = 490000;
constexpr double kSolverToleranceGauss = 100;
constexpr double kSolverDamping = 0.5;
constexpr int kSolverIterationLimit = 500;

template <typename Row, std::size_t N>
const Row* findByCode(const std::array<Row, N>& table, std::string_view code) {
    for (const auto& row : table) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

const CurveForm* findForm(std::int32_t code) {
    for (const auto& form : curveForms) {
        if (form.code == code) return &form;
    }
    return nullptr;
}

// The material token of a text: its leading run of dashes and digits, as the scan "%[-0-9]"
// reads it ("-13/91" gives "-13", "-411A" gives "-411"); empty when the text is a class name.
std::string_view codeToken(std::string_view material) {
    std::size_t n = 0;
    while (n < material.size() &&
           (material[n] == '-' || (material[n] >= '0' && material[n] <= '9'))) {
        ++n;
    }
    return material.substr(0, n);
}

// Percent and slope of a rational form at x: (N/D)^p, capped at 100; the slope is that of the
// uncapped curve. None when N/D is not positive under a fractional power (outside the fit).
template <std::size_t N>
std::optional<PermPoint> evaluateForm(const CurveForm& form, const std::array<float, N>& c,
                                      double x) {
    if (2 * static_cast<std::size_t>(std::max(form.k, form.m)) - 1 > N) return std::nullopt;
    double num = 0, den = 1, dNum = 0, dDen = 0;
    double power = 1;  // x^(j-1) for term j
    for (int j = 0; j < std::max(form.k, form.m); ++j) {
        const double xj = j == 0 ? 1 : power * x;
        if (j < form.k) {
            num += c[2 * j] * xj;
            if (j >= 1) dNum += j * c[2 * j] * power;
        }
        if (j >= 1 && j < form.m) {
            den += c[2 * j - 1] * xj;
            dDen += j * c[2 * j - 1] * power;
        }
        if (j >= 1) power = xj;
    }
    if (den == 0) return std::nullopt;
    const double ratio = num / den;
    if (std::floor(form.p) != form.p && ratio <= 0) return std::nullopt;
    // The forms' exponents are 1, 2 and 0.5: no general power needed for them.
    const auto raise = [](double base, double exponent) {
        if (exponent == 1) return base;
        if (exponent == 2) return base * base;
        if (exponent == 0.5) return std::sqrt(base);
        if (exponent == -0.5) return 1 / std::sqrt(base);
        if (exponent == 0) return 1.0;
        return std::pow(base, exponent);
    };
    const double value = raise(ratio, form.p);
    const double dRatio = (dNum - num * dDen / den) / den;
    const double slope = form.p * raise(ratio, form.p - 1) * dRatio;
    if (!std::isfinite(value) || !std::isfinite(slope)) return std::nullopt;
    return PermPoint{value >= 100 ? 100.0 : value, slope};
}

const ClassDcBiasCurveRow* findClassRow(std::string_view className, int permeability) {
    auto find = [permeability](const auto& table) -> const ClassDcBiasCurveRow* {
        for (const auto& row : table) {
            if (row.permeability == permeability) return &row;
        }
        return nullptr;
    };
    if (className == "MPP") return find(mppDcBiasCurves);
    if (className == "HIF") return find(highFluxDcBiasCurves);
    return nullptr;  // "PFE" is a known class without curves; anything else is unknown
}

}  // namespace

std::optional<PermPoint> pctPermDcBias(std::string_view material, int permeability, double H) {
    if (!(H >= 0) || !std::isfinite(H)) return std::nullopt;
    const double h = std::max(H, kLowestField);

    if (const auto code = codeToken(material); !code.empty()) {
        const auto* row = findByCode(dcBiasCurves, code);
        if (row == nullptr) return std::nullopt;
        const auto* form = findForm(row->form);
        if (form == nullptr) return std::nullopt;
        return evaluateForm(*form, row->c, h);
    }

    // Class names are matched without regard to case, on a copy: the caller's text is kept.
    std::string className(material);
    for (char& ch : className)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto* row = findClassRow(className, permeability);
    if (row == nullptr) return std::nullopt;
    const auto* form = findForm(row->form);
    if (form == nullptr) return std::nullopt;
    return evaluateForm(*form, row->c, h);
}

std::optional<PermPoint> pctPermAcFlux(std::string_view material, double B) {
    if (!(B >= 0) || !std::isfinite(B)) return std::nullopt;
    const auto* row = findByCode(acFluxCurves, material);
    if (row == nullptr) return std::nullopt;
    const auto* sat = findByCode(saturationData, material);
    const auto initial = initialPermeability(material);
    if (sat == nullptr || !initial) return std::nullopt;

    const double b0 = std::max(B, kLowestField);
    const double mu = *initial;
    const double bMax = sat->bMax;
    const double b = std::min(b0, bMax);
    const auto& c = row->c;

    double percent = 0, slope = 0;
    if (row->form == 7021) {
        const double num = c[0] + c[2] * b + c[4] * b * b;
        const double den = 1 + c[1] * b + c[3] * b * b;
        if (den == 0 || num / den <= 0) return std::nullopt;
        const double ratio = num / den;
        percent = std::sqrt(ratio);
        const double dNum = c[2] + 2 * c[4] * b;
        const double dDen = c[1] + 2 * c[3] * b;
        slope = 0.5 / std::sqrt(ratio) * (dNum - num * dDen / den) / den;
        if (b < kFloorBelowGauss && percent < 100) percent = 100;
        if (b > kHyperbolaAboveGauss && (material == "-11" || material == "-16")) {
            percent = kHyperbolaNumerator / b;
        }
    } else {
        const double root = std::sqrt(b);
        percent = c[0] + c[1] * b + c[2] * root + c[3] * b * b;
        slope = c[1] + 2 * c[3] * b + 0.5 * c[2] / root;
    }

    // Beyond the fit: the permeability falls from k2 mu at bMax toward that of vacuum.
    if (b0 > bMax) {
        percent = (100 / mu) / ((bMax / b0) * (1 / (sat->k2 * mu) - 1) + 1);
        slope = (1 - percent * mu / 100) * percent / b0;
    }
    if (!std::isfinite(percent) || !std::isfinite(slope)) return std::nullopt;
    return PermPoint{percent, slope};
}

std::optional<PermPoint> calc_pct_perm_ac(Messages& messages, double B0,
                                          std::string_view material) {
    const auto* sat = findByCode(saturationData, material);
    if (sat == nullptr) {
        messages.show(strprintf("Error in calc_pct_perm_ac. unrecognized material %.*s",
                                static_cast<int>(material.size()), material.data()),
                      "ERROR ");
        return std::nullopt;
    }
    const auto initial = initialPermeability(material);
    if (!(B0 >= 0) || !std::isfinite(B0) || !initial) return std::nullopt;

    const double mu = *initial;
    const double bMax = sat->bMax;
    const double k2 = sat->k2;

    // Operating point beyond bMax: closed form of the saturation model.
    if (B0 >= bMax / k2) {
        const double P = (bMax * (1 - 1 / (k2 * mu)) * mu / B0 + 1) / mu;
        return PermPoint{100 * P, 100 * (1 - P * mu) * mu / B0};
    }

    // Damped Newton on f(B) = B0 P(B) - B; the result is that of the last evaluation.
    double B = B0;
    double error = 2 * kSolverToleranceGauss;
    std::optional<PermPoint> last;
    for (int iteration = 0; error > kSolverToleranceGauss && iteration < kSolverIterationLimit;
         ++iteration) {
        last = pctPermAcFlux(material, B);
        if (!last) return std::nullopt;
        const double P = last->percent / 100;
        const double S = last->slope / 100;
        error = std::fabs(B - B0 * P);
        const double derivative = 1 - B0 * S;
        // Where the curve rises as steeply as the feedback line, fall back to a plain
        // substitution step instead of dividing by zero.
        const double step = derivative != 0 ? (B0 * P - B) / derivative : B0 * P - B;
        B = std::clamp(B + kSolverDamping * step, 0.0, bMax);
    }
    return last;
}

double permeabilityVsFrequency(std::string_view material, double f) {
    if (!(f >= 0) || !std::isfinite(f)) return 0;
    const auto* row = findByCode(frequencyCurves, material);
    if (row == nullptr) return 0;
    return 1 / (row->a + row->b * std::pow(f, row->p)) + row->c;
}

}  // namespace korvell
