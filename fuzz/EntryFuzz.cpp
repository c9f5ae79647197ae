// The requirements, design parameters and analysis entry checks over arbitrary field texts, on a
// record that the previous accepted entries of the same run may have changed. Must hold:
// - a refusal shows exactly one message with one of the program's captions, an acceptance none;
// - a refusal for an invalid character stores nothing; a refused analysis entry changes nothing;
// - whatever is stored is finite and within its limits: design parameters within theirs (the
//   copper area also as converted from a current density), the ambient temperature within
//   -200..250 °C, stacked cores and strands 1..2^24, analyzed turns 1..2^24, the analyzed gage
//   -3..50, requirement values never negative;
// - the field texts shown afterwards never hold "nan" or "inf".
#include "FuzzSupport.h"
#include "analysis/AnalysisEntry.h"
#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "engine/RequirementsEntry.h"
#include "materials/WireTable.h"

using namespace korvell;

namespace {

constexpr float kLargest = static_cast<float>(kLargestCount);

void checkStored(const DesignRecord& r, const std::string& context) {
    for (int a = 0; a < kApplicationCount; ++a) {
        for (int k = 0; k < kRequirementColumns; ++k) {
            const float v = r.requirementsByApplication[a][k];
            FUZZ_CHECK(fuzz::finite(v) && v >= 0, context);
        }
        const auto& p = r.designParamsByApplication[a];
        for (int k = 0; k < kDesignParamLimitCount; ++k) {
            const ParamLimit limit = kDesignParamLimits[k];
            const float high = k == 1 ? 197400.0f / limit.min : limit.max;
            const float low = k == 1 ? std::min(limit.min, 197400.0f / limit.max) : limit.min;
            FUZZ_CHECK(p[k] >= low && p[k] <= high, context + " column " + std::to_string(k));
        }
        FUZZ_CHECK(p[9] >= 1 && p[9] <= kLargest && p[10] >= 1 && p[10] <= kLargest, context);
    }
    FUZZ_CHECK(r.stackedCores >= 1 && r.stackedCores <= kLargestCount, context);
    FUZZ_CHECK(r.wireStrands >= 1 && r.wireStrands <= kLargestCount, context);
    FUZZ_CHECK(r.ambientTemp >= -200 && r.ambientTemp <= 250, context);
    for (float v : {r.inductanceRequired, r.maxDcResistance, r.maxCurrent, r.inductanceAtMinCurrent,
                    r.minCurrent, r.onVoltage, r.offVoltage, r.pfcPeakInputVoltage,
                    r.pfcOutputVoltage, r.pfcVoltageRatio, r.acCurrentMax, r.acCurrentMin,
                    r.lineFrequencyHz, r.resonantPeakCurrent, r.resonantPeakVoltage, r.frequencyKhz,
                    r.rippleCurrent, r.avgVoltage}) {
        FUZZ_CHECK(fuzz::finite(v) && v >= 0, context);
    }
    FUZZ_CHECK(r.turns >= 0 && r.turns <= kLargest && r.turns == std::floor(r.turns), context);
}

void checkMessages(bool accepted, const RecordingMessages& messages, const std::string& context) {
    if (accepted) {
        FUZZ_CHECK(messages.empty(), context);
        return;
    }
    FUZZ_CHECK(messages.size() == 1, context);
    FUZZ_CHECK(fuzz::isEntryCaption(messages.last().caption),
               context + " caption " + messages.last().caption);
    FUZZ_CHECK(!messages.last().text.empty(), context);
}

void checkShownTexts(const std::vector<std::string>& texts, const std::string& context) {
    for (const auto& t : texts) {
        FUZZ_CHECK(t.find("nan") == std::string::npos && t.find("inf") == std::string::npos,
                   context + " shows " + t);
    }
}

// One record per run of the fuzzer, carried from input to input as a user's session would be.
DesignRecord& session() {
    static DesignRecord record;
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const int window = input.pick(3);
    DesignRecord& r = session();
    if (input.pick(16) == 0) r = DesignRecord{};
    r.applicationType = static_cast<std::int8_t>(input.pick(kApplicationCount));
    const int units = input.pick(3);
    const int gageSystem = input.pick(3);
    RecordingMessages messages;
    const std::string before = fuzz::fingerprint(r);

    const bool leaveFirst = input.pick(2) == 0;
    if (window == 0) {
        const auto fields = input.texts(kRequirementFieldCount);
        RequirementTexts texts;
        std::copy(fields.begin(), fields.end(), texts.begin());
        const std::string context = "requirements " + fuzz::joined(fields);
        if (leaveFirst) {
            const std::string typedFrequency = texts[7];
            const std::string ripple = leaveRequirementField(r, texts);
            checkShownTexts({ripple}, context);
            if (texts[7] != typedFrequency) checkShownTexts({texts[7]}, context);
        }
        const std::string left = fuzz::fingerprint(r);
        const bool accepted = acceptRequirements(r, messages, texts);
        checkMessages(accepted, messages, context);
        if (!accepted && messages.last().text.rfind("INVALID CHARACTER", 0) == 0) {
            FUZZ_CHECK(fuzz::fingerprint(r) == left, context);
        }
        checkStored(r, context);
        const RequirementTexts shown = requirementFieldTexts(r);
        checkShownTexts({shown.begin(), shown.end()}, context);
    } else if (window == 1) {
        const auto fields = input.texts(kDesignParameterFieldCount);
        DesignParameterTexts texts;
        std::copy(fields.begin(), fields.end(), texts.begin());
        const std::string context = "parameters " + fuzz::joined(fields);
        if (const auto changed = row1TextAfterGageChange(r.wireGageSystem, gageSystem, texts[1]))
            checkShownTexts({*changed}, context);
        const bool accepted = acceptDesignParameters(r, messages, texts, units, gageSystem);
        checkMessages(accepted, messages, context);
        if (!accepted && messages.last().text.rfind("INVALID CHARACTER", 0) == 0) {
            FUZZ_CHECK(fuzz::fingerprint(r) == before, context);
        }
        if (accepted) FUZZ_CHECK(r.wireGageSystem == gageSystem && r.unitSystem == units, context);
        checkStored(r, context);
        const DesignParameterTexts shown = designParameterFieldTexts(r);
        checkShownTexts({shown.begin(), shown.end()}, context);
    } else {
        r.wireGageSystem = static_cast<std::int8_t>(gageSystem);
        r.wireGageName = kWireGageStandards[gageSystem].gageName;
        const std::string prepared = fuzz::fingerprint(r);
        const auto fields = input.texts(kAnalysisFieldCount);
        AnalysisTexts texts;
        std::copy(fields.begin(), fields.end(), texts.begin());
        const std::string context = "analysis " + fuzz::joined(fields);
        const TypedPartNumber typed = checkTypedPartNumber(texts[0]);
        if (!typed.error) texts[0] = typed.text;
        const bool accepted = acceptAnalysisInputs(r, messages, texts);
        checkMessages(accepted, messages, context);
        if (!accepted) {
            FUZZ_CHECK(fuzz::fingerprint(r) == prepared, context + " " + messages.last().text);
        } else {
            FUZZ_CHECK(r.turns >= 1 && wireGageInRange(r.lastStoredWireGage), context);
            FUZZ_CHECK(r.stackedCores <= kLargestCount && r.wireStrands <= kLargestCount, context);
        }
        checkStored(r, context);
        AnalysisTexts shown;
        loadAnalysisInputs(r, shown);
        checkShownTexts({shown.begin(), shown.end()}, context);
    }
    return 0;
}
