#include "record/DesignRecord.h"

#include <charconv>
#include <cstdio>

#include "platform/Format.h"

namespace korvell {

const std::array<std::string_view, kApplicationCount> kApplicationNames = {
    "DC BIASED OUTPUT FILTER INDUCTOR", "CONTROLLED INDUCTANCE SWING INDUCTOR",
    "WIDE INDUCTANCE SWING INDUCTOR",   "POWER FACTOR BOOST INDUCTOR",
    "POWERLINE FREQUENCY INDUCTOR",     "RESONANT CONVERTER INDUCTOR",
};

const std::array<std::string_view, 3> kShapeNames = {"TOROID", "E-CORE", "COMPOSITE"};

const std::array<std::string_view, kSelectableMaterialCount> kSelectableMaterials = {
    "-11", "-13", "-16", "-17", "-21", "-23", "-25",
    "-27", "-29", "-31", "-32", "-36", "-37", "-39",
};

const std::array<ParamLimit, kDesignParamLimitCount> kDesignParamLimits = {{
    {0, 200},      // maximum temperature rise, °C
    {10, 9999},    // minimum copper area, cmil per ampere
    {0.1f, 99},    // maximum window fill, %
    {10, 100},     // minimum percent permeability under DC bias
    {0.9f, 1.1f},  // wire resistivity adjust factor
    {0.1f, 10},    // temperature rise factor
    {0.25f, 1},    // temperature rise exponent
    {0, 100},      // lead length allowance, inches each
    {-200, 250},   // ambient temperature, °C
}};

DesignRecord::DesignRecord() {
    for (int a = 0; a < kApplicationCount; ++a) {
        designParamsByApplication[a] = {a == kPowerFactorBoost ? 80.0f : 40.0f,
                                        150,
                                        40,
                                        40,
                                        1.0f,
                                        1.0f,
                                        0.833f,
                                        0.25f,
                                        55,
                                        1,
                                        1};
    }
    for (int k = 0; k < kSelectableMaterialCount; ++k) {
        selectedMaterials[k] = std::string(kSelectableMaterials[k]);
    }
}

bool materialSlotSelected(const DesignRecord& record, int k) {
    if (k < 0 || k >= kSelectableMaterialCount) return false;
    const auto slot = static_cast<std::size_t>(k);
    return record.selectedMaterials[slot] == kSelectableMaterials[slot];
}

void writeMaterialSelection(DesignRecord& record,
                            const std::array<bool, kSelectableMaterialCount>& checked) {
    for (std::size_t k = 0; k < checked.size(); ++k)
        record.selectedMaterials[k] = checked[k] ? std::string(kSelectableMaterials[k]) : "";
}

std::string materialCodeOf(std::string_view partNumber) {
    const auto dash = partNumber.find('-');
    if (dash == std::string_view::npos) return {};
    std::string code;
    for (std::size_t i = dash; i < partNumber.size(); ++i) {
        const char c = partNumber[i];
        if (c != '-' && (c < '0' || c > '9')) break;
        code += c;
    }
    return code;
}

std::string wireSizeText(std::int8_t wireGageSystem, float wireGage) {
    if (wireGageSystem == kMetricWire) return strprintf("%4.2f", static_cast<double>(wireGage));
    const int gage = static_cast<int>(wireGage);
    switch (gage) {
        case -3:
            return "# 0000";
        case -2:
            return "# 000";
        case -1:
            return "# 00";
        default: {
            // "#%3d", written directly: the sweep writes this for every design it keeps.
            char digits[12];
            const auto end = std::to_chars(digits, digits + sizeof digits, gage).ptr;
            const auto n = static_cast<std::size_t>(end - digits);
            std::string text = "#";
            if (n < 3) text.append(3 - n, ' ');
            text.append(digits, n);
            return text;
        }
    }
}

float designCurrent(const DesignRecord& r) {
    switch (r.applicationType) {
        case kPowerline:
            return r.acCurrentMax;
        case kResonant:
            return r.resonantPeakCurrent;
        default:
            return r.maxCurrent;
    }
}

}  // namespace korvell
