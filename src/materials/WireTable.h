// Round copper magnet wire of the metric, AWG and SWG systems.
#pragma once

#include <cstdint>

#include "record/DesignRecord.h"

namespace korvell {

// Selection kinds of wireTableLookup.
enum WireSelect : int {
    kByGage = 0,         // gage number (metric: diameter in mm)
    kByArea = 1,         // largest wire whose copper area does not exceed the value (cmil)
    kByMaxDiameter = 2,  // largest wire whose insulated diameter does not exceed the value (in)
};

// Selects one wire and fills the record's current-wire fields. Returns 1 when a wire was
// selected, 0 when none fits (the current-wire fields may then be partly overwritten).
int wireTableLookup(DesignRecord& record, std::int8_t system, int kind, float value);

}  // namespace korvell
