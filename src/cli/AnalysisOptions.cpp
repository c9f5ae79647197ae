#include "cli/AnalysisOptions.h"

#include "engine/EntryFields.h"
#include "platform/Format.h"
#include "record/StoredNumbers.h"

namespace korvell::cli {
namespace {

const std::vector<FieldOption<AnalysisOptions>>& fieldOptions() {
    static const std::vector<FieldOption<AnalysisOptions>> options = {
        {1, "--stack", &AnalysisOptions::stack, {0, 1, 2, 3, 4, 5}, "Number of cores in the stack"},
        {2,
         "--wire",
         &AnalysisOptions::wire,
         {0, 1, 2, 3, 4, 5},
         "Wire gage as typed, e.g. #18, 0000, 0.50"},
        {3, "--turns", &AnalysisOptions::turns, {0, 1, 2, 3, 4, 5}, "Number of turns"},
        {4,
         "--current",
         &AnalysisOptions::current,
         {0, 1, 2, 3, 4, 5},
         "DC bias current, A (AC rms for powerline, peak for resonant)"},
        {5, "--von", &AnalysisOptions::von, {0, 1, 2}, "Peak inductor voltage, V"},
        {5, "--vin-peak", &AnalysisOptions::vinPeak, {3}, "Peak regulator input voltage, V"},
        {5, "--vpeak", &AnalysisOptions::vpeak, {5}, "Peak voltage, V"},
        {6, "--voff", &AnalysisOptions::voff, {0, 1, 2}, "DC output voltage, V"},
        {6, "--vout", &AnalysisOptions::vout, {3}, "Regulator DC output voltage, V"},
        {7,
         "--frequency",
         &AnalysisOptions::frequency,
         {0, 1, 2, 3, 4, 5},
         "Frequency, kHz (line frequency in Hz for powerline)"},
        {8,
         "--ambient",
         &AnalysisOptions::ambient,
         {0, 1, 2, 3, 4, 5},
         "Ambient temperature, deg C"},
        {9, "--strands", &AnalysisOptions::strands, {0, 1, 2, 3, 4, 5}, "Wire strands"},
    };
    return options;
}

}  // namespace

void addAnalysisOptions(CLI::App& c, AnalysisOptions& o) {
    addChoice(c, "--app", o.app, kApplicationOptionNames, "Application type");
    c.add_option("--part", o.part,
                 "Core part number, e.g. T80-21; a stack as a results row writes it, T80-21 x2");
    addFieldOptions(c, fieldOptions(), o);
    addChoice(c, "--winding", o.winding, kWindingOptionNames, "Winding type");
    addParameterOptions(c, o.parameters);
    addInputOption(c, o.input);
}

void addYieldRequirementOptions(CLI::App& c, AnalysisOptions& o) {
    addNumberOption(c, "--inductance", o.inductance,
                    "Yield: inductance required at the current, uH (0 none)");
    addNumberOption(c, "--inductance-min", o.inductanceMin,
                    "Yield: inductance required at the minimum current, uH (swing, powerline)");
    addNumberOption(c, "--min-current", o.minCurrent,
                    "Yield: minimum current, A (swing; AC rms for powerline)");
    addNumberOption(c, "--max-rdc", o.maxRdc, "Yield: maximum DC resistance, ohm (0 none)");
}

namespace {

// The requirements given for the yield, into the active requirements.
void applyYieldRequirements(const AnalysisOptions& o, DesignRecord& r) {
    constexpr double kMhPerUh = 0.001;
    if (o.inductance) r.inductanceRequired = toStoredFloat(*o.inductance * kMhPerUh);
    if (o.inductanceMin) r.inductanceAtMinCurrent = toStoredFloat(*o.inductanceMin * kMhPerUh);
    if (o.minCurrent)
        (r.applicationType == kPowerline ? r.acCurrentMin : r.minCurrent) = *o.minCurrent;
    if (o.maxRdc) r.maxDcResistance = *o.maxRdc;
}

}  // namespace

bool analyzeFromOptions(const AnalysisOptions& o, CliContext& context, CliMessages& messages,
                        DesignRecord& r, AnalysisTable& table, AnalysisTexts& texts) {
    const auto refused = [&context] {
        context.exitCode = kExitRefused;
        return false;
    };
    if (o.input && !readInputFile(*o.input, r, messages)) return refused();
    if (!o.part && !o.input) {
        refuseInput(context, "--part is required (or --input with a design file of a search)");
        return false;
    }
    r.applicationType = static_cast<std::int8_t>(o.app.value_or(r.applicationType));
    const int app = r.applicationType;
    if (!fieldOptionsApply(context, fieldOptions(), o, app)) return false;
    applyYieldRequirements(o, r);
    const int winding = o.input            ? int{r.windingMode}
                        : app == kResonant ? int{kSingleLayer}
                                           : int{kFullWindow};
    r.windingMode = static_cast<std::int8_t>(o.winding.value_or(winding));
    if (!applyParameterOptions(r, messages, o.parameters, std::nullopt)) return refused();

    // Without --part, --wire and --turns the design is the design file's highlighted one; a
    // file whose search stored none has nothing to analyze.
    const bool noStoredDesign = r.selectedDesign < 0 || r.selectedDesign >= r.designCount;
    if (o.input && noStoredDesign && (!o.part || !o.wire || !o.turns)) {
        refuseInput(context,
                    "THE DESIGN FILE HOLDS NO DESIGN OF A SEARCH: GIVE --part, --wire "
                    "AND --turns");
        return false;
    }
    loadAnalysisInputs(r, texts);
    const AnalysisTexts loaded = texts;
    const ExactOperatingPoint exact = exactOperatingPoint(r);
    // A part number as a results row writes it ("T106-21 x2") carries the stack count; without
    // one the saved design's part number stands.
    const StackedPartNumber part = splitStackedPartNumber(o.part.value_or(texts[0]));
    if (part.stack) {
        if (o.stack && readFieldCount(*o.stack) != *part.stack) {
            refuseInput(context, "--part names a stack of " + std::to_string(*part.stack) +
                                     " cores, --stack " + *o.stack);
            return false;
        }
        texts[1] = std::to_string(*part.stack);
    }
    const TypedPartNumber typed = checkTypedPartNumber(part.partNumber);
    if (typed.error) {
        messages.show(*typed.error, "ERROR");
        return refused();
    }
    texts[0] = typed.text;
    putFieldTexts(fieldOptions(), o, texts);
    if (!acceptAnalysisInputs(r, messages, texts)) return refused();
    // A design of a design file is analyzed at the values its search used, where no option
    // gave another.
    keepExactLoadedValues(r, exact, loaded, texts);
    // A frequency not given is no frequency of 0: the analysis at DC is asked for as
    // --frequency 0, never fallen into.
    if (!o.frequency && !(readFieldFloat(texts[7]) > 0)) {
        refuseInput(context, app == kPowerline
                                 ? "FREQUENCY MISSING: GIVE THE LINE FREQUENCY, --frequency HZ"
                                 : "FREQUENCY MISSING: GIVE --frequency KHZ (0 ANALYZES AT DC)");
        return false;
    }
    const std::size_t shownBefore = messages.messages().size();
    if (AnalyzeDesign(r, messages, table, r.applicationType) <= 0) {
        // A refusal always says why.
        if (messages.messages().size() == shownBefore) {
            messages.show(
                strprintf("ANALYSIS OF CORE P/N %s NOT COMPLETED", r.corePartNumber.c_str()),
                "PROGRAM ERROR ");
        }
        return refused();
    }
    return true;
}

}  // namespace korvell::cli
