#include "engine/Winding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/AcResistance.h"
#include "engine/SecondOpinionModel.h"
#include "engine/TemperatureRise.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "materials/WireTable.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"
#include "record/StoredNumbers.h"

namespace korvell {
namespace {

constexpr double kECoreFill = 0.78;       // first-wire fill target of an E-core bobbin
constexpr double kMaxWindingFill = 0.83;  // highest fill ratio a toroid winding reaches
constexpr int kBobbinFitPasses = 50;

// Skin depth of copper, inches, at fKhz.
double skinDepthInches(double fKhz) {
    return kCopperSkinDepthInchRootHzAsUsed / std::sqrt(1000 * fKhz);
}

std::string invalidTurnsText(const DesignRecord& r, const char* inductanceLabel, double N) {
    return strprintf(
        "Application:%2d, %s:%6.0f, CORE: %s , PERCENT_PERM%6.0f,  turns:%6.0f, Iac:%6.2f, "
        "Vac%6.2f, Bac%6.0f",
        static_cast<int>(r.applicationType), inductanceLabel, r.inductanceRequired * 1000.0,
        r.corePartNumber.c_str(), static_cast<double>(r.percentPerm), N,
        static_cast<double>(r.acCurrentMax), static_cast<double>(r.avgVoltage),
        static_cast<double>(r.fluxAc));
}

// A wire the winding may use: one of the tables that the analysis accepts again (gages up to
// 50); the finer AWG gages a look-up by area or diameter can reach count as no wire.
bool windingWire(DesignRecord& r, std::int8_t system, int kind, float value) {
    return wireTableLookup(r, system, kind, value) && wireGageInRange(r.wireGage);
}

constexpr const char* kNoWireFits = "NO WIRE FITS";

// A figure above its limit, rounded up to `perUnit` steps, so it never reads as the limit itself.
double ceilTo(double value, double perUnit) {
    return std::ceil(value * perUnit) / perUnit;
}

// Formats a refusal's reason only when someone asks for it, and returns its code.
class Refusal {
  public:
    explicit Refusal(std::string* text) : m_text(text) {}

    template <typename... Figures>
    int operator()(int code, const char* format, Figures... figures) const {
        if (m_text) {
            if constexpr (sizeof...(figures) == 0) {
                *m_text = format;
            } else {
                *m_text = strprintf(format, figures...);
            }
        }
        return code;
    }
    bool wanted() const { return m_text != nullptr; }
    void append(const std::string& more) const {
        if (m_text) *m_text += more;
    }

