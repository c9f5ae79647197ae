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
#include "engine/Inductance.h"
#include "engine/Ripple.h"
#include "engine/TemperatureRise.h"
#include "engine/Winding.h"
#include "materials/Catalog.h"
#include "materials/CoreLoss.h"
#include "materials/Materials.h"
#include "materials/Permeability.h"
#include "materials/WireTable.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"

namespace korvell {
namespace {

constexpr double kAcPermDataLimit = 30000;      // gauss, top of the AC permeability data
constexpr double kAgingTemperatureLimit = 250;  // °C
// A toroid winding whose copper exceeds 1/2.15 of the window fills the core's hole.
constexpr double kHoleFilledCopperShare = 2.15;
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

double analysisValueInUnits(const AnalysisRow& row, const DesignRecord& record) {
    const bool milli = !row.format.empty() && row.format.back() == 'm';
    const double shown = analysisDisplayValue(row, record);
    return milli ? shown / 1000 : shown;
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

namespace {

// The core as analyzed: its catalog line with the stack applied.
struct AnalyzedCore {
    std::int8_t shape = kToroid;
    std::string material;
    std::array<float, 10> line{};  // the catalog line's ten numbers, one core
    float mu = 0;
    float al = 0;  // nH/turn², whole stack
    float ac = 0;  // cm², whole stack
    float lm = 0;  // cm
    double volume = 0;
};

// Finds the entered part number in the catalog, reads its line into the record and applies the
// stack. None with the status to return (-2 not in the catalog, -1 an unreadable line).
std::optional<AnalyzedCore> loadCore(DesignRecord& r, Messages& messages, int& status) {
    const std::string& entered = r.corePartNumber;
    AnalyzedCore core;
    // The catalog core whose part number is exactly the entered one (up to its first blank,
    // after which a stacked part carries its count).
    core.shape = partNumberShape(entered);
    const std::optional<int> catalogRow = findCatalogRow(entered);
    if (!catalogRow) {
        messages.show(partNotFoundText(entered), "ERROR ");
        status = -2;
        return std::nullopt;
    }
    catalogLookup(r, messages, *catalogRow, core.shape);
    const auto fields = readCatalogLine(r.catalogLine);
    if (!fields) {
        status = -1;
        return std::nullopt;
    }
    core.line = fields->values;
    core.mu = core.line[0];
    core.al = core.line[1];
    core.ac = core.line[2];
    core.lm = core.line[3];
    r.corePerm = core.mu;
    r.coreWindowKcmil = core.line[4];
    r.coreId = core.line[6];
    r.coreOd = core.line[7];
    r.coreHt = core.line[8];

    const int stack = r.stackedCores;
    if (stack > 1) {
        const auto n = static_cast<float>(stack);
        core.al *= n;
        core.ac *= n;
        r.coreHt *= n;
        if (core.shape == kECore && r.Esize) {
            r.Esize->c *= n;
            r.Esize->ae *= n;
            r.Esize->ve *= n;
        }
    }
    core.volume =
        core.shape == kECore && r.Esize ? r.Esize->ve : static_cast<double>(core.ac) * core.lm;

    core.material = parsePartNumber(entered).material;
    if (materialIn(core.material, kDiscontinuedMaterial)) {
        messages.show("Materials -22, -24 are discontinued, see new materials -23, -25, -27",
                      "NOTICE: ");
    }
    return core;
}

CoreMagnetics magneticsOf(const AnalyzedCore& core) {
    return {core.material, static_cast<int>(core.mu), core.al, core.ac, core.lm};
}

// The magnetic operating point of the winding on the core.
struct OperatingPoint {
    double H = 0;          // DC bias, oersted
    double percent = 100;  // percent of initial permeability
    double vAvg = 0;       // average winding voltage, V
    double bAc = 0;        // peak AC flux density, gauss (PFC: before halving)
    double fHz = 0;        // the frequency the core loss is taken at
    double ratio = 0;      // PFC input over output voltage
    double acFactor = 1;   // resonant: AC resistance factor of the wire
    double inductanceUh = 0;
};

// The operating point of each application. None, after its message, for an unknown
// application, a material without the permeability data it needs, or an unknown wire.
std::optional<OperatingPoint> operatingPoint(DesignRecord& r, Messages& messages,
                                             const AnalyzedCore& core, std::int8_t application) {
    OperatingPoint p;
    const double N = r.turns;
    const double fKhz = r.frequencyKhz;
    const std::string& material = core.material;
    p.fHz = 1000 * fKhz;
    p.ratio = r.pfcVoltageRatio;
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
        case kPowerFactorBoost: {
            const auto point = dcBiasPoint(magneticsOf(core), N, r.maxCurrent);
            if (!point) {
                messages.show(
                    strprintf("NO DC BIAS PERMEABILITY DATA FOR MATERIAL %s", material.c_str()),
                    "ERROR ");
                return std::nullopt;
            }
            p.H = point->biasOe;
            p.percent = point->percent;
            p.inductanceUh = point->inductanceUh;
            if (application == kPowerFactorBoost) {
                p.vAvg = r.pfcOutputVoltage;
                if (r.pfcOutputVoltage > 1e-6f) {
                    p.ratio = r.pfcPeakInputVoltage / r.pfcOutputVoltage;
                }
            } else {
                p.vAvg = biasedAverageVoltage(r.onVoltage, r.offVoltage);
            }
            p.bAc = N * core.ac * fKhz > 0 ? 0.25 * p.vAvg * 100000 / (N * core.ac * fKhz) : 0;
            return p;
        }
        case kPowerline: {
            const CoreMagnetics magnetics = magneticsOf(core);
            if (initialPeakFluxGauss(magnetics, N, r.acCurrentMax) > kAcPermDataLimit) {
                messages.show(
                    "WARNING: RANGE OF AC PERM DATA EXCEEDED.\n\r RESULTS MAY BE INACCURATE",
                    "NOTICE: ");
            }
            const auto point = lineFrequencyPoint(magnetics, messages, N, r.acCurrentMax);
            if (!point) return std::nullopt;
            p.percent = point->percent;
            p.inductanceUh = point->inductanceUh;
            p.bAc = 0.01 * p.percent * point->initialFluxGauss;
            p.fHz = r.lineFrequencyHz;
            return p;
        }
        case kResonant: {
            const double iPeak = r.resonantPeakCurrent;
            p.bAc = N * iPeak * core.al / core.ac * 0.1;
            p.vAvg = 4e-6 * N * N * fKhz * iPeak * core.al;
            p.inductanceUh = unbiasedPoint(magneticsOf(core), N).inductanceUh;
            if (!wireTableLookup(r, r.wireGageSystem, kByGage, r.lastStoredWireGage)) {
                return std::nullopt;
            }
            p.acFactor = calc_ac_res_Fr(r, r.wireGage, static_cast<float>(fKhz), 1);
            return p;
        }
        default:
            messages.show(">>> Unidentified Function in ANALYSIS", "PROGRAM ERROR ");
            return std::nullopt;
    }
}

// Winds the core (winding_resistance) and checks that the winding can be built: its copper fits
// the window, and on an E-core the wire lies on the bobbin within its flanges. The DC resistance
// at ambient, or none after the refusal's message. A toroid winding that fills the core's hole
// is wound with a notice that its figures are estimates.
std::optional<float> windBuildable(DesignRecord& r, Messages& messages, const AnalyzedCore& core,
                                   double fillPercent) {
    const double N = r.turns;
    const std::string& entered = r.corePartNumber;
    // More copper cross-section than the window holds cannot be wound at all, and every result
    // would describe a winding that cannot exist.
    if (!(fillPercent <= kLargestWindowFillPercent)) {
        messages.show(strprintf("WINDOW FILL %.1f %% : %.0f TURNS OF THIS WIRE DO NOT FIT THE "
                                "WINDOW OF CORE %s",
                                fillPercent, N, entered.c_str()),
                      "ERROR ");
        return std::nullopt;
    }
    // Beyond 1/2.15 of a toroid's window the copper fills the hole: the winding is taken as a
    // build of half the inside diameter, which no winder reaches, so its size and resistance are
    // estimates at best.
    if (core.shape != kECore && fillPercent * kHoleFilledCopperShare >= 100) {
        messages.show(strprintf("WINDOW FILL %.1f %% : THE WINDING FILLS THE HOLE OF CORE %s; ITS "
                                "BUILD, WOUND SIZE AND RESISTANCE ARE ESTIMATES",
                                fillPercent, entered.c_str()),
                      "NOTICE: ");
    }
    const float rdc = winding_resistance(r, r.windingMode, r.lastStoredWireGage, core.shape);
    // A winding that cannot be built has no resistance: winding_resistance says so with a value
    // of 0 or below (an E-core bobbin on which the wire does not lie two turns to a layer).
    // On an E-core the layers must also stay within the bobbin's flanges.
    const bool overBobbin = core.shape == kECore && !layersWithinBobbin(r);
    if (!(rdc > 0) || overBobbin) {
        messages.show(strprintf("%.0f TURNS OF THIS WIRE DO NOT FIT THE BOBBIN OF CORE %s: THE "
                                "WINDING CANNOT BE BUILT",
                                N, entered.c_str()),
                      "ERROR ");
        return std::nullopt;
    }
    return rdc;
}

// Time to 115 % loss and life limit, hours; both NEGLIGIBLE for a core that does not age.
struct AgingRows {
    double time115 = 0;
    double life = 0;
    bool negligible = false;
};

AgingRows agingRows(const DesignRecord& r, const AnalyzedCore& core, const OperatingPoint& p,
                    double coreW, double totalW, double rise, std::int8_t application) {
    AgingRows a;
    // With no core loss (a DC winding at 0 Hz) nothing drives the aging at all.
    a.negligible = !(coreW > 0);
    if (!(coreW > 0) || !(r.ambientTemp + rise < kAgingTemperatureLimit)) return a;
    const bool pfc = application == kPowerFactorBoost;
    AgingInputs in;
    // A composite ages as its loss equivalent, here on the whole volume.
    in.material = lossEquivalent(core.material).code;
    in.fluxGauss = pfc ? p.bAc * 0.5 * std::sqrt(pfcLossFactor(p.ratio, 2.0, 12)) : p.bAc;
    in.frequencyHz = p.fHz;
    in.aeCm2 = core.ac;
    in.ambientC = r.ambientTemp;
    in.lossMw = 1000 * totalW;
    in.surfaceCm2 = r.surfaceArea;
    in.volumeCm3 = core.volume;
    in.riseFactor = r.tempRiseFactor;
    in.riseExponent = r.tempRiseExponent;
    // A core that does not age has no time to 115 % loss and no life limit; the aging model's
    // stand-ins for that (hundreds of thousands of hours) would read shorter than the life of a
    // core that really ages, so the rows say NEGLIGIBLE instead.
    a.negligible = agingNegligible(in);
    if (!a.negligible) {
        a.time115 = agingLife(AgingFigure::TimeTo115Percent, in);
        a.life = agingLife(AgingFigure::LifeLimit, in);
    }
    return a;
}

// What the rows of the table are filled from.
struct AnalyzedFigures {
    double inductanceUh = 0;
    double ripple = 0;
    double rdc = 0;
    double rac = 0;
    double coreW = 0;
    double copperW = 0;
    double rise = 0;
    double weightLb = 0;
    double fillPercent = 0;
    AgingRows aging;
};

// Fills a copy of the table's rows; false when a result lies beyond single precision (the
// largest entries multiplied together), which would be shown as the largest number a row holds
// and is no result.
bool fillRows(std::array<AnalysisRow, kAnalysisRows>& t, const DesignRecord& r,
              const AnalyzedCore& core, const OperatingPoint& p, const AnalyzedFigures& f,
              std::int8_t application) {
    const bool pfc = application == kPowerFactorBoost;
    double largest = 0;
    const auto set = [&t, &largest](int row, double value) {
        largest = std::isfinite(value) ? std::max(largest, std::fabs(value)) : HUGE_VAL;
        t[row].value = toStoredFloat(value);
    };
    set(kInductance, f.inductanceUh);
    t[kInductance].format = f.inductanceUh >= 100 ? "%6.0f" : "%6.2f";
    if (f.rdc > 0.1f) {
        set(kDcResistanceRow, f.rdc);
        set(kAcResistanceRow, f.rac);
        t[kDcResistanceRow].format = t[kAcResistanceRow].format = "%5.2f";
    } else {
        set(kDcResistanceRow, 1000.0 * f.rdc);
        set(kAcResistanceRow, 1000.0 * f.rac);
        t[kDcResistanceRow].format = t[kAcResistanceRow].format = "%5.2fm";
    }
    set(kRipple, f.ripple);
    set(kDcBias, p.H);
    set(kAcFlux, pfc ? 0.5 * p.bAc : p.bAc);
    t[kAcFlux].label = pfc ? kAverageAcFluxLabel : kAcFluxLabel;
    set(kPercentPerm, p.percent);
    set(kAlRow, core.al);
    set(kCoreLossRow, f.coreW);
    set(kCopperLossRow, f.copperW);
    set(kBuild, r.windingBuild);
    set(kSurface, r.surfaceArea);
    set(kTempRiseRow, f.rise);
    set(kTime115, f.aging.time115);
    set(kLifeLimit, f.aging.life);
    t[kTime115].negligible = t[kLifeLimit].negligible = f.aging.negligible;
    set(kCoreOd, core.line[7]);
    set(kCoreId, core.line[6]);
    set(kCoreHeight, r.coreHt);
    set(kCoreWeight, f.weightLb);
    set(kCoreVolume, core.volume);
    set(kMagneticAc, core.ac);
    set(kMagneticLm, core.lm);
    set(kWireDia, r.wireMaxDia);
    set(kWireLength, r.wireLengthFt);
    set(kWireWeight, r.wireStrands * static_cast<double>(r.wireLengthFt) * r.wireWeightPerFoot);
    set(kSurfaceAgain, r.surfaceArea);
    set(kTotalLoss, f.coreW + f.copperW);
    set(kTempRiseAgain, f.rise);
    set(kWindingBuild, r.windingBuild);
    set(kWindowFill, f.fillPercent);
    set(kWoundOd, r.woundOd);
    set(kWoundHeight, r.woundHeight);
    return largest <= FLT_MAX;
}

}  // namespace

int AnalyzeDesign(DesignRecord& record, Messages& messages, AnalysisTable& table,
                  std::int8_t applicationType, const BuiltPart& part) {
    DesignRecord& r = record;
    int status = 0;
    std::optional<AnalyzedCore> core = loadCore(r, messages, status);
    if (!core) return status;
    core->al = toStoredFloat(core->al * part.alFactor);
    const std::optional<OperatingPoint> point = operatingPoint(r, messages, *core, applicationType);
    if (!point) return 0;
    const bool pfc = applicationType == kPowerFactorBoost;

    AnalyzedFigures f;
    f.inductanceUh = point->inductanceUh;
    r.percentPerm = toStoredFloat(point->percent);
    f.ripple = switchingRippleCurrent(r, applicationType, point->vAvg, f.inductanceUh);

    if (!wireTableLookup(r, r.wireGageSystem, kByGage, r.lastStoredWireGage)) {
        messages.show(strprintf("Wire Table Lookup error, Gage indicates %f",
                                static_cast<double>(r.lastStoredWireGage)),
                      "PROGRAM ERROR ");
        return 0;
    }
    r.coreAe = core->ac;
    r.coreAl = core->al;
    r.coreLe = core->lm;
    r.fluxAc = toStoredFloat(pfc ? 0.5 * point->bAc : point->bAc);
    r.avgVoltage = toStoredFloat(point->vAvg);
    r.pfcVoltageRatio = toStoredFloat(point->ratio);

    f.fillPercent = windowFillPercent(r, r.turns);
    const std::optional<float> rdc = windBuildable(r, messages, *core, f.fillPercent);
    if (!rdc) return 0;
    // The built part's copper: its cross-section goes as the diameter squared.
    const double copperArea = part.copperDiameterFactor * part.copperDiameterFactor;
    r.wireBareDia = toStoredFloat(r.wireBareDia * part.copperDiameterFactor);
    r.wireArea = toStoredFloat(r.wireArea * copperArea);
    r.wireOhmsPerFoot = toStoredFloat(r.wireOhmsPerFoot / copperArea);
    f.rdc = toStoredFloat(*rdc / copperArea);
    f.rac = applicationType == kResonant ? point->acFactor * f.rdc : f.rdc;
    r.rippleCurrent = toStoredFloat(f.ripple);
    r.dcResistance = static_cast<float>(f.rdc);
    r.acResistance = toStoredFloat(f.rac);

    // Losses in mW in the record, in W in the table; the rise by the program's rule.
    r.copperLossMw = copper_loss(r, applicationType);
    const double coreMw = coreLoss(core->material, core->volume, 0.001 * point->fHz, point->bAc,
                                   applicationType, point->ratio);
    r.coreLossMw = toStoredFloat(coreMw);
    f.copperW = r.copperLossMw / 1000.0;
    f.coreW = r.coreLossMw / 1000.0;
    const double totalW = f.coreW + f.copperW;
    f.rise = temperatureRiseC(1000 * totalW, r.surfaceArea, r.tempRiseFactor, r.tempRiseExponent);
    r.tempRise = toStoredFloat(f.rise);
    f.aging = agingRows(r, *core, *point, f.coreW, totalW, f.rise, applicationType);

    const auto density = coreDensity(core->material);
    f.weightLb = density ? *density * core->volume / kGramsPerPound : 0;

    // The rows are filled on a copy: a refused analysis leaves the table as it was.
    std::array<AnalysisRow, kAnalysisRows> rows = table.rows;
    if (!fillRows(rows, r, *core, *point, f, applicationType)) {
        messages.show(kResultsBeyondRangeText, "ERROR ");
        return 0;
    }
    table.rows = rows;
    return 1;
}

bool analyzeResultsRow(const DesignRecord& record, int row, Messages& messages,
                       DesignRecord& analyzed, AnalysisTable& table) {
    if (row < 0 || row >= std::min(record.designCount, kMaxDesigns)) return false;
    analyzed = record;
    analyzed.selectedDesign = row;
    AnalysisTexts texts;
    loadAnalysisInputs(analyzed, texts);
    const AnalysisTexts loaded = texts;
    const ExactOperatingPoint exact = exactOperatingPoint(analyzed);
    if (!acceptAnalysisInputs(analyzed, messages, texts)) return false;
    // At the values the search used, not at the fields' rounded texts.
    keepExactLoadedValues(analyzed, exact, loaded, texts);
    return AnalyzeDesign(analyzed, messages, table, analyzed.applicationType) > 0;
}

}  // namespace korvell
