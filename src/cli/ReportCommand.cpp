// korvell report: the design report of one existing inductor, described and checked as korvell
// analyze describes and checks it, as a PDF file.
#include <memory>

#include "cli/AnalysisOptions.h"
#include "platform/Format.h"
#include "report/DesignReport.h"

namespace korvell::cli {
namespace {

const std::map<std::string, int> kPaperNames = {{"a4", 0}, {"letter", 1}};

struct ReportCommandOptions {
    AnalysisOptions design;
    std::string output;
    std::optional<int> paper;
};

void runReport(ReportCommandOptions& o, CliContext& context) {
    CliMessages messages(context.err);
    ReportInput input;
    if (!analyzeFromOptions(o.design, context, messages, input.record, input.table, input.texts))
        return;
    ReportOptions options;
    options.paper = o.paper.value_or(0) == 1 ? kLetterPaper : kA4Paper;
    options.dateText = standardDateText(localNow());
    if (const auto failure = writeDesignReport(o.output, input, options)) {
        context.err << "ERROR: " << *failure << '\n';
        context.exitCode = kExitFailure;
    }
}

}  // namespace

void addReportCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ReportCommandOptions>();
    auto* c = app.add_subcommand(
        "report",
        "Design report of one inductor (the options of korvell analyze) as a PDF: requirements "
        "and design with every limit, the analysis, graphs, winding instructions and the SPICE "
        "subcircuit");
    addAnalysisOptions(*c, options->design);
    c->add_option("--output", options->output, "PDF file to write")->required();
    addChoice(*c, "--paper", options->paper, kPaperNames, "a4 (default) or letter");
    c->callback([options, &context] { runReport(*options, context); });
}

}  // namespace korvell::cli
