#include "analysis/AnalysisEntry.h"

#include <cctype>
#include <cstdlib>

#include "engine/EntryFields.h"
#include "materials/Catalog.h"
#include "materials/WireTable.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr std::string_view kEssentialDataCaption = "ESSENTIAL DATA MISSING";
// Every letter the catalog's part numbers hold: shape prefixes, size suffixes (H among them) and
// the gap designations (Q).
constexpr std::string_view kPartNumberCharacters = "ABCDEGHQST0123456789-/";

std::string allowedCharacters(int field, const DesignRecord& r) {
    switch (field) {
        case kStackField:
        case kTurnsField:
        case kStrandsField:
            return std::string(kCountFieldChars);
        case kWireField:
            return wireFieldCharacters(r.wireGageName);
        case kAmbientField:
            return std::string(kSignedFieldChars);
        default:
            return std::string(kUnsignedFieldChars);
    }
}

// The lines of the part-number syntax message; empty when the syntax is sound.
std::string partNumberProblems(const std::string& pn) {
    if (pn.empty()) return "MISSING CORE PART NUMBER";
    std::string message;
    if (pn[0] != 'E' && pn[0] != 'S' && pn[0] != 'T') {
        message += "\n MISSING E, T, or ST in CORE PART NUMBER";
    } else {
        const auto prefixEnd = pn.find_first_not_of("EST0123456789");
        const std::string prefix = pn.substr(0, prefixEnd);
        if (prefix.find_first_of("0123456789") == std::string::npos) {
            message += "\n MISSING SIZE Digits in CORE PART NUMBER";
        }
    }
    const auto dash = pn.find('-');
    if (dash == std::string::npos) {
        message += "\n MISSING DASH (-) IN CORE PART NUMBER";
    } else if (dash + 1 >= pn.size() || !std::isdigit(static_cast<unsigned char>(pn[dash + 1]))) {
        message += "\n MISSING MATERIAL CODE in CORE PART NUMBER";
    }
    return message;
}

// The record fields behind the operating fields of an application (none where the field is
// hidden), and the format the frequency is shown with.
struct OperatingFields {
    float DesignRecord::*current;
    float DesignRecord::*voltage1;
    float DesignRecord::*voltage2;
    float DesignRecord::*frequency;
    const char* frequencyFormat;
};
std::optional<OperatingFields> operatingFields(int application) {
    using R = DesignRecord;
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            return OperatingFields{&R::maxCurrent, &R::onVoltage, &R::offVoltage, &R::frequencyKhz,
                                   "%6.1f"};
        case kPowerFactorBoost:
            return OperatingFields{&R::maxCurrent, &R::pfcPeakInputVoltage, &R::pfcOutputVoltage,
                                   &R::frequencyKhz, "%6.1f"};
        case kPowerline:
            return OperatingFields{&R::acCurrentMax, nullptr, nullptr, &R::lineFrequencyHz,
                                   "%6.2f"};
        case kResonant:
            return OperatingFields{&R::resonantPeakCurrent, &R::resonantPeakVoltage, nullptr,
                                   &R::frequencyKhz, "%6.2f"};
        default:
            return std::nullopt;
    }
}

// The operating conditions of the snapshot, in its order, with the format each is kept in.
struct SnapshotField {
    float DesignRecord::*field;
    const char* format;
};
constexpr std::array<SnapshotField, 10> kSnapshotFields = {{
    {&DesignRecord::maxCurrent, "%6.2f"},
    {&DesignRecord::acCurrentMax, "%6.2f"},
    {&DesignRecord::resonantPeakCurrent, "%6.2f"},
    {&DesignRecord::onVoltage, "%6.2f"},
    {&DesignRecord::offVoltage, "%6.2f"},
    {&DesignRecord::pfcPeakInputVoltage, "%6.2f"},
    {&DesignRecord::pfcOutputVoltage, "%6.2f"},
    {&DesignRecord::resonantPeakVoltage, "%6.2f"},
    {&DesignRecord::frequencyKhz, "%6.1f"},
    {&DesignRecord::lineFrequencyHz, "%6.2f"},
}};

