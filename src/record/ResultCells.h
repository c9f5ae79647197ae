// The cells of the results table: its two heading lines and the text of each design cell, for
// the ELECTRICAL and DIMENSIONS displays. The results window draws them; the command line prints
// them.
#pragma once

#include <array>
#include <string>

#include "record/DesignRecord.h"

namespace korvell {

constexpr int kResultColumns = 13;

enum ResultDisplay : int { kElectricalDisplay = 0, kDimensionsDisplay = 1 };

using ResultHeadings = std::array<std::array<std::string, kResultColumns>, 2>;

// Heading lines of a display for the record's shape, with the run-time cells filled: the stacked
// note, the gage name and the dimension titles with the length unit.
ResultHeadings resultHeadings(const DesignRecord& record, int display);

// The text of column `column` of design row `row` as the table shows it (lengths in the display
// unit). The wire cell is "%3d x %s" with the strands when there is more than one strand.
std::string resultCellText(const DesignRecord& record, int display, int row, int column);

}  // namespace korvell
