// Winding solution of a screened candidate: wire choice, wound dimensions, DC and AC resistance,
// AC flux density, core and copper loss and temperature rise, checked against every limit.
// Winding dimensions in inches, wire and window areas in circular mils.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Result codes of select_wire.
enum WindingResult : int {
    kWindingAccepted = 1,
    kWindingInvalid = 0,          // fewer than half a turn, or an E-core without its size record
    kNoWireForWindow = -1,        // no wire for the full-window copper area
    kNoWireForLayer = -2,         // no wire fits one layer (resonant: none under 3 skin depths)
    kNoWireForArea = -4,          // no wire for the area in the fit loop
    kCurrentDensityTooHigh = -8,  // copper below the minimum area per ampere
    kWireDoesNotFitBobbin = -16,  // E-core: no smaller wire, or no fit after 50 passes
    kResistanceTooHigh = -32,     // DC resistance above the limit
    kTemperatureTooHigh = -64,    // temperature rise above the limit (or resonant frequency 0)
};

// What every winding of one screened core shares whatever its strands and winding: the core
// loss, which rests only on the core, its turns and the drive. The first winding that gets that
// far computes it; the others of the same core take it from here.
struct SharedCoreLoss {
    std::optional<float> coreLossMw;
};

// Picks the wire for N turns in the candidate's window and decides whether the core makes a
// design. Returns 1 when every limit is met, else one of the rejection codes above. On a
// rejection `refusal`, if given, receives the limit that refused the core and its figure:
// "NO WIRE FITS", "COPPER 1624 < 1650 CMIL" (the copper of the wire chosen against the copper
// the current needs; with ": FILL NEEDED 112 % > 40 %" where that copper overfills the window),
// "RESISTANCE 0.215 > 0.100 OHM", "TEMPERATURE RISE 61.2 > 50.0 DEG C".
// `shared`, if given, holds the core loss of the same screened core wound before.
int select_wire(DesignRecord& record, Messages& messages, float N, std::int8_t windingMode,
                std::int8_t coreShape, std::string* refusal = nullptr,
                SharedCoreLoss* shared = nullptr);

// DC resistance (ohm, at ambientTemp) of `turns` turns of the wire of gage `gage`, with the
// wound geometry: build, wound OD/ID/height, fill ratio, surface area, core volume, mean turn
// length and wire length. 0 when the gage is not in the wire table, -1 for E-core failures.
float winding_resistance(DesignRecord& record, std::int8_t windingMode, float gage,
                         std::int8_t coreShape);

// Depth (inches) the E-core's bobbin offers a winding between its flanges: half the difference
// of the bobbin's window and core-leg widths, or 88 % of half the core window without a bobbin
// window; 0 without a bobbin or size record.
double bobbinWindingDepth(const DesignRecord& record);

// Percent of the window the copper of `turns` turns of the current wire and strands takes;
// 0 without a window.
double windowFillPercent(const DesignRecord& record, double turns);
// The most copper a window holds: a winding beyond it cannot be wound at all.
inline constexpr double kLargestWindowFillPercent = 100;
// Whether an E-core winding's layers (windingBuild) stay within its bobbin's flanges; the
// bobbin's dimensions sit on a 0.005-inch grid and a build within a tenth of that is flush.
bool layersWithinBobbin(const DesignRecord& record);

// Copper loss (mW) of the current design for the application's current waveform.
float copper_loss(const DesignRecord& record, std::int8_t application);

// Bobbin geometry of the candidate E-core from its size record. 1 done, 0 no size record,
// -1 a dimension not positive.
int ecore_bobbin(DesignRecord& record);

}  // namespace korvell
