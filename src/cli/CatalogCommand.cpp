// korvell catalog: every row of one shape's core catalog as its part number and the ten numbers
// of its catalog line, as a table, CSV or JSON.
#include <array>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/Cli.h"
#include "materials/Catalog.h"
#include "materials/CatalogRows.h"
#include "platform/Format.h"
#include "record/DesignRecord.h"

namespace korvell::cli {
namespace {

const std::map<std::string, std::int8_t> kShapes{
    {"toroid", kToroid}, {"e-core", kECore}, {"composite", kComposite}};

// Column heads of the table; fields 8 to 10 are id, od, ht except on E-cores (b, a, c).
std::string tableHead(std::int8_t shape) {
    const auto dimensions = catalogDimensionNames(shape);
    return strprintf("%4s %12s %5s %5s %5s %5s %7s %5s %5s %5s %5s %8s\n", "ROW", "PART NUMBER",
                     "MU", "AL", "AE", "LE", "WINDOW", "MLT", dimensions[0], dimensions[1],
                     dimensions[2], "RESERVED");
}

std::string tableUnits(std::int8_t shape) {
    return strprintf("Al nH/turn^2, Ae cm^2, le cm, window %s, MLT ft, dimensions in\n",
                     catalogWindowUnit(shape));
}

void printCsv(std::ostream& out, const std::vector<CatalogRow>& rows) {
    out << "index,partNumber";
    for (const auto& field : kCatalogNumberFields)
        out << ',' << field.name;
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
    const CatalogListing listing = listCatalog(shape, messages);
    for (const int i : listing.unreadRows) {
        context.err << strprintf("CATALOG: row %d of the %s catalog cannot be read\n", i,
                                 shapeName.c_str());
        context.exitCode = kExitFailure;
    }
    const std::vector<CatalogRow>& rows = listing.rows;

    switch (options.form()) {
        case OutputForm::Json: {
            auto list = nlohmann::json::array();
            for (const auto& row : rows) {
                nlohmann::json item{{"index", row.index}, {"partNumber", row.partNumber}};
                for (const auto& field : kCatalogNumberFields)
                    item[field.name] = row.*field.member;
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
