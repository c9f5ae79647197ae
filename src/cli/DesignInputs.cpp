#include "cli/DesignInputs.h"

#include <algorithm>

#include "engine/EntryFields.h"
#include "engine/RequirementsEntry.h"
#include "platform/Format.h"

namespace korvell::cli {
namespace {

// Requirement fields and the options that fill them, with the applications that show them.
const std::vector<FieldOption<DesignInputOptions>>& requirementOptions() {
    using O = DesignInputOptions;
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

}  // namespace

void addDesignInputOptions(CLI::App& command, DesignInputOptions& o) {
    CLI::App* c = &command;
    addChoice(*c, "--app", o.app, kApplicationOptionNames, "Application type");
    addChoice(*c, "--shape", o.shape, kShapeOptionNames, "Core shape");
    addChoice(*c, "--winding", o.winding, kWindingOptionNames, "Winding type");
    addFieldOptions(*c, requirementOptions(), o);
    c->add_option("--materials", o.materials, "Materials the search may use, e.g. -21,-36")
        ->delimiter(',')
        ->allow_extra_args(false);
    addParameterOptions(*c, o.parameters);
    addInputOption(*c, o.input);
}

std::string derivedFrequencyNote(const std::optional<std::string>& derivedFrequency) {
    if (!derivedFrequency) return "";
    return "FREQUENCY " + trimmed(*derivedFrequency) +
           " kHz DERIVED FROM THE INDUCTANCE, PEAK CURRENT AND PEAK VOLTAGE";
}

bool acceptDesignInputs(const DesignInputOptions& o, CliContext& context, CliMessages& messages,
                        DesignRecord& r, std::optional<std::string>& derivedFrequency) {
    if (o.input && !readInputFile(*o.input, r, messages)) {
        context.exitCode = kExitRefused;
        return false;
    }
    r.applicationType = static_cast<std::int8_t>(o.app.value_or(r.applicationType));
    const int app = r.applicationType;

    if (!fieldOptionsApply(context, requirementOptions(), o, app)) return false;
    if (app == kWideSwing && o.shape && *o.shape != kComposite) {
        refuseInput(context, "the wide swing inductor is designed on composite cores only");
        return false;
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
                std::string known;
                for (const auto selectable : kSelectableMaterials)
                    known += (known.empty() ? "" : ", ") + std::string(selectable);
                refuseInput(context,
                            "unknown material " + code + "; the selectable materials are " + known);
                return false;
            }
            r.selectedMaterials[static_cast<std::size_t>(it - kSelectableMaterials.begin())] = code;
        }
    }

    if (!applyParameterOptions(r, messages, o.parameters, o.ambient)) {
        context.exitCode = kExitRefused;
        return false;
    }

    RequirementTexts texts = requirementFieldTexts(r);
    putFieldTexts(requirementOptions(), o, texts);
    // The resonant frequency follows from the inductance, peak current and peak voltage when
    // none is given, or 0, as the requirements window derives it.
    if (app == kResonant && (!o.frequency || !(readFieldFloat(texts[7]) > 0))) {
        derivedFrequency = updateResonantFrequency(r, texts);
        if (derivedFrequency) texts[7] = *derivedFrequency;
    }
    if (!acceptRequirements(r, messages, texts)) {
        context.exitCode = kExitRefused;
        return false;
    }
    return true;
}

}  // namespace korvell::cli
