#include "analysis/AnalysisEntry.h"

#include <cctype>
#include <cstdlib>

#include "engine/EntryFields.h"
#include "materials/WireTable.h"
#include "platform/Format.h"

namespace korvell {
namespace {

enum Field : int {
    kPartNumber = 0,
    kStack = 1,
    kWireGage = 2,
    kTurns = 3,
    kCurrent = 4,
    kVoltage1 = 5,
    kVoltage2 = 6,
    kFrequency = 7,
    kAmbient = 8,
    kStrands = 9,
};

constexpr std::string_view kEssentialDataCaption = "ESSENTIAL DATA MISSING";
// Every letter the catalog's part numbers hold: shape prefixes, size suffixes (H among them) and
// the gap designations (Q).
constexpr std::string_view kPartNumberCharacters = "ABCDEGHQST0123456789-/";

std::string allowedCharacters(int field, const DesignRecord& r) {
    switch (field) {
        case kStack:
        case kTurns:
        case kStrands:
            return std::string(kCountFieldChars);
        case kWireGage:
            return " #.0123456789" + r.wireGageName;
        case kAmbient:
            return std::string(kSignedFieldChars);
        default:
            return std::string(kUnsignedFieldChars);
    }
}

// The gage number in a wire text such as "#18 AWG", "0000 AWG" or "0.50 mm": after any '#' and
// blanks, a number must start; none when it does not.
std::optional<float> wireGageOf(std::string_view text) {
    std::size_t i = 0;
    if (text.find('#') != std::string_view::npos) {
        while (i < text.size() && (text[i] == '#' || text[i] == ' '))
            ++i;
    } else {
        while (i < text.size() && text[i] == ' ')
            ++i;
    }
    const auto rest = text.substr(i);
    const bool digitFirst = !rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0]));
    const bool pointFirst =
        rest.size() > 1 && rest[0] == '.' && std::isdigit(static_cast<unsigned char>(rest[1]));
    if (!digitFirst && !pointFirst) return std::nullopt;
    return readFieldFloat(rest);
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

}  // namespace

bool analysisFieldShown(int application, int field) {
    if (application == kPowerline && (field == kVoltage1 || field == kVoltage2)) return false;
    if (application == kResonant && field == kVoltage2) return false;
    return field >= 0 && field < kAnalysisFieldCount;
}

void loadAnalysisInputs(const DesignRecord& r, AnalysisTexts& texts) {
    const int row = r.selectedDesign >= 0 && r.selectedDesign < kMaxDesigns ? r.selectedDesign : 0;
    const DesignResult& design = r.designResults[row];

    // A stacked design is stored as the part number, a blank, "x" and the count.
    std::string partNumber = design.partNumber;
    int stack = 1;
    if (const auto blank = partNumber.find(' '); blank != std::string::npos) {
        if (const auto x = partNumber.find('x', blank); x != std::string::npos) {
            stack = readFieldCount(std::string_view(partNumber).substr(x + 1));
        }
        partNumber.resize(blank);
    }
    texts[kPartNumber] = partNumber;
    texts[kStrands] = design.strands > 0 ? strprintf("%d", design.strands) : "1";
    texts[kTurns] = strprintf("%d", design.turns);
    texts[kWireGage] = design.wire + " " + r.wireGageName;
    texts[kAmbient] = strprintf("%6.1f", static_cast<double>(r.ambientTemp));
    texts[kStack] = strprintf("%d", stack);

    const auto f2 = [](float v) { return strprintf("%6.2f", static_cast<double>(v)); };
    const auto f1 = [](float v) { return strprintf("%6.1f", static_cast<double>(v)); };
    switch (r.applicationType) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            texts[kCurrent] = f2(r.maxCurrent);
            texts[kVoltage1] = f2(r.onVoltage);
            texts[kVoltage2] = f2(r.offVoltage);
            texts[kFrequency] = f1(r.frequencyKhz);
            break;
        case kPowerFactorBoost:
            texts[kCurrent] = f2(r.maxCurrent);
            texts[kVoltage1] = f2(r.pfcPeakInputVoltage);
            texts[kVoltage2] = f2(r.pfcOutputVoltage);
            texts[kFrequency] = f1(r.frequencyKhz);
            break;
        case kPowerline:
            texts[kCurrent] = f2(r.acCurrentMax);
            texts[kFrequency] = f2(r.lineFrequencyHz);
            break;
        case kResonant:
            texts[kCurrent] = f2(r.resonantPeakCurrent);
            texts[kVoltage1] = f2(r.resonantPeakVoltage);
            texts[kFrequency] = f2(r.frequencyKhz);
            break;
        default:
            break;
    }
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

