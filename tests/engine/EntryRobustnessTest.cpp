// Random texts against both OK functions on one evolving record: nothing crashes, no stored
// number becomes NaN or infinite, every refusal shows exactly one message with a system caption,
// and a refusal changes only what the window stores before it refuses:
// - requirements, invalid character: nothing;
// - requirements, counts below 1: the application's requirement row, its temperature column (when
//   within limits), inductanceRequired, maxDcResistance, ambientTemp, avgVoltage, rippleCurrent;
// - requirements, range check: the above plus the count columns, stackedCores, wireStrands and
//   the application's active requirements;
// - parameters, invalid character: nothing;
// - parameters, range check of field k: columns 0..k-1 of the application's parameter row.
// Throughout, parameter columns 0-8 stay within their limits and both counts at least 1.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"

namespace korvell {
namespace {

std::string cell(const char* table, int a, int k) {
    return std::string(table) + "[" + std::to_string(a) + "][" + std::to_string(k) + "]";
}

// Every number the entry functions may write, in a fixed order; their names when asked for.
std::vector<double> numbersOf(const DesignRecord& r, std::vector<std::string>* names = nullptr) {
    std::vector<double> values;
    const auto add = [&](double value, const auto& nameOf) {
        values.push_back(value);
        if (names) names->push_back(nameOf());
    };
    for (int a = 0; a < kApplicationCount; ++a) {
        for (int k = 0; k < kRequirementColumns; ++k) {
            add(r.requirementsByApplication[a][k], [&] { return cell("req", a, k); });
        }
        for (int k = 0; k < kDesignParamColumns; ++k) {
            add(r.designParamsByApplication[a][k], [&] { return cell("par", a, k); });
        }
    }
    const std::pair<const char*, double> scalars[] = {
        {"inductanceRequired", r.inductanceRequired},
        {"maxDcResistance", r.maxDcResistance},
        {"maxCurrent", r.maxCurrent},
        {"inductanceAtMinCurrent", r.inductanceAtMinCurrent},
        {"minCurrent", r.minCurrent},
        {"onVoltage", r.onVoltage},
        {"offVoltage", r.offVoltage},
        {"pfcPeakInputVoltage", r.pfcPeakInputVoltage},
        {"pfcOutputVoltage", r.pfcOutputVoltage},
        {"pfcVoltageRatio", r.pfcVoltageRatio},
        {"acCurrentMax", r.acCurrentMax},
        {"acCurrentMin", r.acCurrentMin},
        {"lineFrequencyHz", r.lineFrequencyHz},
        {"resonantPeakCurrent", r.resonantPeakCurrent},
        {"resonantPeakVoltage", r.resonantPeakVoltage},
        {"frequencyKhz", r.frequencyKhz},
        {"rippleCurrent", r.rippleCurrent},
        {"avgVoltage", r.avgVoltage},
        {"maxTempRise", r.maxTempRise},
        {"minCopperAreaCma", r.minCopperAreaCma},
        {"maxFillFactor", r.maxFillFactor},
        {"minPercentPerm", r.minPercentPerm},
        {"resistivityFactor", r.resistivityFactor},
        {"tempRiseFactor", r.tempRiseFactor},
        {"tempRiseExponent", r.tempRiseExponent},
        {"leadLengthTotal", r.leadLengthTotal},
        {"ambientTemp", r.ambientTemp},
        {"lengthFactor", r.lengthFactor},
        {"longLengthFactor", r.longLengthFactor},
        {"weightFactor", r.weightFactor},
        {"stackedCores", r.stackedCores},
        {"wireStrands", r.wireStrands},
        {"wireGageSystem", r.wireGageSystem},
        {"unitSystem", r.unitSystem},
        {"designCount", r.designCount},
        {"selectedDesign", r.selectedDesign},
    };
    for (const auto& [name, value] : scalars) {
        add(value, [name = name] { return std::string(name); });
    }
    return values;
}

const std::vector<std::string>& fieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        numbersOf(DesignRecord{}, &n);
        return n;
    }();
    return names;
}

std::string textsOf(const DesignRecord& r) {
    std::string s = r.wireGageName + "|" + r.lengthUnitName + "|" + r.longLengthUnitName + "|" +
                    r.weightUnitName;
    for (const auto& row : r.reqtSummary)
        s += "|" + row.label + "|" + row.value + "|" + row.units;
    return s;
}

