// korvell design: the automatic design from requirements and design parameters given as options,
// checked exactly as the requirements and parameters windows check them.
#include <iomanip>
#include <sstream>

#include "analysis/SecondOpinion.h"
#include "cli/CheckOutput.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "cli/JsonText.h"
#include "cli/SpiceOutput.h"
#include "engine/DesignSearch.h"
#include "engine/RequirementsEntry.h"
#include "pages/ResultsPage.h"
#include "platform/Format.h"
#include "files/DesignFile.h"
#include "record/ResultCells.h"

namespace korvell::cli {
namespace {

struct DesignOptions {
    std::optional<int> app, shape, winding;
    std::optional<std::string> inductance, maxRdc, current, inductanceMin, minCurrent, von, voff,
        vinPeak, vout, vpeak, frequency, ambient, stack, strands;
    std::vector<std::string> materials;
    ParameterOptions parameters;
    std::optional<std::string> input, save, spiceDir;
    bool dimensions = false;
    bool check = false;
    OutputOptions output;
};

// The second opinion of each design found (none where its analysis fails), with --check.
using DesignChecks = std::vector<std::optional<SecondOpinion>>;

DesignChecks checkDesigns(const DesignRecord& r) {
    DesignChecks checks;
    for (int i = 0; i < std::clamp(r.designCount, 0, kMaxDesigns); ++i)
        checks.push_back(secondOpinionOfResultsRow(r, i));
    return checks;
}

// The two columns --check adds to the table: the second opinion's copper loss and rise.
constexpr std::array<std::array<const char*, 2>, 2> kCheckHeadings = {{
    {"CHECK Cu", "Watts"},
    {"CHECK Rise", "deg C"},
}};
std::array<std::string, 2> checkCells(const std::optional<SecondOpinion>& check) {
    if (!check) return {"-", "-"};
    return {strprintf("%.2f", check->copperLossW),
            check->converged ? strprintf("%.1f", check->tempRiseC) : "RUNAWAY"};
}

// Requirement fields and the options that fill them, with the applications that show them.
const std::vector<FieldOption<DesignOptions>>& requirementOptions() {
    using O = DesignOptions;
    static const std::vector<FieldOption<O>> options = {
        {0,
         "--inductance",
         &O::inductance,
         {0, 1, 2, 3, 4, 5},
         "Inductance at maximum current, uH"},
        {1,
         "--max-rdc",
         &O::maxRdc,
         {0, 1, 2, 3, 4, 5},
         "Maximum DC resistance, ohm (0 = no limit)"},
        {2,
         "--current",
         &O::current,
         {0, 1, 2, 3, 4, 5},
         "Maximum current, A (peak for resonant, rms for powerline)"},
        {3,
         "--inductance-min",
         &O::inductanceMin,
         {1, 2, 4},
         "Inductance at minimum current, uH (swing and powerline)"},
        {4, "--min-current", &O::minCurrent, {1, 2, 4}, "Minimum current, A (swing and powerline)"},
        {5, "--von", &O::von, {0, 1, 2}, "Peak inductor (ON) voltage, V"},
        {5, "--vin-peak", &O::vinPeak, {3}, "Peak regulator input voltage, V"},
        {5, "--vpeak", &O::vpeak, {5}, "Peak voltage, V"},
        {6, "--voff", &O::voff, {0, 1, 2}, "DC output (OFF) voltage, V"},
        {6, "--vout", &O::vout, {3}, "Regulator DC output voltage, V"},
        {7, "--frequency", &O::frequency, {0, 1, 2, 3, 4, 5}, "Frequency, kHz (Hz for powerline)"},
        {8, "--ambient", &O::ambient, {0, 1, 2, 3, 4, 5}, "Ambient temperature, deg C"},
        {9, "--stack", &O::stack, {0, 1, 2, 3, 4, 5}, "Stacked cores"},
        {10, "--strands", &O::strands, {0, 1, 2, 3, 4, 5}, "Wire strands"},
    };
    return options;
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

// One design, its members in the sorted order of the library's objects; with --check its second
// opinion as `check` (null when the design cannot be analysed again).
void writeDesign(JsonText& json, const DesignRecord& r, int i, const DesignChecks* checks) {
    using D = DesignResult;
    using W = DesignWire;
    const D& d = r.designResults[i];
    const W& w = r.designWires[i];
    json.openObject();
    writeNumbers(
        json, d,
        {{"al", &D::al}, {"bac", &D::bac}, {"bobbinDim", &D::bobbinDim}, {"build", &D::build}});
    if (checks != nullptr) {
        json.key("check");
        if (const auto& check = (*checks)[static_cast<std::size_t>(i)]) {
            writeCheckJson(json, *check);
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
    for (const auto& slot : r.designDimensions[i].slot) {
        if (slot) {
            json.number(*slot);
        } else {
            json.null();
        }
    }
    json.closeArray();
    writeNumbers(json, d, {{"fillPercent", &D::fillPercent}});
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
                for (const auto& heading : kCheckHeadings)
                    out << ",\"" << heading[0] << ' ' << heading[1] << '"';
            } else if (i < shown) {
                for (const auto& cell : checkCells((*checks)[static_cast<std::size_t>(i)]))
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
            for (const auto& heading : kCheckHeadings)
                putCell(kResultColumns, heading[h]);
        }
        out << '\n';
    }
    for (int i = 0; i < shown; ++i) {
        for (int c = 0; c < kResultColumns; ++c)
            putCell(c, resultCellText(r, display, i, c));
        if (checks != nullptr) {
            for (const auto& cell : checkCells((*checks)[static_cast<std::size_t>(i)]))
                putCell(kResultColumns, cell);
        }
        out << '\n';
    }
    if (r.designCount < kMaxDesigns) out << r.designResults[r.designCount].partNumber << '\n';
}

void runDesign(DesignOptions& o, CliContext& context) {
    DesignRecord r;
    CliMessages messages(context.err);
    if (o.input && !readInputFile(*o.input, r, messages)) {
        context.exitCode = kExitRefused;
        return;
    }
    r.applicationType = static_cast<std::int8_t>(o.app.value_or(r.applicationType));
    const int app = r.applicationType;

    if (!fieldOptionsApply(context, requirementOptions(), o, app)) return;
    if (app == kWideSwing && o.shape && *o.shape != kComposite) {
        refuseInput(context, "the wide swing inductor is designed on composite cores only");
        return;
    }
    // A design file's shape and winding stand unless options change them.
    r.coreShape = static_cast<std::int8_t>(
        app == kWideSwing ? int{kComposite}
                          : o.shape.value_or(o.input ? int{r.coreShape} : int{kToroid}));
    const int winding = o.input            ? int{r.windingMode}
                        : app == kResonant ? int{kSingleLayer}
                                           : int{kFullWindow};
    r.windingMode = static_cast<std::int8_t>(o.winding.value_or(winding));
    if (!o.materials.empty()) {
        for (auto& slot : r.selectedMaterials)
            slot.clear();
        for (const auto& code : o.materials) {
            const auto it =
                std::find(kSelectableMaterials.begin(), kSelectableMaterials.end(), code);
            if (it == kSelectableMaterials.end()) {
                refuseInput(context,
                            "unknown material " + code +
                                "; the selectable materials are -11, -13, "
                                "-16, -17, -21, -23, -25, -27, -29, -31, -32, -36, -37, -39");
                return;
            }
            r.selectedMaterials[static_cast<std::size_t>(it - kSelectableMaterials.begin())] = code;
        }
    }

    if (!applyParameterOptions(r, messages, o.parameters, o.ambient)) {
        context.exitCode = kExitRefused;
        return;
    }

    RequirementTexts texts = requirementFieldTexts(r);
    putFieldTexts(requirementOptions(), o, texts);
    std::optional<std::string> derivedFrequency;
    if (app == kResonant && !o.frequency) {
        derivedFrequency = updateResonantFrequency(r, texts);
        if (derivedFrequency) texts[7] = *derivedFrequency;
    }
    if (!acceptRequirements(r, messages, texts)) {
        context.exitCode = kExitRefused;
        return;
    }
    // The requirements window fills in the frequency at which the inductance carries the peak
    // current at the peak voltage; the command line says that it did.
    const std::string derivedNote =
        derivedFrequency ? "FREQUENCY " + trimmed(*derivedFrequency) +
                               " kHz DERIVED FROM THE INDUCTANCE, PEAK CURRENT AND PEAK VOLTAGE"
                         : "";
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
    addChoice(*c, "--app", o.app, kApplicationOptionNames, "Application type");
    addChoice(*c, "--shape", o.shape, kShapeOptionNames, "Core shape");
    addChoice(*c, "--winding", o.winding, kWindingOptionNames, "Winding type");
    addFieldOptions(*c, requirementOptions(), o);
    c->add_option("--materials", o.materials, "Materials the search may use, e.g. -21,-36")
        ->delimiter(',')
        ->allow_extra_args(false);
    addParameterOptions(*c, o.parameters);
    c->add_flag("--dimensions", o.dimensions, "Show the DIMENSIONS table");
    c->add_flag("--check", o.check,
                "Add each design's second opinion (hot winding resistance, Dowell ripple copper "
                "loss): its copper loss and rise to the table, a check object to --json");
    addInputOption(*c, o.input);
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
