// korvell design: the automatic design from requirements and design parameters given as options,
// checked exactly as the requirements and parameters windows check them.
#include <iomanip>
#include <sstream>

#include "analysis/ResultsCheck.h"
#include "analysis/SecondOpinion.h"
#include "cli/CheckOutput.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/DesignInputs.h"
#include "cli/JsonText.h"
#include "cli/SpiceOutput.h"
#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "files/DesignFile.h"
#include "files/ResultsCsv.h"
#include "pages/ResultsPage.h"
#include "platform/Format.h"
#include "record/ResultCells.h"

namespace korvell::cli {
namespace {

struct DesignOptions {
    DesignInputOptions inputs;
    std::optional<std::string> save, spiceDir;
    bool dimensions = false;
    bool check = false;
    OutputOptions output;
};

// The checked figures of each design found, with --check: the CHECK display's columns after
// the part number, and for JSON each design's second opinion (none where its analysis fails).
struct DesignChecks {
    ResultsCheck figures;
    std::vector<std::optional<SecondOpinion>> opinions;
    std::size_t size() const { return opinions.size(); }
    bool empty() const { return opinions.empty(); }
    const std::optional<SecondOpinion>& operator[](std::size_t i) const { return opinions[i]; }
};

DesignChecks checkDesigns(const DesignRecord& r) {
    DesignChecks checks;
    checks.figures = checkResults(r);
    for (const DesignCheck& design : checks.figures.designs)
        checks.opinions.push_back(design.opinion);
    return checks;
}

// The cells --check adds to a design's line: the CHECK display's columns.
std::vector<std::string> checkCells(const DesignChecks& checks, int i) {
    std::vector<std::string> cells;
    const std::size_t row = static_cast<std::size_t>(i);
    for (std::size_t c = 0; c < checkColumns().size(); ++c) {
        cells.push_back(row < checks.figures.designs.size()
                            ? checkCellText(checks.figures.designs[row], c)
                            : std::string("-"));
    }
    return cells;
}

// Float members of a row, each under its record name.
template <typename Row>
void writeNumbers(JsonText& json, const Row& row,
                  std::initializer_list<std::pair<const char*, float Row::*>> members) {
    for (const auto& [name, member] : members) {
        json.key(name);
        json.number(row.*member);
    }
}

}  // namespace

void writeDesignRow(JsonText& json, const DesignResult& d, const DesignWire& w,
                    const DesignDimensions& dimensions, const SecondOpinion* const* check) {
    using D = DesignResult;
    using W = DesignWire;
    json.openObject();
    writeNumbers(
        json, d,
        {{"al", &D::al}, {"bac", &D::bac}, {"bobbinDim", &D::bobbinDim}, {"build", &D::build}});
    if (check != nullptr) {
        json.key("check");
        if (*check != nullptr) {
            writeCheckJson(json, **check);
        } else {
            json.null();
        }
    }
    writeNumbers(json, d,
                 {{"copperLossW", &D::copperLossW},
                  {"coreLossW", &D::coreLossW},
                  {"coreVolume", &D::coreVolume}});
    json.key("dimensions");
    json.openArray();
    for (const auto& slot : dimensions.slot) {
        if (slot) {
            json.number(*slot);
        } else {
            json.null();
        }
    }
    json.closeArray();
    writeNumbers(json, d, {{"fillPercent", &D::fillPercent}});
    // The inductance the design reaches, as the analysis gives it; a swinging choke's at its
    // minimum current too; and at the low end of the Al tolerance.
    if (d.inductanceAtMinCurrentUh > 0) {
        writeNumbers(json, d, {{"inductanceAtMinCurrentUh", &D::inductanceAtMinCurrentUh}});
    }
    writeNumbers(json, d,
                 {{"inductanceMinUh", &D::inductanceMinUh}, {"inductanceUh", &D::inductanceUh}});
    json.key("partNumber");
    json.string(d.partNumber);
    writeNumbers(json, d,
                 {{"percentPerm", &D::percentPerm},
                  {"price", &D::price},
                  {"rac", &D::rac},
                  {"rdc", &D::rdc}});
    json.key("strands");
    json.integer(d.strands);
    writeNumbers(json, d, {{"surfaceArea", &D::surfaceArea}, {"tempRise", &D::tempRise}});
    json.key("turns");
    json.integer(d.turns);
    json.key("wire");
    json.string(d.wire);
    json.key("wireData");
    json.openObject();
    writeNumbers(json, w,
                 {{"area", &W::area},
                  {"bareDia", &W::bareDia},
                  {"build", &W::build},
                  {"dia", &W::dia},
                  {"gage", &W::gage}});
    json.key("label");
    json.string(w.label);
    writeNumbers(json, w,
                 {{"maxDia", &W::maxDia},
                  {"ohmsPerFoot", &W::ohmsPerFoot},
                  {"weightPerFoot", &W::weightPerFoot}});
    json.closeObject();
    writeNumbers(
        json, d,
        {{"woundHeight", &D::woundHeight}, {"woundId", &D::woundId}, {"woundOd", &D::woundOd}});
    json.closeObject();
}

namespace {

// One design of the search, with --check its second opinion.
void writeDesign(JsonText& json, const DesignRecord& r, int i, const DesignChecks* checks) {
    const SecondOpinion* check = nullptr;
    if (checks != nullptr) {
        if (const auto& opinion = (*checks)[static_cast<std::size_t>(i)]) check = &*opinion;
    }
    writeDesignRow(json, r.designResults[i], r.designWires[i], r.designDimensions[i],
                   checks != nullptr ? &check : nullptr);
}

// The whole document: application, derived frequency (resonant, when derived), designCount,
// designs, endMarker, messages.
std::string designDocument(const DesignRecord& r, const CliMessages& messages,
                           bool derivedFrequency, const DesignChecks* checks) {
    JsonText json;
    json.openObject();
    json.key("application");
    json.string(kApplicationNames[r.applicationType]);
    if (derivedFrequency) {
        json.key("derivedFrequencyKhz");
        json.number(r.frequencyKhz);
    }
    json.key("designCount");
    json.integer(r.designCount);
    json.key("designs");
    json.openArray();
    for (int i = 0; i < std::min(r.designCount, kMaxDesigns); ++i)
        writeDesign(json, r, i, checks);
    json.closeArray();
    json.key("endMarker");
    if (r.designCount < kMaxDesigns) {
        json.string(r.designResults[r.designCount].partNumber);
    } else {
        json.null();
    }
    json.key("messages");
    json.openArray();
    for (const auto& m : messages.messages()) {
        json.openObject();
        json.key("caption");
        json.string(m.caption);
        json.key("text");
        json.string(m.text);
        json.closeObject();
    }
    json.closeArray();
    json.closeObject();
    return json.text();
}

void printTable(const DesignRecord& r, std::ostream& out, int display, bool csv,
                const DesignChecks* checks) {
    const ResultHeadings headings = resultHeadings(r, display);
    const int shown = std::min(r.designCount, kMaxDesigns);
    if (csv) {
        if (checks == nullptr) {
            out << resultsCsv(r, {display});
            return;
        }
        // The table's lines (headings, then one per design) with the two check cells added.
        std::istringstream table(resultsCsv(r, {display}));
        std::string line;
        for (int i = -1; std::getline(table, line); ++i) {
            out << line;
            if (i < 0) {
                for (const CheckColumn& column : checkColumns())
                    out << ",\"" << trimmed(std::string(column.heading) + ' ' + column.units)
                        << '"';
            } else if (i < shown) {
                for (const auto& cell : checkCells(*checks, i))
                    out << ",\"" << cell << '"';
            }
            out << '\n';
        }
        return;
    }
    out << kApplicationNames[r.applicationType] << '\n';
    for (int k = 0; k < 9; ++k) {
        if (!summaryRowShown(r.applicationType, k)) continue;
        const auto& row = r.reqtSummary[k];
        out << "  " << std::left << std::setw(32) << row.label << std::right << std::setw(12)
            << trimmed(row.value) << "  " << row.units << '\n';
    }
    out << '\n';
    // The part number left-aligned in 18 columns, the other cells right-aligned in 11; a cell
    // that fills its width (a wire of millions of strands) is still set off by a blank.
    constexpr std::size_t kFirstWidth = 18;
    constexpr std::size_t kWidth = 11;
    const auto putCell = [&out](int column, const std::string& cell) {
        if (column == 0) {
            out << cell;
            if (cell.size() < kFirstWidth) out << std::string(kFirstWidth - cell.size(), ' ');
            return;
        }
        out << std::string(cell.size() < kWidth ? kWidth - cell.size() : 1, ' ') << cell;
    };
    for (std::size_t h = 0; h < headings.size(); ++h) {
        for (int c = 0; c < kResultColumns; ++c)
            putCell(c, headings[h][c]);
        if (checks != nullptr) {
            for (const CheckColumn& column : checkColumns())
                putCell(kResultColumns, h == 0 ? column.heading : column.units);
        }
        out << '\n';
    }
    for (int i = 0; i < shown; ++i) {
        for (int c = 0; c < kResultColumns; ++c)
            putCell(c, resultCellText(r, display, i, c));
        if (checks != nullptr) {
            for (const auto& cell : checkCells(*checks, i))
                putCell(kResultColumns, cell);
        }
        out << '\n';
    }
    if (r.designCount < kMaxDesigns) out << r.designResults[r.designCount].partNumber << '\n';
}

void runDesign(DesignOptions& o, CliContext& context) {
    DesignRecord r;
    CliMessages messages(context.err);
    std::optional<std::string> derivedFrequency;
    if (!acceptDesignInputs(o.inputs, context, messages, r, derivedFrequency)) return;
    // The requirements window fills in the frequency at which the inductance carries the peak
    // current at the peak voltage; the command line says that it did.
    const std::string derivedNote = derivedFrequencyNote(derivedFrequency);
    if (!derivedNote.empty() && o.output.form() == OutputForm::Csv) {
        context.err << "NOTE: " << derivedNote << '\n';
    }

    run_design_search(r, messages);
    if (o.save) {
        if (const auto failure = saveDesignFile(*o.save, r)) {
            messages.show(*failure, kDesignFileCaption);
            context.exitCode = kExitFailure;
        }
    }

    if (o.spiceDir && !writeDesignModels(r, *o.spiceDir, SpiceDialect::Ngspice, context)) {
        context.exitCode = kExitFailure;
    }

    const int display = o.dimensions ? kDimensionsDisplay : kElectricalDisplay;
    const DesignChecks checks = o.check ? checkDesigns(r) : DesignChecks{};
    const DesignChecks* checked = o.check ? &checks : nullptr;
    switch (o.output.form()) {
        case OutputForm::Json:
            context.out << designDocument(r, messages, derivedFrequency.has_value(), checked)
                        << '\n';
            break;
        case OutputForm::Csv:
            printTable(r, context.out, display, true, checked);
            break;
        case OutputForm::Table:
            if (!derivedNote.empty()) context.out << derivedNote << '\n';
            printTable(r, context.out, display, false, checked);
            if (checked != nullptr && !checks.empty()) {
                context.out << "CHECK: " << checkModelText(r.applicationType) << '\n';
            }
            break;
    }
}

}  // namespace

void addDesignCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<DesignOptions>();
    auto* c =
        app.add_subcommand("design", "Automatic design: up to forty designs, smallest core first");
    DesignOptions& o = *options;
    addDesignInputOptions(*c, o.inputs);
    c->add_flag("--dimensions", o.dimensions, "Show the DIMENSIONS table");
    c->add_flag("--check", o.check,
                "Add each design's second opinion (hot winding resistance, Dowell ripple copper "
                "loss): its copper loss and rise to the table, a check object to --json");
    c->add_option("--save", o.save,
                  "Write the inputs and the designs found to this design file (*.korvell.json)");
    c->add_option("--spice-dir", o.spiceDir,
                  "Write the ngspice model of each design found into this folder, "
                  "NN-<name>.cir")
        ->check(CLI::ExistingDirectory);
    addOutputOptions(*c, o.output, true);
    c->callback([options, &context] { runDesign(*options, context); });
}

}  // namespace korvell::cli
