#include "engine/Screening.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "engine/Inductance.h"
#include "materials/Catalog.h"
#include "materials/Materials.h"
#include "materials/Permeability.h"
#include "materials/Powerline.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"
#include "record/StoredNumbers.h"

namespace korvell {
namespace {

constexpr double kMaxDcBias = 350;          // oersted, top of the DC-bias curves
constexpr double kResonantMaxFlux = 10000;  // gauss, peak flux a resonant core may carry
constexpr int kNewtonIterationCap = 5000;   // guards an iteration that never settles

// Refusals of the operating-point solutions that carry no figure.
constexpr std::string_view kNoOperatingPoint = "NO OPERATING POINT UNDER DC BIAS";
constexpr std::string_view kSwingNotMet = "INDUCTANCE SWING NOT MET";
constexpr std::string_view kLineCurrentNotMet = "INDUCTANCE NOT MET AT LINE CURRENT";

// Material code of a part number split as size and material ("T777-21 x2" gives "-21").
bool splitPartNumber(const std::string& partNumber, std::string& material) {
    PartNumberTokens tokens = parsePartNumber(partNumber);
    if (tokens.count < 2) return false;
    material = std::move(tokens.material);
    return true;
}

// Reads the candidate's catalog line into the record; false unless all eleven fields are read.
bool readCandidateLine(DesignRecord& r) {
    auto fields = readCatalogLine(r.catalogLine);
    if (!fields) return false;
    const auto& v = fields->values;
    r.corePartNumber = std::move(fields->partNumber);
    r.corePerm = v[0];
    r.coreAl = v[1];
    r.coreAe = v[2];
    r.coreLe = v[3];
    r.coreWindowKcmil = v[4];
    r.coreMlt = v[5];
    r.coreId = v[6];
    r.coreOd = v[7];
    r.coreHt = v[8];
    r.coreEnergyRating = v[9];
    return true;
}

// n identical cores stacked into one: cross-section, Al, height and energy scale with n, each
// added core lengthens the turn by two core heights (inches, the turn is in feet), the path
// length stays.
void applyStacking(DesignRecord& r) {
    const int n = r.stackedCores;
    if (n <= 1) return;
    const auto scale = static_cast<float>(n);
    r.coreAe *= scale;
    r.coreAl *= scale;
    r.coreMlt += static_cast<float>(2.0 * r.coreHt * (n - 1) / 12.0);
    r.coreHt *= scale;
    r.coreEnergyRating *= scale;
    if (r.coreShape == kECore && r.Esize) {
        r.Esize->ae *= scale;
        r.Esize->ve *= scale;
        r.Esize->c *= scale;
    }
    r.corePartNumber += strprintf(" x%1d", n);
}

// Newton iteration on H² · P(H)/100 = (0.4π I / le)² · L · 1e6 / Al for the swing solution.
// Runs while the last step exceeds 1 % of H and `inRange(H)` holds; false when the curve has no
// value or the iteration breaks down (after the diagnostic where the slope vanishes).
template <typename InRange>
bool solveSwingForce(DesignRecord& r, Messages& messages, std::string_view material, double& H,
                     double I, double L, double damping, InRange inRange, float L2, float L1,
                     float I2, float I1) {
    constexpr int kCurvePermeability = 50;
    double step = 10;
    for (int i = 0; std::fabs(step) * 100 > H && inRange(H); ++i) {
        if (i >= kNewtonIterationCap) return false;
        const auto point = pctPermDcBias(material, kCurvePermeability, H);
        if (!point) return false;
        const double P = point->percent;
        const double slope = point->slope;
        if (H == 0 || H * slope + 2 * P == 0) {
            messages.show(
                strprintf("L1 = %4.3f, L2 = %4.3f, I1 = %4.3f, I2 = %4.3f \n percent_2= = %4.3f, "
                          "x= = -0.75, H2 = %4.3f, pctmudot = %7.3f, PercentPerm = %3.1f",
                          static_cast<double>(L2), static_cast<double>(L1), static_cast<double>(I2),
                          static_cast<double>(I1), P, H, slope, P),
                "ERROR ");
            return false;
        }
        const double perTurn = kFourPiTenthsAsUsed * I / r.coreLe;
        step = (perTurn * perTurn * (L * 1e6 / r.coreAl / H) - H * P * 0.01) * 100 /
               (H * slope + 2 * P);
        H += damping * step;
        if (!std::isfinite(H)) return false;
    }
    return true;
}

// The candidate core's magnetics, its Al scaled by `alFactor`.
CoreMagnetics candidateMagnetics(const DesignRecord& r, std::string_view material,
                                 double alFactor) {
    return {material, static_cast<int>(r.corePerm), static_cast<double>(r.coreAl) * alFactor,
            r.coreAe, r.coreLe};
}

// An inductance asked for, µH, from the record's mH as it was typed.
double requiredUh(float mh) {
    return shortestFloatValue(mh) * 1000;
}

// The smallest whole count of turns for which `meets` holds, found from a continuous estimate on
// the understanding that the inductance grows with the turns near the solution: up from the
// estimate until a count meets, down while the count below still meets (steps doubling, then
// halved back). None when no count up to kTurnsReach times the estimate meets.
constexpr double kTurnsReach = 4;
template <typename Meets>
std::optional<int> smallestTurns(double estimate, Meets meets) {
    const double reach = kTurnsReach * std::max(estimate, 4.0);
    if (!std::isfinite(estimate) || !(reach < 1e7)) return std::nullopt;
    int hi = std::max(1, static_cast<int>(std::ceil(estimate)));
    for (int step = 1; !meets(hi); step *= 2) {
        if (hi > reach) return std::nullopt;
        hi += step;
    }
    int lo = hi - 1;
    for (int step = 1; lo >= 1 && meets(lo); step *= 2) {
        hi = lo;
        lo = std::max(0, lo - step);
    }
    // meets(hi) holds and meets(lo) does not (lo = 0: no turns at all).
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (meets(mid) ? hi : lo) = mid;
    }
    return hi;
}

// The two inductances a design is held to: L1 at the design current I1, and for the swinging
// and powerline chokes L2 at the minimum current I2 (µH, A).
struct InductanceTargets {
    double L1 = 0, I1 = 0;
    double L2 = 0, I2 = 0;
    bool second = false;       // L2 at I2 is a requirement too
    bool secondBound = false;  // controlled swing: L2 is the most the minimum current may see
};

InductanceTargets targetsOf(const DesignRecord& r, int application) {
    InductanceTargets t;
    t.L1 = requiredUh(r.inductanceRequired);
    t.I1 = application == kPowerline  ? r.acCurrentMax
           : application == kResonant ? 0.0
                                      : static_cast<double>(r.maxCurrent);
    if (application == kControlledSwing || application == kWideSwing) {
        t.L2 = requiredUh(r.inductanceAtMinCurrent);
        t.I2 = r.minCurrent;
        t.second = application == kWideSwing;
        t.secondBound = application == kControlledSwing;
    } else if (application == kPowerline) {
        // As the powerline solution takes them: one requirement stands for both when the other
        // is 0.
        t.L2 = requiredUh(r.inductanceAtMinCurrent);
        t.I2 = r.acCurrentMin;
        if (t.L1 * t.L2 == 0) t.L1 = t.L2 = t.L1 > 0 ? t.L1 : t.L2;
        t.second = true;
    }
    return t;
}

// Refusals of the turns rule.
constexpr std::string_view kInductanceNotReached = "INDUCTANCE NOT REACHED";

// The turns of a core the solution accepted: the smallest whole number at which the inductance,
// as the analysis computes it, reaches what is asked at Al × (1 − tolerance) when designing at
// the worst case (nominal Al otherwise): L1 at the design current, and for the wide swing and
// the powerline choke L2 at the minimum current too. The controlled swing's inductance at its
// minimum current must not exceed L2. Sets the turns, the operating point at them (percentPerm,
// dcMagnetizingForce) and the inductances they give. False, with the reason, when no count in
// reach meets the requirement, or the minimum permeability (DC-biased and boost chokes) is not
// kept at the turns found.
bool settleTurns(DesignRecord& r, Messages& messages, std::string_view material, int application,
                 double estimate, float minPerm, std::string* reason) {
    const double low = r.designAt == kDesignAtWorstCase ? 1 - 0.01 * r.alTolerancePercent : 1.0;
    const CoreMagnetics nominal = candidateMagnetics(r, material, 1.0);
    const CoreMagnetics designed = candidateMagnetics(r, material, low);
    const InductanceTargets t = targetsOf(r, application);
    const auto inductance = [&](const CoreMagnetics& core, double N, double I) {
        const auto point = applicationPoint(core, messages, application, N, I);
        return point ? point->inductanceUh : 0.0;
    };
    const auto meets = [&](int n) {
        if (!(inductance(designed, n, t.I1) >= t.L1)) return false;
        return !t.second || inductance(designed, n, t.I2) >= t.L2;
    };
    const std::optional<int> turns = smallestTurns(estimate, meets);
    const auto refuse = [reason](const std::string& text) {
        if (reason) *reason = text;
        return false;
    };
    if (!turns) return refuse(std::string(kInductanceNotReached));
    const double N = *turns;
    const auto point = applicationPoint(nominal, messages, application, N, t.I1);
    if (!point) return refuse(std::string(kInductanceNotReached));
    if (t.secondBound && inductance(nominal, N, t.I2) > t.L2) {
        return refuse(std::string(kSwingNotMet));
    }
    const bool dcBiased = application == kDcBiased || application == kPowerFactorBoost;
    if (dcBiased && point->percent < minPerm) {
        // Shown rounded down, so that a shortfall never reads as the limit itself.
        return refuse(strprintf("PERMEABILITY %.0f %% < %.0f %%", std::floor(point->percent),
                                static_cast<double>(minPerm)));
    }
    r.turns = static_cast<float>(N);
    r.percentPerm = toStoredFloat(point->percent);
    r.dcMagnetizingForce = toStoredFloat(point->biasOe);
    r.inductanceUh = toStoredFloat(point->inductanceUh);
    const bool swing = application == kControlledSwing || application == kWideSwing;
    r.inductanceAtMinCurrentUh = swing ? toStoredFloat(inductance(nominal, N, t.I2)) : 0.0f;
    const double tolerance = 1 - 0.01 * r.alTolerancePercent;
    r.inductanceMinUh =
        toStoredFloat(inductance(candidateMagnetics(r, material, tolerance), N, t.I1));
    return true;
}

// The continuous turns of the solution: N² = L / (Al × P), at Al × alFactor.
double estimatedTurns(const DesignRecord& r, double alFactor, double percent) {
    return 1000 * std::sqrt(r.inductanceRequired / (r.coreAl * alFactor) / (0.01 * percent));
}

}  // namespace

