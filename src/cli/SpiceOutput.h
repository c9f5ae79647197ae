// SPICE models on the command line: korvell spice, and the models korvell design --spice-dir
// writes for the designs it finds.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "cli/Cli.h"
#include "export/SpiceModel.h"
#include "record/DesignRecord.h"

namespace korvell::cli {

extern const std::map<std::string, int> kSpiceDialectNames;  // ngspice, ltspice
SpiceDialect spiceDialectOf(std::optional<int> choice);

// Writes the model of every design of the record's last search into `folder` (which must exist),
// one file each, "NN-<subcircuit name>.cir" in the order of the results (NN from 01). A design
// whose analysis fails gets no file and a note on standard error. False, after an error on
// standard error, when a file cannot be written.
bool writeDesignModels(const DesignRecord& record, const std::string& folder, SpiceDialect dialect,
                       CliContext& context);

}  // namespace korvell::cli
