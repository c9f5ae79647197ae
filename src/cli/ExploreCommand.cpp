// korvell explore: every design of the whole design space of one set of requirements (every
// shape, stack, strand count and winding over the whole catalog) and its trade-off front, from
// the same inputs as korvell design, refused with the same words.
#include <charconv>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/DesignInputs.h"
#include "cli/JsonText.h"
#include "explore/DesignSpace.h"
#include "graphs/ExplorerChart.h"
#include "platform/FileAccess.h"
#include "platform/Format.h"
#include "platform/SvgCanvas.h"

namespace korvell::cli {
namespace {

struct ExploreOptions {
    DesignInputOptions inputs;
    std::vector<std::string> objectives;
    std::optional<float> epsilonPercent;
    int stackMax = 4;
    int strandsMax = 8;
    bool all = false;
    bool whyNot = false;
    std::optional<std::string> plot;
    OutputOptions output;
};

constexpr int kChartWidth = 1100;
constexpr int kChartHeight = 800;

const char* shapeOptionName(std::int8_t shape) {
    for (const auto& [name, number] : kShapeOptionNames) {
        if (number == shape) return name.c_str();
    }
    return "";
}
const char* windingOptionName(std::int8_t winding) {
    return winding == kSingleLayer ? "single" : "full";
}

constexpr const char* kObjectiveNames = "price, loss, size, temp, check-loss, check-temp";

// The objectives named (in any case), or none (after the refusal) when a name is unknown or
// fewer than two are given; the default is price, loss and size.
std::optional<std::vector<Objective>> chosenObjectives(const std::vector<std::string>& names,
                                                       CliContext& context) {
    if (names.empty()) return ExploreSettings{}.objectives;
    std::vector<Objective> chosen;
    for (const auto& name : names) {
        const auto objective = objectiveNamed(name);
        if (!objective) {
            refuseInput(context,
                        "unknown objective " + name + "; the objectives are " + kObjectiveNames);
            return std::nullopt;
        }
        if (std::find(chosen.begin(), chosen.end(), *objective) == chosen.end()) {
            chosen.push_back(*objective);
        }
    }
    if (chosen.size() < 2) {
        refuseInput(context,
                    std::string("the front needs two or more objectives of ") + kObjectiveNames);
        return std::nullopt;
    }
    return chosen;
}

// The options of korvell design that pick one combination, which the sweep covers whole: refused
// with the options that bound it. False after the refusal.
bool combinationOptionsAbsent(const ExploreOptions& o, CliContext& context) {
    const DesignInputOptions& in = o.inputs;
    const char* given = in.shape     ? "--shape"
                        : in.winding ? "--winding"
                        : in.stack   ? "--stack"
                        : in.strands ? "--strands"
                                     : nullptr;
    if (!given) return true;
    refuseInput(context, std::string(given) +
                             " picks one combination, and the explorer sweeps them all: every "
                             "shape and winding the application allows, stacks up to "
                             "--stack-max and strands up to --strands-max");
    return false;
}

// The designs listed: the thinned front, or with --all every design.
std::vector<std::size_t> listedDesigns(const DesignSpace& space, bool all) {
    if (!all) return space.listed;
    std::vector<std::size_t> every(space.designs.size());
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = i;
    return every;
}

// An objective's figure as a JSON number: a stored single-precision figure as the shortest text
// that reads back to the same float (so two designs differ in the text exactly when they differ
// in the record, and the front checked on the printed figures is the front), a figure computed
// in double precision as the shortest text that reads back to the same double; null when it is
// not known.
nlohmann::json exactNumber(float value) {
    if (!std::isfinite(value)) return nullptr;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double number = 0;
    std::from_chars(text, end, number);
    return number;
}
nlohmann::json exactNumber(double value) {
    if (!std::isfinite(value)) return nullptr;
    return value;
}

// Columns of the table and the CSV: heading and the cell of a design; `check` columns only
// where the check figures were computed.
struct Column {
    const char* heading;
    int width;
    std::string (*cell)(const ExploredDesign&);
    bool check = false;
};
std::string figure(const ExploredDesign& d, Objective o) {
    return objectiveText(o, d.objective(o));
}
const std::vector<Column>& columns() {
    static const std::vector<Column> list = {
        {"PART NUMBER", 18, [](const ExploredDesign& d) { return d.result.partNumber; }},
        {"SHAPE", 10,
         [](const ExploredDesign& d) { return std::string(shapeOptionName(d.shape)); }},
        {"STACK", 6, [](const ExploredDesign& d) { return std::to_string(d.stack); }},
        {"STRANDS", 8, [](const ExploredDesign& d) { return std::to_string(d.result.strands); }},
        {"WINDING", 8,
         [](const ExploredDesign& d) { return std::string(windingOptionName(d.winding)); }},
        {"WIRE", 10, [](const ExploredDesign& d) { return trimmed(d.result.wire); }},
        {"TURNS", 6, [](const ExploredDesign& d) { return std::to_string(d.result.turns); }},
        {"L uH", 8,
         [](const ExploredDesign& d) { return strprintf("%.1f", designInductanceUh(d)); }},
        {"PRICE $", 9, [](const ExploredDesign& d) { return figure(d, Objective::Price); }},
        {"LOSS W", 8, [](const ExploredDesign& d) { return figure(d, Objective::Loss); }},
        {"AREA cm2", 9, [](const ExploredDesign& d) { return figure(d, Objective::Size); }},
        {"RISE C", 7, [](const ExploredDesign& d) { return figure(d, Objective::TempRise); }},
        {"CHECK LOSS W", 13,
         [](const ExploredDesign& d) { return figure(d, Objective::CheckLoss); }, true},
        {"CHECK RISE C", 13,
         [](const ExploredDesign& d) { return figure(d, Objective::CheckRise); }, true},
        {"SIMILAR", 8,
         [](const ExploredDesign& d) {
             return d.listed && d.similar > 0 ? strprintf("+%d", d.similar) : std::string();
         }},
        {"FRONT", 6, [](const ExploredDesign& d) { return std::string(d.onFront ? "*" : ""); }},
    };
    return list;
}
std::vector<Column> shownColumns(bool checkFigures) {
    std::vector<Column> shown;
    for (const auto& c : columns()) {
        if (!c.check || checkFigures) shown.push_back(c);
    }
    return shown;
}

std::string objectivesText(const DesignSpace& space) {
    std::string text;
    for (const Objective o : space.objectives)
        text += (text.empty() ? "" : ", ") + std::string(objectiveName(o));
    return text;
}

void printTable(const DesignRecord& r, const DesignSpace& space, const ExploreOptions& o,
                std::ostream& out) {
    out << kApplicationNames[r.applicationType] << '\n'
        << space.designs.size() << " DESIGNS, " << space.front.size() << " ON THE FRONT OF "
        << objectivesText(space) << ", " << space.listed.size() << " LISTED WITHIN "
        << generalText(100 * space.epsilon, 6) << " %\n\n";
    const auto shown = shownColumns(space.checkFigures);
    for (const auto& c : shown)
        out << std::left << std::setw(c.width) << c.heading;
    out << '\n';
    for (const std::size_t i : listedDesigns(space, o.all)) {
        for (const auto& c : shown) {
            const std::string cell = c.cell(space.designs[i]);
            out << std::left << std::setw(c.width) << cell;
            if (cell.size() >= static_cast<std::size_t>(c.width)) out << ' ';
        }
        out << '\n';
    }
    if (o.whyNot) {
        out << "\nWHY NOT SMALLER\n";
        for (const auto& refusal : space.refused)
            out << refusal.text() << '\n';
    }
}

void printCsv(const DesignSpace& space, const ExploreOptions& o, std::ostream& out) {
    const auto quoted = [](const std::string& text) { return '"' + text + '"'; };
    const auto shown = shownColumns(true);
    std::string line;
    for (const auto& c : shown)
        line += (line.empty() ? "" : ",") + quoted(c.heading);
    out << line << '\n';
    for (const std::size_t i : listedDesigns(space, o.all)) {
        line.clear();
        for (const auto& c : shown)
            line += (line.empty() ? "" : ",") + quoted(c.cell(space.designs[i]));
        out << line << '\n';
    }
}

// One design: the results-row members of korvell design --json, with shape, winding, stack,
// inductanceUh, totalLossW, the check figures, onFront and (listed) similar; the objectives'
// figures exact (strands is the row's: the strands wound).
nlohmann::json designJson(const ExploredDesign& d) {
    JsonText row;
    writeDesignRow(row, d.result, d.wire, d.dimensions, nullptr);
    nlohmann::json json = nlohmann::json::parse(row.text());
    json["shape"] = shapeOptionName(d.shape);
    json["winding"] = windingOptionName(d.winding);
    json["stack"] = d.stack;
    json["inductanceUh"] = exactNumber(designInductanceUh(d));
    json["price"] = exactNumber(d.result.price);
    json["surfaceArea"] = exactNumber(d.result.surfaceArea);
    json["tempRise"] = exactNumber(d.result.tempRise);
    json["totalLossW"] = exactNumber(d.totalLossW());
    json["checkTotalLossW"] = exactNumber(d.checkTotalLossW);
    json["checkTempRiseC"] = exactNumber(d.checkTempRiseC);
    json["onFront"] = d.onFront;
    if (d.listed) json["similar"] = d.similar;
    return json;
}

std::string exploreDocument(const DesignSpace& space, const CliMessages& messages, bool all) {
    nlohmann::json doc;
    doc["objectives"] = nlohmann::json::array();
    for (const Objective o : space.objectives)
        doc["objectives"].push_back(objectiveName(o));
    doc["epsilon"] = space.epsilon;
    doc["designCount"] = space.designs.size();
    doc["frontCount"] = space.front.size();
    doc["front"] = nlohmann::json::array();
    for (const std::size_t i : space.listed)
        doc["front"].push_back(designJson(space.designs[i]));
    if (all) {
        doc["frontAll"] = nlohmann::json::array();
        for (const std::size_t i : space.front)
            doc["frontAll"].push_back(designJson(space.designs[i]));
        doc["designs"] = nlohmann::json::array();
        for (const auto& d : space.designs)
            doc["designs"].push_back(designJson(d));
    }
    doc["refused"] = nlohmann::json::array();
    for (const auto& refusal : space.refused) {
        doc["refused"].push_back({{"shape", shapeOptionName(refusal.shape)},
                                  {"partNumber", refusal.partNumber},
                                  {"reason", refusal.reason},
                                  {"text", refusal.text()}});
    }
    doc["messages"] = messages.toJson();
    return doc.dump(2);
}

// The chart of the first two objectives as SVG, through the program's one atomic writer: a
// special file, a folder or a read-only file is refused with its reason, and a failed write
// leaves the old file as it was.
bool writePlot(const DesignSpace& space, const std::string& path, CliContext& context) {
    SvgCanvas page(kChartWidth, kChartHeight, true);
    ExplorerChartView view;
    view.x = space.objectives[0];
    view.y = space.objectives[1];
    drawExplorerChart(page, space, view);
    if (const auto failure = writeFileAtomically(path, page.document())) {
        context.err << "ERROR: " << *failure << '\n';
        context.exitCode = kExitFailure;
        return false;
    }
    return true;
}

// The epsilon of the thinning from --epsilon PCT (0 to 100 %); none after the refusal.
std::optional<double> chosenEpsilon(const ExploreOptions& o, CliContext& context) {
    if (!o.epsilonPercent) return ExploreSettings::kDefaultEpsilon;
    if (!(*o.epsilonPercent <= 100)) {
        refuseInput(context, "--epsilon takes 0 to 100 percent");
        return std::nullopt;
    }
    return static_cast<double>(*o.epsilonPercent) / 100;
}

void runExplore(ExploreOptions& o, CliContext& context) {
    const auto objectives = chosenObjectives(o.objectives, context);
    if (!objectives) return;
    const auto epsilon = chosenEpsilon(o, context);
    if (!epsilon) return;
    if (o.stackMax < 1 || o.stackMax > 4) {
        refuseInput(context, "--stack-max takes 1 to 4 cores");
        return;
    }
    if (o.strandsMax < 1 || o.strandsMax > 8) {
        refuseInput(context, "--strands-max takes 1 to 8 strands");
        return;
    }
    if (o.whyNot && o.output.form() == OutputForm::Csv) {
        refuseInput(context,
                    "--why-not lists refused cores, which are no rows of designs: use it with the "
                    "table or with --json");
        return;
    }
    DesignRecord r;
    CliMessages messages(context.err);
    std::optional<std::string> derivedFrequency;
    if (!acceptDesignInputs(o.inputs, context, messages, r, derivedFrequency)) return;
    if (!combinationOptionsAbsent(o, context)) return;
    const std::string derivedNote = derivedFrequencyNote(derivedFrequency);
    if (!derivedNote.empty() && o.output.form() != OutputForm::Table) {
        context.err << "NOTE: " << derivedNote << '\n';
    }

    ExploreSettings settings;
    settings.objectives = *objectives;
    settings.epsilon = *epsilon;
    settings.stackMax = o.stackMax;
    settings.strandsMax = o.strandsMax;
    settings.refusals = o.whyNot || o.output.form() == OutputForm::Json;
    // JSON and CSV carry the second opinion of every design, taken as the sweep winds it.
    settings.checkFigures = o.output.form() != OutputForm::Table;
    DesignSpace space = explore_design_space(r, settings);
    if (space.designs.empty()) {
        messages.show("NO DESIGN MEETS THE REQUIREMENTS IN ANY SHAPE, STACK, STRANDS OR WINDING",
                      "NOTICE: ");
    }
    if (o.plot && !writePlot(space, *o.plot, context)) return;

    switch (o.output.form()) {
        case OutputForm::Json:
            context.out << exploreDocument(space, messages, o.all) << '\n';
            break;
        case OutputForm::Csv:
            printCsv(space, o, context.out);
            break;
        case OutputForm::Table:
            if (!derivedNote.empty()) context.out << derivedNote << '\n';
            printTable(r, space, o, context.out);
            break;
    }
}

}  // namespace

void addExploreCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<ExploreOptions>();
    auto* c = app.add_subcommand(
        "explore",
        "Every design of every shape, stack (1-4), strand count (1-8) and winding over the whole "
        "catalog, and the trade-off front");
    ExploreOptions& o = *options;
    addDesignInputOptions(*c, o.inputs);
    c->add_option("--objectives", o.objectives,
                  "Objectives of the front, two or more of price, loss, size, temp, check-loss, "
                  "check-temp (the second opinion's loss and rise), in any case (default "
                  "price,loss,size)")
        ->delimiter(',')
        ->allow_extra_args(false);
    addNumberOption(*c, "--epsilon", o.epsilonPercent,
                    "Thinning of the front, percent: each design listed stands for the front "
                    "designs within this much of it on every objective; 0 lists the whole front "
                    "(default 1)");
    addCountOption(*c, "--stack-max", o.stackMax, "Largest stack of cores tried (1-4, default 4)");
    addCountOption(*c, "--strands-max", o.strandsMax, "Most wire strands tried (1-8, default 8)");
    c->add_flag("--all", o.all,
                "List every design, not only the thinned front (JSON: frontAll, the whole front, "
                "and designs)");
    c->add_flag("--why-not", o.whyNot,
                "List the cores before each shape's smallest design and the limit that refused "
                "each");
    c->add_option("--plot", o.plot,
                  "Write the chart of the designs on the first two objectives to this SVG file");
    addOutputOptions(*c, o.output, true);
    c->callback([options, &context] { runExplore(*options, context); });
}

}  // namespace korvell::cli