bool shapeServesApplication(std::int8_t shape, int application) {
    return shape != kComposite || (application != kPowerline && application != kResonant);
}

int material_selected(const DesignRecord& record) {
    std::string material;
    if (!splitPartNumber(record.corePartNumber, material)) return 0;
    for (const auto& entry : record.selectedMaterials) {
        if (!entry.empty() && entry == material) return 1;
    }
    return 0;
}

bool noSelectedMaterialServes(const DesignRecord& r) {
    const int a = r.applicationType;
    const bool usesSelection = a != kResonant && r.coreShape != kComposite;
    if (!usesSelection) return false;
    for (const auto& entry : r.selectedMaterials) {
        if (!entry.empty()) return false;
    }
    return true;
}

int dc_bias_solution(DesignRecord& record, std::string_view material, int initialPermeability,
                     float L, float I, float Al, float le, float minPerm, std::string* refusal) {
    const auto refuse = [refusal](double H) {
        if (refusal) {
            // The iterate that left the curves says only that the bias lies beyond them.
            *refusal = H > kMaxDcBias ? strprintf("DC BIAS ABOVE %.0f OERSTED", kMaxDcBias)
                                      : std::string(kNoOperatingPoint);
        }
        return 0;
    };
    if (!(Al > 0) || !(le > 0) || !(L > 0)) return refuse(0);
    const double perTurn = kFourPiTenthsAsUsed * I / le;
    const double target = perTurn * perTurn * L * 1e6 / Al;  // (H per turn)² · N0²

    double H = kMaxDcBias / 3;
    double damping = 1.0;
    if (material == "-39") {
        H = kMaxDcBias / 9;
        damping = 0.5;
    }
    double step = 10;
    double Pc = 100;
    for (int i = 0; std::fabs(step) * 100 > H; ++i) {
        if (i >= kNewtonIterationCap) return refuse(0);
        double P = 100;
        double slope = 0;
        if (H > 1) {
            const auto point = pctPermDcBias(material, initialPermeability, H);
            if (!point) return refuse(0);
            P = point->percent;
            slope = point->slope;
        }
        Pc = P < 100 ? P : 100;
        const double denominator = H * slope * 0.01 + 2 * Pc * 0.01;
        if (denominator == 0) return refuse(0);
        step = (target / H - H * Pc * 0.01) / denominator;
        if (i > 100) damping = std::ldexp(1.0, -(i / 100));
        H += step * damping;
        if (!(H >= 0) || H > kMaxDcBias) return refuse(H);
    }
    record.dcMagnetizingForce = static_cast<float>(H);
    record.percentPerm = static_cast<float>(std::fmin(Pc, 100));
    if (Pc >= minPerm) return 1;
    if (refusal) {
        // Shown rounded down, so that a shortfall never reads as the limit itself.
        *refusal = strprintf("PERMEABILITY %.0f %% < %.0f %%", std::floor(std::fmin(Pc, 100)),
                             static_cast<double>(minPerm));
    }
    return 0;
}

