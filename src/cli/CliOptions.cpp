#include "cli/CliOptions.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "cli/Cli.h"
#include "engine/EntryFields.h"
#include "engine/ParametersEntry.h"
#include "files/DesignFile.h"
#include "materials/Permeability.h"
#include "platform/FileAccess.h"
#include "platform/Format.h"

namespace korvell::cli {

const std::map<std::string, int> kApplicationOptionNames = {
    {"dc", kDcBiased},          {"controlled-swing", kControlledSwing},
    {"wide-swing", kWideSwing}, {"pfc", kPowerFactorBoost},
    {"powerline", kPowerline},  {"resonant", kResonant},
};
const std::map<std::string, int> kShapeOptionNames = {
    {"toroid", kToroid}, {"e-core", kECore}, {"composite", kComposite}};
const std::map<std::string, int> kWindingOptionNames = {{"full", kFullWindow},
                                                        {"single", kSingleLayer}};
const std::map<std::string, int> kGageSystemOptionNames = {
    {"metric", kMetricWire}, {"awg", kAwg}, {"swg", kSwg}};
const std::map<std::string, int> kUnitSystemOptionNames = {
    {"metric", 0}, {"english", 1}, {"mixed", 2}};
const std::map<std::string, int> kRiseLimitByOptionNames = {{"program", kRiseByProgram},
                                                            {"check", kRiseByCheck}};
const std::map<std::string, int> kDesignAtOptionNames = {{"nominal", kDesignAtNominal},
                                                         {"worst-case", kDesignAtWorstCase}};

CLI::Option* addChoice(CLI::App& command, const std::string& name, std::optional<int>& value,
                       const std::map<std::string, int>& names, const std::string& description) {
    std::string choices;
    for (const auto& [key, number] : names)
        choices += (choices.empty() ? "" : "|") + key;
    return command
        .add_option_function<std::string>(
            name,
            [&value, &names](const std::string& text) {
                std::string lower;
                for (char c : text)
                    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                const auto it = names.find(lower);
                if (it == names.end()) throw CLI::ValidationError("unknown choice: " + text);
                value = it->second;
            },
            description + " (" + choices + ")")
        ->type_name("NAME");
}

std::string invalidOptionText(const std::string& name, const std::string& text) {
    return "DATA ENTRY ERROR: INVALID CHARACTER in " + name + ".  " + text + " ";
}

CLI::Option* addNumberOption(CLI::App& command, const std::string& name,
                             std::optional<float>& value, const std::string& description) {
    return command
        .add_option_function<std::string>(
            name,
            [&value, name](const std::string& text) {
                const std::optional<float> number = fieldNumber(text, kUnsignedFieldChars);
                if (!number) throw CLI::ValidationError(invalidOptionText(name, text));
                if (*number >= FLT_MAX) {
                    throw CLI::ValidationError("DATA ENTRY ERROR: " + name +
                                               " BEYOND THE RANGE OF THE PROGRAM: " + text);
                }
                value = *number;
            },
            description)
        ->type_name("NUMBER");
}

CLI::Option* addCountOption(CLI::App& command, const std::string& name, int& value,
                            const std::string& description) {
    return command
        .add_option_function<std::string>(
            name,
            [&value, name](const std::string& text) {
                const std::optional<std::int32_t> count = fieldCount(text);
                if (!count) throw CLI::ValidationError(invalidOptionText(name, text));
                value = *count;
            },
            description)
        ->type_name("INT");
}

void addParameterOptions(CLI::App& c, ParameterOptions& o) {
    c.add_option("--max-temp-rise", o.maxTempRise, "Maximum temperature rise, deg C");
    auto* area =
        c.add_option("--copper-area", o.copperArea, "Minimum copper area, cmil per ampere");
    auto* density = c.add_option("--current-density", o.currentDensity,
                                 "Maximum current density, A/cm2 (same limit as --copper-area)");
    area->excludes(density);
    c.add_option("--fill", o.fill, "Maximum window fill, percent");
    c.add_option("--min-perm", o.minPerm, "Minimum percent permeability under DC bias");
    c.add_option("--resistivity", o.resistivity, "Wire resistivity adjust factor");
    c.add_option("--temp-rise-factor", o.tempRiseFactor,
                 "Temperature rise factor, deg C per mW/cm2");
    c.add_option("--temp-rise-exponent", o.tempRiseExponent, "Temperature rise exponent");
    c.add_option("--lead-length", o.leadLength, "Lead length allowance, inches each lead");
    addChoice(c, "--gage-system", o.gageSystem, kGageSystemOptionNames, "Wire gage system");
    addChoice(c, "--units", o.unitSystem, kUnitSystemOptionNames, "Display units");
    addChoice(c, "--rise-by", o.riseLimitBy, kRiseLimitByOptionNames,
              "Temperature rise judged by the program's rule or by the second opinion's check");
    c.add_option("--al-tolerance", o.alTolerance, "Al tolerance of the cores, +- percent (0-30)");
    addChoice(c, "--design-at", o.designAt, kDesignAtOptionNames,
              "Solve the turns at the nominal Al or at the low end of its tolerance");
}

bool applyParameterOptions(DesignRecord& r, CliMessages& messages, const ParameterOptions& o,
                           const std::optional<std::string>& ambient) {
    const int gageSystem = o.gageSystem.value_or(r.wireGageSystem);
    const int unitSystem = o.unitSystem.value_or(r.unitSystem);
    // The window shows row 1 in the form of the chosen gage standard.
    r.wireGageSystem = static_cast<std::int8_t>(gageSystem);
    DesignParameterTexts t = designParameterFieldTexts(r);
    const auto put = [&t](int k, const std::optional<std::string>& text) {
        if (text) t[k] = *text;
    };
    put(0, o.maxTempRise);
    // Row 1 is shown as a current density under the metric standard, as a copper area otherwise;
    // a number typed in the other form is converted (other text is left for the check to refuse).
    const auto converted = [](const std::string& text) {
        const float x = readFieldFloat(text);
        if (!holdsOnly(text, kUnsignedFieldChars) || !(x > 0)) return text;
        return strprintf("%.6f", kCopperAreaDensityProduct / x);
    };
    if (gageSystem == kMetricWire) {
        put(1, o.currentDensity);
        if (o.copperArea) t[1] = converted(*o.copperArea);
    } else {
        put(1, o.copperArea);
        if (o.currentDensity) t[1] = converted(*o.currentDensity);
    }
    put(2, o.fill);
    put(3, o.minPerm);
    put(4, o.resistivity);
    put(5, o.tempRiseFactor);
    put(6, o.tempRiseExponent);
    put(7, o.leadLength);
    put(8, ambient);
    // The choices are checked before the parameters store anything, as in the window.
    DesignChoiceEntry entry = designChoiceEntry(r);
    entry.riseLimitBy = o.riseLimitBy.value_or(entry.riseLimitBy);
    entry.alTolerance = o.alTolerance.value_or(entry.alTolerance);
    entry.designAt = o.designAt.value_or(entry.designAt);
    const std::optional<DesignChoices> choices = checkDesignChoices(messages, entry);
    if (!choices || !acceptDesignParameters(r, messages, t, unitSystem, gageSystem)) return false;
    storeDesignChoices(r, *choices);
    return true;
}

void writeOutput(CliContext& context, const std::optional<std::string>& output,
                 const std::string& text) {
    if (!output) {
        context.out << text;
        return;
    }
    if (const auto failure = writeFileAtomically(*output, text)) {
        context.err << "ERROR: " << *failure << '\n';
        context.exitCode = kExitFailure;
    }
}

void refuseInput(CliContext& context, const std::string& text) {
    context.err << "ERROR: " << text << '\n';
    context.exitCode = kExitRefused;
}

void addInputOption(CLI::App& command, std::optional<std::string>& input) {
    command.add_option("--input", input,
                       "Design file (*.korvell.json) to start from; options given as well "
                       "override it");
}

bool readInputFile(const std::string& path, DesignRecord& record, CliMessages& messages) {
    if (const auto refusal = openDesignFile(path, record)) {
        messages.show(*refusal, kDesignFileCaption);
        return false;
    }
    return true;
}

bool acceptGraphMaterial(CliContext& context, CliMessages& messages, const std::string& material) {
    if (material.empty() || initialPermeability(material)) return true;
    messages.show(strprintf("UNRECOGNIZED MATERIAL %s", material.c_str()), "DATA ENTRY ERROR");
    context.exitCode = kExitRefused;
    return false;
}

std::optional<double> jsonNumberValue(float value) {
    if (!std::isfinite(value)) return std::nullopt;
    // The number "%.7g" prints, read back as a double.
    const std::string text = generalText(static_cast<double>(value), 7);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

nlohmann::json jsonNumber(float value) {
    const std::optional<double> number = jsonNumberValue(value);
    if (!number) return nullptr;
    return *number;
}

}  // namespace korvell::cli
