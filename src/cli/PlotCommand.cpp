// korvell plot: one of the ten graphs as an SVG page, drawn by the graph window's own code as it
// prints the graph: title, captions, grid, curves, labels and legends on a landscape page.
#include <memory>
#include <set>

#include "cli/AnalysisOptions.h"
#include "cli/YieldOutput.h"
#include "graphs/GraphPage.h"
#include "graphs/GraphRequest.h"
#include "platform/Format.h"
#include "platform/SvgCanvas.h"

namespace korvell::cli {
namespace {

// A landscape letter page at 100 pixels per inch.

struct PlotOptions {
    int kind = 0;
    std::string material;
    std::optional<std::string> output;
    AnalysisOptions design;
    YieldOptions yield;  // kind 10
};

// Options of the plot command itself; every other option describes a design.
const std::set<std::string> kOwnOptions = {"--help", "--kind", "--material", "--output"};

bool refused(CliContext& context, const std::string& text) {
    refuseInput(context, text);
    return false;
}

// The graph request of the options into the record: a material graph, or the graph of the
// design the options describe, analyzed first.
bool prepareRecord(const CLI::App& command, PlotOptions& o, CliContext& context,
                   CliMessages& messages, DesignRecord& record) {
    record.graphKind = static_cast<std::int8_t>(o.kind);
    if (o.kind < kInductanceVsCurrent) {
        for (const CLI::Option* option : command.get_options()) {
            if (option->count() > 0 && !kOwnOptions.contains(option->get_name())) {
                return refused(context,
                               option->get_name() + " describes a design: graph kinds 7 to 9 only");
            }
        }
        record.graphMaterialCode = o.material;
        return acceptGraphMaterial(context, messages, o.material);
    }
    if (!o.material.empty()) {
        return refused(context,
                       "--material is for the material graphs, kinds 1 to 6; the graph "
                       "of a design takes the material of its part number");
    }
    const AnalysisOptions& d = o.design;
    const bool yieldOptions = yieldAsked(o.yield) || o.yield.seed || o.yield.ambientSpread ||
                              d.inductance || d.inductanceMin || d.minCurrent || d.maxRdc;
    if (yieldOptions && o.kind != kInductanceSpread) {
        return refused(context,
                       "--yield, --seed, --ambient-spread and the requirements of the yield are "
                       "for graph kind 10");
    }
    if (!o.design.part && !o.design.input) {
        return refused(context, "--part (or --input) is required for graph kinds 7 to 10");
    }
    AnalysisTable table;
    AnalysisTexts texts;
    if (!analyzeFromOptions(o.design, context, messages, record, table, texts)) return false;
    // As the analysis window's graph buttons ask for it; a design file read with --input brought
    // its own graph settings.
    record.graphKind = static_cast<std::int8_t>(o.kind);
    record.graphSource = kAnalyzedDesign;
    record.graphMaterialCode = materialCodeOf(record.corePartNumber);
    return true;
}

void runPlot(const CLI::App& command, PlotOptions& o, CliContext& context) {
    CliMessages messages(context.err);
    if (o.kind < kInitialPermVsDcBias || o.kind > kInductanceSpread) {
        messages.show(strprintf("GRAPH KIND %d IS NOT A GRAPH; USE 1 TO 10", o.kind),
                      "DATA ENTRY ERROR");
        context.exitCode = kExitRefused;
        return;
    }
    DesignRecord record;
    if (!prepareRecord(command, o, context, messages, record)) return;

    GraphView view;
    if (o.kind == kInductanceSpread) {
        const auto settings = yieldSettings(o.yield, context);
        if (!settings) return;
        view.yield = *settings;
    }
    GraphPageLayout layout;
    const std::string svg = graphSvg(record, messages, view, &layout);
    if (layout.curvesDrawn == 0) {
        context.err << "NOTE: no curve of this graph could be made; the page holds its captions\n";
    }
    writeOutput(context, o.output, svg);
}

}  // namespace

void addPlotCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<PlotOptions>();
    auto* c = app.add_subcommand(
        "plot",
        "One graph as an SVG page, as the graph window prints it; kinds 7-10 analyze the "
        "design described by the options of korvell analyze first");
    addCountOption(*c, "--kind", options->kind,
                   "1-6 material graphs (as korvell curve), 7 inductance vs current, 8 decay loss "
                   "vs time, 9 core temperature vs time, 10 inductance spread of the yield")
        ->required();
    c->add_option("--material", options->material,
                  "Kinds 1-6: material code (e.g. -21); default: every selectable material");
    c->add_option("--output", options->output, "SVG file to write; default: standard output");
    addAnalysisOptions(*c, options->design);
    addYieldRequirementOptions(*c, options->design);
    addYieldOptions(*c, options->yield);
    c->callback([c, options, &context] { runPlot(*c, *options, context); });
}

}  // namespace korvell::cli
