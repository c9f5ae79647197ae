// A wire table as a list: every size of one gage system with the figures wireTableLookup gives
// it, largest wire first. The korvell wire command prints these rows and the wire-table window
// shows them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// The AWG sizes a table lists: 0000 (gage -3) to 50.
constexpr int kAwgTableFirstGage = -3;
constexpr int kAwgTableLastGage = 50;

// One wire size: the record's current-wire fields after a look-up.
struct WireRow {
    std::string label;        // "mm G", " AWG" or " SWG"
    float gage = 0;           // AWG or SWG gage (-1..-3 for 00..0000); metric: diameter in mm
    float area = 0;           // cmil
    float bareDia = 0;        // in
    float build = 0;          // in
    float dia = 0;            // in, nominal insulated
    float maxDia = 0;         // in
    float ohmsPerFoot = 0;    // ohm/ft at 20 °C
    float weightPerFoot = 0;  // lb/ft
    friend bool operator==(const WireRow&, const WireRow&) = default;
};

// The current wire of a record as a row.
WireRow currentWireRow(const DesignRecord& record);

// Gages of every size of a system, largest wire first: the 40 metric diameters (mm), SWG 1 to 50,
// AWG 0000 to 50. Nothing for an unknown system.
std::vector<float> wireTableGages(std::int8_t system);

// The size as a user names it: metric diameter "0.55", AWG "0000", "000", "00", else the gage.
std::string wireTableSizeText(std::int8_t system, float gage);

// Every size of a system, looked up by gage. A look-up that fails shows "Wire Table Lookup error,
// Gage indicates %f" (caption "PROGRAM ERROR ") and ends the list there: false, with the rows
// before it. An unknown system lists nothing and returns false.
bool listWireTable(std::int8_t system, Messages& messages, std::vector<WireRow>& rows);

}  // namespace korvell
