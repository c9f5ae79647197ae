// korvell analyze: analysis of one existing inductor, checked as the analysis window checks it.
#include <iomanip>

#include "analysis/Analysis.h"
#include "analysis/AnalysisEntry.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "engine/EntryFields.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

struct AnalyzeOptions {
    std::optional<int> app, winding;
    std::optional<std::string> part, stack, wire, strands, turns, current, von, voff, vinPeak, vout,
        vpeak, frequency, ambient;
    ParameterOptions parameters;
    OutputOptions output;
};

const std::vector<FieldOption<AnalyzeOptions>>& fieldOptions() {
    static const std::vector<FieldOption<AnalyzeOptions>> options = {
        {1, "--stack", &AnalyzeOptions::stack, {0, 1, 2, 3, 4, 5}, "Number of cores in the stack"},
        {2,
         "--wire",
         &AnalyzeOptions::wire,
         {0, 1, 2, 3, 4, 5},
         "Wire gage as typed, e.g. #18, 0000, 0.50"},
        {3, "--turns", &AnalyzeOptions::turns, {0, 1, 2, 3, 4, 5}, "Number of turns"},
        {4,
         "--current",
         &AnalyzeOptions::current,
         {0, 1, 2, 3, 4, 5},
         "DC bias current, A (AC rms for powerline, peak for resonant)"},
        {5, "--von", &AnalyzeOptions::von, {0, 1, 2}, "Peak inductor voltage, V"},
        {5, "--vin-peak", &AnalyzeOptions::vinPeak, {3}, "Peak regulator input voltage, V"},
        {5, "--vpeak", &AnalyzeOptions::vpeak, {5}, "Peak voltage, V"},
        {6, "--voff", &AnalyzeOptions::voff, {0, 1, 2}, "DC output voltage, V"},
        {6, "--vout", &AnalyzeOptions::vout, {3}, "Regulator DC output voltage, V"},
        {7,
         "--frequency",
         &AnalyzeOptions::frequency,
         {0, 1, 2, 3, 4, 5},
         "Frequency, kHz (line frequency in Hz for powerline)"},
        {8,
         "--ambient",
         &AnalyzeOptions::ambient,
         {0, 1, 2, 3, 4, 5},
         "Ambient temperature, deg C"},
        {9, "--strands", &AnalyzeOptions::strands, {0, 1, 2, 3, 4, 5}, "Wire strands"},
    };
    return options;
}

void printPage(std::ostream& out, const char* title, const AnalysisTable& table,
               const DesignRecord& r, int first, int last) {
    out << title << '\n';
    for (int i = first; i <= last; ++i) {
        const AnalysisRow& row = table.rows[i];
        out << "  " << std::left << std::setw(24) << row.label << std::right << std::setw(12)
            << analysisValueText(row, r) << "  " << analysisUnitsText(row, r) << '\n';
    }
}

void runAnalyze(AnalyzeOptions& o, CliContext& context) {
    DesignRecord r;
    CliMessages messages(context.err);
    r.applicationType = static_cast<std::int8_t>(o.app.value_or(kDcBiased));
    const int app = r.applicationType;
    if (!fieldOptionsApply(context, fieldOptions(), o, app)) return;
    r.windingMode =
        static_cast<std::int8_t>(o.winding.value_or(app == kResonant ? kSingleLayer : kFullWindow));
    if (!applyParameterOptions(r, messages, o.parameters, std::nullopt)) {
        context.exitCode = kExitRefused;
        return;
    }

    AnalysisTexts texts;
    loadAnalysisInputs(r, texts);
    // A part number as a results row writes it ("T106-21 x2") carries the stack count.
    const StackedPartNumber part = splitStackedPartNumber(o.part.value_or(""));
    if (part.stack) {
        if (o.stack && readFieldCount(*o.stack) != *part.stack) {
            refuseInput(context, "--part names a stack of " + std::to_string(*part.stack) +
                                     " cores, --stack " + *o.stack);
            return;
        }
        texts[1] = std::to_string(*part.stack);
    }
    const TypedPartNumber typed = checkTypedPartNumber(part.partNumber);
    if (typed.error) {
        messages.show(*typed.error, "ERROR");
        context.exitCode = kExitRefused;
        return;
    }
    texts[0] = typed.text;
    putFieldTexts(fieldOptions(), o, texts);
    if (!acceptAnalysisInputs(r, messages, texts)) {
        context.exitCode = kExitRefused;
        return;
    }

    AnalysisTable table;
    const std::size_t shownBefore = messages.messages().size();
    const int result = AnalyzeDesign(r, messages, table, r.applicationType);
    if (result <= 0) {
        // A refusal always says why.
        if (messages.messages().size() == shownBefore) {
            messages.show(
                strprintf("ANALYSIS OF CORE P/N %s NOT COMPLETED", r.corePartNumber.c_str()),
                "PROGRAM ERROR ");
        }
        context.exitCode = kExitRefused;
        return;
    }

    if (o.output.form() == OutputForm::Json) {
        nlohmann::json rows = nlohmann::json::array();
        for (int i = 0; i < kAnalysisRows; ++i) {
            const AnalysisRow& row = table.rows[i];
            rows.push_back({{"row", i},
                            {"label", row.label},
                            {"value", jsonNumber(static_cast<float>(analysisDisplayValue(row, r)))},
                            {"units", analysisUnitsText(row, r)},
                            {"text", analysisValueText(row, r)}});
        }
        nlohmann::json doc = {{"application", std::string(kApplicationNames[app]) + " ANALYSIS"},
                              {"partNumber", r.corePartNumber},
                              {"wire", texts[2]},
                              {"rows", rows},
                              {"messages", messages.toJson()}};
        context.out << doc.dump(2) << '\n';
        return;
    }
    if (o.output.form() == OutputForm::Csv) {
        context.out << "row,label,value,units\n";
        for (int i = 0; i < kAnalysisRows; ++i) {
            const AnalysisRow& row = table.rows[i];
            context.out << i << ",\"" << row.label << "\",\"" << trimmed(analysisValueText(row, r))
                        << "\",\"" << trimmed(analysisUnitsText(row, r)) << "\"\n";
        }
        return;
    }
    context.out << kApplicationNames[app] << " ANALYSIS\n"
                << "  CORE " << r.corePartNumber
                << (r.stackedCores > 1 ? strprintf(" x %d", r.stackedCores) : "") << ", "
                << static_cast<int>(r.turns) << " TURNS OF " << trimmed(texts[2])
                << (r.wireStrands > 1 ? strprintf(" x %d STRANDS", r.wireStrands) : "") << "\n\n";
    printPage(context.out, "ELECTRICAL PROPERTIES:", table, r, 0, kElectricalRows - 1);
    context.out << '\n';
    printPage(context.out, "MECHANICAL PROPERTIES:", table, r, kElectricalRows, kAnalysisRows - 1);
}

}  // namespace

void addAnalyzeCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<AnalyzeOptions>();
    AnalyzeOptions& o = *options;
    auto* c = app.add_subcommand("analyze", "Analysis of one existing inductor design");
    addChoice(*c, "--app", o.app, kApplicationOptionNames, "Application type");
    c->add_option("--part", o.part,
                  "Core part number, e.g. T80-21; a stack as a results row writes it, T80-21 x2")
        ->required();
    addFieldOptions(*c, fieldOptions(), o);
    addChoice(*c, "--winding", o.winding, kWindingOptionNames, "Winding type");
    addParameterOptions(*c, o.parameters);
    addOutputOptions(*c, o.output, true);
    c->callback([options, &context] { runAnalyze(*options, context); });
}

}  // namespace korvell::cli
