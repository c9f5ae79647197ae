// korvell catalog: every row of one shape's core catalog as its part number and the ten numbers
// of its catalog line, as a table, CSV or JSON.
#include <array>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/Cli.h"
#include "materials/Catalog.h"
#include "platform/Format.h"
#include "record/DesignRecord.h"

namespace korvell::cli {
namespace {

const std::map<std::string, std::int8_t> kShapes{
    {"toroid", kToroid}, {"e-core", kECore}, {"composite", kComposite}};

constexpr std::array<const char*, 10> kFieldNames{"mu",  "al", "ae", "le", "window",
                                                  "mlt", "d1", "d2", "d3", "reserved"};

// A catalog line read back as the design search reads it: part number and ten numbers.
struct CatalogRow {
    int index = 0;
    std::string partNumber;
    std::array<double, 10> numbers{};
    std::string line;
};

bool readLine(const std::string& line, CatalogRow& row) {
    char part[16] = {};
    auto& v = row.numbers;
    const int n = std::sscanf(line.c_str(), "%15s %lg %lg %lg %lg %lg %lg %lg %lg %lg %lg", part,
                              &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9]);
    row.partNumber = part;
    row.line = line;
    return n == 11;
}

// Column heads of the table; fields 8 to 10 are id, od, ht except on E-cores (b, a, c).
std::string tableHead(std::int8_t shape) {
    const bool eCore = shape == kECore;
    return strprintf("%4s %12s %5s %5s %5s %5s %7s %5s %5s %5s %5s %8s\n", "ROW", "PART NUMBER",
                     "MU", "AL", "AE", "LE", "WINDOW", "MLT", eCore ? "B" : "ID",
                     eCore ? "A" : "OD", eCore ? "C" : "HT", "RESERVED");
}

std::string tableUnits(std::int8_t shape) {
    return strprintf("Al nH/turn^2, Ae cm^2, le cm, window %s, MLT ft, dimensions in\n",
                     shape == kECore ? "155 x cm^2" : "kcmil");
}

void printCsv(std::ostream& out, const std::vector<CatalogRow>& rows) {
    out << "index,partNumber";
    for (const char* name : kFieldNames)
        out << ',' << name;
    out << '\n';
    for (const auto& row : rows) {
        out << row.index << ',' << row.partNumber;
        char text[10][32] = {};
        // The numbers as printed in the catalog line, with its precision.
        std::sscanf(row.line.c_str(), "%*15s %31s %31s %31s %31s %31s %31s %31s %31s %31s %31s",
                    text[0], text[1], text[2], text[3], text[4], text[5], text[6], text[7], text[8],
                    text[9]);
        for (int k = 0; k < 10; ++k)
            out << ',' << text[k];
        out << '\n';
    }
}

void runCatalog(CliContext& context, const std::string& shapeName, const OutputOptions& options) {
    const std::int8_t shape = kShapes.at(shapeName);
    CliMessages messages(context.err);
    DesignRecord record;
    std::vector<CatalogRow> rows;
    for (int i = 0; i < catalogRowCount(shape); ++i) {
        record.catalogLine.clear();
        catalogLookup(record, messages, i, shape);
        CatalogRow row;
        row.index = i;
        if (!readLine(record.catalogLine, row)) {
            context.err << strprintf("CATALOG: row %d of the %s catalog cannot be read\n", i,
                                     shapeName.c_str());
            context.exitCode = kExitFailure;
            continue;
        }
        rows.push_back(row);
    }

    switch (options.form()) {
        case OutputForm::Json: {
            auto list = nlohmann::json::array();
            for (const auto& row : rows) {
                nlohmann::json item{{"index", row.index}, {"partNumber", row.partNumber}};
                for (std::size_t k = 0; k < kFieldNames.size(); ++k)
                    item[kFieldNames[k]] = row.numbers[k];
                list.push_back(item);
            }
            context.out << nlohmann::json{{"shape", shapeName},
                                          {"rows", list},
                                          {"messages", messages.toJson()}}
                               .dump(2)
                        << '\n';
            break;
        }
        case OutputForm::Csv:
            printCsv(context.out, rows);
            break;
        case OutputForm::Table:
            context.out << tableUnits(shape) << tableHead(shape);
            for (const auto& row : rows)
                context.out << strprintf("%4d ", row.index) << row.line << '\n';
            break;
    }
}

}  // namespace

void addCatalogCommand(CLI::App& app, CliContext& context) {
    struct Settings {
        std::string shape = "toroid";
        OutputOptions options;
    };
    auto settings = std::make_shared<Settings>();
    auto* command =
        app.add_subcommand("catalog", "List every row of a core catalog with its catalog line");
    command->add_option("--shape", settings->shape, "Core shape: toroid, e-core or composite")
        ->check(CLI::IsMember({"toroid", "e-core", "composite"}))
        ->capture_default_str();
    addOutputOptions(*command, settings->options, true);
    command->callback(
        [&context, settings] { runCatalog(context, settings->shape, settings->options); });
}

}  // namespace korvell::cli