// Names that differ between two snapshots.
std::set<std::string> changed(const std::vector<double>& before, const std::vector<double>& after) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (before[i] != after[i]) names.insert(fieldNames()[i]);
    }
    return names;
}

class TextSource {
  public:
    explicit TextSource(std::uint32_t seed) : m_random(seed) {}

    // A field text: mostly from the field's own characters, sometimes from anything typed.
    std::string text(std::string_view allowed) {
        switch (pick(12)) {
            case 0:
                return "";
            case 1:
                return std::string(1 + pick(4), ' ');
            case 2:
                return ".";
            case 3:
                return "-";
            case 4:
                return std::string(1 + pick(400), static_cast<char>('1' + pick(9)));
            case 5:
                return "0." + std::string(pick(80), '0') + "1";
            case 6:
                return from(" -.0123456789+eExna,\t/", 1 + pick(14));
            default:
                return from(allowed, pick(12));
        }
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  private:
    std::string from(std::string_view alphabet, int length) {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += alphabet[pick(static_cast<int>(alphabet.size()))];
        return s;
    }
    std::mt19937 m_random;
};

// Plausible texts, so that enough random entries pass to exercise the accepting path.
std::string defaultRequirementText(int k) {
    static const RequirementTexts kTexts = {"50", "0",   "2",  "200", "0.5", "7",
                                            "5",  "100", "25", "1",   "1"};
    return kTexts[k];
}

std::string defaultParameterText(int k) {
    static const DesignParameterTexts kTexts = {"40", "150",   "40",   "40", "1",
                                                "1",  "0.833", "0.25", "55"};
    return kTexts[k];
}

bool isSystemCaption(const std::string& caption) {
    return caption == kDataEntryErrorCaption || caption == kParameterOutOfRangeCaption;
}

void expectInvariants(const DesignRecord& r) {
    const std::vector<double> numbers = numbersOf(r);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        ASSERT_TRUE(std::isfinite(numbers[i])) << fieldNames()[i];
    }
    EXPECT_GE(r.stackedCores, 1);
    EXPECT_GE(r.wireStrands, 1);
    for (int a = 0; a < kApplicationCount; ++a) {
        for (int k = 0; k < kDesignParamLimitCount; ++k) {
            const float v = r.designParamsByApplication[a][k];
            const ParamLimit limit = kDesignParamLimits[k];
            // Row 1 always holds a copper area: 10..9999 typed, or 197400 / (10..9999) from a
            // metric current density.
            const float high = k == 1 ? 19740.0f : limit.max;
            EXPECT_TRUE(v >= limit.min && v <= high) << cell("par", a, k) << " = " << v;
        }
    }
}

const std::set<std::string> kBeforeCountCheck = {"inductanceRequired", "maxDcResistance",
                                                 "ambientTemp", "avgVoltage", "rippleCurrent"};

const std::set<std::string> kActiveRequirements = {
    "maxCurrent",          "inductanceAtMinCurrent", "minCurrent",       "onVoltage",
    "offVoltage",          "pfcPeakInputVoltage",    "pfcOutputVoltage", "pfcVoltageRatio",
    "acCurrentMax",        "acCurrentMin",           "lineFrequencyHz",  "resonantPeakCurrent",
    "resonantPeakVoltage", "frequencyKhz",           "avgVoltage",       "stackedCores",
    "wireStrands"};

void expectOnly(const std::set<std::string>& names, const std::set<std::string>& allowed,
                const std::string& context) {
    for (const std::string& name : names) {
        EXPECT_TRUE(allowed.count(name)) << name << " changed on " << context;
    }
}

