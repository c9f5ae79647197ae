// The second opinion on the command line: one JSON object of the same members for korvell
// analyze and korvell design, and its rows beside the program's own figures.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "analysis/SecondOpinion.h"
#include "cli/JsonText.h"

namespace korvell::cli {

// {acFactorFundamental, converged, copperLossChangePercent, copperLossW, dcCopperLossW, layers,
// model, porosity, rdcHotOhm, rippleCopperLossW, rippleRmsA, skinDepthIn, tempRiseC,
// tempRiseChangePercent, totalLossW, windingTempC}; lengths in inches, losses in watts.
nlohmann::json checkJson(const SecondOpinion& opinion);
void writeCheckJson(JsonText& json, const SecondOpinion& opinion);

// "SECOND OPINION" with the model, a CHECK and a PROGRAM column of the check rows in the display
// units, and the status.
void printCheckTable(std::ostream& out, const SecondOpinion& opinion, const DesignRecord& record);

}  // namespace korvell::cli
