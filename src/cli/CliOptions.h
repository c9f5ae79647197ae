// Option vocabulary shared by the korvell subcommands: application types, core shapes, winding
// modes, wire gage systems and unit systems by name, and the design-parameter options.
#pragma once

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "record/DesignRecord.h"

namespace korvell::cli {

extern const std::map<std::string, int> kApplicationOptionNames;  // dc, controlled-swing, ...
extern const std::map<std::string, int> kShapeOptionNames;        // toroid, e-core, composite
extern const std::map<std::string, int> kWindingOptionNames;      // full, single
extern const std::map<std::string, int> kGageSystemOptionNames;   // metric, awg, swg
extern const std::map<std::string, int> kUnitSystemOptionNames;   // metric, english, mixed
extern const std::map<std::string, int> kRiseLimitByOptionNames;  // program, check
extern const std::map<std::string, int> kDesignAtOptionNames;     // nominal, worst-case

// Adds an option that takes one of the names of `names` (case-insensitive) and stores its number.
CLI::Option* addChoice(CLI::App& command, const std::string& name, std::optional<int>& value,
                       const std::map<std::string, int>& names, const std::string& description);

// The refusal of a numeric option's text, in the entry windows' words:
// "DATA ENTRY ERROR: INVALID CHARACTER in --name.  text ".
std::string invalidOptionText(const std::string& name, const std::string& text);

// Options whose number is read as the windows read an entry field: digits, a point and blanks
// (no sign, exponent, hexadecimal or decimal comma); a count takes digits and blanks only. Other
// text is refused while the command line is read (exit status 2), as is a number beyond single
// precision.
CLI::Option* addNumberOption(CLI::App& command, const std::string& name,
                             std::optional<float>& value, const std::string& description);
CLI::Option* addCountOption(CLI::App& command, const std::string& name, int& value,
                            const std::string& description);

// The design parameters as typed on the command line (texts, checked by the parameters window's
// rules), and the two systems.
struct ParameterOptions {
    std::optional<std::string> maxTempRise, copperArea, currentDensity, fill, minPerm, resistivity,
        tempRiseFactor, tempRiseExponent, leadLength;
    std::optional<int> gageSystem;
    std::optional<int> unitSystem;
    // The design choices: how the rise is judged, the Al tolerance (percent, as typed) and
    // where on it the turns are solved.
    std::optional<int> riseLimitBy;
    std::optional<std::string> alTolerance;
    std::optional<int> designAt;
};
void addParameterOptions(CLI::App& command, ParameterOptions& options);

class CliMessages;

// Stores the design parameters of the record's application as the parameters window's OK
// would, starting from the texts it shows and replacing those given. False (after the message)
// when the window would refuse them; ambient is field 8 when given.
bool applyParameterOptions(DesignRecord& record, CliMessages& messages,
                           const ParameterOptions& options,
                           const std::optional<std::string>& ambient);

struct CliContext;

// Refuses a command line the program cannot take: "ERROR: text" on standard error, exit 2.
void refuseInput(CliContext& context, const std::string& text);

// Writes a command's text to `output` through the atomic writer, or to standard output without
// one; a file that cannot be written says why and sets exit status 1.
void writeOutput(CliContext& context, const std::optional<std::string>& output,
                 const std::string& text);

// --input FILE: a design file (*.korvell.json) whose inputs the other options start from.
void addInputOption(CLI::App& command, std::optional<std::string>& input);
// Reads a design file into the record; false (after the message) when the file is refused.
bool readInputFile(const std::string& path, DesignRecord& record, CliMessages& messages);

// An option that fills one entry field of a window as typed, for the applications that show it.
template <typename Options>
struct FieldOption {
    int field;
    const char* name;
    std::optional<std::string> Options::*member;
    std::vector<int> applications;
    const char* help;
};

template <typename Options>
void addFieldOptions(CLI::App& command, const std::vector<FieldOption<Options>>& fields,
                     Options& options) {
    for (const auto& f : fields)
        command.add_option(f.name, options.*(f.member), f.help);
}

// False (refused) when an option is given for an application whose window does not show its
// field.
template <typename Options>
bool fieldOptionsApply(CliContext& context, const std::vector<FieldOption<Options>>& fields,
                       const Options& options, int application) {
    for (const auto& f : fields) {
        if (!(options.*(f.member))) continue;
        if (std::find(f.applications.begin(), f.applications.end(), application) ==
            f.applications.end()) {
            refuseInput(context, std::string(f.name) + " does not apply to the " +
                                     std::string(kApplicationNames[application]));
            return false;
        }
    }
    return true;
}

// Puts the texts given into their fields, as if typed over what the window showed.
template <typename Options, std::size_t N>
void putFieldTexts(const std::vector<FieldOption<Options>>& fields, const Options& options,
                   std::array<std::string, N>& texts) {
    for (const auto& f : fields) {
        if (const auto& text = options.*(f.member)) texts[f.field] = *text;
    }
}

// A material code given for the material graphs: every code with a DC-bias curve (all the
// program's materials) or empty (every selected material). Otherwise refused: "DATA ENTRY ERROR:
// UNRECOGNIZED MATERIAL code" and exit status 2.
bool acceptGraphMaterial(CliContext& context, CliMessages& messages, const std::string& material);

// A float of the record as a tidy JSON number: the double its "%.7g" decimal reads as; null
// (none) when it is not finite.
nlohmann::json jsonNumber(float value);
std::optional<double> jsonNumberValue(float value);

}  // namespace korvell::cli
