// Analysis of one existing inductor: core from the catalog, stacking, operating point, inductance,
// ripple, winding, resistances, losses, temperature rise, thermal aging and weights, written into
// a fixed table of 32 labelled rows (ELECTRICAL rows 0-14, MECHANICAL rows 15-31).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

constexpr int kAnalysisRows = 32;
constexpr int kElectricalRows = 15;  // rows 0-14; the MECHANICAL page holds rows 15-31
constexpr int kTimeTo115Row = 13;    // the two aging rows
constexpr int kLifeLimitRow = 14;

struct AnalysisRow {
    std::string label;   // up to 24 characters
    std::string format;  // printf format of the value
    float value = 0;
    std::string units;  // up to 12 characters; "INCH", "Ft", "Lbs" are converted for display
    // An aging row of a core whose aging is negligible: it shows "NEGLIGIBLE" and holds 0.
    bool negligible = false;
};

inline constexpr const char* kNegligibleText = "NEGLIGIBLE";

// The analysis result table. It starts with every value 0 and keeps the last successful
// analysis; a failed analysis leaves it as it was.
struct AnalysisTable {
    AnalysisTable();
    std::array<AnalysisRow, kAnalysisRows> rows;
};

// The value of a row as the analysis window shows it: converted to the display unit system
// (lengthFactor, longLengthFactor, weightFactor) and printed with the row's format; "NEGLIGIBLE"
// for a negligible aging row; "INFINITE" for a figure beyond what a row can show (figureText).
std::string analysisValueText(const AnalysisRow& row, const DesignRecord& record);
// The units of a row as shown: "INCH", "Ft", "Lbs" replaced by the display unit names.
std::string analysisUnitsText(const AnalysisRow& row, const DesignRecord& record);
// The value in display units (the number analysisValueText prints).
double analysisDisplayValue(const AnalysisRow& row, const DesignRecord& record);
// The value in the units the row names, for scripts: the display value, less the prefix the text
// shows it with (a resistance below 0.1 ohm is shown in milliohms, "36.55m", and is 0.03655 here).
double analysisValueInUnits(const AnalysisRow& row, const DesignRecord& record);

// One part as built, off the nominal design within its tolerances: its core's Al and its wire's
// copper diameter as factors of their nominal values (1: nominal). The winding is laid out on the
// wire's nominal dimensions (its insulated diameter holds the copper's variation); the copper's
// cross-section sets the resistance.
struct BuiltPart {
    double alFactor = 1;
    double copperDiameterFactor = 1;
};

// Analyzes the design described by the record's corePartNumber, stackedCores, wireStrands,
// turns, lastStoredWireGage, wireGageSystem, windingMode, operating conditions and design
// parameters. Returns 1 on success; 0 for an unknown application type, a wire not in the table,
// a material without permeability data, a winding that cannot be built (more copper than the
// window holds, a wire that does not lie on the E-core bobbin) or results beyond single
// precision, each with its message; -1 when a catalog line cannot be read; -2 when the part
// number is not in the catalog. `part` analyzes one built part instead of the nominal design.
int AnalyzeDesign(DesignRecord& record, Messages& messages, AnalysisTable& table,
                  std::int8_t applicationType, const BuiltPart& part = {});

// Analyzes results row `row` of the record again, loaded and checked as the analysis window
// loads and checks it: `analyzed` (a copy of the record) and `table` then hold the analysis.
// False, with the refusal in `messages`, when the row is no stored design or is refused.
bool analyzeResultsRow(const DesignRecord& record, int row, Messages& messages,
                       DesignRecord& analyzed, AnalysisTable& table);

}  // namespace korvell
