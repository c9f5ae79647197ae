#include "engine/RequirementsEntry.h"

#include <cstdint>
#include <utility>

#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "engine/PfcRipple.h"
#include "platform/Format.h"
#include "platform/PhysicalConstants.h"

namespace korvell {
namespace {

constexpr std::string_view kUnknownApplication = ">>> Unidentified Function in REQUIREMENTS";

constexpr int kFrequencyField = 7;
constexpr int kTemperatureField = 8;
constexpr int kStackedCoresField = 9;
constexpr int kStrandsField = 10;
constexpr int kTemperatureColumn = 8;
constexpr int kStackedCoresColumn = 9;
constexpr int kStrandsColumn = 10;

// Thresholds of the range checks and of CALCULATE: 1 µA and 0.1 µH (in mH).
constexpr double kMinCurrentA = 1e-6;
constexpr double kMinInductanceMh = 0.0001;
constexpr double kMhPerUh = 0.001;
constexpr double kNhPerMh = 1e6;
constexpr double kInverseOfPi = 0.3183101550488765;

// The largest magnitude of requirement fields 0-7: inductance, resistance limit, current,
// inductance at minimum current, minimum current, the two voltages and the frequency.
constexpr std::array<float, 8> kLargestRequirements = {
    kLargestInductanceUh, kLargestResistanceOhm, kLargestCurrentA, kLargestInductanceUh,
    kLargestCurrentA,     kLargestVoltageV,      kLargestVoltageV, kLargestFrequency,
};

bool isApplication(int a) {
    return a >= 0 && a < kApplicationCount;
}
bool isSwing(int a) {
    return a == kControlledSwing || a == kWideSwing;
}

std::string_view validCharacters(int field) {
    if (field < kTemperatureField) return kUnsignedFieldChars;
    if (field == kTemperatureField) return kSignedFieldChars;
    return kCountFieldChars;
}

std::string inductanceLimitMessage(float inductanceMh) {
    return strprintf("SPECIFIED INDUCTANCE:%5.1f nH is beyond the 100 nH lower Limit ",
                     inductanceMh * kNhPerMh);
}

// Stores the requirements of fields 2-7 into the active requirements of the application.
void storeActiveRequirements(DesignRecord& r, const std::array<float, 9>& v) {
    const int a = r.applicationType;
    if (isSwing(a)) {
        r.inductanceAtMinCurrent = toStoredFloat(v[3] * kMhPerUh);
        r.minCurrent = v[4];
    }
    switch (a) {
        case kDcBiased:
        case kControlledSwing:
        case kWideSwing:
            r.maxCurrent = v[2];
            r.onVoltage = v[5];
            r.offVoltage = v[6];
            r.frequencyKhz = v[7];
            break;
        case kPowerFactorBoost:
            r.maxCurrent = v[2];
            r.pfcPeakInputVoltage = v[5];
            r.pfcOutputVoltage = v[6];
            r.frequencyKhz = v[7];
            r.avgVoltage = r.pfcOutputVoltage;
            if (r.pfcOutputVoltage > 1e-6) {
                r.pfcVoltageRatio =
                    toStoredFloat(static_cast<double>(r.pfcPeakInputVoltage) / r.pfcOutputVoltage);
            }
            break;
        case kPowerline:
            r.acCurrentMax = v[2];
            r.inductanceAtMinCurrent = toStoredFloat(v[3] * kMhPerUh);
            r.acCurrentMin = v[4];
            r.lineFrequencyHz = v[7];
            r.avgVoltage = 0;
            break;
        case kResonant:
            r.resonantPeakCurrent = v[2];
            r.resonantPeakVoltage = v[5];
            r.avgVoltage = toStoredFloat(2.0 * r.resonantPeakVoltage * kInverseOfPi);
            r.frequencyKhz = v[7];
            break;
    }
}

// The range checks in order; each failure replaces the text of an earlier one, so the last
// failing check is the one reported. Empty when all pass.
// The refusal of a frequency field left empty or 0.
std::string frequencyMissingMessage(int application) {
    if (application == kPowerline) return "LINE FREQUENCY must be greater than 0 HERTZ";
    if (application == kResonant)
        return "FREQUENCY must be greater than 0, or given by the INDUCTANCE, PEAK CURRENT and "
               "PEAK VOLTAGE";
    return "FREQUENCY must be greater than 0 kHERTZ";
}

// The last failing range check (later checks replace earlier ones) and its field.
struct RangeFailure {
    std::string message;
    int field = -1;
};
RangeFailure rangeFailure(const DesignRecord& r, float temperature) {
    RangeFailure failure;
    const auto fail = [&failure](std::string message, int field) {
        failure = {std::move(message), field};
    };
    const double frequency = r.applicationType == kPowerline ? r.lineFrequencyHz : r.frequencyKhz;
    if (!(frequency > 0)) fail(frequencyMissingMessage(r.applicationType), kFrequencyField);
    if (designCurrent(r) < kMinCurrentA) fail("Peak Current must be greater than 1 uA", 2);
    if (r.inductanceRequired < kMinInductanceMh) {
        fail(inductanceLimitMessage(r.inductanceRequired), 0);
    }
    if (isSwing(r.applicationType)) {
        if (r.inductanceAtMinCurrent < kMinInductanceMh) {
            fail(inductanceLimitMessage(r.inductanceAtMinCurrent), 3);
        }
        if (!(r.inductanceAtMinCurrent > r.inductanceRequired)) {
            fail("Inductance at Max current must be < Inductance at Min current ", 0);
        }
        if (r.minCurrent < kMinCurrentA) fail("Both Currents must be greater than 1 uA", 4);
        if (!(r.minCurrent < r.maxCurrent)) fail("Min Current must be less than Max Current", 4);
    }
    // The ambient temperature is bound by the same limits as in the parameters window, which
    // keep the copper resistance positive (copper's resistance vanishes near -234.4 °C).
    if (auto message = ambientRangeMessage(kTemperatureField, temperature))
        fail(*message, kTemperatureField);
    return failure;
}

// The value a summary row shows: the field's text as typed, or, when that is longer than a
// summary value holds, the number it reads as in seven significant digits, so that no figure is
// ever shown cut short.
std::string summaryValueText(const std::string& text) {
    if (text.size() <= kSummaryValueWidth) return text;
    if (const std::string shown = trimmed(text); shown.size() <= kSummaryValueWidth) return shown;
    return strprintf("%.7g", static_cast<double>(readFieldFloat(text)));
}

void fillRequirementsSummary(DesignRecord& r, const RequirementTexts& texts) {
    for (int row = 0; row < kRequirementSummaryRows; ++row) {
        const RequirementRowCaptions captions = requirementRowCaptions(r.applicationType, row);
        RequirementSummaryRow& summary = r.reqtSummary[row];
        summary.label = std::string(captions.label.substr(0, kSummaryLabelWidth));
        summary.value = summaryValueText(texts[row]);
        summary.units = std::string(captions.units.substr(0, kSummaryUnitsWidth));
    }
}

}  // namespace

RequirementRowCaptions requirementRowCaptions(int application, int row) {
    if (!isApplication(application) || row < 0 || row >= kRequirementFieldCount) {
        return {"", "", false};
    }
    return kRequirementRowCaptions[application][row];
}

void applyApplicationSelections(DesignRecord& r) {
    const int a = r.applicationType;
    const int last = r.lastApplication;
    if (a == kWideSwing) {
        if (last != kWideSwing || r.coreShape != kComposite) {
            r.savedShape = r.coreShape;
            r.coreShape = kComposite;
        }
    } else if (last == kWideSwing) {
        r.coreShape = r.savedShape;
    }
    if (a != last) {
        if (a == kResonant) {
            r.savedWindingMode = r.windingMode;
            r.windingMode = kSingleLayer;
        } else if (last == kResonant) {
            r.windingMode = r.savedWindingMode;
        }
    }
    r.lastApplication = static_cast<std::int8_t>(a);
}

RequirementTexts requirementFieldTexts(const DesignRecord& record) {
    RequirementTexts texts;
    const int a = record.applicationType;
    if (!isApplication(a)) return texts;
    const auto& requirements = record.requirementsByApplication[a];
    for (int k = 0; k < kRequirementColumns; ++k) {
        const double scale = (k == 0 || k == 3) ? 1000.0 : 1.0;
        texts[k] = strprintf("%6.2f", requirements[k] * scale);
    }
    const auto& params = record.designParamsByApplication[a];
    texts[kTemperatureField] = strprintf("%6.1f", static_cast<double>(params[kTemperatureColumn]));
    texts[kStackedCoresField] = strprintf("%4d", toCount(params[kStackedCoresColumn]));
    texts[kStrandsField] = strprintf("%4d", toCount(params[kStrandsColumn]));
    return texts;
}

double averageVoltage(double onVoltage, double offVoltage) {
    // Both voltages positive: two negative texts left in the fields while typing are no voltage.
    if (!(onVoltage > 0 && offVoltage > 0)) return 0.0;
    return 2.0 * onVoltage * offVoltage / (onVoltage + offVoltage);
}

std::optional<double> rippleCurrentPp(double avgVoltage, double inductanceUh, double current,
                                      double frequencyKhz) {
    if (!(inductanceUh > 0 && current > 0 && frequencyKhz > 0 && avgVoltage >= 0))
        return std::nullopt;
    const double ripple = avgVoltage / frequencyKhz / inductanceUh * 1000.0 * 0.5;
    return ripple > current ? current : ripple;
}

std::optional<double> resonantFrequencyKhz(double inductanceUh, double peakCurrent,
                                           double peakVoltage) {
    if (!(inductanceUh > 0 && peakCurrent > 0 && peakVoltage >= 0)) return std::nullopt;
    return 1000.0 / (2.0 * kPiAsUsed) / inductanceUh * peakVoltage / peakCurrent;
}

bool updateRipple(DesignRecord& record, const RequirementTexts& texts) {
    const double average = averageVoltage(readFieldFloat(texts[5]), readFieldFloat(texts[6]));
    record.avgVoltage = toStoredFloat(average);
    auto ripple = rippleCurrentPp(record.avgVoltage, readFieldFloat(texts[0]),
                                  readFieldFloat(texts[2]), readFieldFloat(texts[7]));
    // The boost's own ripple, the largest over the line cycle, as the analysis gives it; the
    // search keeps its average voltage.
    if (ripple && record.applicationType == kPowerFactorBoost) {
        ripple = std::min<double>(
            pfcRipplePeakToPeak(readFieldFloat(texts[5]), readFieldFloat(texts[6]),
                                readFieldFloat(texts[0]), readFieldFloat(texts[7])),
            readFieldFloat(texts[2]));
    }
    if (ripple) record.rippleCurrent = toStoredFloat(*ripple);
    return ripple.has_value();
}

std::string rippleCurrentText(float rippleCurrent) {
    return strprintf("RIPPLE CURRENT:  %6.3f AMPERES  p-p", static_cast<double>(rippleCurrent));
}

std::optional<std::string> updateResonantFrequency(DesignRecord& record,
                                                   const RequirementTexts& texts) {
    if (record.applicationType != kResonant) return std::nullopt;
    const auto frequency = resonantFrequencyKhz(readFieldFloat(texts[0]), readFieldFloat(texts[2]),
                                                readFieldFloat(texts[5]));
    if (!frequency) return std::nullopt;
    record.frequencyKhz = toStoredFloat(*frequency);
    return strprintf("%4.1f", static_cast<double>(record.frequencyKhz));
}

std::string leaveRequirementField(DesignRecord& record, RequirementTexts& texts) {
    const bool figured = updateRipple(record, texts);
    if (auto frequency = updateResonantFrequency(record, texts)) texts[7] = std::move(*frequency);
    // A line-frequency choke carries no switching ripple, and texts that give none (another
    // application's figure still in the record) show none.
    if (record.applicationType == kPowerline || !figured) return {};
    return rippleCurrentText(record.rippleCurrent);
}

bool acceptRequirements(DesignRecord& record, Messages& messages, const RequirementTexts& entered,
                        EntryFault* fault) {
    RequirementTexts texts = entered;
    const int a = record.applicationType;
    EntryFault unused;
    EntryFault& at = fault != nullptr ? *fault : unused;
    at.field = -1;
    if (!isApplication(a)) {
        messages.show(kUnknownApplication, kProgramErrorCaption);
        return false;
    }
    for (int k = 0; k < kRequirementFieldCount; ++k) {
        if (!holdsOnly(texts[k], validCharacters(k))) {
            at.field = k;
            messages.show(invalidCharacterMessage(k, texts[k]), kDataEntryErrorCaption);
            return false;
        }
    }

    // Magnitudes beyond any inductor are refused before anything is stored. The fields the
    // application hides keep what the record holds and are not the user's to mend here.
    for (int k = 0; k < static_cast<int>(kLargestRequirements.size()); ++k) {
        if (!requirementRowCaptions(a, k).visible) continue;
        const auto message = magnitudeMessage(k, readFieldFloat(texts[k]), kLargestRequirements[k]);
        if (message) {
            at.field = k;
            messages.show(*message, kDataEntryErrorCaption);
            return false;
        }
    }

    // Every application works at a frequency (the switching choke's ripple and core loss, the
    // line of the powerline choke); none, or 0, is refused rather than designed at DC. The
    // resonant frequency is derived from the inductance, peak current and peak voltage, as leaving
    // its field derives it.
    if (a == kResonant && !(readFieldFloat(texts[kFrequencyField]) > 0)) {
        const auto derived = resonantFrequencyKhz(
            readFieldFloat(texts[0]), readFieldFloat(texts[2]), readFieldFloat(texts[5]));
        if (derived && *derived > 0)
            texts[kFrequencyField] =
                strprintf("%4.1f", static_cast<double>(toStoredFloat(*derived)));
    }

    updateRipple(record, texts);

    std::array<float, 9> v{};
    for (int k = 0; k <= kTemperatureField; ++k)
        v[k] = readFieldFloat(texts[k]);
    auto& requirements = record.requirementsByApplication[a];
    auto& params = record.designParamsByApplication[a];
    for (int k = 0; k < kRequirementColumns; ++k) {
        requirements[k] = (k == 0 || k == 3) ? toStoredFloat(v[k] * kMhPerUh) : v[k];
    }
    record.inductanceRequired = requirements[0];
    record.maxDcResistance = v[1];

    // A temperature outside the design-parameter limits, and counts that cannot make a core or a
    // winding, are refused below and never reach the record, so that neither a later CALCULATE
    // nor the parameters window can pick them up.
    const float temperature = v[kTemperatureField];
    if (!ambientRangeMessage(kTemperatureField, temperature)) {
        params[kTemperatureColumn] = temperature;
        record.ambientTemp = temperature;
    }
    const std::int32_t stacked = readFieldCount(texts[kStackedCoresField]);
    const std::int32_t strands = readFieldCount(texts[kStrandsField]);
    if (static_cast<std::int64_t>(stacked) * strands < 1) {
        at.field = stacked < 1 ? kStackedCoresField : kStrandsField;
        messages.show("ERROR: STACKED CORES and MIN WIRE STRANDS MUST BE GREATER THAN ZERO",
                      kDataEntryErrorCaption);
        return false;
    }
    if (stacked > kLargestCount || strands > kLargestCount) {
        at.field = stacked > kLargestCount ? kStackedCoresField : kStrandsField;
        messages.show(
            strprintf("ERROR: STACKED CORES and WIRE STRANDS MUST NOT EXCEED %d", kLargestCount),
            kDataEntryErrorCaption);
        return false;
    }
    if (stacked > kLargestStack || strands > kLargestStrands) {
        at.field = stacked > kLargestStack ? kStackedCoresField : kStrandsField;
        messages.show("ERROR: " + stackAndStrandsLimitMessage(), kDataEntryErrorCaption);
        return false;
    }
    params[kStackedCoresColumn] = static_cast<float>(stacked);
    params[kStrandsColumn] = static_cast<float>(strands);
    record.stackedCores = stacked;
    record.wireStrands = strands;

    storeActiveRequirements(record, v);

    const RangeFailure failure = rangeFailure(record, temperature);
    if (!failure.message.empty()) {
        at.field = failure.field;
        messages.show(failure.message, kDataEntryErrorCaption);
        return false;
    }

    fillRequirementsSummary(record, texts);
    loadActiveDesignParameters(record);
    record.selectedDesign = 0;
    record.designCount = 0;
    return true;
}

bool requirementsComplete(const DesignRecord& record) {
    const int a = record.applicationType;
    if (!isApplication(a)) return false;
    if (!(designCurrent(record) >= kMinCurrentA)) return false;
    if (!(record.inductanceRequired >= kMinInductanceMh)) return false;
    if (isSwing(a)) {
        return record.inductanceAtMinCurrent >= kMinInductanceMh &&
               record.inductanceAtMinCurrent > record.inductanceRequired &&
               record.minCurrent >= kMinCurrentA && record.minCurrent < record.maxCurrent;
    }
    return true;
}

}  // namespace korvell