float swing_solution(DesignRecord& record, Messages& messages, int application,
                     std::string_view material, float L2, float L1, float I2, float I1,
                     double* minCurrentTurns) {
    if (L1 > L2 || I1 < I2 || I1 == 0) return -1;
    if (!(record.coreLe > 0) || !(record.coreAl > 0)) return -1;
    constexpr int kCurvePermeability = 50;

    // Starting point from an approximate power-law curve P = (H/h)^x of the material family.
    const double r = L1 / L2 * 0.8;
    double P0;
    double h;
    double x;
    if (record.coreShape != kComposite) {
        P0 = r > 0.2 ? 100 * r : 20;
        h = 40;
        x = -0.75;
    } else {
        if (0.02 < r && r < 0.12) {
            P0 = 100 * r;
        } else if (r > 0.12) {
            P0 = 12;
        } else {
            P0 = 2;
        }
        h = 0.053;
        x = -0.45;
    }

    double H = h * std::pow(P0 * 0.01, 1 / x);
    if (!solveSwingForce(
            record, messages, material, H, I1, L1, 0.7,
            [](double force) { return force >= 0 && force <= 400; }, L2, L1, I2, I1)) {
        return -1;
    }
    if (H >= 150 || H <= 0) return -1;

    double H2 = I2 * H / I1;
    auto p1 = pctPermDcBias(material, kCurvePermeability, H);
    const auto p2 = pctPermDcBias(material, kCurvePermeability, H2);
    if (!p1 || !p2) return -1;
    double P1 = p1->percent;
    const double P2 = p2->percent;

    bool accepted = false;
    if (application == kControlledSwing) {
        accepted = L2 * P1 >= L1 * P2;
    } else if (L2 * P1 <= L1 * P2) {
        accepted = true;
    } else {
        // Wide swing: the minimum-current requirement sets the turns instead.
        if (!solveSwingForce(
                record, messages, material, H2, I2, L2, 0.3,
                [](double force) { return force > 0.1 && force <= 400; }, L2, L1, I2, I1)) {
            return -1;
        }
        if (I2 > 0) H = H2 * I1 / I2;
        p1 = pctPermDcBias(material, kCurvePermeability, H);
        if (!p1) return -1;
        P1 = p1->percent;
        // These turns carry L2 at I2; at I1 they must still give at least L1.
        const double turns = H2 * record.coreLe / (kFourPiTenthsAsUsed * I2);
        const double inductanceAtI1 = turns * turns * record.coreAl * P1 * 0.01 * 1e-6;
        accepted = H < 150 && I2 > 0 && inductanceAtI1 >= L1;
        if (accepted && minCurrentTurns) *minCurrentTurns = turns;
    }
    return accepted ? static_cast<float>(P1) : -1;
}

