#include "analysis/Analysis.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "analysis/AnalysisEntry.h"
#include "engine/AcResistance.h"
#include "engine/EntryFields.h"
#include "engine/PfcRipple.h"
#include "engine/Winding.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "materials/Permeability.h"
#include "materials/WireTable.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr double kFourPiTenth = 1.256636;       // 0.4 π
constexpr double kAcPermDataLimit = 30000;      // gauss, top of the AC permeability data
constexpr double kAgingTemperatureLimit = 250;  // °C
constexpr double kGramsPerPound = 453.6;
// Copper cannot take more of the window's cross-section than the window holds.
constexpr double kLargestWindowFillPercent = 100;
// A toroid winding whose copper exceeds 1/2.15 of the window fills the core's hole.
constexpr double kHoleFilledCopperShare = 2.15;
// The bobbin's dimensions sit on a 0.005-inch grid; a build within a tenth of that is flush.
constexpr double kBuildTolerance = 0.0005;
constexpr const char* kResultsBeyondRangeText =
    "RESULTS BEYOND THE RANGE OF THE PROGRAM: CHECK TURNS, CURRENT, VOLTAGES AND FREQUENCY";

enum Row : int {
    kInductance = 0,
    kDcResistanceRow,
    kAcResistanceRow,
    kRipple,
    kDcBias,
    kAcFlux,
    kPercentPerm,
    kAlRow,
    kCoreLossRow,
    kCopperLossRow,
    kBuild,
    kSurface,
    kTempRiseRow,
    kTime115,
    kLifeLimit,
    kCoreOd,
    kCoreId,
    kCoreHeight,
    kCoreWeight,
    kCoreVolume,
    kMagneticAc,
    kMagneticLm,
    kWireDia,
    kWireLength,
    kWireWeight,
    kSurfaceAgain,
    kTotalLoss,
    kTempRiseAgain,
    kWindingBuild,
    kWindowFill,
    kWoundOd,
    kWoundHeight,
};

const char* const kAcFluxLabel = "AC FLUX DENSITY";
const char* const kAverageAcFluxLabel = "AVG. AC FLUX DENSITY";

struct Density {
    const char* code;
    float gramsPerCm3;
};
// Densities of the pressed iron powders: the lower the permeability, the more insulating binder
// and the lower the density.
constexpr Density kCoreDensities[14] = {
    {"-11", 5.0f}, {"-13", 6.0f}, {"-16", 5.3f}, {"-17", 6.2f}, {"-21", 7.0f},
    {"-23", 6.0f}, {"-25", 6.0f}, {"-27", 6.4f}, {"-29", 7.1f}, {"-31", 6.7f},
    {"-32", 7.2f}, {"-36", 7.0f}, {"-37", 6.4f}, {"-39", 6.8f},
};

// The units word of a row that takes a display conversion, and its factor and name.
struct Conversion {
    const char* word;
    double factor;
    const std::string* name;
};
std::optional<Conversion> conversionOf(const AnalysisRow& row, const DesignRecord& r) {
    if (row.units.find("INCH") != std::string::npos)
        return Conversion{"INCH", r.lengthFactor, &r.lengthUnitName};
    if (row.units.find("Ft") != std::string::npos)
        return Conversion{"Ft", r.longLengthFactor, &r.longLengthUnitName};
    if (row.units.find("Lbs") != std::string::npos)
        return Conversion{"Lbs", r.weightFactor, &r.weightUnitName};
    return std::nullopt;
}

}  // namespace

