// The options that describe one existing inductor (korvell analyze, and korvell plot for the
// graphs of a design), and the analysis of the design they describe, checked as the analysis
// window checks its fields.
#pragma once

#include <optional>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"

namespace korvell::cli {

struct AnalysisOptions {
    std::optional<int> app, winding;
    std::optional<std::string> part, stack, wire, strands, turns, current, von, voff, vinPeak, vout,
        vpeak, frequency, ambient;
    std::optional<std::string> input;  // a design file the options start from
    ParameterOptions parameters;
    // The requirements the yield holds the design to (µH, A, ohm; 0 none); the design file's or
    // the program's when not given.
    std::optional<float> inductance, inductanceMin, minCurrent, maxRdc;
};

// Adds --app, --part, the entry fields, --winding, the design parameters and --input.
void addAnalysisOptions(CLI::App& command, AnalysisOptions& options);
// Adds the requirements the yield holds the design to: --inductance, --inductance-min,
// --min-current, --max-rdc.
void addYieldRequirementOptions(CLI::App& command, AnalysisOptions& options);

// Checks the options as the analysis window's OK does and analyzes the design into the record
// and the table. With --input the design file's inputs come first, and without --part its
// first saved design is the one analyzed, as the analysis window loads the highlighted row. False
// when refused: the message is on standard error and the exit status is 2. texts holds the fields
// as the window would show them (the wire rewritten from its size).
bool analyzeFromOptions(const AnalysisOptions& options, CliContext& context, CliMessages& messages,
                        DesignRecord& record, AnalysisTable& table, AnalysisTexts& texts);

}  // namespace korvell::cli
