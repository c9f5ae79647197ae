#include "engine/Winding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/AcResistance.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "materials/WireTable.h"
#include "platform/Format.h"
#include "record/StoredNumbers.h"

namespace korvell {
namespace {

constexpr double kPi = 3.14159;
constexpr double kSquareInchToCm2 = 6.4516;
constexpr double kECoreFill = 0.78;       // first-wire fill target of an E-core bobbin
constexpr double kMaxWindingFill = 0.83;  // highest fill ratio a toroid winding reaches
constexpr double kCopperToResistance20C = 234.4;
constexpr int kBobbinFitPasses = 50;

// Skin depth of copper, inches, at fKhz.
double skinDepthInches(double fKhz) {
    return 2.795275590551181 / std::sqrt(1000 * fKhz);
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

// The refusal of a winding whose wire carries too little copper for the current: the copper of
// the wire chosen (after the gage rounding and the toroid's shrinking) against the copper the
// current needs. Where that copper would overfill a full window, the fill it needs against the
// fill limit (an E-core bobbin's first wire fills 78 %) says why no thicker wire could be had.
int refuseCopper(std::string* refusal, const DesignRecord& r, double requiredCopper, double N,
                 std::int8_t windingMode, std::int8_t coreShape) {
    if (refusal) {
        *refusal = strprintf("COPPER %.0f < %.0f CMIL",
                             std::floor(r.wireStrands * static_cast<double>(r.wireArea)),
                             std::ceil(requiredCopper));
        const double window = 1000.0 * r.coreWindowKcmil;
        if (windingMode == kFullWindow && window > 0) {
            const double limit =
                std::round(100 * (coreShape == kECore ? kECoreFill : r.maxFillFactor));
            const double needed = std::ceil(100 * requiredCopper * N / window);
            if (needed > limit)
                *refusal += strprintf(": FILL NEEDED %.0f %% > %.0f %%", needed, limit);
        }
    }
    return kCurrentDensityTooHigh;
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
        r.surfaceArea =
            toStoredFloat(kPi * r.woundOd * (0.5 * r.woundOd + r.woundHeight) * kSquareInchToCm2);
        r.coreVolume = r.coreAe * r.coreLe;
        r.coreMlt =
            toStoredFloat((r.coreOd - r.coreId + 2.0 * r.coreHt + kPi * r.windingBuild) / 12);
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
            r.coreMlt = toStoredFloat((2.0 * (b[8] + b[9]) + kPi * r.windingBuild) / 12);
        } else {
            r.windingBuild = W > 0 ? toStoredFloat((e.f - e.e) * 0.5 * N * s * r.wireArea / W) : 0;
            r.coreMlt =
                toStoredFloat((2.0 * (r.stackedCores * e.c + e.e) + kPi * r.windingBuild) / 12);
        }
        r.surfaceArea = toStoredFloat(
            (2.0 * e.a * (e.b + e.c) + e.b * e.c + (e.d + e.f) * (e.f - e.e)) * 6.451);
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
                         (r.ambientTemp + kCopperToResistance20C) / 254.4);
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
    // The refusal's reason, formatted only when someone asks for it.
    const auto refuse = [refusal](int code, const char* format, auto... figures) {
        if (refusal) {
            if constexpr (sizeof...(figures) == 0) {
                *refusal = format;
            } else {
                *refusal = strprintf(format, figures...);
            }
        }
        return code;
    };
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

    const std::int8_t system = r.wireGageSystem;
    const double s = r.wireStrands;
    const double W = 1000.0 * r.coreWindowKcmil;

