// The design record: the one shared state of a design session. Requirements per application,
// design parameters, selections, the candidate core under examination, the current wire and
// winding solution, the results list and the display and graph settings.
//
// The record is a plain object owned by whoever runs the program (the desktop program, the
// command line, a test) and passed by reference to every operation. It holds no globals, so
// two records never interfere. Stored numbers are single precision, as the engine's results
// depend on that rounding; arithmetic is done in double.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvell {

// Application types, an index into every per-application row.
enum Application : std::int8_t {
    kDcBiased = 0,
    kControlledSwing = 1,
    kWideSwing = 2,
    kPowerFactorBoost = 3,
    kPowerline = 4,
    kResonant = 5,
};
constexpr int kApplicationCount = 6;

// Core shapes (coreShape), winding modes (windingMode), wire gage systems (wireGageSystem).
enum CoreShape : std::int8_t { kToroid = 0, kECore = 1, kComposite = 2 };
enum WindingMode : std::int8_t { kFullWindow = 0, kSingleLayer = 1 };
enum WireGageSystem : std::int8_t { kMetricWire = 0, kAwg = 1, kSwg = 2 };

constexpr int kMaxDesigns = 40;
constexpr int kSelectedMaterialSlots = 16;
constexpr int kSelectableMaterialCount = 14;
constexpr int kRequirementColumns = 8;
constexpr int kDesignParamColumns = 11;
constexpr int kDesignParamLimitCount = 9;

// Application names, used as captions (index = applicationType).
extern const std::array<std::string_view, kApplicationCount> kApplicationNames;

// Core shape names as the requirements window lists them (index = coreShape).
extern const std::array<std::string_view, 3> kShapeNames;

// The 14 selectable iron-powder codes, in selector order.
extern const std::array<std::string_view, kSelectableMaterialCount> kSelectableMaterials;

// Limits (min, max) of design parameter columns 0..8.
struct ParamLimit {
    float min;
    float max;
};
extern const std::array<ParamLimit, kDesignParamLimitCount> kDesignParamLimits;

// How the search judges a design's temperature rise: by the program's rule at ambient
// resistance, or by the second opinion's check (hot copper, ripple harmonics).
enum RiseLimitBy : std::int8_t { kRiseByProgram = 0, kRiseByCheck = 1 };
// Where the turns are solved on the core's Al tolerance: at the nominal Al, or at its low end
// (Al × (1 − tolerance)), so that every part built reaches the inductance.
enum DesignAt : std::int8_t { kDesignAtNominal = 0, kDesignAtWorstCase = 1 };
// The design choices of one application beside its parameter columns.
struct DesignChoices {
    std::int8_t riseLimitBy = kRiseByProgram;
    float alTolerancePercent = 8;  // ± percent of the core's Al
    std::int8_t designAt = kDesignAtNominal;
    bool operator==(const DesignChoices&) const = default;
};
// Limits of AL TOLERANCE, percent.
inline constexpr ParamLimit kAlToleranceLimit = {0, 30};

// Dimensions of one E-core size (inches, cm, cm², cm³); the candidate's copy may be scaled by
// stacking without touching the catalog table.
struct ECoreSize {
    const char* name;
    float a;   // overall width, in
    float b;   // overall height, in
    float c;   // core thickness (stacking direction), in
    float d;   // winding window height, in
    float e;   // centre-leg width, in
    float f;   // distance between the outer legs, in
    float le;  // magnetic path length, cm
    float ae;  // magnetic cross-section, cm²
    float ve;  // core volume, cm³
    float wa;  // area of one winding window, cm²
    friend bool operator==(const ECoreSize&, const ECoreSize&) = default;
};

// Bobbin geometry of an E-core candidate (inches); fields b0..b10, b0..b2 unused.
struct BobbinRecord {
    std::array<float, 11> b{};
    friend bool operator==(const BobbinRecord&, const BobbinRecord&) = default;
};

// One row of the results list (fields in results-row order).
struct DesignResult {
    std::string partNumber;
    float price = 0;
    float al = 0;
    std::int32_t strands = 0;
    std::int32_t turns = 0;
    std::string wire;
    float fillPercent = 0;
    float rdc = 0;
    float rac = 0;
    float bac = 0;
    float percentPerm = 0;
    float coreLossW = 0;
    float copperLossW = 0;
    float tempRise = 0;
    float build = 0;
    float woundOd = 0;
    float woundId = 0;
    float woundHeight = 0;
    float bobbinDim = 0;
    float surfaceArea = 0;
    float coreVolume = 0;
    // The inductance the design reaches at the design current, as the analysis gives it (µH);
    // a swinging choke's at its minimum current too (0 for the others); and the inductance at
    // the design current at the low end of the core's Al tolerance.
    float inductanceUh = 0;
    float inductanceAtMinCurrentUh = 0;
    float inductanceMinUh = 0;
    friend bool operator==(const DesignResult&, const DesignResult&) = default;
};

