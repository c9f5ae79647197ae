// korvell curve: the curves of the material-property graphs, as the graph window draws them.
#include <memory>

#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "graphs/Curves.h"
#include "platform/Format.h"
#include "record/DesignRecord.h"

namespace korvell::cli {

namespace {

constexpr std::string_view kRefusedCaption = "DATA ENTRY ERROR";

struct CurveOptions {
    int kind = 0;
    std::string material;
    OutputOptions output;
};

// Curves that share one x grid, printed as an x column followed by one column per material.
struct ColumnGroup {
    std::vector<std::size_t> curves;
};

std::vector<ColumnGroup> groupByXGrid(const std::vector<MaterialCurve>& curves) {
    std::vector<ColumnGroup> groups;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        auto sameGrid = [&](const ColumnGroup& g) {
            const auto& first = curves[g.curves.front()].points;
            const auto& points = curves[i].points;
            if (first.size() != points.size()) return false;
            for (std::size_t k = 0; k < points.size(); ++k) {
                if (first[k].x != points[k].x) return false;
            }
            return true;
        };
        auto it = std::find_if(groups.begin(), groups.end(), sameGrid);
        if (it == groups.end()) {
            groups.push_back({{i}});
        } else {
            it->curves.push_back(i);
        }
    }
    return groups;
}

void printTable(std::ostream& out, const MaterialGraphSettings& settings,
                const std::vector<MaterialCurve>& curves) {
    out << settings.title << '\n';
    out << "x: " << settings.xCaption << "    y: " << trimmed(std::string(settings.yCaption))
        << '\n';
    if (curves.empty()) {
        out << "(no curve of this kind for the material)\n";
        return;
    }
    // Percent and permeability to two decimals; loss densities span six decades.
    const bool logY = settings.yDecades > 0;
    const int width = logY ? 11 : 9;
    const auto groups = groupByXGrid(curves);
    std::string header;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        header += strprintf("%s%12s", g ? "  |" : "", "x");
        for (const auto i : groups[g].curves) {
            header += strprintf("%*s", width, curves[i].material.c_str());
        }
    }
    out << '\n' << header << '\n';
    std::size_t rows = 0;
    for (const auto& c : curves)
        rows = std::max(rows, c.points.size());
    for (std::size_t r = 0; r < rows; ++r) {
        std::string line;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto& first = curves[groups[g].curves.front()].points;
            line += g ? "  |" : "";
            line += r < first.size() ? strprintf("%12.6g", static_cast<double>(first[r].x))
                                     : strprintf("%12s", "");
            for (const auto i : groups[g].curves) {
                const auto& curve = curves[i];
                if (r >= curve.points.size()) {
                    line += strprintf("%*s", width, "");
                    continue;
                }
                const double y = valueOnAxis(settings, curve, curve.points[r].y);
                line += logY ? strprintf("%*.4g", width, y) : strprintf("%*.2f", width, y);
            }
        }
        out << line << '\n';
    }
}

void printCsv(std::ostream& out, const MaterialGraphSettings& settings,
              const std::vector<MaterialCurve>& curves) {
    out << "material,point,x,y\n";
    for (const auto& curve : curves) {
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            const auto y = static_cast<float>(valueOnAxis(settings, curve, curve.points[k].y));
            out << curve.material << ',' << k << ',' << shortestFloatText(curve.points[k].x) << ','
                << shortestFloatText(y) << '\n';
        }
    }
}

void printJson(std::ostream& out, const MaterialGraphSettings& settings,
               const std::vector<MaterialCurve>& curves, const CliMessages& messages) {
    using Json = nlohmann::ordered_json;
    Json list = Json::array();
    for (const auto& curve : curves) {
        Json points = Json::array();
        for (const auto& p : curve.points) {
            const auto y = static_cast<float>(valueOnAxis(settings, curve, p.y));
            points.push_back({shortestFloatValue(p.x), shortestFloatValue(y)});
        }
        list.push_back({{"material", curve.material}, {"points", std::move(points)}});
    }
    Json shown = Json::array();
    for (const auto& m : messages.messages()) {
        shown.push_back({{"caption", m.caption}, {"text", m.text}});
    }
    const Json document = {{"kind", settings.kind},         {"title", settings.title},
                           {"xCaption", settings.xCaption}, {"yCaption", settings.yCaption},
                           {"curves", std::move(list)},     {"messages", std::move(shown)}};
    out << document.dump(2) << '\n';
}

void runCurve(CliContext& context, const CurveOptions& options) {
    CliMessages messages(context.err);
    const auto settings = materialGraphSettings(options.kind, options.material);
    if (!settings) {
        messages.show(strprintf("GRAPH KIND %d IS NOT A MATERIAL GRAPH; USE 1 TO 6", options.kind),
                      kRefusedCaption);
        context.exitCode = kExitRefused;
        return;
    }
    if (!acceptGraphMaterial(context, messages, options.material)) return;

    DesignRecord record;
    record.graphKind = static_cast<std::int8_t>(options.kind);
    record.graphMaterialCode = options.material;
    const auto curves = materialGraphCurves(record, messages, options.kind);

    switch (options.output.form()) {
        case OutputForm::Json:
            printJson(context.out, *settings, curves, messages);
            break;
        case OutputForm::Csv:
            printCsv(context.out, *settings, curves);
            break;
        case OutputForm::Table:
            printTable(context.out, *settings, curves);
            break;
    }
}

}  // namespace

void addCurveCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<CurveOptions>();
    auto* command = app.add_subcommand(
        "curve", "Curves of the material-property graphs, one per material, in the graph's units");
    addCountOption(*command, "--kind", options->kind,
                   "1 initial permeability vs DC bias, 2 percent permeability vs DC bias, "
                   "3 vs AC flux density, 4 permeability vs frequency, 5 core loss at 1 kHz, "
                   "6 core loss at 100 kHz")
        ->required();
    command->add_option("--material", options->material,
                        "Material code (e.g. -21); default: every selectable material");
    addOutputOptions(*command, options->output, true);
    command->callback([&context, options] { runCurve(context, *options); });
}

}  // namespace korvell::cli