    // First wire: fill the window, or the largest that lies in one layer.
    if (windingMode == kFullWindow) {
        const double fill = coreShape == kECore ? kECoreFill : r.maxFillFactor;
        r.wireAreaTarget = toStoredFloat(fill * W / N / s);
        if (!windingWire(r, system, kByArea, r.wireAreaTarget)) {
            return refuse(kNoWireForWindow, kNoWireFits);
        }
    } else {
        double maxDia;
        if (coreShape != kECore) {
            const double angle = std::sin(kPi / (N * s));
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
    }

    // Copper needed for the current density limit.
    double current = r.maxCurrent;
    if (r.applicationType == kPowerline) current = r.acCurrentMax;
    if (r.applicationType == kResonant) current = r.resonantPeakCurrent * 0.707;
    const double requiredCopper = r.minCopperAreaCma * current;

    // Shrink the wire until the winding fits the toroid window.
    for (;;) {
        if (!windingWire(r, system, kByArea, r.wireAreaTarget)) {
            return refuse(kNoWireForArea, kNoWireFits);
        }
        if (s * r.wireArea < requiredCopper && requiredCopper > 1) {
            return refuseCopper(refusal, r, requiredCopper, N, windingMode, coreShape);
        }
        double k = 0.218 * W / (r.wireArea * N);
        if (k >= kMaxWindingFill) k = kMaxWindingFill;
        r.windingFillRatio = toStoredFloat(k);
        if (coreShape != kECore && W * k < r.wireArea * N) {
            r.wireAreaTarget *= 0.9f;
            continue;
        }
        break;
    }

    // Wound size; an E-core winding must also fit its bobbin, else a thinner wire is tried.
    bool fits = false;
    int pass = 0;
    while (pass < kBobbinFitPasses) {
        ++pass;
        r.dcResistance = winding_resistance(r, windingMode, r.wireGage, coreShape);
        if (coreShape != kECore) {
            fits = true;
            break;
        }
        if (r.dcResistance >= 0 && r.bobbinRecord && r.Esize) {
            if (bobbinWindingDepth(r) - r.wireDia >= r.windingBuild) {
                fits = true;
                break;
            }
        }
        if (!windingWire(r, system, kByMaxDiameter, 0.9f * r.wireDia)) {
            return refuse(kWireDoesNotFitBobbin, kNoWireFits);
        }
    }
    if (!fits || pass == kBobbinFitPasses) {
        messages.show("Unable to adjust wire to fit Window. ", "Exiting select_wire");
        return refuse(kWireDoesNotFitBobbin, kNoWireFits);
    }

    // A thinner wire that made the winding fit the bobbin must still carry the current.
    if (s * r.wireArea < requiredCopper && requiredCopper > 1) {
        return refuseCopper(refusal, r, requiredCopper, N, windingMode, coreShape);
    }
    if (r.maxDcResistance > 0 && r.dcResistance > r.maxDcResistance) {
        return refuse(kResistanceTooHigh, "RESISTANCE %.3f > %.3f OHM",
                      ceilTo(r.dcResistance, 1000), static_cast<double>(r.maxDcResistance));
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
        r.avgVoltage = toStoredFloat(N * N * r.frequencyKhz * 4e-6 * r.resonantPeakCurrent *
                                     r.coreAl * 100 / r.percentPerm);
        if (r.frequencyKhz == 0) {
            messages.show("Error: Peak Current, Voltage, or frequency Not Specified",
                          "ERROR from select_wire");
            return refuse(kTemperatureTooHigh, "FREQUENCY NOT SPECIFIED");
        }
        const double depth = skinDepthInches(r.frequencyKhz);
        const double singleWireDia = r.wireDia;
        if (r.wireBareDia / depth > 3) {
            // Strand the conductor from wires no thicker than three skin depths.
            if (!windingWire(r, system, kByMaxDiameter, static_cast<float>(3 * depth))) {
                return refuse(kNoWireForLayer, kNoWireFits);
            }
            r.wireStrands = static_cast<std::int32_t>(singleWireDia / r.wireDia);
            // The strands lie side by side in the single wire's place and carry less copper
            // than it did: the current density limit is checked again on them.
            if (r.wireStrands * static_cast<double>(r.wireArea) < requiredCopper &&
                requiredCopper > 1) {
                return refuseCopper(refusal, r, requiredCopper, N, kSingleLayer, coreShape);
            }
            r.dcResistance = winding_resistance(r, windingMode, r.wireGage, coreShape);
            // The stranded conductor has less copper than the single wire: its resistance is
            // held to the limit again.
            if (r.maxDcResistance > 0 && r.dcResistance > r.maxDcResistance) {
                return refuse(kResistanceTooHigh, "RESISTANCE %.3f > %.3f OHM",
                              ceilTo(r.dcResistance, 1000), static_cast<double>(r.maxDcResistance));
            }
        }
        Fr = calc_ac_res_Fr(r, r.wireGage, r.frequencyKhz, 0);
    }
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
        r.coreLossMw =
            toStoredFloat(coreLoss(coreShape, tokens.material, r.coreVolume, frequencyKhz, r.fluxAc,
                                   r.applicationType, r.pfcVoltageRatio));
        if (shared) shared->coreLossMw = r.coreLossMw;
    }

    const double totalLoss = static_cast<double>(r.coreLossMw) + r.copperLossMw;
    if (totalLoss > 0.1 * r.surfaceArea && r.surfaceArea > 0) {
        r.tempRise = toStoredFloat(r.tempRiseFactor *
                                   std::pow(totalLoss / r.surfaceArea, r.tempRiseExponent));
    } else {
        r.tempRise = 0;
    }
    if (r.tempRise > r.maxTempRise) {
        return refuse(kTemperatureTooHigh, "TEMPERATURE RISE %.1f > %.1f DEG C",
                      ceilTo(r.tempRise, 10), static_cast<double>(r.maxTempRise));
    }
    return kWindingAccepted;
}

}  // namespace korvell