bool acceptAnalysisInputs(DesignRecord& record, Messages& messages, AnalysisTexts& texts) {
    DesignRecord& r = record;
    const int app = r.applicationType;

    for (int field = 1; field < kAnalysisFieldCount; ++field) {
        if (!analysisFieldShown(app, field)) continue;
        const std::string& text = texts[field];
        const auto run = text.find_first_not_of(allowedCharacters(field, r));
        if (run != std::string::npos) {
            messages.show(strprintf("INVALID CHARACTER %2d in Parameter%2d.  %s ",
                                    static_cast<int>(run) + 1, field, text.c_str()),
                          kDataEntryErrorCaption);
            return false;
        }
    }

    // The wire gage: AWG 00, 000 and 0000 are held as -1, -2 and -3.
    const std::string& wireText = texts[kWireGage];
    auto gage = wireGageOf(wireText);
    if (gage && r.wireGageSystem == kAwg && *gage == 0) {
        if (wireText.find("0000") != std::string::npos) {
            gage = -3;
        } else if (wireText.find("000") != std::string::npos) {
            gage = -2;
        } else if (wireText.find("00") != std::string::npos) {
            gage = -1;
        }
    }
    if (!gage || !wireTableLookup(r, r.wireGageSystem, kByGage, *gage)) {
        messages.show("Invalid Wire Size", kDataEntryErrorCaption);
        return false;
    }
    const float found = r.wireGage;
    const char* name = r.wireGageName.c_str();
    if (r.wireGageSystem == kMetricWire) {
        texts[kWireGage] = strprintf("%5.2f %s", static_cast<double>(found), name);
    } else if (found > -1) {
        texts[kWireGage] = strprintf("#%3d %s", static_cast<int>(found), name);
    } else {
        const char* zeros = found <= -3 ? "0000" : found <= -2 ? "000" : "00";
        texts[kWireGage] = strprintf("# %4s %s", zeros, name);
    }

    const std::string partNumber = texts[kPartNumber];
    const std::int32_t strands = readFieldCount(texts[kStrands]);
    const std::int32_t turns = readFieldCount(texts[kTurns]);
    const std::int32_t stack = readFieldCount(texts[kStack]);

    if (const std::string problems = partNumberProblems(partNumber); !problems.empty()) {
        messages.show(problems, kDataEntryErrorCaption);
        return false;
    }

    std::string essential;
    if (static_cast<double>(strands) * turns * stack < 1)
        essential = "CHECK TURNS, STRANDS, STACKED CORES";
    if (*gage < -3 || *gage > 50) essential = "WIRE GAGE is OUT OF RANGE";
    if (!essential.empty()) {
        messages.show(essential, kEssentialDataCaption);
        return false;
    }

    r.corePartNumber = partNumber;
    r.wireStrands = strands;
    r.turns = static_cast<float>(turns);
    r.stackedCores = stack;
    r.lastStoredWireGage = *gage;

    const auto value = [&texts](int field) { return readFieldFloat(texts[field]); };
    switch (app) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            r.maxCurrent = value(kCurrent);
            r.onVoltage = value(kVoltage1);
            r.offVoltage = value(kVoltage2);
            r.frequencyKhz = value(kFrequency);
            break;
        case kPowerFactorBoost:
            r.maxCurrent = value(kCurrent);
            r.pfcPeakInputVoltage = value(kVoltage1);
            r.pfcOutputVoltage = value(kVoltage2);
            r.frequencyKhz = value(kFrequency);
            break;
        case kPowerline:
            r.acCurrentMax = value(kCurrent);
            r.lineFrequencyHz = value(kFrequency);
            break;
        case kResonant:
            r.resonantPeakCurrent = value(kCurrent);
            r.resonantPeakVoltage = value(kVoltage1);
            r.frequencyKhz = value(kFrequency);
            break;
        default:
            break;
    }
    r.ambientTemp = value(kAmbient);
    return true;
}

}  // namespace korvell