// Application names as the analysis header gives them.
constexpr std::array<std::string_view, kApplicationCount> kAnalysisNames = {
    "DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING INDUCTOR",
    "WIDE INDUCTANCE SWING INDUCTOR",   "POWER FACTOR BOOST INDUCTOR",
    "POWERLINE REQUENCY INDUCTOR",      "RESONANT CONVERTER INDUCTOR",
};

}  // namespace

std::string wireFieldCharacters(std::string_view gageName) {
    return " #.0123456789" + std::string(gageName);
}

std::string analysisHeader(int application) {
    const bool known = application >= 0 && application < kApplicationCount;
    return std::string(known ? kAnalysisNames[static_cast<std::size_t>(application)] : "") +
           " ANALYSIS";
}

AnalysisCaptions analysisCaptions(int application) {
    switch (application) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            return {"DC BIAS CURRENT", "AMPERES", "PEAK INDUCTOR VOLTAGE", "DC OUTPUT VOLTAGE",
                    "k HERTZ"};
        case kPowerFactorBoost:
            return {"DC BIAS CURRENT", "AMPERES", "PEAK REGULATOR INPUT VOLTAGE  ",
                    "REGULATOR DC OUTPUT VOLTAGE  ", "k HERTZ"};
        case kPowerline:
            return {"AC CURRENT", "AMPERES RMS", "", "", "HERTZ"};
        case kResonant:
            return {"PEAK CURRENT", "AMPERES", "PEAK VOLTAGE", "", "k HERTZ"};
        default:
            return {};
    }
}

OperatingSnapshot takeOperatingSnapshot(const DesignRecord& r) {
    OperatingSnapshot snapshot;
    for (std::size_t k = 0; k < kSnapshotFields.size(); ++k) {
        snapshot.texts[k] = strprintf(kSnapshotFields[k].format,
                                      static_cast<double>(r.*(kSnapshotFields[k].field)));
        snapshot.values[k] = r.*(kSnapshotFields[k].field);
    }
    snapshot.stackedCores = r.stackedCores;
    snapshot.wireStrands = r.wireStrands;
    snapshot.avgVoltage = r.avgVoltage;
    snapshot.pfcVoltageRatio = r.pfcVoltageRatio;
    snapshot.rippleCurrent = r.rippleCurrent;
    return snapshot;
}

void restoreOperatingSnapshot(DesignRecord& r, const OperatingSnapshot& snapshot) {
    // The requirements come back as they were, not as the fields showed them.
    for (std::size_t k = 0; k < kSnapshotFields.size(); ++k)
        r.*(kSnapshotFields[k].field) = snapshot.values[k];
    r.stackedCores = snapshot.stackedCores;
    r.wireStrands = snapshot.wireStrands;
    r.avgVoltage = snapshot.avgVoltage;
    r.pfcVoltageRatio = snapshot.pfcVoltageRatio;
    r.rippleCurrent = snapshot.rippleCurrent;
}

bool analysisFieldShown(int application, int field) {
    if (field < 0 || field >= kAnalysisFieldCount) return false;
    const auto fields = operatingFields(application);
    if (fields && field == kVoltage1Field) return fields->voltage1 != nullptr;
    if (fields && field == kVoltage2Field) return fields->voltage2 != nullptr;
    return true;
}

StackedPartNumber splitStackedPartNumber(std::string_view text) {
    StackedPartNumber split{std::string(text), std::nullopt};
    const auto blank = text.find(' ');
    if (blank == std::string_view::npos) return split;
    const auto x = text.find_first_of("xX", blank);
    if (x != std::string_view::npos) split.stack = readFieldCount(text.substr(x + 1));
    split.partNumber.resize(blank);
    return split;
}

void loadAnalysisInputs(const DesignRecord& r, AnalysisTexts& texts) {
    const int row = r.selectedDesign >= 0 && r.selectedDesign < kMaxDesigns ? r.selectedDesign : 0;
    loadAnalysisInputsOf(r, r.designResults[row], texts);
}

