// korvell analyze: analysis of one existing inductor, checked as the analysis window checks it.
#include <iomanip>

#include "cli/AnalysisOptions.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

struct AnalyzeOptions {
    AnalysisOptions design;
    OutputOptions output;
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
    addAnalysisOptions(*c, o.design);
    addOutputOptions(*c, o.output, true);
    c->callback([options, &context] { runAnalyze(*options, context); });
}

}  // namespace korvell::cli
