// The inputs of an automatic design on the command line: the application, shape, winding and
// materials, the requirement fields as typed and the design parameters, or a design file to
// start from. Shared by `korvell design` and `korvell explore`, so both take and refuse the same
// input with the same words.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/JsonText.h"
#include "record/DesignRecord.h"

namespace korvell {
struct SecondOpinion;
}

namespace korvell::cli {

struct DesignInputOptions {
    std::optional<int> app, shape, winding;
    std::optional<std::string> inductance, maxRdc, current, inductanceMin, minCurrent, von, voff,
        vinPeak, vout, vpeak, frequency, ambient, stack, strands;
    std::vector<std::string> materials;
    ParameterOptions parameters;
    std::optional<std::string> input;
};

// --app, --shape, --winding, the requirement fields, --materials, the design parameters, --input.
void addDesignInputOptions(CLI::App& command, DesignInputOptions& options);

// Fills the record from the options as the requirements and parameters windows' OK would and
// accepts the requirements. False when the input is refused (the program's message given,
// exit status 2 set). For the resonant inductor without --frequency, `derivedFrequency`
// receives the frequency the window fills in.
bool acceptDesignInputs(const DesignInputOptions& options, CliContext& context,
                        CliMessages& messages, DesignRecord& record,
                        std::optional<std::string>& derivedFrequency);

// "FREQUENCY 795.8 kHz DERIVED FROM ...", or empty when the frequency was given.
std::string derivedFrequencyNote(const std::optional<std::string>& derivedFrequency);

// One results row as `korvell design --json` writes it, its members in sorted order; with
// `check` given, its second opinion as `check` (null when *check is null).
void writeDesignRow(JsonText& json, const DesignResult& result, const DesignWire& wire,
                    const DesignDimensions& dimensions, const SecondOpinion* const* check);

}  // namespace korvell::cli
