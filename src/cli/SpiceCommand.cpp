// korvell spice: the SPICE model of one existing inductor, described and checked as korvell
// analyze describes and checks it.
#include <algorithm>
#include <filesystem>
#include <memory>

#include "cli/AnalysisOptions.h"
#include "cli/SpiceOutput.h"
#include "export/SpiceModel.h"
#include "platform/FileAccess.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

struct SpiceOptions {
    AnalysisOptions design;
    std::optional<std::string> output;
    std::optional<int> dialect;
    bool hot = false;
};

void runSpice(SpiceOptions& o, CliContext& context) {
    DesignRecord r;
    CliMessages messages(context.err);
    AnalysisTexts texts;
    AnalysisTable table;
    if (!analyzeFromOptions(o.design, context, messages, r, table, texts)) return;
    const auto model = spiceModel(r, table, r.applicationType, o.hot, messages);
    if (!model) {
        context.exitCode = kExitRefused;
        return;
    }
    const std::string text = spiceModelText(*model, spiceDialectOf(o.dialect));
    writeOutput(context, o.output, text);
}

}  // namespace

const std::map<std::string, int> kSpiceDialectNames = {{"ngspice", 0}, {"ltspice", 1}};

SpiceDialect spiceDialectOf(std::optional<int> choice) {
    return choice.value_or(0) == 1 ? SpiceDialect::Ltspice : SpiceDialect::Ngspice;
}

bool writeDesignModels(const DesignRecord& r, const std::string& folder, SpiceDialect dialect,
                       CliContext& context) {
    const int count = std::min(r.designCount, kMaxDesigns);
    for (int i = 0; i < count; ++i) {
        const auto model = spiceModelOfResultsRow(r, i, false);
        if (!model) {
            context.err << strprintf("NOTE: design %d could not be analyzed again; no model\n",
                                     i + 1);
            continue;
        }
        const std::string path =
            (std::filesystem::path(folder) / strprintf("%02d-%s.cir", i + 1, model->name.c_str()))
                .string();
        if (const auto failure = writeFileAtomically(path, spiceModelText(*model, dialect))) {
            context.err << "ERROR: " << *failure << '\n';
            return false;
        }
    }
    return true;
}

void addSpiceCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<SpiceOptions>();
    auto* c = app.add_subcommand(
        "spice",
        "SPICE subcircuit of one inductor (the options of korvell analyze): its inductance "
        "against current, winding resistance and core loss");
    addAnalysisOptions(*c, options->design);
    c->add_option("--output", options->output, "File to write (*.cir); default: standard output");
    addChoice(*c, "--dialect", options->dialect, kSpiceDialectNames,
              "ngspice (default), or ltspice (the same model in LTspice syntax)");
    c->add_flag("--hot", options->hot,
                "Winding resistance at the second opinion's winding temperature instead of at "
                "ambient");
    c->callback([options, &context] { runSpice(*options, context); });
}

}  // namespace korvell::cli