void loadAnalysisInputsOf(const DesignRecord& r, const DesignResult& design, AnalysisTexts& texts) {
    const StackedPartNumber part = splitStackedPartNumber(design.partNumber);
    const int stack = part.stack.value_or(1);
    texts[kPartNumberField] = part.partNumber;
    texts[kStrandsField] = design.strands > 0 ? strprintf("%d", design.strands) : "1";
    texts[kTurnsField] = strprintf("%d", design.turns);
    texts[kWireField] = design.wire + " " + r.wireGageName;
    texts[kAmbientField] = strprintf("%6.1f", static_cast<double>(r.ambientTemp));
    texts[kStackField] = strprintf("%d", stack);

    if (const auto fields = operatingFields(r.applicationType)) {
        const auto shown = [&r](float DesignRecord::*field, const char* format) {
            return strprintf(format, static_cast<double>(r.*field));
        };
        texts[kCurrentField] = shown(fields->current, "%6.2f");
        if (fields->voltage1) texts[kVoltage1Field] = shown(fields->voltage1, "%6.2f");
        if (fields->voltage2) texts[kVoltage2Field] = shown(fields->voltage2, "%6.2f");
        texts[kFrequencyField] = shown(fields->frequency, fields->frequencyFormat);
    }
}

ExactOperatingPoint exactOperatingPoint(const DesignRecord& r) {
    ExactOperatingPoint exact;
    exact.ambient = r.ambientTemp;
    if (const auto fields = operatingFields(r.applicationType)) {
        exact.current = r.*(fields->current);
        if (fields->voltage1) exact.voltage1 = r.*(fields->voltage1);
        if (fields->voltage2) exact.voltage2 = r.*(fields->voltage2);
        exact.frequency = r.*(fields->frequency);
    }
    return exact;
}

void keepExactLoadedValues(DesignRecord& r, const ExactOperatingPoint& exact,
                           const AnalysisTexts& loaded, const AnalysisTexts& accepted) {
    const auto keep = [&](int field, float DesignRecord::*member, float value) {
        if (member && loaded[field] == accepted[field]) r.*member = value;
    };
    keep(kAmbientField, &DesignRecord::ambientTemp, exact.ambient);
    if (const auto fields = operatingFields(r.applicationType)) {
        keep(kCurrentField, fields->current, exact.current);
        keep(kVoltage1Field, fields->voltage1, exact.voltage1);
        keep(kVoltage2Field, fields->voltage2, exact.voltage2);
        keep(kFrequencyField, fields->frequency, exact.frequency);
    }
}

void takeCatalogPart(AnalysisTexts& texts, std::string_view partNumber) {
    texts[kPartNumberField] = splitStackedPartNumber(partNumber).partNumber;
    texts[kStackField] = "1";
}

TypedPartNumber checkTypedPartNumber(std::string_view text) {
    TypedPartNumber result;
    result.text.reserve(text.size());
    for (const char c : text)
        result.text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const auto bad = result.text.find_first_not_of(kPartNumberCharacters);
        bad != std::string::npos) {
        result.error = strprintf("INVALID CHARACTER %1s", result.text.substr(bad).c_str());
    }
    return result;
}

