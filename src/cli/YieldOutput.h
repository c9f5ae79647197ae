// The Monte Carlo yield on the command line: its options (korvell analyze and korvell plot), the
// YIELD table and the `yield` JSON object.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/Tolerance.h"
#include "cli/Cli.h"

namespace korvell::cli {

struct YieldOptions {
    std::vector<std::string> samples;  // --yield [N]
    CLI::Option* yieldSwitch = nullptr;
    std::optional<std::string> seed;
    std::optional<float> ambientSpread;
};

// --yield [N] (samples, 10000 when no number follows), --seed and --ambient-spread.
void addYieldOptions(CLI::App& command, YieldOptions& options);
// Whether --yield was given.
bool yieldAsked(const YieldOptions& options);
// The settings the options ask for. None, refused with exit status 2, for a number of samples
// outside 1 to 1000000, a seed that is not a whole number, or a spread above 100 °C.
std::optional<YieldSettings> yieldSettings(const YieldOptions& options, CliContext& context);

// {samples, seed, alTolerancePercent, wireTolerancePercent, ambientSpreadC, inductanceUh,
// inductanceAtMinCurrentUh, rdcOhm, copperLossW, coreLossW, tempRiseC, checkTempRiseC (each
// {nominal, atLowTolerance, atHighTolerance, mean, min, max, p1, p99}), fractionMeetingInductance,
// fractionMeetingRdc, fractionMeetingRise, fractionMeetingCheckRise (null where nothing was asked
// for), model}.
nlohmann::json yieldJson(const YieldReport& report);

// "YIELD:" with the model line, then a row per figure: nominal, at the ends of the Al
// tolerance, mean, min, max, p1, p99 and the share of parts meeting its requirement.
void printYieldTable(std::ostream& out, const YieldReport& report);

}  // namespace korvell::cli