int next_core(DesignRecord& record, Messages& messages, int restart, float minPerm,
              std::int8_t application, const RefusalReport* refusals) {
    DesignRecord& r = record;
    if (restart) {
        r.catalogIndex = 0;
        r.catalogStatus = 2;
        r.largestCoreEnergy = 0;
    }
    const double energy = 0.5 * r.inductanceRequired * r.maxCurrent * r.maxCurrent;
    // Designing at the worst case solves the turns on the low end of the core's Al.
    const double alFactor =
        r.designAt == kDesignAtWorstCase ? 1 - 0.01 * r.alTolerancePercent : 1.0;
    bool accepted = false;
    double minCurrentTurns = 0;  // wide swing: turns set by the minimum-current requirement
    double estimate = 0;         // the solution's continuous turns
    std::string refusal;         // why the solution refused the core, when refusals are heard
    std::string* const reason = refusals ? &refusal : nullptr;
    while (r.catalogStatus > 1 && !accepted) {
        refusal.clear();
        r.catalogStatus = catalogLookup(r, messages, r.catalogIndex, r.coreShape);
        ++r.catalogIndex;
        r.coreEnergyRating = 0;
        if (!readCandidateLine(r)) continue;
        std::string material;
        splitPartNumber(r.corePartNumber, material);
        applyStacking(r);

        switch (application) {
            case kDcBiased:
            case kPowerFactorBoost:
                // The selector offers only the iron powders; composite cores pass as they do
                // for the swinging chokes.
                if (!material_selected(r) && r.coreShape != kComposite) break;
                if (r.maxFillFactor * r.coreWindowKcmil * r.coreMlt > 0 &&
                    r.coreEnergyRating > r.largestCoreEnergy) {
                    r.largestCoreEnergy = r.coreEnergyRating;
                }
                accepted = dc_bias_solution(r, material, static_cast<int>(r.corePerm),
                                            r.inductanceRequired, r.maxCurrent,
                                            static_cast<float>(r.coreAl * alFactor), r.coreLe,
                                            minPerm, reason) != 0;
                if (accepted) estimate = estimatedTurns(r, alFactor, r.percentPerm);
                break;
            case kControlledSwing:
            case kWideSwing:
                if (!material_selected(r) && r.coreShape != kComposite) break;
                minCurrentTurns = 0;
                r.percentPerm = swing_solution(r, messages, application, material,
                                               r.inductanceAtMinCurrent, r.inductanceRequired,
                                               r.minCurrent, r.maxCurrent, &minCurrentTurns);
                accepted = r.percentPerm > 0;
                if (!accepted && reason) refusal = kSwingNotMet;
                if (accepted) {
                    // A wide swing whose minimum-current requirement sets the turns starts there.
                    estimate = minCurrentTurns > 0 ? minCurrentTurns
                                                   : estimatedTurns(r, alFactor, r.percentPerm);
                }
                break;
            case kPowerline:
                if (!material_selected(r)) break;
                r.percentPerm =
                    100 * powerlineTurnsSolution(r, messages, material, r.inductanceRequired,
                                                 r.acCurrentMax, r.inductanceAtMinCurrent,
                                                 r.acCurrentMin, r.coreAe, r.coreAl);
                accepted = r.percentPerm > 0;
                if (!accepted && reason) refusal = kLineCurrentNotMet;
                estimate = r.turns / std::sqrt(alFactor);
                break;
            case kResonant: {
                // Only the low-loss, low-permeability materials serve resonant inductors.
                if (!materialIn(material, kResonantMaterial)) break;
                const double flux =
                    std::sqrt(static_cast<double>(r.coreAl) * r.inductanceRequired) * 0.1 /
                    r.coreAe * r.resonantPeakCurrent;
                if (flux < kResonantMaxFlux) {
                    r.percentPerm = 100;
                    accepted = true;
                    estimate = estimatedTurns(r, alFactor, 100);
                } else if (reason) {
                    refusal = strprintf("FLUX %.0f > %.0f GAUSS", flux, kResonantMaxFlux);
                }
                break;
            }
            default:
                break;
        }
        if (accepted) {
            accepted = settleTurns(r, messages, material, application, estimate, minPerm, reason);
        }
        // A core the solution refused is reported; a skipped material leaves no reason.
        if (!accepted && !refusal.empty()) (*refusals)(r, refusal);
    }
    if (accepted && r.catalogStatus >= 2) return r.catalogStatus;
    if (restart && energy * 5 / 9 > r.largestCoreEnergy) return -2;
    return 0;
}

}  // namespace korvell
