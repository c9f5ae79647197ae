#include "engine/ParametersEntry.h"

#include "engine/EntryFields.h"
#include "platform/Format.h"

namespace korvell {
namespace {

constexpr std::string_view kUnknownSelection = ">>> Unidentified Function in DESIGN PARAMETERS";

bool isApplication(int a) {
    return a >= 0 && a < kApplicationCount;
}
bool isSystemIndex(int i) {
    return i >= 0 && i < 3;
}

// Copper area [cmil/A] from a current density [A/cm²] and back; 0 for a non-positive input,
// which has no finite counterpart.
double convertedDensity(double x) {
    return x > 0 ? kCopperAreaDensityProduct / x : 0.0;
}

std::string row1Text(double value) {
    return strprintf("%6.2f", static_cast<double>(toStoredFloat(value)));
}

}  // namespace

void loadActiveDesignParameters(DesignRecord& record) {
    if (!isApplication(record.applicationType)) return;
    const auto& p = record.designParamsByApplication[record.applicationType];
    record.maxTempRise = p[0];
    record.minCopperAreaCma = p[1];
    record.maxFillFactor = toStoredFloat(p[2] * 0.01);
    record.minPercentPerm = p[3];
    record.resistivityFactor = p[4];
    record.tempRiseFactor = p[5];
    record.tempRiseExponent = p[6];
    record.leadLengthTotal = toStoredFloat(p[7] * 2.0);
    record.ambientTemp = p[8];
    const DesignChoices& c = record.designChoicesByApplication[record.applicationType];
    record.riseLimitBy = c.riseLimitBy;
    record.alTolerancePercent = c.alTolerancePercent;
    record.designAt = c.designAt;
}

DesignParameterTexts designParameterFieldTexts(const DesignRecord& record) {
    DesignParameterTexts texts;
    if (!isApplication(record.applicationType)) return texts;
    const auto& p = record.designParamsByApplication[record.applicationType];
    for (int k = 0; k < kDesignParameterFieldCount; ++k) {
        texts[k] = strprintf("%6.2f", static_cast<double>(p[k]));
    }
    if (record.wireGageSystem == kMetricWire) texts[1] = row1Text(convertedDensity(p[1]));
    texts[6] = strprintf("%6.4f", static_cast<double>(p[6]));
    return texts;
}

std::optional<std::string> row1TextAfterGageChange(int oldSystem, int newSystem,
                                                   std::string_view shownRow1Text) {
    const bool wasMetric = oldSystem == kMetricWire;
    const bool isMetric = newSystem == kMetricWire;
    if (wasMetric == isMetric) return std::nullopt;
    return row1Text(convertedDensity(readFieldFloat(shownRow1Text)));
}

bool applyDisplayUnits(DesignRecord& record, int unitSystem, int wireGageSystem) {
    if (!isSystemIndex(unitSystem) || !isSystemIndex(wireGageSystem)) return false;
    const DisplayUnits& units = kDisplayUnits[unitSystem];
    record.wireGageSystem = static_cast<std::int8_t>(wireGageSystem);
    record.unitSystem = unitSystem;
    record.wireGageName = kWireGageStandards[wireGageSystem].gageName;
    record.lengthUnitName = units.lengthUnitName;
    record.lengthFactor = units.lengthFactor;
    record.longLengthUnitName = units.longLengthUnitName;
    record.longLengthFactor = units.longLengthFactor;
    record.weightUnitName = units.weightUnitName;
    record.weightFactor = units.weightFactor;
    return true;
}

bool acceptDesignParameters(DesignRecord& record, Messages& messages,
                            const DesignParameterTexts& texts, int unitSystem, int wireGageSystem,
                            EntryFault* fault) {
    const int a = record.applicationType;
    EntryFault unused;
    EntryFault& at = fault != nullptr ? *fault : unused;
    at.field = -1;
    if (!isApplication(a) || !isSystemIndex(unitSystem) || !isSystemIndex(wireGageSystem)) {
        messages.show(kUnknownSelection, kProgramErrorCaption);
        return false;
    }
    for (int k = 0; k < kDesignParameterFieldCount; ++k) {
        const std::string_view allowed = k < 8 ? kUnsignedFieldChars : kSignedFieldChars;
        if (!holdsOnly(texts[k], allowed)) {
            at.field = k;
            messages.show(invalidCharacterMessage(k, texts[k]), kDataEntryErrorCaption);
            return false;
        }
    }

    // Each value is stored as soon as it passes, so the values before a refused one stay. The
    // current density of the metric standard passes the same 10..9999 check and is stored as
    // the copper area it stands for, never as a density.
    auto& row = record.designParamsByApplication[a];
    for (int k = 0; k < kDesignParameterFieldCount; ++k) {
        const float v = readFieldFloat(texts[k]);
        const ParamLimit limit = kDesignParamLimits[k];
        if (const auto message = rangeMessage(k + 1, v, limit.min, limit.max)) {
            at.field = k;
            messages.show(*message, kParameterOutOfRangeCaption);
            return false;
        }
        const bool density = k == 1 && wireGageSystem == kMetricWire;
        row[k] = density ? toStoredFloat(convertedDensity(v)) : v;
    }

    loadActiveDesignParameters(record);
    applyDisplayUnits(record, unitSystem, wireGageSystem);
    return true;
}

const std::array<std::string_view, 2> kRiseLimitByChoices = {"PROGRAM", "CHECK"};
const std::array<std::string_view, 2> kDesignAtChoices = {"NOMINAL", "WORST CASE"};

DesignChoiceEntry designChoiceEntry(const DesignRecord& record) {
    DesignChoiceEntry entry;
    if (!isApplication(record.applicationType)) return entry;
    const DesignChoices& c = record.designChoicesByApplication[record.applicationType];
    entry.riseLimitBy = c.riseLimitBy;
    entry.alTolerance = strprintf("%6.2f", static_cast<double>(c.alTolerancePercent));
    entry.designAt = c.designAt;
    return entry;
}

std::optional<DesignChoices> checkDesignChoices(Messages& messages, const DesignChoiceEntry& entry,
                                                EntryFault* fault) {
    const auto inList = [](int index, std::size_t size) {
        return index >= 0 && static_cast<std::size_t>(index) < size;
    };
    if (!inList(entry.riseLimitBy, kRiseLimitByChoices.size()) ||
        !inList(entry.designAt, kDesignAtChoices.size())) {
        messages.show(kUnknownSelection, kProgramErrorCaption);
        return std::nullopt;
    }
    if (fault) fault->field = kAlToleranceField;  // the field of any refusal below
    if (!holdsOnly(entry.alTolerance, kUnsignedFieldChars)) {
        messages.show(invalidCharacterMessage(kAlToleranceField, entry.alTolerance),
                      kDataEntryErrorCaption);
        return std::nullopt;
    }
    const float tolerance = readFieldFloat(entry.alTolerance);
    if (const auto message = rangeMessage(kAlToleranceField + 1, tolerance, kAlToleranceLimit.min,
                                          kAlToleranceLimit.max)) {
        messages.show(*message, kParameterOutOfRangeCaption);
        return std::nullopt;
    }
    if (fault) fault->field = -1;
    DesignChoices choices;
    choices.riseLimitBy = static_cast<std::int8_t>(entry.riseLimitBy);
    choices.alTolerancePercent = tolerance;
    choices.designAt = static_cast<std::int8_t>(entry.designAt);
    return choices;
}

void storeDesignChoices(DesignRecord& record, const DesignChoices& choices) {
    if (!isApplication(record.applicationType)) return;
    record.designChoicesByApplication[record.applicationType] = choices;
    loadActiveDesignParameters(record);
}

}  // namespace korvell