  private:
    std::string* m_text;
};

// Circular mils of copper the current needs at the minimum copper area per ampere: the
// maximum current (powerline: the rms line current; resonant: the rms of the peak).
double requiredCopperCmil(const DesignRecord& r) {
    double current = r.maxCurrent;
    if (r.applicationType == kPowerline) current = r.acCurrentMax;
    if (r.applicationType == kResonant) current = r.resonantPeakCurrent * 0.707;
    return r.minCopperAreaCma * current;
}

// The copper check, the same wherever the wire or the strands change: the conductor (strands
// of the current wire, after the gage rounding and the toroid's shrinking) must carry the copper
// the current needs. None when it does, else the refusal, which names the copper against the
// copper needed; in a full window (`fullWindow`) where that copper would overfill the window,
// the fill it needs against the fill limit (an E-core bobbin's first wire fills 78 %) says why
// no thicker wire could be had.
std::optional<int> copperRefusal(const Refusal& refuse, const DesignRecord& r, double required,
                                 double N, bool fullWindow, std::int8_t coreShape) {
    const double copper = r.wireStrands * static_cast<double>(r.wireArea);
    if (!(copper < required && required > 1)) return std::nullopt;
    const int code = refuse(kCurrentDensityTooHigh, "COPPER %.0f < %.0f CMIL", std::floor(copper),
                            std::ceil(required));
    const double window = 1000.0 * r.coreWindowKcmil;
    if (refuse.wanted() && fullWindow && window > 0) {
        const double limit = std::round(100 * (coreShape == kECore ? kECoreFill : r.maxFillFactor));
        const double needed = std::ceil(100 * required * N / window);
        if (needed > limit)
            refuse.append(strprintf(": FILL NEEDED %.0f %% > %.0f %%", needed, limit));
    }
    return code;
}

// The resistance check: none when the DC resistance is within MAXIMUM DC RESISTANCE (0: none
// set), else the refusal.
std::optional<int> resistanceRefusal(const Refusal& refuse, const DesignRecord& r) {
    if (!(r.maxDcResistance > 0 && r.dcResistance > r.maxDcResistance)) return std::nullopt;
    return refuse(kResistanceTooHigh, "RESISTANCE %.3f > %.3f OHM", ceilTo(r.dcResistance, 1000),
                  static_cast<double>(r.maxDcResistance));
}

// The first wire: the one that fills the window to the fill target, or the largest that lies in
// one layer. 0 when there is one, else the refusal.
int chooseFirstWire(DesignRecord& r, const Refusal& refuse, double N, std::int8_t windingMode,
                    std::int8_t coreShape) {
    const std::int8_t system = r.wireGageSystem;
    const double s = r.wireStrands;
    const double W = 1000.0 * r.coreWindowKcmil;
    if (windingMode == kFullWindow) {
        const double fill = coreShape == kECore ? kECoreFill : r.maxFillFactor;
        r.wireAreaTarget = toStoredFloat(fill * W / N / s);
        if (!windingWire(r, system, kByArea, r.wireAreaTarget)) {
            return refuse(kNoWireForWindow, kNoWireFits);
        }
        return 0;
    }
    double maxDia;
    if (coreShape != kECore) {
        const double angle = std::sin(kPiAsUsed / (N * s));
        maxDia = (r.coreId - 0.02) * angle / (1 + angle);
    } else if (r.bobbinRecord && r.bobbinRecord->b[7] > 0) {
        const auto& b = r.bobbinRecord->b;
        maxDia = (b[7] - 2.0 * b[10] - 0.01) / (s * N + 1);
    } else {
        maxDia = (0.9 * r.Esize->d - 0.01) / (s * N + 1);
    }
    r.maxWireDia = toStoredFloat(maxDia);
    if (!windingWire(r, system, kByMaxDiameter, r.maxWireDia)) {
        return refuse(kNoWireForLayer, kNoWireFits);
    }
    r.wireAreaTarget = r.wireArea;
    return 0;
}

// Shrinks the wire by 10 % steps of area until the winding fits a toroid's window (an E-core's
// fit is its bobbin's), checking the copper on every wire. 0 when it fits, else the refusal.
int fitWindow(DesignRecord& r, const Refusal& refuse, double N, double requiredCopper,
              std::int8_t windingMode, std::int8_t coreShape) {
    const double W = 1000.0 * r.coreWindowKcmil;
    for (;;) {
        if (!windingWire(r, r.wireGageSystem, kByArea, r.wireAreaTarget)) {
            return refuse(kNoWireForArea, kNoWireFits);
        }
        if (const auto copper = copperRefusal(refuse, r, requiredCopper, N,
                                              windingMode == kFullWindow, coreShape)) {
            return *copper;
        }
        double k = 0.218 * W / (r.wireArea * N);
        if (k >= kMaxWindingFill) k = kMaxWindingFill;
        r.windingFillRatio = toStoredFloat(k);
        if (coreShape != kECore && W * k < r.wireArea * N) {
            r.wireAreaTarget *= 0.9f;
            continue;
        }
        return 0;
    }
}

// Winds the core with the current wire (its size and DC resistance); an E-core winding must
// also fit its bobbin, else a wire of 90 % of the diameter is tried. 0 when it fits, else the
// refusal.
int fitBobbin(DesignRecord& r, Messages& messages, const Refusal& refuse, std::int8_t windingMode,
              std::int8_t coreShape) {
    for (int pass = 1; pass <= kBobbinFitPasses; ++pass) {
        r.dcResistance = winding_resistance(r, windingMode, r.wireGage, coreShape);
        const bool fits =
            coreShape != kECore || (r.dcResistance >= 0 && r.bobbinRecord && r.Esize &&
                                    bobbinWindingDepth(r) - r.wireDia >= r.windingBuild);
        // A fit found only on the last pass is no fit: the passes ran out.
        if (fits && pass < kBobbinFitPasses) return 0;
        if (fits) break;
        if (!windingWire(r, r.wireGageSystem, kByMaxDiameter, 0.9f * r.wireDia)) {
            return refuse(kWireDoesNotFitBobbin, kNoWireFits);
        }
    }
    messages.show("Unable to adjust wire to fit Window. ", "Exiting select_wire");
    return refuse(kWireDoesNotFitBobbin, kNoWireFits);
}

// A resonant winding is stranded from wires no thicker than three skin depths, side by side in
// the single wire's place; the strands carry less copper than the wire they replace, so the
// copper and the resistance are checked again. Its AC resistance factor. 0 with the factor in
// `Fr`, else the refusal.
int strandResonantWinding(DesignRecord& r, Messages& messages, const Refusal& refuse,
                          double requiredCopper, double N, std::int8_t windingMode,
                          std::int8_t coreShape, double& Fr) {
    r.avgVoltage = toStoredFloat(N * N * r.frequencyKhz * 4e-6 * r.resonantPeakCurrent * r.coreAl *
                                 100 / r.percentPerm);
    if (r.frequencyKhz == 0) {
        messages.show("Error: Peak Current, Voltage, or frequency Not Specified",
                      "ERROR from select_wire");
        return refuse(kTemperatureTooHigh, "FREQUENCY NOT SPECIFIED");
    }
    const double depth = skinDepthInches(r.frequencyKhz);
    const double singleWireDia = r.wireDia;
    if (r.wireBareDia / depth > 3) {
        if (!windingWire(r, r.wireGageSystem, kByMaxDiameter, static_cast<float>(3 * depth))) {
            return refuse(kNoWireForLayer, kNoWireFits);
        }
        r.wireStrands = static_cast<std::int32_t>(singleWireDia / r.wireDia);
        if (const auto copper = copperRefusal(refuse, r, requiredCopper, N, false, coreShape)) {
            return *copper;
        }
        r.dcResistance = winding_resistance(r, windingMode, r.wireGage, coreShape);
        if (const auto resistance = resistanceRefusal(refuse, r)) return *resistance;
    }
    Fr = calc_ac_res_Fr(r, r.wireGage, r.frequencyKhz, 0);
    return 0;
}

// AC flux density, AC resistance, copper and core loss and temperature rise of the wound core,
// and the rise checked against its limit. 1 when within it, else the refusal.
int lossesAndRise(DesignRecord& r, const Refusal& refuse, double N, double Fr, double frequencyKhz,
                  SharedCoreLoss* shared) {
    if (r.applicationType != kPowerline) {
        if (N * r.coreAe * r.frequencyKhz > 0) {
            // Faraday's law with the average winding voltage, gauss.
            r.fluxAc = toStoredFloat(r.avgVoltage * 0.25 / N / r.coreAe / r.frequencyKhz * 100000);
        } else {
            r.fluxAc = 0;
        }
    }
    r.acResistance = toStoredFloat(Fr * r.dcResistance);
    r.copperLossMw = copper_loss(r, r.applicationType);

    if (shared && shared->coreLossMw) {
        r.coreLossMw = *shared->coreLossMw;
    } else if (PartNumberTokens tokens = parsePartNumber(r.corePartNumber); tokens.count >= 2) {
        r.coreLossMw = toStoredFloat(coreLoss(tokens.material, r.coreVolume, frequencyKhz, r.fluxAc,
                                              r.applicationType, r.pfcVoltageRatio));
        if (shared) shared->coreLossMw = r.coreLossMw;
    }

    const double totalLoss = static_cast<double>(r.coreLossMw) + r.copperLossMw;
    r.tempRise = toStoredFloat(
        temperatureRiseC(totalLoss, r.surfaceArea, r.tempRiseFactor, r.tempRiseExponent));
    if (r.tempRise > r.maxTempRise) {
        return refuse(kTemperatureTooHigh, "TEMPERATURE RISE %.1f > %.1f DEG C",
                      ceilTo(r.tempRise, 10), static_cast<double>(r.maxTempRise));
    }
    // RISE LIMIT BY CHECK: the second opinion's rise (hot copper, ripple harmonics) is held to
    // the limit too.
    if (r.riseLimitBy == kRiseByCheck) {
        const SecondOpinion check = candidateSecondOpinion(r);
        if (!check.converged) {
            return refuse(kTemperatureTooHigh, "CHECKED TEMPERATURE RISE RUNS AWAY");
        }
        if (check.tempRiseC > r.maxTempRise) {
            return refuse(kTemperatureTooHigh, "CHECKED TEMPERATURE RISE %.1f > %.1f DEG C",
                          ceilTo(check.tempRiseC, 10), static_cast<double>(r.maxTempRise));
        }
    }
    return kWindingAccepted;
}

}  // namespace

int ecore_bobbin(DesignRecord& record) {
    if (!record.Esize) return 0;
    const ECoreSize& s = *record.Esize;
    if (!(static_cast<double>(s.a) * s.b * s.c * s.d * s.e * s.f > 0)) return -1;

    // Clearances (inches) by size class of the core width A.
    static constexpr double kClearance[4][4] = {
        {0.005, 0.007, 0.005, 0.007},
        {0.007, 0.01, 0.007, 0.01},
        {0.01, 0.01, 0.007, 0.01},
        {0.015, 0.02, 0.015, 0.02},
    };
    const int k = s.a < 1.25f ? 0 : s.a < 1.68f ? 1 : s.a < 3.05f ? 2 : 3;
    const double* t = kClearance[k];
    // Bobbin dimensions sit on a 0.005-inch grid.
    const auto down = [](double x) { return std::floor(200 * x) * 0.005; };
    const auto nearest = [](double x) { return std::floor(200 * x + 0.51) * 0.005; };

    BobbinRecord bobbin;
    auto& b = bobbin.b;
    const double b4 = down(0.98 * s.f - 2 * t[3]);
    const double b6 = nearest(1.02 * s.e + 2 * t[2]);
    const double q = std::floor((b4 - b6) / 18 * 400 + 0.51) * 0.0025;
    const double wall = q > 0.015 ? (b4 - b6) * 0.5 - q : (b4 - b6) * 0.5 - 0.015;
    const double b3 = nearest(1.02 * s.c + 2 * t[0]) + b4 - nearest(1.02 * s.e + 2 * t[2]);
    const double b5 = down(1.02 * s.c + 2 * t[2] + 0.00255);
    const double flangeMargin = nearest(0.125 * wall);
    b[3] = static_cast<float>(b3);
    b[4] = static_cast<float>(b4);
    b[5] = static_cast<float>(b5);
    b[6] = static_cast<float>(b6);
    b[8] = static_cast<float>(b4 - 2 * wall);
    b[9] = static_cast<float>(b3 - 2 * wall);
    b[10] = static_cast<float>(flangeMargin > 0.02 ? flangeMargin : 0.02);
    b[7] = static_cast<float>(down(0.98 * s.d - 2 * t[1]));
    record.bobbinRecord = bobbin;
    return 1;
}

double bobbinWindingDepth(const DesignRecord& r) {
    if (!r.bobbinRecord || !r.Esize) return 0;
    const auto& b = r.bobbinRecord->b;
    return b[4] > 0 ? (b[4] - b[8]) * 0.5 : (r.Esize->f - r.Esize->e) * 0.88 * 0.5;
}

float winding_resistance(DesignRecord& record, std::int8_t windingMode, float gage,
                         std::int8_t coreShape) {
    DesignRecord& r = record;
    if (!wireTableLookup(r, r.wireGageSystem, kByGage, gage)) return 0;
    const double N = r.turns;
    const double s = r.wireStrands;
    const double W = 1000.0 * r.coreWindowKcmil;

    if (coreShape == kToroid || coreShape == kComposite) {
        const double Cu = r.wireArea * N * s;
        if (2.15 * Cu < W && N > 0) {
            const double k = std::min(0.218 * W / Cu, kMaxWindingFill);
            r.windingFillRatio = toStoredFloat(k);
            r.windingBuild = toStoredFloat(
                std::max(0.5 * r.coreId * (1 - std::sqrt(std::max(0.0, 1 - Cu / W / k))),
                         static_cast<double>(r.wireDia)));
        } else if (N > 0) {
            // The copper fills the hole: the build is half the inside diameter.
            const double fill = W > 0 ? Cu / W + 0.01 : 1.0;
            r.windingFillRatio = toStoredFloat(std::max<double>(r.windingFillRatio, fill));
            r.windingBuild = 0.5f * r.coreId;
        } else {
            r.windingBuild = 0;
            r.windingFillRatio = 1;
        }
        if (windingMode == kFullWindow) {
            const double k = r.windingFillRatio;
            const double copperShare = (W > 0 && k > 0) ? Cu / W / k : 1.0;
            r.woundId = toStoredFloat(
                std::max(0.0, std::min(r.coreId * std::sqrt(std::max(0.0, 1 - copperShare)),
                                       r.coreId - 2.0 * r.wireDia)));
            r.woundOd = toStoredFloat(
                std::max(std::sqrt(static_cast<double>(r.coreOd) * r.coreOd + 1e-6 * Cu / k),
                         r.coreOd + 2.0 * r.wireDia));
        } else {
            // A wire thicker than the hole's radius closes it: the wound hole is no less than 0.
            r.woundId = std::max(0.0f, r.coreId - 2 * r.wireDia);
            r.woundOd = r.coreOd + 2 * r.wireDia;
        }
        r.woundHeight = r.coreHt + r.woundOd - r.coreOd;
        r.surfaceArea = toStoredFloat(kPiAsUsed * r.woundOd * (0.5 * r.woundOd + r.woundHeight) *
                                      kSquareInchToCm2);
        r.coreVolume = r.coreAe * r.coreLe;
        r.coreMlt =
            toStoredFloat((r.coreOd - r.coreId + 2.0 * r.coreHt + kPiAsUsed * r.windingBuild) / 12);
    } else {
        if (!r.Esize) return -1;
        if (ecore_bobbin(r) != 1) return -1;
        const ECoreSize& e = *r.Esize;
        const auto& b = r.bobbinRecord->b;
        if (b[7] > 0) {
            const double perLayer = (b[7] - 2.0 * b[10]) / r.wireDia;
            if (perLayer < 2) return -1;
            const double turnsPerLayer = std::floor(perLayer - 1);
            const double layers = std::ceil(s * N / turnsPerLayer);
            r.windingBuild = toStoredFloat(layers * r.wireDia);
            r.coreMlt = toStoredFloat((2.0 * (b[8] + b[9]) + kPiAsUsed * r.windingBuild) / 12);
        } else {
            r.windingBuild = W > 0 ? toStoredFloat((e.f - e.e) * 0.5 * N * s * r.wireArea / W) : 0;
            r.coreMlt = toStoredFloat(
                (2.0 * (r.stackedCores * e.c + e.e) + kPiAsUsed * r.windingBuild) / 12);
        }
        r.surfaceArea = toStoredFloat(
            (2.0 * e.a * (e.b + e.c) + e.b * e.c + (e.d + e.f) * (e.f - e.e)) * kSquareInchToCm2);
        r.coreVolume = e.ve;
        // An E-core winding has no wound diameters; its height is the bobbin's plus the build
        // above and below.
        r.woundOd = 0;
        r.woundId = 0;
        r.woundHeight = 2 * r.windingBuild + b[9];
    }

    r.wireLengthFt = toStoredFloat(N * r.coreMlt + r.leadLengthTotal / 12.0);
    if (!(s > 0)) return 0;
    return toStoredFloat(r.wireLengthFt * r.wireOhmsPerFoot / s *
                         (kCopperZeroResistanceC + r.ambientTemp) /
                         (kCopperZeroResistanceC + kCopperReferenceC));
}

double windowFillPercent(const DesignRecord& r, double turns) {
    return r.coreWindowKcmil > 0
               ? 100.0 * r.wireArea * turns * r.wireStrands / (1000.0 * r.coreWindowKcmil)
               : 0;
}

bool layersWithinBobbin(const DesignRecord& r) {
    constexpr double kBuildTolerance = 0.0005;
    return r.windingBuild <= bobbinWindingDepth(r) + kBuildTolerance;
}

float copper_loss(const DesignRecord& record, std::int8_t application) {
    const DesignRecord& r = record;
    double currentSquared;
    switch (application) {
        case kPowerFactorBoost:
            currentSquared = 0.5 * r.maxCurrent * r.maxCurrent;
            break;
        case kPowerline: {
            const double I = std::max(r.acCurrentMax, r.acCurrentMin);
            currentSquared = I * I;
            break;
        }
        case kResonant:
            currentSquared = 0.5 * r.resonantPeakCurrent * r.resonantPeakCurrent;
            break;
        default:
            currentSquared = static_cast<double>(r.maxCurrent) * r.maxCurrent;
            break;
    }
    const double resistance = application == kResonant ? r.acResistance : r.dcResistance;
    return toStoredFloat(currentSquared * resistance * 1000);
}

int select_wire(DesignRecord& record, Messages& messages, float turnsIn, std::int8_t windingMode,
                std::int8_t coreShape, std::string* refusal, SharedCoreLoss* shared) {
    DesignRecord& r = record;
    const Refusal refuse(refusal);
    double N = turnsIn;
    if (!(N >= 0.5)) {
        messages.show(invalidTurnsText(r, "L Required", N), "ERROR: invalid number of turns");
        return refuse(kWindingInvalid, "TURNS %.1f < 0.5", N);
    }
    if (coreShape == kECore && !r.Esize) {
        messages.show(invalidTurnsText(r, "L Reqt", N), "ERROR Esize pointer is NULL");
        return refuse(kWindingInvalid, "NO E-CORE SIZE RECORD");
    }
    if (coreShape == kECore) ecore_bobbin(r);
    if (N < 1) N = 1;

    if (const int first = chooseFirstWire(r, refuse, N, windingMode, coreShape)) return first;
    const double requiredCopper = requiredCopperCmil(r);
    if (const int fit = fitWindow(r, refuse, N, requiredCopper, windingMode, coreShape)) {
        return fit;
    }
    if (const int fit = fitBobbin(r, messages, refuse, windingMode, coreShape)) return fit;
    // A thinner wire that made the winding fit the bobbin must still carry the current.
    if (const auto copper =
            copperRefusal(refuse, r, requiredCopper, N, windingMode == kFullWindow, coreShape)) {
        return *copper;
    }
    if (const auto resistance = resistanceRefusal(refuse, r)) return *resistance;
    // The analysis refuses a winding whose copper does not fit the window; so does the search
    // (strands of a wire chosen for one conductor can overfill it).
    if (const double fill = windowFillPercent(r, N); !(fill <= kLargestWindowFillPercent)) {
        return refuse(kNoWireForWindow, "FILL %.1f %% > 100 %%", ceilTo(fill, 10));
    }

    double frequencyKhz = r.frequencyKhz;
    double Fr = 1;
    if (r.applicationType == kPowerline) {
        // Peak flux of the rms current at the operating-point permeability.
        r.fluxAc = toStoredFloat(0.1 * std::sqrt(2.0) * 0.01 * r.percentPerm * N * r.acCurrentMax *
                                 r.coreAl / r.coreAe);
        frequencyKhz = r.lineFrequencyHz * 0.001;
    }
    if (r.applicationType == kResonant) {
        if (const int stranded = strandResonantWinding(r, messages, refuse, requiredCopper, N,
                                                       windingMode, coreShape, Fr)) {
            return stranded;
        }
    }
    return lossesAndRise(r, refuse, N, Fr, frequencyKhz, shared);
}

}  // namespace korvell