// The wire of a results row: system label and the eight numbers of the current wire.
struct DesignWire {
    std::string label;
    float area = 0;
    float bareDia = 0;
    float dia = 0;
    float maxDia = 0;
    float build = 0;
    float gage = 0;
    float ohmsPerFoot = 0;
    float weightPerFoot = 0;
    friend bool operator==(const DesignWire&, const DesignWire&) = default;
};

// Eight dimension slots of a results row (slot k stored at index k - 1); a slot not written by
// the design search holds no value.
struct DesignDimensions {
    std::array<std::optional<float>, 8> slot{};
    friend bool operator==(const DesignDimensions&, const DesignDimensions&) = default;
};

// One row of the requirements summary printed with the results.
struct RequirementSummaryRow {
    std::string label;  // up to 32 characters
    std::string value;  // up to 16 characters
    std::string units;  // up to 32 characters
    friend bool operator==(const RequirementSummaryRow&, const RequirementSummaryRow&) = default;
};

struct DesignRecord {
    DesignRecord();

    // --- Application and selections ---
    std::int8_t applicationType = kDcBiased;
    std::int8_t coreShape = kToroid;
    std::int8_t windingMode = kFullWindow;
    std::int32_t stackedCores = 1;
    std::int32_t wireStrands = 1;
    std::int8_t wireGageSystem = kAwg;
    std::array<std::string, kSelectedMaterialSlots> selectedMaterials{};
    std::int8_t lastApplication = 0;
    std::int8_t savedShape = 0;
    std::int8_t savedWindingMode = 0;

    // --- Requirements per application (mH, ohm, A, mH, A, V, V, kHz/Hz) ---
    std::array<std::array<float, kRequirementColumns>, kApplicationCount>
        requirementsByApplication{};

    // --- Active requirements ---
    float inductanceRequired = 0;      // mH at maximum current
    float maxDcResistance = 0;         // ohm, 0 = no limit
    float maxCurrent = 0;              // A, applications 0-3
    float inductanceAtMinCurrent = 0;  // mH
    float minCurrent = 0;              // A
    float onVoltage = 0;               // V
    float offVoltage = 0;              // V
    float pfcPeakInputVoltage = 0;     // V
    float pfcOutputVoltage = 0;        // V
    float pfcVoltageRatio = 0;         // peak input / DC output
    float acCurrentMax = 0;            // A rms
    float acCurrentMin = 0;            // A rms
    float lineFrequencyHz = 0;         // Hz
    float resonantPeakCurrent = 0;     // A
    float resonantPeakVoltage = 0;     // V
    float frequencyKhz = 0;            // kHz
    float rippleCurrent = 0;           // A peak to peak
    float avgVoltage = 0;              // V, drive of the core-loss flux

    // --- Design parameters per application and their limits (columns 0..8) ---
    std::array<std::array<float, kDesignParamColumns>, kApplicationCount>
        designParamsByApplication{};

    // --- Active design parameters ---
    float maxTempRise = 40;        // °C
    float minCopperAreaCma = 150;  // circular mils per ampere
    float maxFillFactor = 0.4f;    // fraction
    float minPercentPerm = 40;     // %
    float resistivityFactor = 1.0f;
    float tempRiseFactor = 1.0f;  // °C per mW/cm²
    float tempRiseExponent = 0.833f;
    float leadLengthTotal = 2.5f;  // inches, both leads
    float ambientTemp = 25;        // °C
    // The design choices per application, and the active ones.
    std::array<DesignChoices, kApplicationCount> designChoicesByApplication{};
    std::int8_t riseLimitBy = kRiseByProgram;
    float alTolerancePercent = 8;  // percent
    std::int8_t designAt = kDesignAtNominal;

