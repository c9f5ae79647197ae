// korvell wire: one wire of a gage system, chosen by gage, copper area or largest insulated
// diameter, or the whole table of the system.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisEntry.h"
#include "cli/Cli.h"
#include "cli/CliOptions.h"
#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "materials/WireRows.h"
#include "materials/WireTable.h"
#include "platform/Format.h"
#include "record/DesignRecord.h"

namespace korvell::cli {

namespace {

struct WireOptions {
    std::string system = "awg";
    std::optional<std::string> gage;
    std::optional<float> area;         // circular mils
    std::optional<float> maxDiameter;  // inches
    bool table = false;
    OutputOptions output;
};

std::int8_t gageSystemCode(const std::string& name) {
    return name == "metric" ? kMetricWire : name == "swg" ? kSwg : kAwg;
}

const char* gageSystemName(std::int8_t system) {
    return system == kMetricWire ? "mm" : system == kSwg ? "SWG" : "AWG";
}

// Whether a gage text holds only the characters of the analysis window's wire field (after a
// leading minus, which names the AWG gages below zero).
bool gageCharactersValid(const std::string& text, std::int8_t system) {
    const std::string t = trimmed(text);
    const std::string_view digits = !t.empty() && t[0] == '-' ? std::string_view(t).substr(1) : t;
    return holdsOnly(digits, wireFieldCharacters(kWireGageStandards[system].gageName));
}

// A gage as the analysis window reads it (readWireGage), or one of the AWG gages below zero
// written as a negative number (-1, -2, -3).
std::optional<float> parseGage(const std::string& text, std::int8_t system) {
    const std::string t = trimmed(text);
    if (!t.empty() && t[0] == '-') {
        const auto magnitude = readWireGage(t.substr(1), system);
        if (!magnitude || *magnitude <= 0) return std::nullopt;
        return -*magnitude;
    }
    return readWireGage(t, system);
}

nlohmann::ordered_json wireJson(const WireRow& w) {
    return {{"label", w.label},
            {"gage", shortestFloatValue(w.gage)},
            {"area", shortestFloatValue(w.area)},
            {"bareDia", shortestFloatValue(w.bareDia)},
            {"build", shortestFloatValue(w.build)},
            {"dia", shortestFloatValue(w.dia)},
            {"maxDia", shortestFloatValue(w.maxDia)},
            {"ohmsPerFoot", shortestFloatValue(w.ohmsPerFoot)},
            {"weightPerFoot", shortestFloatValue(w.weightPerFoot)}};
}

std::string csvHeader() {
    return "label,gage,size,area,bareDia,build,dia,maxDia,ohmsPerFoot,weightPerFoot\n";
}

std::string csvRow(std::int8_t system, const WireRow& w) {
    return w.label + "," + shortestFloatText(w.gage) + "," + wireTableSizeText(system, w.gage) +
           "," + shortestFloatText(w.area) + "," + shortestFloatText(w.bareDia) + "," +
           shortestFloatText(w.build) + "," + shortestFloatText(w.dia) + "," +
           shortestFloatText(w.maxDia) + "," + shortestFloatText(w.ohmsPerFoot) + "," +
           shortestFloatText(w.weightPerFoot) + "\n";
}

std::string tableHeader(std::int8_t system) {
    return strprintf("%6s %10s %9s %9s %9s %9s %12s %12s\n", gageSystemName(system), "AREA cmil",
                     "BARE in", "BUILD in", "DIA in", "MAX in", "OHMS/FT", "LBS/FT");
}

std::string tableRow(std::int8_t system, const WireRow& w) {
    return strprintf("%6s %10.1f %9.5f %9.5f %9.5f %9.5f %12.5g %12.5g\n",
                     wireTableSizeText(system, w.gage).c_str(), static_cast<double>(w.area),
                     static_cast<double>(w.bareDia), static_cast<double>(w.build),
                     static_cast<double>(w.dia), static_cast<double>(w.maxDia),
                     static_cast<double>(w.ohmsPerFoot), static_cast<double>(w.weightPerFoot));
}

void printWires(CliContext& context, const WireOptions& options, std::int8_t system,
                const std::vector<WireRow>& wires) {
    const OutputForm form = options.output.form();
    if (form == OutputForm::Json) {
        if (options.table) {
            auto list = nlohmann::ordered_json::array();
            for (const auto& w : wires)
                list.push_back(wireJson(w));
            context.out << list.dump(2) << '\n';
        } else {
            context.out << wireJson(wires.front()).dump(2) << '\n';
        }
    } else if (form == OutputForm::Csv) {
        context.out << csvHeader();
        for (const auto& w : wires)
            context.out << csvRow(system, w);
    } else {
        context.out << tableHeader(system);
        for (const auto& w : wires)
            context.out << tableRow(system, w);
    }
}

void runWire(CliContext& context, const WireOptions& options) {
    CliMessages messages(context.err);
    const std::int8_t system = gageSystemCode(options.system);
    std::vector<WireRow> wires;

    if (options.table) {
        if (!listWireTable(system, messages, wires)) {
            context.exitCode = kExitFailure;
            return;
        }
        printWires(context, options, system, wires);
        return;
    }

    DesignRecord record;
    if (options.gage) {
        if (!gageCharactersValid(*options.gage, system)) {
            context.err << invalidOptionText("--gage", *options.gage) << '\n';
            context.exitCode = kExitRefused;
            return;
        }
        const std::optional<float> gage = parseGage(*options.gage, system);
        if (!gage || wireTableLookup(record, system, kByGage, *gage) != 1) {
            messages.show("Invalid Wire Size", "DATA ENTRY ERROR");
            context.exitCode = kExitRefused;
            return;
        }
        if (!wireGageInRange(*gage)) {
            messages.show("WIRE GAGE is OUT OF RANGE", "ESSENTIAL DATA MISSING");
            context.exitCode = kExitRefused;
            return;
        }
    } else if (options.area) {
        if (wireTableLookup(record, system, kByArea, *options.area) != 1) {
            messages.show(strprintf("No %s wire has a copper area of %g circular mils or less",
                                    gageSystemName(system), static_cast<double>(*options.area)),
                          "DATA ENTRY ERROR");
            context.exitCode = kExitRefused;
            return;
        }
    } else if (wireTableLookup(record, system, kByMaxDiameter, *options.maxDiameter) != 1) {
        messages.show(strprintf("No %s wire has an insulated diameter of %g inch or less",
                                gageSystemName(system), static_cast<double>(*options.maxDiameter)),
                      "DATA ENTRY ERROR");
        context.exitCode = kExitRefused;
        return;
    }
    wires.push_back(currentWireRow(record));
    printWires(context, options, system, wires);
}

}  // namespace

void addWireCommand(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<WireOptions>();
    auto* command = app.add_subcommand(
        "wire",
        "One magnet wire by gage, copper area or largest insulated diameter, or every size");
    command->add_option("--gage-system", options->system, "Gage system: awg, swg or metric")
        ->check(CLI::IsMember({"awg", "swg", "metric"}))
        ->capture_default_str();
    auto* choice = command->add_option_group("selection", "What to look up (exactly one)");
    choice->add_option("--gage", options->gage,
                       "Gage number (AWG 00, 000, 0000 or -1..-3; metric: diameter in mm)");
    addNumberOption(*choice, "--area", options->area, "Largest copper area, circular mils");
    addNumberOption(*choice, "--max-diameter", options->maxDiameter,
                    "Largest insulated diameter, inches");
    choice->add_flag("--table", options->table, "Every size of the gage system");
    choice->require_option(1);
    addOutputOptions(*command, options->output, true);
    command->callback([&context, options] { runWire(context, *options); });
}

}  // namespace korvell::cli