AnalysisTable::AnalysisTable()
    : rows{{
          {"INDUCTANCE", "%6.0f", 0, "U_H"},
          {"DC RESISTANCE", "%6.3f", 0, "OHMS"},
          {"AC RESISTANCE", "%6.3f", 0, "OHMS"},
          {"RIPPLE CURRENT", "%6.2f", 0, "AMPS p-p"},
          {"DC BIAS", "%6.1f", 0, "OES"},
          {kAcFluxLabel, "%6.0f", 0, "GAUSS"},
          {"PERCENT PERM", "%6.0f", 0, "PCT"},
          {"CORE AL VALUE", "%6.0f", 0, "nH"},
          {"CORE LOSS", "%6.3f", 0, "W"},
          {"COPPER LOSS", "%6.3f", 0, "W"},
          {"BUILD", "%6.3f", 0, "INCH"},
          {"SURFACE AREA", "%6.1f", 0, "Sq cm"},
          {"TEMP RISE @ 0 HRS", "%6.1f", 0, "DEG C"},
          {"TIME TO 115 % LOSS", "%9.3g", 0, "HOURS"},
          {"LIFE LIMIT", "%9.3g", 0, "HOURS"},
          {"CORE OD", "%6.3f", 0, "INCH"},
          {"CORE ID", "%6.3f", 0, "INCH"},
          {"CORE HEIGHT", "%6.3f", 0, "INCH"},
          {"CORE WEIGHT", "%6.3f", 0, "Lbs"},
          {"CORE VOLUME", "%6.3f", 0, "Cubic cm"},
          {"MAGNETIC Ac", "%6.3f", 0, "Sq cm"},
          {"MAGNETIC Lm", "%6.3f", 0, "cm"},
          {"WIRE DIA", "%6.3f", 0, "INCH"},
          {"WIRE LENGTH", "%6.1f", 0, "Ft"},
          {"WIRE WEIGHT", "%6.3f", 0, "Lbs"},
          {"SURFACE AREA", "%6.2f", 0, "Sq cm"},
          {"TOT LOSSES", "%6.3f", 0, "WATTS"},
          {"TEMP RISE", "%6.2f", 0, "DEG. C"},
          {"WINDING BUILD", "%6.3f", 0, "INCH"},
          {"WINDOW FILL", "%6.1f", 0, "PERCENT"},
          {"WOUND OD", "%6.3f", 0, "INCH"},
          {"WOUND HEIGHT", "%6.3f", 0, "INCH"},
      }} {}

double analysisDisplayValue(const AnalysisRow& row, const DesignRecord& record) {
    const auto conversion = conversionOf(row, record);
    return conversion ? row.value * conversion->factor : row.value;
}

std::string analysisValueText(const AnalysisRow& row, const DesignRecord& record) {
    if (row.negligible) return kNegligibleText;
    return figureText(row.format.c_str(), analysisDisplayValue(row, record));
}

std::string analysisUnitsText(const AnalysisRow& row, const DesignRecord& record) {
    const auto conversion = conversionOf(row, record);
    if (!conversion) return row.units;
    std::string units = row.units;
    const auto at = units.find(conversion->word);
    units.replace(at, std::strlen(conversion->word), conversion->name->substr(0, 7));
    return units;
}

std::optional<float> coreDensity(std::string_view material) {
    for (const auto& d : kCoreDensities) {
        if (material == d.code) return d.gramsPerCm3;
    }
    return std::nullopt;
}

