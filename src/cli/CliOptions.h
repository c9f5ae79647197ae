// Option vocabulary shared by the korvell subcommands: application types, core shapes, winding
// modes, wire gage systems and unit systems by name, and the design-parameter options.
#pragma once

#include <CLI/CLI.hpp>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "record/DesignRecord.h"

namespace korvell::cli {

extern const std::map<std::string, int> kApplicationOptionNames;  // dc, controlled-swing, ...
extern const std::map<std::string, int> kShapeOptionNames;        // toroid, e-core, composite
extern const std::map<std::string, int> kWindingOptionNames;      // full, single
extern const std::map<std::string, int> kGageSystemOptionNames;   // metric, awg, swg
extern const std::map<std::string, int> kUnitSystemOptionNames;   // metric, english, mixed

// Adds an option that takes one of the names of `names` (case-insensitive) and stores its number.
CLI::Option* addChoice(CLI::App& command, const std::string& name, std::optional<int>& value,
                       const std::map<std::string, int>& names, const std::string& description);

// The design parameters as typed on the command line (texts, checked by the parameters window's
// rules), and the two systems.
struct ParameterOptions {
    std::optional<std::string> maxTempRise, copperArea, currentDensity, fill, minPerm, resistivity,
        tempRiseFactor, tempRiseExponent, leadLength;
    std::optional<int> gageSystem;
    std::optional<int> unitSystem;
};
void addParameterOptions(CLI::App& command, ParameterOptions& options);

class CliMessages;

// Stores the design parameters of the record's application as the parameters window's OK
// would, starting from the texts it shows and replacing those given. False (after the message)
// when the window would refuse them; ambient is field 8 when given.
bool applyParameterOptions(DesignRecord& record, CliMessages& messages,
                           const ParameterOptions& options,
                           const std::optional<std::string>& ambient);

// A float of the record as a tidy JSON number (its shortest single-precision decimal).
nlohmann::json jsonNumber(float value);

}  // namespace korvell::cli
