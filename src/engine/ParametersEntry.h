// Entry checks of the design parameters window (TParamsForm): the texts it shows on activation,
// the switch of row 1 between copper area and current density when the wire gage standard
// changes, what its OK accepts and stores, and the display-unit and gage-name tables it applies.
// The window and the command line both call these, so both refuse the same input with the same
// words. Also the loading of the active design parameters that every design search starts from.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/EntryFields.h"
#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Texts t0..t8 of the window: max temperature rise (°C), copper area (cmil/A; current density in
// A/cm² under the metric gage standard), window fill (%), min % permeability, resistivity
// factor, temperature rise factor, temperature rise exponent, lead length (in, each lead),
// ambient temperature (°C).
constexpr int kDesignParameterFieldCount = 9;
using DesignParameterTexts = std::array<std::string, kDesignParameterFieldCount>;

// Current density [A/cm²] = kCopperAreaDensityProduct / copper area [cmil/A] (1 cm² ≈ 197 400
// circular mils); the relation is its own inverse.
inline constexpr double kCopperAreaDensityProduct = 197400.0;

// Label and units captions of a parameter row.
struct DesignParameterRowCaptions {
    std::string_view label;
    std::string_view units;
};
extern const std::array<DesignParameterRowCaptions, kDesignParameterFieldCount>
    kDesignParameterRowCaptions;
// Row 1 in its metric form (Param1A).
extern const DesignParameterRowCaptions kCurrentDensityRowCaptions;

// Display units by unitSystem (0 METRIC, 1 ENGLISH, 2 MIXED ENGLISH): the choice shown in the
// units list, and the names and factors from inches, feet and pounds to the display units.
struct DisplayUnits {
    std::string_view choice;
    std::string_view lengthUnitName;
    float lengthFactor;
    std::string_view longLengthUnitName;
    float longLengthFactor;
    std::string_view weightUnitName;
    float weightFactor;
};
extern const std::array<DisplayUnits, 3> kDisplayUnits;

// Wire gage standards by wireGageSystem (0 metric, 1 AWG, 2 SWG): list choice and gage name.
struct WireGageStandard {
    std::string_view choice;
    std::string_view gageName;
};
extern const std::array<WireGageStandard, 3> kWireGageStandards;

// Copies the record's application row of designParamsByApplication into the active design
// parameters: as is, except maxFillFactor = column 2 × 0.01 and leadLengthTotal = column 7 × 2.
// An unknown application changes nothing.
void loadActiveDesignParameters(DesignRecord& record);

// The nine texts activation shows for the record's application: "%6.2f", t1 as 197400 / copper
// area under the metric standard (0.00 for a copper area that is not positive), t6 "%6.4f".
// Nine empty texts for an unknown application.
DesignParameterTexts designParameterFieldTexts(const DesignRecord& record);

// The row-1 text of the newly shown field when the gage standard changes from oldSystem to
// newSystem: between an AWG/SWG and the metric standard 197400 / x "%6.2f" of the number x in
// the shown field (0.00 when x is not positive); none when the form of row 1 does not change
// (AWG to SWG, or no change).
std::optional<std::string> row1TextAfterGageChange(int oldSystem, int newSystem,
                                                   std::string_view shownRow1Text);

// Sets unitSystem and wireGageSystem and the unit names, factors and wireGageName from the
// tables above. False (record unchanged) when either index is not 0..2.
bool applyDisplayUnits(DesignRecord& record, int unitSystem, int wireGageSystem);

// The OK. texts as the window reads them: t1 is the current density when wireGageSystem (the
// selected standard) is metric. True when accepted: the application's row, the active design
// parameters, both systems and the unit settings are stored. A refusal shows exactly one message:
// - a character outside a field's set: "INVALID CHARACTER in Parameter%2d.  %s " (from 0),
//   nothing stored;
// - a value outside its limits: "Parameter%2d. (%6.2f) Must Be In The Range: %6.2f To %6.2f"
//   (from 1); the fields before it are stored into the application's row (row 1 always as a
//   copper area), nothing else.
bool acceptDesignParameters(DesignRecord& record, Messages& messages,
                            const DesignParameterTexts& texts, int unitSystem, int wireGageSystem,
                            EntryFault* fault = nullptr);

// The design choices beside the nine fields: RISE LIMIT BY and DESIGN AT as the indices of their
// lists, AL TOLERANCE (percent) as the text of its field, Param9.
struct DesignChoiceEntry {
    int riseLimitBy = kRiseByProgram;
    std::string alTolerance;
    int designAt = kDesignAtNominal;
};
inline constexpr int kAlToleranceField = 9;
// The lists' choices, by index, and the option words of the command line.
extern const std::array<std::string_view, 2> kRiseLimitByChoices;  // "PROGRAM", "CHECK"
extern const std::array<std::string_view, 2> kDesignAtChoices;     // "NOMINAL", "WORST CASE"

// The choices of the record's application as the window shows them (AL TOLERANCE "%6.2f").
DesignChoiceEntry designChoiceEntry(const DesignRecord& record);

// Checks the choices as the window's OK does, before anything is stored: AL TOLERANCE's
// characters as parameter 9 and its range, 0 to 30, as parameter 10, with the parameters' own
// messages; a list index outside its list as an unknown selection. The choices, or none after
// the one message.
// With `fault`, a refused AL TOLERANCE sets its field to kAlToleranceField.
std::optional<DesignChoices> checkDesignChoices(Messages& messages, const DesignChoiceEntry& entry,
                                                EntryFault* fault = nullptr);

// Stores checked choices into the application's row and makes them the active choices.
void storeDesignChoices(DesignRecord& record, const DesignChoices& choices);

}  // namespace korvell