bool acceptAnalysisInputs(DesignRecord& record, Messages& messages, AnalysisTexts& texts,
                          EntryFault* fault) {
    DesignRecord& r = record;
    const int app = r.applicationType;
    EntryFault unused;
    EntryFault& at = fault != nullptr ? *fault : unused;
    at.field = -1;

    for (int field = 1; field < kAnalysisFieldCount; ++field) {
        if (!analysisFieldShown(app, field)) continue;
        const std::string& text = texts[field];
        const auto run = text.find_first_not_of(allowedCharacters(field, r));
        if (run != std::string::npos) {
            at.field = field;
            messages.show(strprintf("INVALID CHARACTER %2d in Parameter%2d.  %s ",
                                    static_cast<int>(run) + 1, field, text.c_str()),
                          kDataEntryErrorCaption);
            return false;
        }
    }

    // The wire gage: AWG 00, 000 and 0000 are held as -1, -2 and -3. It is looked up on a
    // scratch record, so that a refusal leaves the record's current wire as it was.
    const std::optional<float> gage = readWireGage(texts[kWireField], r.wireGageSystem);
    DesignRecord wire;
    if (!gage || !wireTableLookup(wire, r.wireGageSystem, kByGage, *gage)) {
        at.field = kWireField;
        messages.show("Invalid Wire Size", kDataEntryErrorCaption);
        return false;
    }
    const float found = wire.wireGage;
    const char* name = r.wireGageName.c_str();
    if (r.wireGageSystem == kMetricWire) {
        texts[kWireField] = strprintf("%5.2f %s", static_cast<double>(found), name);
    } else if (found > -1) {
        texts[kWireField] = strprintf("#%3d %s", static_cast<int>(found), name);
    } else {
        const char* zeros = found <= -3 ? "0000" : found <= -2 ? "000" : "00";
        texts[kWireField] = strprintf("# %4s %s", zeros, name);
    }

    const std::string partNumber = texts[kPartNumberField];
    const std::int32_t strands = readFieldCount(texts[kStrandsField]);
    const std::int32_t turns = readFieldCount(texts[kTurnsField]);
    const std::int32_t stack = readFieldCount(texts[kStackField]);

    if (const std::string problems = partNumberProblems(partNumber); !problems.empty()) {
        at.field = kPartNumberField;
        messages.show(problems, kDataEntryErrorCaption);
        return false;
    }
    // Only a core of the catalog is analyzed: a part number that merely begins like one (or
    // has a material the catalog does not make that size in) names no core.
    if (!findCatalogRow(partNumber)) {
        at.field = kPartNumberField;
        messages.show(partNotFoundText(partNumber), "ERROR ");
        return false;
    }

    std::string essential;
    if (static_cast<double>(strands) * turns * stack < 1) {
        essential = "CHECK TURNS, STRANDS, STACKED CORES";
        at.field = turns < 1 ? kTurnsField : strands < 1 ? kStrandsField : kStackField;
    }
    if (!wireGageInRange(*gage)) {
        essential = "WIRE GAGE is OUT OF RANGE";
        at.field = kWireField;
    }
    if (!essential.empty()) {
        messages.show(essential, kEssentialDataCaption);
        return false;
    }
    // Counts are kept in single precision: beyond 2^24 they would no longer be whole numbers.
    if (strands > kLargestCount || turns > kLargestCount || stack > kLargestCount) {
        at.field = turns > kLargestCount     ? kTurnsField
                   : strands > kLargestCount ? kStrandsField
                                             : kStackField;
        messages.show(
            strprintf("TURNS, STRANDS and STACKED CORES MUST NOT EXCEED %d", kLargestCount),
            kDataEntryErrorCaption);
        return false;
    }
    if (stack > kLargestStack || strands > kLargestStrands) {
        at.field = stack > kLargestStack ? kStackField : kStrandsField;
        messages.show(stackAndStrandsLimitMessage(), kDataEntryErrorCaption);
        return false;
    }
    // Operating magnitudes beyond any inductor of these cores.
    const std::array<std::pair<int, float>, 4> largest = {{
        {kCurrentField, kLargestCurrentA},
        {kVoltage1Field, kLargestVoltageV},
        {kVoltage2Field, kLargestVoltageV},
        {kFrequencyField, kLargestFrequency},
    }};
    for (const auto& [field, limit] : largest) {
        if (!analysisFieldShown(app, field)) continue;
        if (const auto message = magnitudeMessage(field, readFieldFloat(texts[field]), limit)) {
            at.field = field;
            messages.show(*message, kDataEntryErrorCaption);
            return false;
        }
    }
    const float ambient = readFieldFloat(texts[kAmbientField]);
    if (const auto message = ambientRangeMessage(kAmbientField, ambient)) {
        at.field = kAmbientField;
        messages.show(*message, kDataEntryErrorCaption);
        return false;
    }

    wireTableLookup(r, r.wireGageSystem, kByGage, *gage);
    r.corePartNumber = partNumber;
    r.wireStrands = strands;
    r.turns = static_cast<float>(turns);
    r.stackedCores = stack;
    r.lastStoredWireGage = *gage;

    const auto value = [&texts](int field) { return readFieldFloat(texts[field]); };
    if (const auto fields = operatingFields(app)) {
        r.*(fields->current) = value(kCurrentField);
        if (fields->voltage1) r.*(fields->voltage1) = value(kVoltage1Field);
        if (fields->voltage2) r.*(fields->voltage2) = value(kVoltage2Field);
        r.*(fields->frequency) = value(kFrequencyField);
    }
    r.ambientTemp = ambient;
    return true;
}

}  // namespace korvell
