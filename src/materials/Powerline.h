// Turns of a powerline-frequency inductor that meets the inductance at two current levels.
#pragma once

#include <string_view>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Returns the permeability fraction at the maximum current (0 when the core cannot meet the
// requirements) and stores the whole number of turns in record.turns. L in mH, I in A rms,
// ae in cm², al in nH/turn².
float powerlineTurnsSolution(DesignRecord& record, Messages& messages, std::string_view material,
                             float L1, float I1, float L2, float I2, float ae, float al);

}  // namespace korvell
