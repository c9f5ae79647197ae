// korvell analyze: analysis of one existing inductor, checked as the analysis window checks it.
#include <iomanip>

#include "analysis/SecondOpinion.h"
#include "cli/AnalysisOptions.h"
#include "cli/CheckOutput.h"
#include "cli/YieldOutput.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

struct AnalyzeOptions {
    AnalysisOptions design;
    OutputOptions output;
    bool check = false;
    YieldOptions yield;
};

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
    AnalysisTexts texts;
    AnalysisTable table;
    if (!analyzeFromOptions(o.design, context, messages, r, table, texts)) return;
    const int app = r.applicationType;
    std::optional<SecondOpinion> check;
    if (o.check) check = secondOpinion(r, r.applicationType);
    std::optional<YieldReport> yield;
    if (yieldAsked(o.yield)) {
        if (o.output.form() == OutputForm::Csv) {
            refuseInput(context, "--yield is shown as a table or in JSON, not as CSV");
            return;
        }
        const auto settings = yieldSettings(o.yield, context);
        if (!settings) return;
        yield = designYield(r, r.applicationType, *settings);
    }

    if (o.output.form() == OutputForm::Json) {
        nlohmann::json rows = nlohmann::json::array();
        for (int i = 0; i < kAnalysisRows; ++i) {
            const AnalysisRow& row = table.rows[i];
            const double shown = analysisDisplayValue(row, r);
            // A figure no row can show (a float's limit) is null with its reason, never 3.4e38.
            const bool showable = figureShowable(row.format.c_str(), shown);
            nlohmann::json value =
                row.negligible || !showable
                    ? nlohmann::json()
                    : jsonNumber(static_cast<float>(analysisValueInUnits(row, r)));
            rows.push_back({{"row", i},
                            {"label", row.label},
                            {"value", value},
                            {"units", analysisUnitsText(row, r)},
                            {"text", analysisValueText(row, r)}});
            if (i == kTimeTo115Row || i == kLifeLimitRow)
                rows.back()["negligible"] = row.negligible;
            if (!row.negligible && !showable) rows.back()["reason"] = analysisValueText(row, r);
        }
        nlohmann::json doc = {{"application", std::string(kApplicationNames[app]) + " ANALYSIS"},
                              {"partNumber", r.corePartNumber},
                              {"wire", texts[2]},
                              {"rows", rows},
                              {"messages", messages.toJson()}};
        if (check) doc["check"] = checkJson(*check);
        if (yield) doc["yield"] = yieldJson(*yield);
        context.out << doc.dump(2) << '\n';
        return;
    }
    if (o.output.form() == OutputForm::Csv) {
        // With the second opinion its rows follow the analysis's, the program's own figure in a
        // column of its own.
        context.out << (check ? "row,label,value,units,program\n" : "row,label,value,units\n");
        const auto line = [&](int i, const AnalysisRow& row, const std::string& program) {
            context.out << i << ",\"" << row.label << "\",\"" << trimmed(analysisValueText(row, r))
                        << "\",\"" << trimmed(analysisUnitsText(row, r)) << '"';
            if (check) context.out << ",\"" << trimmed(program) << '"';
            context.out << '\n';
        };
        for (int i = 0; i < kAnalysisRows; ++i)
            line(i, table.rows[i], "");
        if (check) {
            int i = kAnalysisRows;
            for (const CheckRow& row : checkRows(*check))
                line(i++, row.row, checkProgramText(row, r));
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
    if (check) {
        context.out << '\n';
        printCheckTable(context.out, *check, r);
    }
    if (yield) {
        context.out << '\n';
        printYieldTable(context.out, *yield);
    }
}

}  // namespace

void addAnalyzeCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<AnalyzeOptions>();
    AnalyzeOptions& o = *options;
    auto* c = app.add_subcommand("analyze", "Analysis of one existing inductor design");
    addAnalysisOptions(*c, o.design);
    addYieldRequirementOptions(*c, o.design);
    addOutputOptions(*c, o.output, true);
    c->add_flag("--check", o.check,
                "Add the second opinion: hot winding resistance and Dowell ripple copper loss, "
                "beside the program's own figures");
    addYieldOptions(*c, o.yield);
    c->callback([options, &context] { runAnalyze(*options, context); });
}

}  // namespace korvell::cli
