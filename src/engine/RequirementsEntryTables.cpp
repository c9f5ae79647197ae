#include "engine/RequirementsEntry.h"

namespace korvell {
namespace {

constexpr std::string_view kInductanceUnits = "MICROHENRIES";

// Rows shared by every application; the per-application rows are set below.
constexpr std::array<RequirementRowCaptions, kRequirementFieldCount> kCommonRows = {{
    {"INDUCTANCE AT MAX CURRENT:", kInductanceUnits, true},
    {"MAXIMUM DC RESISTANCE", "OHMS (Optional)", true},
    {"MAXIMUM CURRENT", "AMPERES", true},
    {"INDUCTANCE AT MIN CURRENT:", kInductanceUnits, false},
    {"MINIMUM CURRENT:", "AMPERES", false},
    {"PEAK INDUCTOR VOLTAGE", "VOLTS", true},
    {"DC OUTPUT VOLTAGE", "VOLTS", true},
    {"FREQUENCY", "kHERTZ", true},
    {"TEMPERATURE", "DEGREES C", true},
    {"STACKED CORES", "", true},
    {"WIRE STRANDS", "", true},
}};

constexpr auto dcBiasedRows() {
    return kCommonRows;
}

constexpr auto swingRows() {
    auto rows = kCommonRows;
    rows[3].visible = true;
    rows[4].visible = true;
    return rows;
}

constexpr auto pfcRows() {
    auto rows = kCommonRows;
    rows[5].label = "PEAK REGULATOR INPUT VOLTAGE";
    rows[6].label = "REGULATOR DC OUTPUT VOLTAGE";
    return rows;
}

constexpr auto powerlineRows() {
    auto rows = kCommonRows;
    rows[2].units = "AMPERES RMS";
    rows[3].visible = true;
    rows[4].visible = true;
    rows[4].units = "AMPERES RMS";
    rows[5].visible = false;
    rows[6].visible = false;
    rows[7].units = "HERTZ";
    return rows;
}

constexpr auto resonantRows() {
    auto rows = kCommonRows;
    rows[2].label = "PEAK CURRENT";
    rows[5].label = "PEAK VOLTAGE";
    rows[6].visible = false;
    return rows;
}

}  // namespace

const std::array<std::array<RequirementRowCaptions, kRequirementFieldCount>, kApplicationCount>
    kRequirementRowCaptions = {
        dcBiasedRows(), swingRows(), swingRows(), pfcRows(), powerlineRows(), resonantRows(),
};

}  // namespace korvell
