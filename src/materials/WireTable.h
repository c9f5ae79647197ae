// Round copper magnet wire of the metric, AWG and SWG systems.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "record/DesignRecord.h"

namespace korvell {

// Selection kinds of wireTableLookup.
enum WireSelect : int {
    kByGage = 0,         // gage number (metric: diameter in mm)
    kByArea = 1,         // largest wire whose copper area does not exceed the value (cmil)
    kByMaxDiameter = 2,  // largest wire whose insulated diameter does not exceed the value (in)
};

// Selects one wire of gage system `system` (kMetricWire, kAwg, kSwg) and fills the record's
// current-wire fields: label, gage, bare, build, nominal and maximum insulated diameter (in),
// copper area (cmil), resistance at 20 °C (ohm/ft) and weight (lb/ft). Returns 1 when a wire
// was selected, 0 when none fits, the system or kind is unknown, or the value is not a finite
// number; on 0 the current-wire fields are left as they were.
int wireTableLookup(DesignRecord& record, std::int8_t system, int kind, float value);

// The gages the program winds and analyzes: -3 (AWG 0000) to 50. AWG has maximum insulated
// diameters up to gage 50 and SWG ends at 50; the metric sizes, named by their diameter in mm
// (0.05 to 8), all lie within. Finer AWG wire, which a look-up by area or diameter can reach
// (gages 51 and 52), has no tabulated maximum diameter and is never used.
inline constexpr float kLowestWireGage = -3;
inline constexpr float kHighestWireGage = 50;
bool wireGageInRange(float gage);

// A wire size as written in the analysis window: "#18", "18 AWG", "0000", "0.50 mm". After any
// '#' and blanks a number must start; what follows it (the gage name) is not read. With AWG a
// zero written "00", "000" or "0000" stands for the gages one, two and three below zero.
// None when no number starts there.
std::optional<float> readWireGage(std::string_view text, std::int8_t system);

// The table walks behind kinds 1 and 2, exposed for their boundary tests.
// Index into metricWireDiameters of the largest diameter d (mm) within the limit, or -1:
// kind 0: d <= limit (mm); kind 1: (d/25.4)^2 <= limit (square inches); kind 2: d/25.4 <= limit
// (in).
int metricWireWalk(int kind, double limit);
// Index into swgDiameters of the largest diameter d (in) strictly below the limit, or -1:
// kind 1: d^2 < limit (square inches); kind 2: d < limit (in).
int swgWireWalk(int kind, double limit);

}  // namespace korvell