int AnalyzeDesign(DesignRecord& record, Messages& messages, AnalysisTable& table,
                  std::int8_t applicationType) {
    DesignRecord& r = record;
    const std::string entered = r.corePartNumber;

    // The catalog core whose part number is exactly the entered one (up to its first blank,
    // after which a stacked part carries its count).
    const std::int8_t shape = partNumberShape(entered);
    const std::optional<int> catalogRow = findCatalogRow(entered);
    if (!catalogRow) {
        messages.show(partNotFoundText(entered), "ERROR ");
        return -2;
    }
    catalogLookup(r, messages, *catalogRow, shape);
    const auto fields = readCatalogLine(r.catalogLine);
    if (!fields) return -1;
    const std::array<float, 10>& line = fields->values;
    const float mu = line[0];
    float al = line[1];
    float ac = line[2];
    const float lm = line[3];
    r.corePerm = mu;
    r.coreWindowKcmil = line[4];
    r.coreId = line[6];
    r.coreOd = line[7];
    r.coreHt = line[8];

    const int stack = r.stackedCores;
    if (stack > 1) {
        const auto n = static_cast<float>(stack);
        al *= n;
        ac *= n;
        r.coreHt *= n;
        if (shape == kECore && r.Esize) {
            r.Esize->c *= n;
            r.Esize->ae *= n;
            r.Esize->ve *= n;
        }
    }

    std::string material = parsePartNumber(entered).material;
    if (material == "-22" || material == "-24") {
        messages.show("Materials -22, -24 are discontinued, see new materials -23, -25, -27",
                      "NOTICE: ");
    }

    const double N = r.turns;
    const double fKhz = r.frequencyKhz;
    double H = 0;
    double percent = 100;
    double vAvg = 0;
    double bAc = 0;
    double fHz = 1000 * fKhz;
    double ratio = r.pfcVoltageRatio;
    double acFactor = 1;
    const bool pfc = applicationType == kPowerFactorBoost;
    switch (applicationType) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
        case kPowerFactorBoost: {
            const double iDc = r.maxCurrent;
            H = lm > 0 ? kFourPiTenth * N * iDc / lm : 0;
            const auto point = pctPermDcBias(material, static_cast<int>(mu), H);
            if (!point) {
                messages.show(
                    strprintf("NO DC BIAS PERMEABILITY DATA FOR MATERIAL %s", material.c_str()),
                    "ERROR ");
                return 0;
            }
            percent = point->percent;
            if (pfc) {
                vAvg = r.pfcOutputVoltage;
                if (r.pfcOutputVoltage > 1e-6f) ratio = r.pfcPeakInputVoltage / r.pfcOutputVoltage;
            } else {
                const double vPeak = r.onVoltage;
                const double vOut = r.offVoltage;
                vAvg = vPeak * vOut > 0 ? 2 * vPeak * vOut / (vPeak + vOut) : 0;
            }
            bAc = N * ac * fKhz > 0 ? 0.25 * vAvg * 100000 / (N * ac * fKhz) : 0;
            break;
        }
        case kPowerline: {
            const double bPeak = std::sqrt(2.0) * N * r.acCurrentMax * al / ac * 0.1;
            if (bPeak > kAcPermDataLimit) {
                messages.show(
                    "WARNING: RANGE OF AC PERM DATA EXCEEDED.\n\r RESULTS MAY BE INACCURATE",
                    "NOTICE: ");
            }
            const auto point = calc_pct_perm_ac(messages, bPeak, material);
            if (!point) return 0;
            percent = point->percent;
            bAc = 0.01 * percent * bPeak;
            fHz = r.lineFrequencyHz;
            break;
        }
        case kResonant: {
            const double iPeak = r.resonantPeakCurrent;
            bAc = N * iPeak * al / ac * 0.1;
            vAvg = 4e-6 * N * N * fKhz * iPeak * al;
            if (!wireTableLookup(r, r.wireGageSystem, kByGage, r.lastStoredWireGage)) return 0;
            acFactor = calc_ac_res_Fr(r, r.wireGage, static_cast<float>(fKhz), 1);
            break;
        }
        default:
            messages.show(">>> Unidentified Function in ANALYSIS", "PROGRAM ERROR ");
            return 0;
    }

    const double inductanceUh = al * percent * 0.01 * N * N / 1000;
    r.percentPerm = toStoredFloat(percent);

    // Ripple of a switching converter; a line-frequency choke carries no switching ripple.
    double ripple = 0;
    if (applicationType != kPowerline && inductanceUh * fKhz > 0) {
        // PFC: the largest ripple over the line cycle, as the requirements window gives it.
        ripple =
            pfc ? pfcRipplePeakToPeak(r.pfcPeakInputVoltage, r.pfcOutputVoltage, inductanceUh, fKhz)
                : 0.5 * vAvg / (inductanceUh * fKhz) * 1000;
        ripple = std::min<double>(ripple, r.maxCurrent);
    }

    if (!wireTableLookup(r, r.wireGageSystem, kByGage, r.lastStoredWireGage)) {
        messages.show(strprintf("Wire Table Lookup error, Gage indicates %f",
                                static_cast<double>(r.lastStoredWireGage)),
                      "PROGRAM ERROR ");
        return 0;
    }
    const double volume = shape == kECore && r.Esize ? r.Esize->ve : static_cast<double>(ac) * lm;

    r.coreAe = ac;
    r.coreAl = al;
    r.coreLe = lm;
    r.fluxAc = toStoredFloat(pfc ? 0.5 * bAc : bAc);
    r.avgVoltage = toStoredFloat(vAvg);
    r.pfcVoltageRatio = toStoredFloat(ratio);

    // The copper of the winding must fit the window: more copper cross-section than the window
    // holds cannot be wound at all, and every result would describe a winding that cannot exist.
    const double fillPercent = r.coreWindowKcmil > 0 ? 100.0 * r.wireArea * N * r.wireStrands /
                                                           (1000.0 * r.coreWindowKcmil)
                                                     : 0;
    if (!(fillPercent <= kLargestWindowFillPercent)) {
        messages.show(strprintf("WINDOW FILL %.1f %% : %.0f TURNS OF THIS WIRE DO NOT FIT THE "
                                "WINDOW OF CORE %s",
                                fillPercent, N, entered.c_str()),
                      "ERROR ");
        return 0;
    }

    // Beyond 1/2.15 of a toroid's window the copper fills the hole: the winding is taken as a
    // build of half the inside diameter, which no winder reaches, so its size and resistance are
    // estimates at best.
    if (shape != kECore && fillPercent * kHoleFilledCopperShare >= 100) {
        messages.show(strprintf("WINDOW FILL %.1f %% : THE WINDING FILLS THE HOLE OF CORE %s; ITS "
                                "BUILD, WOUND SIZE AND RESISTANCE ARE ESTIMATES",
                                fillPercent, entered.c_str()),
                      "NOTICE: ");
    }

    const float rdc = winding_resistance(r, r.windingMode, r.lastStoredWireGage, shape);
    // A winding that cannot be built has no resistance: winding_resistance says so with a value
    // of 0 or below (an E-core bobbin on which the wire does not lie two turns to a layer).
    // On an E-core the layers must also stay within the bobbin's flanges.
    const bool overBobbin =
        shape == kECore && r.windingBuild > bobbinWindingDepth(r) + kBuildTolerance;
    if (!(rdc > 0) || overBobbin) {
        messages.show(strprintf("%.0f TURNS OF THIS WIRE DO NOT FIT THE BOBBIN OF CORE %s: THE "
                                "WINDING CANNOT BE BUILT",
                                N, entered.c_str()),
                      "ERROR ");
        return 0;
    }
    const double rac = applicationType == kResonant ? acFactor * rdc : rdc;
    r.rippleCurrent = toStoredFloat(ripple);
    r.dcResistance = rdc;
    r.acResistance = toStoredFloat(rac);

    const double copperW = copper_loss(r, applicationType) / 1000.0;
    const double coreW =
        coreLoss(shape, material, volume, 0.001 * fHz, bAc, applicationType, ratio) / 1000.0;
    r.copperLossMw = toStoredFloat(copperW);  // watts after an analysis
    r.coreLossMw = toStoredFloat(coreW);
    const double totalW = coreW + copperW;

    const double surface = r.surfaceArea;
    const double rise =
        surface > 0 && totalW > 0
            ? r.tempRiseFactor * std::pow(1000 * totalW / surface, r.tempRiseExponent)
            : 0;
    r.tempRise = toStoredFloat(rise);

    double time115 = 0;
    double life = 0;
    // A core that does not age has no time to 115 % loss and no life limit; the aging model's
    // stand-ins for that (hundreds of thousands of hours) would read shorter than the life of a
    // core that really ages, so the rows say NEGLIGIBLE instead.
    // With no core loss (a DC winding at 0 Hz) nothing drives the aging at all.
    bool negligibleAging = !(coreW > 0);
    if (coreW > 0 && r.ambientTemp + rise < kAgingTemperatureLimit) {
        const double bAge = pfc ? bAc * 0.5 * std::sqrt(pfcLossFactor(ratio, 2.0, 12)) : bAc;
        negligibleAging = agingNegligible(material, bAge, fHz, ac, r.ambientTemp, 1000 * totalW,
                                          surface, volume, r.tempRiseFactor, r.tempRiseExponent);
        if (!negligibleAging) {
            time115 = agingLife(1, nullptr, material, bAge, fHz, ac, r.ambientTemp, 1000 * totalW,
                                surface, volume, r.tempRiseFactor, r.tempRiseExponent);
            life = agingLife(2, nullptr, material, bAge, fHz, ac, r.ambientTemp, 1000 * totalW,
                             surface, volume, r.tempRiseFactor, r.tempRiseExponent);
        }
    }

    // A composite core is weighed as the iron powder its losses stand for, whatever the frequency.
    const std::string densityMaterial = shape == kComposite ? "-36" : material;
    const auto density = coreDensity(densityMaterial);
    const double weightLb = density ? *density * volume / kGramsPerPound : 0;

    // The rows are filled on a copy: a refused analysis leaves the table as it was.
    std::array<AnalysisRow, kAnalysisRows> t = table.rows;
    // A result beyond single precision (the largest entries multiplied together) would be shown
    // as the largest number a row holds, which is no result: such an analysis is refused.
    double largest = 0;
    const auto set = [&t, &largest](int row, double value) {
        largest = std::isfinite(value) ? std::max(largest, std::fabs(value)) : HUGE_VAL;
        t[row].value = toStoredFloat(value);
    };
    set(kInductance, inductanceUh);
    t[kInductance].format = inductanceUh >= 100 ? "%6.0f" : "%6.2f";
    if (rdc > 0.1f) {
        set(kDcResistanceRow, rdc);
        set(kAcResistanceRow, rac);
        t[kDcResistanceRow].format = t[kAcResistanceRow].format = "%5.2f";
    } else {
        set(kDcResistanceRow, 1000.0 * rdc);
        set(kAcResistanceRow, 1000.0 * rac);
        t[kDcResistanceRow].format = t[kAcResistanceRow].format = "%5.2fm";
    }
    set(kRipple, ripple);
    set(kDcBias, H);
    set(kAcFlux, pfc ? 0.5 * bAc : bAc);
    t[kAcFlux].label = pfc ? kAverageAcFluxLabel : kAcFluxLabel;
    set(kPercentPerm, percent);
    set(kAlRow, al);
    set(kCoreLossRow, coreW);
    set(kCopperLossRow, copperW);
    set(kBuild, r.windingBuild);
    set(kSurface, surface);
    set(kTempRiseRow, rise);
    set(kTime115, time115);
    set(kLifeLimit, life);
    t[kTime115].negligible = t[kLifeLimit].negligible = negligibleAging;
    set(kCoreOd, line[7]);
    set(kCoreId, line[6]);
    set(kCoreHeight, r.coreHt);
    set(kCoreWeight, weightLb);
    set(kCoreVolume, volume);
    set(kMagneticAc, ac);
    set(kMagneticLm, lm);
    set(kWireDia, r.wireMaxDia);
    set(kWireLength, r.wireLengthFt);
    set(kWireWeight, r.wireStrands * static_cast<double>(r.wireLengthFt) * r.wireWeightPerFoot);
    set(kSurfaceAgain, surface);
    set(kTotalLoss, totalW);
    set(kTempRiseAgain, rise);
    set(kWindingBuild, r.windingBuild);
    set(kWindowFill, fillPercent);
    set(kWoundOd, r.woundOd);
    set(kWoundHeight, r.woundHeight);
    if (!(largest <= FLT_MAX)) {
        messages.show(kResultsBeyondRangeText, "ERROR ");
        return 0;
    }
    table.rows = t;
    return 1;
}

bool analyzeResultsRow(const DesignRecord& record, int row, Messages& messages,
                       DesignRecord& analyzed, AnalysisTable& table) {
    if (row < 0 || row >= std::min(record.designCount, kMaxDesigns)) return false;
    analyzed = record;
    analyzed.selectedDesign = row;
    AnalysisTexts texts;
    loadAnalysisInputs(analyzed, texts);
    return acceptAnalysisInputs(analyzed, messages, texts) &&
           AnalyzeDesign(analyzed, messages, table, analyzed.applicationType) > 0;
}

}  // namespace korvell
