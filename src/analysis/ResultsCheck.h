// The CHECK display of a search: every design the search found, analyzed again as the analysis
// window loads it and given its second opinion, so that the table can set the checked figures
// beside each design: L at the design current, L MIN at the low end of the core's Al tolerance
// (and, for the swinging chokes, L at the minimum current), the hot DC resistance, the checked
// copper loss, total loss and temperature rise, and whether a limit of the requirements or design
// parameters is passed. Computed once per search (checkResults), then only read by the page, the
// printout and the command line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/SecondOpinion.h"
#include "record/DesignRecord.h"

namespace korvell {

// The checked figures of one design.
struct DesignCheck {
    bool analyzed = false;    // false: the design could not be analyzed again; its cells read "-"
    double inductanceUh = 0;  // L at the design current
    // L at the design current at the low end of the core's Al tolerance (AL TOLERANCE)
    double inductanceMinUh = 0;
    std::optional<double> inductanceAtMinUh;  // swinging chokes: L at the minimum current
    double rdcHotOhm = 0;                     // DC resistance at the winding temperature
    double copperLossW = 0;                   // checked copper loss
    double totalLossW = 0;                    // core loss and checked copper loss
    double tempRiseC = 0;                     // checked temperature rise
    bool converged = true;                    // false: "THERMAL RUNAWAY"
    bool overLimit = false;  // rise above MAXIMUM TEMPERATURE RISE (or runaway), or hot
                             // resistance above MAXIMUM DC RESISTANCE (when one is set)
    std::optional<SecondOpinion> opinion;  // the whole second opinion the figures come from
};

// What the figures were computed from: the designs of the search and everything their analysis
// reads. A check is current while the record still holds the same.
struct ResultsCheckSource {
    std::array<DesignResult, kMaxDesigns> designs{};
    int designCount = 0;
    std::int8_t application = 0;
    std::int8_t gageSystem = 0;
    std::int8_t winding = 0;
    std::array<float, 18> conditions{};  // operating conditions, limits and parameters
    friend bool operator==(const ResultsCheckSource&, const ResultsCheckSource&) = default;
};
ResultsCheckSource resultsCheckSource(const DesignRecord& record);

struct ResultsCheck {
    ResultsCheckSource source;
    std::vector<DesignCheck> designs;  // one per design of the search, in row order
    // Whether these figures belong to the record's present search.
    bool isFor(const DesignRecord& record) const { return source == resultsCheckSource(record); }
};

// Analyzes every design of the record's last search again (analyzeResultsRow), takes its second
// opinion (secondOpinion) and, for the swinging chokes, its inductance at the minimum current.
// The record is not changed; nothing is shown.
ResultsCheck checkResults(const DesignRecord& record);

// One column of the CHECK display after the part number: its two heading lines and its cell.
// The table, the printout, the command line's table and CSV all take their columns from here, so
// a new column is one more row of checkColumns.
struct CheckColumn {
    const char* heading;
    const char* units;
    std::string (*cell)(const DesignCheck& design);
};
const std::vector<CheckColumn>& checkColumns();

// The text of column `column` (0 is the first after the part number) for a design; "-" for a
// design that could not be analyzed again.
std::string checkCellText(const DesignCheck& design, std::size_t column);

}  // namespace korvell