    // --- Candidate core ---
    std::string corePartNumber;
    std::string catalogLine;
    std::int32_t catalogIndex = 0;
    std::int32_t catalogStatus = 0;
    float corePerm = 0;
    float coreAl = 0;           // nH/turn²
    float coreAe = 0;           // cm²
    float coreLe = 0;           // cm
    float coreWindowKcmil = 0;  // thousands of circular mils
    float coreMlt = 0;          // feet
    float coreId = 0;           // inches
    float coreOd = 0;           // inches
    float coreHt = 0;           // inches
    float coreEnergyRating = 0;
    float largestCoreEnergy = 0;     // largest energy rating seen since the walk restarted
    std::optional<ECoreSize> Esize;  // copy of the candidate's E-core size record
    std::optional<BobbinRecord> bobbinRecord;

    // --- Current wire ---
    std::string wireSystemLabel;
    float wireArea = 0;     // circular mils
    float wireBareDia = 0;  // inches
    float wireDia = 0;      // inches, nominal insulated
    float wireMaxDia = 0;   // inches
    float wireBuild = 0;    // inches
    float wireGage = 0;     // AWG/SWG number (-1..-3 for 00..0000) or metric diameter in mm
    float wireOhmsPerFoot = 0;
    float wireWeightPerFoot = 0;

    // --- Winding solution for the candidate ---
    float percentPerm = 0;
    float dcMagnetizingForce = 0;  // oersted
    float turns = 0;
    // The inductances the turns give (µH): at the design current, at the minimum current (the
    // swinging chokes), and at the design current at the low end of the Al tolerance.
    float inductanceUh = 0;
    float inductanceAtMinCurrentUh = 0;
    float inductanceMinUh = 0;
    float wireAreaTarget = 0;  // circular mils per strand
    float maxWireDia = 0;      // inches
    float windingFillRatio = 0;
    float dcResistance = 0;  // ohm
    float acResistance = 0;  // ohm
    float fluxAc = 0;        // gauss
    float coreLossMw = 0;    // mW
    float copperLossMw = 0;  // mW
    float tempRise = 0;      // °C
    float windingBuild = 0;  // inches
    float woundOd = 0;
    float woundId = 0;
    float woundHeight = 0;
    float wireLengthFt = 0;
    float surfaceArea = 0;  // cm²
    float coreVolume = 0;   // cm³

    // --- Results ---
    std::array<DesignResult, kMaxDesigns> designResults{};
    std::array<DesignWire, kMaxDesigns> designWires{};
    std::array<DesignDimensions, kMaxDesigns> designDimensions{};

    // --- Counters and selection ---
    std::int32_t designCount = 0;
    std::int32_t selectedDesign = 0;
    float lastStoredWireGage = 0;

    // --- Display and graph settings ---
    std::int32_t unitSystem = 1;  // 0 METRIC, 1 ENGLISH, 2 MIXED ENGLISH
    std::string wireGageName = "AWG";
    std::string lengthUnitName = "in";
    float lengthFactor = 1;
    std::string longLengthUnitName = "ft";
    float longLengthFactor = 1;
    std::string weightUnitName = "Lbs";
    float weightFactor = 1;
    std::int8_t displayMode = 0;
    std::int32_t printRequested = 0;
    std::int8_t graphKind = 0;
    std::int32_t graphSource = 0;
    std::string graphMaterialCode;

    // --- Requirements summary ---
    std::array<RequirementSummaryRow, 9> reqtSummary{};

    // Whole records compare field by field (a refused entry must leave a record as it was).
    friend bool operator==(const DesignRecord&, const DesignRecord&) = default;
};

// The material selector's view of selectedMaterials: whether slot k (0..13) holds its own code
// (an out-of-range k is never selected).
bool materialSlotSelected(const DesignRecord& record, int k);
// Writes the 14 selectable slots from the selector's check marks: a checked material's slot holds
// its code, the others are emptied; slots 14 and 15 are left as they are.
void writeMaterialSelection(DesignRecord& record,
                            const std::array<bool, kSelectableMaterialCount>& checked);

// Material code of a part number: the text from its first '-' read as the longest run of
// dashes and digits ("T999-21 x2" gives "-21"); empty when there is no dash.
std::string materialCodeOf(std::string_view partNumber);

// The wire size text of a results row: the metric diameter "%4.2f", or the gage "#%3d" with
// "# 0000", "# 000", "# 00" for the gages three, two and one below zero.
std::string wireSizeText(std::int8_t wireGageSystem, float wireGage);

// The current the record's application is designed for, A: the DC bias, the rms line current
// (powerline) or the peak current (resonant).
float designCurrent(const DesignRecord& record);

}  // namespace korvell