TEST(EntryRobustness, RandomTextsNeverCorruptTheRecord) {
    constexpr int kIterations = 6000;
    TextSource source(20040320u);
    DesignRecord r;
    std::map<std::string, int> outcomes;  // window and how its OK ended
    for (int i = 0; i < kIterations; ++i) {
        r.applicationType = static_cast<std::int8_t>(source.pick(kApplicationCount));
        const int a = r.applicationType;
        std::vector<double> before = numbersOf(r);
        const std::string textsBefore = textsOf(r);
        RecordingMessages messages;
        bool ok = false;
        std::string context;

        if (source.pick(2) == 0) {
            RequirementTexts texts;
            for (int k = 0; k < kRequirementFieldCount; ++k) {
                const std::string_view allowed = k < 8    ? kUnsignedFieldChars
                                                 : k == 8 ? kSignedFieldChars
                                                          : kCountFieldChars;
                texts[k] = source.pick(2) == 0 ? defaultRequirementText(k) : source.text(allowed);
            }
            if (source.pick(2) == 0) {  // leaving a field first, as the window does
                const std::string ripple = leaveRequirementField(r, texts);
                EXPECT_EQ(ripple.find("nan"), std::string::npos);
                EXPECT_EQ(ripple.find("inf"), std::string::npos);
                expectInvariants(r);
                before = numbersOf(r);
            }
            ok = acceptRequirements(r, messages, texts);
            context = "requirements";
            for (const auto& t : texts)
                context += " [" + t.substr(0, 20) + "]";
            if (!ok && !messages.empty()) {
                const std::string& text = messages.last().text;
                std::set<std::string> allowed;
                if (text.rfind("INVALID CHARACTER", 0) != 0) {
                    allowed = kBeforeCountCheck;
                    for (int k = 0; k < kRequirementColumns; ++k)
                        allowed.insert(cell("req", a, k));
                    allowed.insert(cell("par", a, 8));
                    if (text.rfind("ERROR: STACKED", 0) != 0) {
                        allowed.insert(kActiveRequirements.begin(), kActiveRequirements.end());
                        allowed.insert(cell("par", a, 9));
                        allowed.insert(cell("par", a, 10));
                    }
                }
                expectOnly(changed(before, numbersOf(r)), allowed, context);
                EXPECT_EQ(textsOf(r), textsBefore) << context;
            }
        } else {
            DesignParameterTexts texts;
            for (int k = 0; k < kDesignParameterFieldCount; ++k) {
                texts[k] = source.pick(4) != 0
                               ? defaultParameterText(k)
                               : source.text(k < 8 ? kUnsignedFieldChars : kSignedFieldChars);
            }
            const int units = source.pick(3);
            const int gage = source.pick(3);
            if (source.pick(2) == 0) {  // the gage standard changed before OK
                texts[1] =
                    row1TextAfterGageChange(r.wireGageSystem, gage, texts[1]).value_or(texts[1]);
            }
            ok = acceptDesignParameters(r, messages, texts, units, gage);
            context = "parameters";
            for (const auto& t : texts)
                context += " [" + t.substr(0, 20) + "]";
            if (!ok && !messages.empty()) {
                std::set<std::string> allowed;
                int field = 0;
                if (std::sscanf(messages.last().text.c_str(), "Parameter%d. (", &field) == 1 &&
                    messages.last().caption == kParameterOutOfRangeCaption) {
                    for (int k = 0; k + 1 < field; ++k)
                        allowed.insert(cell("par", a, k));
                }
                expectOnly(changed(before, numbersOf(r)), allowed, context);
                EXPECT_EQ(textsOf(r), textsBefore) << context;
            } else if (ok) {
                EXPECT_EQ(r.unitSystem, units);
                EXPECT_EQ(r.wireGageSystem, gage);
            }
        }

        const std::string window = context.substr(0, context.find(' '));
        if (ok) {
            ++outcomes[window + " accepted"];
            EXPECT_TRUE(messages.empty()) << context;
        } else {
            ++outcomes[window + " " + messages.last().text.substr(0, 12)];
            ASSERT_EQ(messages.size(), 1u) << context;
            EXPECT_TRUE(isSystemCaption(messages.last().caption)) << messages.last().caption;
        }
        expectInvariants(r);
        if (HasFatalFailure() || HasFailure()) {
            ADD_FAILURE() << "at iteration " << i << ": " << context;
            return;
        }
    }
    // The generator must reach every outcome often to mean anything (magnitudes beyond any
    // inductor and stacks beyond 100 cores are refused first, so the swing checks behind them are
    // reached a little less).
    for (const char* outcome :
         {"requirements accepted", "requirements INVALID CHAR", "requirements ERROR: STACK",
          "requirements Peak Current", "requirements SPECIFIED IN", "requirements Parameter 8.",
          "requirements Min Current ", "requirements Parameter 0.", "requirements Parameter 7.",
          "parameters accepted", "parameters INVALID CHAR", "parameters Parameter 2."}) {
        EXPECT_GT(outcomes[outcome], kIterations / 400) << outcome;
    }
}

}  // namespace
}  // namespace korvell
