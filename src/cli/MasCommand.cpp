// korvell mas: one existing inductor, described and checked as korvell analyze describes and
// checks it, as a MAS 1.0.0 document for the OpenMagnetics tools.
#include <memory>

#include "cli/AnalysisOptions.h"
#include "export/MasDocument.h"

namespace korvell::cli {
namespace {

struct MasOptions {
    AnalysisOptions design;
    std::optional<std::string> output;
};

void runMas(MasOptions& o, CliContext& context) {
    CliMessages messages(context.err);
    DesignRecord r;
    AnalysisTable table;
    AnalysisTexts texts;
    if (!analyzeFromOptions(o.design, context, messages, r, table, texts)) return;
    const std::string text = masDocumentText(r, table);
    writeOutput(context, o.output, text);
}

}  // namespace

void addMasCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<MasOptions>();
    auto* c = app.add_subcommand(
        "mas",
        "One inductor (the options of korvell analyze) as a MAS 1.0.0 document (class A), for "
        "the OpenMagnetics tools");
    addAnalysisOptions(*c, options->design);
    c->add_option("--output", options->output,
                  "File to write (*.mas.json); default: standard output");
    c->callback([options, &context] { runMas(*options, context); });
}

}  // namespace korvell::cli
