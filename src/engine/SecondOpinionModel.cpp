#include "engine/SecondOpinionModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/AcResistance.h"
#include "engine/PfcRipple.h"
#include "engine/Ripple.h"
#include "engine/TemperatureRise.h"
#include "materials/Catalog.h"
#include "platform/PhysicalConstants.h"
#include "record/StoredNumbers.h"

namespace korvell {
namespace {

constexpr double kLargestCount = 1e9;  // conductors and layers beyond this are absurd entries

// (sinh x − sin x) / (cosh x + cos x), Dowell's proximity term: its series where the difference
// cancels, else numerator and denominator scaled by 2e^−x, free of overflow.
double proximityRatio(double x) {
    if (x < 0.1) {
        const double x3 = x * x * x;
        const double x4 = x3 * x;
        return (x3 / 6 + x3 * x4 / 5040) / (1 + x4 / 24);
    }
    const double e = std::exp(-x);
    return (1 - e * e - 2 * e * std::sin(x)) / (1 + e * e + 2 * e * std::cos(x));
}

double percentChange(double value, double reference) {
    return reference > 0 ? 100 * (value - reference) / reference : 0;
}

// Duty of the ON interval of a DC-biased choke from its two winding voltages (volt-seconds
// balance): D = V_off / (V_on + V_off); 0 when either is 0.
double onDuty(double vOn, double vOff) {
    return vOn > 0 && vOff > 0 ? vOff / (vOn + vOff) : 0;
}

// rms of the PFC ripple over the half line cycle, the same angles as its loss.
// sin θ of the midpoint line angles θ = π (k + ½) / steps of the first half of the half line
// cycle, k < (steps + 1) / 2; for the usual count a table made once.
const std::vector<double>& lineAngleSines(int steps) {
    static const std::vector<double> usual = [] {
        std::vector<double> sines((kLineAngleSteps + 1) / 2);
        for (std::size_t k = 0; k < sines.size(); ++k)
            sines[k] = std::sin(kPi * (static_cast<double>(k) + 0.5) / kLineAngleSteps);
        return sines;
    }();
    if (steps == kLineAngleSteps) return usual;
    thread_local std::vector<double> other;
    other.resize(static_cast<std::size_t>((steps + 1) / 2));
    for (std::size_t k = 0; k < other.size(); ++k)
        other[k] = std::sin(kPi * (static_cast<double>(k) + 0.5) / steps);
    return other;
}

// Walks the switching angles of the half line cycle: at θ the duty is D = 1 − r sin θ, and
// angles where the input stands above the output (D ≤ 0) do not switch. The half cycle is
// symmetric about its crest, so angles k and steps − 1 − k switch alike: half of them are
// visited, each with the weight of both (the middle one of an odd count alone).
template <typename AtAngle>
void forSwitchingAngles(double inputOverOutput, int steps, AtAngle atAngle) {
    const std::vector<double>& sines = lineAngleSines(steps);
    for (std::size_t k = 0; k < sines.size(); ++k) {
        const double weight = 2 * static_cast<int>(k) + 1 == steps ? 1.0 : 2.0;
        const double d = 1 - inputOverOutput * sines[k];
        if (d > 0 && d < 1) atAngle(d, weight);
    }
}

// rms of the PFC ripple over the half line cycle, the same angles as its loss.
double pfcRippleRms(double largestPeakToPeak, double inputOverOutput, int steps) {
    const double largestDutyProduct = pfcLargestDutyProduct(inputOverOutput);
    if (!(largestDutyProduct > 0) || steps < 1) return 0;
    double sum = 0;
    forSwitchingAngles(inputOverOutput, steps, [&](double d, double weight) {
        const double ripple = largestPeakToPeak * d * (1 - d) / largestDutyProduct;
        sum += weight * ripple * ripple / 12;
    });
    return std::sqrt(sum / steps);
}

}  // namespace

double dowellFactor(double delta, int layers) {
    if (!(delta > 0)) return 1;
    const double m = std::max(layers, 1);
    // Δ (sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ) is the round-wire skin term at x = 2Δ, plus one.
    const double skin = 1 + skinEffectTerm(2 * delta);
    if (std::isinf(delta)) return delta;
    return skin + 2 * (m * m - 1) / 3 * delta * proximityRatio(delta);
}

double copperResistanceRatio(double temperatureC, double referenceC) {
    return (kCopperZeroResistanceC + temperatureC) / (kCopperZeroResistanceC + referenceC);
}

double copperSkinDepthInches(double frequencyHz, double temperatureC) {
    if (!(frequencyHz > 0)) return std::numeric_limits<double>::infinity();
    const double rho =
        kCopperResistivity20C * copperResistanceRatio(temperatureC, kCopperReferenceC);
    return std::sqrt(std::max(rho, 0.0) / (kPi * frequencyHz * kMu0)) / kMetresPerInch;
}

double triangleHarmonicRms(double peakToPeak, double duty, int n) {
    if (!(duty > 0 && duty < 1) || !(peakToPeak > 0) || n < 1) return 0;
    return peakToPeak * std::fabs(std::sin(kPi * n * duty)) /
           (std::sqrt(2.0) * kPi * kPi * n * n * duty * (1 - duty));
}

HarmonicFactors triangleRippleMeanSquares(double peakToPeak, double duty) {
    HarmonicFactors squares{};
    for (int n = 1; n <= kRippleHarmonics; ++n)
        squares[static_cast<std::size_t>(n - 1)] =
            std::pow(triangleHarmonicRms(peakToPeak, duty, n), 2);
    return squares;
}

HarmonicFactors pfcRippleMeanSquares(double largestPeakToPeak, double inputOverOutput, int steps) {
    HarmonicFactors squares{};
    const double largestDutyProduct = pfcLargestDutyProduct(inputOverOutput);
    if (steps < 1 || !(largestPeakToPeak > 0) || !(largestDutyProduct > 0)) return squares;
    // The ripple ΔI_max D(1 − D) / max D(1 − D) over D(1 − D) leaves ΔI_max / max D(1 − D) in
    // each harmonic: I_n,rms = ΔI_max / max D(1 − D) |sin(nπD)| / (√2 π² n²). The angles add up
    // sin²(nπD), with sin(nπD) by the recurrence sin((n + 1)x) = 2 cos x sin(nx) − sin((n − 1)x).
    HarmonicFactors sums{};
    forSwitchingAngles(inputOverOutput, steps, [&](double d, double weight) {
        const double x = kPi * d;
        const double twiceCos = 2 * std::cos(x);
        double previous = 0;
        double current = std::sin(x);
        for (std::size_t n = 0; n < sums.size(); ++n) {
            sums[n] += weight * current * current;
            const double next = twiceCos * current - previous;
            previous = current;
            current = next;
        }
    });
    const double scale = largestPeakToPeak / largestDutyProduct / (std::sqrt(2.0) * kPi * kPi);
    for (std::size_t n = 0; n < sums.size(); ++n) {
        const double order = static_cast<double>(n + 1);
        squares[n] = scale * scale * sums[n] / (order * order * order * order) / steps;
    }
    return squares;
}

double rippleLossPerOhm(const HarmonicFactors& meanSquares, const HarmonicFactors& factors) {
    double sum = 0;
    for (std::size_t n = 0; n < meanSquares.size(); ++n)
        sum += meanSquares[n] * factors[n];
    return sum;
}

WindingLayers windingLayers(const DesignRecord& r) {
    WindingLayers w;
    const double insulated = r.wireDia;
    const double bare = r.wireBareDia;
    if (!(insulated > 0) || !(bare > 0)) return w;
    double across = 0;
    if (partNumberShape(r.corePartNumber) == kECore) {
        // Across the bobbin between its flanges, as the winding lays its turns.
        if (r.bobbinRecord && r.bobbinRecord->b[7] > 0) {
            across = (r.bobbinRecord->b[7] - 2.0 * r.bobbinRecord->b[10]) / insulated;
        } else if (r.Esize) {
            across = 0.9 * r.Esize->d / insulated;
        }
    } else {
        // Round the inside of the core, at the centre of the first layer.
        across = kPi * (r.coreId - insulated) / insulated;
    }
    const double perLayer = std::clamp(std::floor(across), 1.0, kLargestCount);
    const double conductors =
        std::clamp(std::floor(static_cast<double>(r.turns)) * r.wireStrands, 1.0, kLargestCount);
    w.conductorsPerLayer = static_cast<int>(perLayer);
    w.layers = static_cast<int>(std::ceil(conductors / perLayer));
    w.foilThicknessIn = std::sqrt(kPi) / 2 * bare;
    w.porosity = std::min(w.foilThicknessIn / insulated, 1.0);
    return w;
}

namespace {

SecondOpinion secondOpinionAt(const DesignRecord& r, std::int8_t application, double ripple);

}  // namespace

SecondOpinion secondOpinion(const DesignRecord& r, std::int8_t application) {
    return secondOpinionAt(r, application, r.rippleCurrent);
}

SecondOpinion candidateSecondOpinion(const DesignRecord& r) {
    const int application = r.applicationType;
    const double averageVoltage = application == kPowerFactorBoost ? r.pfcOutputVoltage
                                  : application == kResonant
                                      ? r.avgVoltage
                                      : biasedAverageVoltage(r.onVoltage, r.offVoltage);
    return secondOpinionAt(r, r.applicationType,
                           switchingRippleCurrent(r, application, averageVoltage, r.inductanceUh));
}

namespace {

// The second opinion with the switching ripple `ripple` (A peak to peak; PFC: the largest of the
// line cycle).
SecondOpinion secondOpinionAt(const DesignRecord& r, std::int8_t application, double ripple) {
    SecondOpinion o;
    o.application = application;
    const bool pfc = application == kPowerFactorBoost;
    const bool resonant = application == kResonant;
    const bool powerline = application == kPowerline;

    // The program's own figures, as the analysis left them (its table holds the losses as
    // single-precision watts).
    const double ambient = r.ambientTemp;
    const double rAmbient = r.dcResistance;
    const double coreW = toStoredFloat(r.coreLossMw / 1000.0);
    const double programCopperW = toStoredFloat(r.copperLossMw / 1000.0);
    o.ambientC = ambient;
    o.programRdcOhm = rAmbient;
    o.programAcFactor = resonant && rAmbient > 0 ? r.acResistance / rAmbient : 1;
    o.programCopperLossW = programCopperW;
    o.programTotalLossW = coreW + programCopperW;
    o.programTempRiseC = r.tempRise;

    const double surface = r.surfaceArea;
    const auto riseOf = [&](double totalW) {
        return temperatureRiseC(1000 * totalW, surface, r.tempRiseFactor, r.tempRiseExponent);
    };

    const WindingLayers w = windingLayers(r);
    o.layers = w.layers;
    o.porosity = w.porosity;
    const double frequencyHz = powerline ? r.lineFrequencyHz : 1000.0 * r.frequencyKhz;
    const double inputOverOutput =
        r.pfcOutputVoltage > 0 ? static_cast<double>(r.pfcPeakInputVoltage) / r.pfcOutputVoltage
                               : 0;
    const double duty = onDuty(r.onVoltage, r.offVoltage);

    if (pfc) {
        o.rippleRmsA = pfcRippleRms(ripple, inputOverOutput, kLineAngleSteps);
    } else if (resonant) {
        o.rippleRmsA = r.resonantPeakCurrent / std::sqrt(2.0);
    } else if (!powerline && duty > 0) {
        o.rippleRmsA = ripple / std::sqrt(12.0);
    }

    // The ripple's harmonics do not change with the winding's temperature, only their factors.
    HarmonicFactors squares{};
    if (pfc) {
        squares = pfcRippleMeanSquares(ripple, inputOverOutput);
    } else if (!powerline && !resonant) {
        squares = triangleRippleMeanSquares(ripple, duty);
    }

    struct State {
        double windingTemp, rHot, skinDepth, acFactor, rippleW, dcW;
    };
    // Copper loss with the winding at ambient + rise. The low-frequency part is the program's
    // own current-squared rule at the hot resistance.
    const auto evaluate = [&](double rise) {
        State s{};
        s.windingTemp = ambient + rise;
        const double hot = copperResistanceRatio(s.windingTemp, ambient);
        s.rHot = rAmbient * hot;
        s.skinDepth = copperSkinDepthInches(frequencyHz, s.windingTemp);
        // Δ at n f is √n times Δ at f: the skin depth goes as 1/√f.
        const double delta = std::sqrt(w.porosity) * w.foilThicknessIn / s.skinDepth;
        HarmonicFactors factors{};
        for (int n = 1; n <= kRippleHarmonics; ++n)
            factors[static_cast<std::size_t>(n - 1)] = dowellFactor(delta * std::sqrt(n), w.layers);
        s.acFactor = powerline ? 1 : factors[0];
        if (resonant) {
            // The sinusoid at the hot resistance, charged at the larger AC factor of the two.
            s.rippleW = programCopperW * hot * std::max(1.0, factors[0] / o.programAcFactor);
            s.dcW = 0;
            return s;
        }
        s.dcW = programCopperW * hot;
        s.rippleW = s.rHot * rippleLossPerOhm(squares, factors);
        return s;
    };

    double rise = std::max(0.0, static_cast<double>(r.tempRise));
    State s = evaluate(rise);
    double nextRise = riseOf(coreW + s.dcW + s.rippleW);
    for (o.iterations = 1;; ++o.iterations) {
        if (!(nextRise <= kRunawayRiseC)) break;  // NaN too
        if (std::fabs(nextRise - rise) < kSettledRiseC) {
            o.converged = true;
            break;
        }
        if (o.iterations == kMaxRiseIterations) break;
        rise = nextRise;
        s = evaluate(rise);
        nextRise = riseOf(coreW + s.dcW + s.rippleW);
    }

    o.windingTempC = s.windingTemp;
    o.rdcHotOhm = s.rHot;
    o.skinDepthIn = s.skinDepth;
    o.acFactorFundamental = s.acFactor;
    o.rippleCopperLossW = s.rippleW;
    o.dcCopperLossW = s.dcW;
    o.copperLossW = s.rippleW + s.dcW;
    o.totalLossW = coreW + o.copperLossW;
    o.tempRiseC = nextRise;
    o.copperLossChangePercent = percentChange(o.copperLossW, programCopperW);
    o.tempRiseChangePercent = percentChange(o.tempRiseC, o.programTempRiseC);
    return o;
}

}  // namespace

}  // namespace korvell
