// The second opinion of an analyzed inductor or of a results row, and its CHECK page rows; the
// model itself is the engine's (engine/SecondOpinionModel.h). A second opinion on an analyzed
// inductor stands beside the program's own figures and never in their place. The classic model
// takes the winding resistance at ambient and gives the switching ripple of a DC-biased, swinging
// or PFC choke no copper loss. Here the winding is taken at its own temperature (copper's
// resistance rises by (234.4 + T_w) / (234.4 + T_a)), the ripple triangle is split into its first
// 25 harmonics and each is charged at Dowell's AC resistance factor of the layered winding (round
// wire as an equivalent foil), and the rise is found again by the program's own rule until it
// settles. Every figure is at least the program's own.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/Analysis.h"
#include "engine/SecondOpinionModel.h"
#include "record/DesignRecord.h"

namespace korvell {

// Results row `row` of the record's last search analyzed again as the analysis window loads it
// (its core, stack, wire, strands and turns; the requirements' operating conditions), and its
// second opinion. None when the row holds no design or its analysis fails. The record is not
// changed.
std::optional<SecondOpinion> secondOpinionOfResultsRow(const DesignRecord& record, int row);

// The second opinion as rows of the CHECK page: label, format, the second opinion's value and
// units, and the program's own figure where it has one (same format and units).
struct CheckRow {
    AnalysisRow row;
    std::optional<float> program;
};
constexpr int kCheckRows = 14;
std::array<CheckRow, kCheckRows> checkRows(const SecondOpinion& opinion);
// The program's figure of a row as shown (display units, the row's format); empty without one.
std::string checkProgramText(const CheckRow& row, const DesignRecord& record);
// "CONVERGED" or "THERMAL RUNAWAY".
std::string checkStatusText(const SecondOpinion& opinion);
// The model and its assumptions in one line, for the page and the command line.
std::string checkModelText(std::int8_t application);

}  // namespace korvell
