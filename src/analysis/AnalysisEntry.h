// Entry checks of the analysis window: the ten field texts it loads from a stored design and the
// requirements, the check of a typed part number, and what its OK accepts and stores before the
// analysis runs. The window and the command line both call these, so both refuse the same input
// with the same words.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/EntryFields.h"
#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Fields Param_0..Param_9: core part number, number in stack, wire gage, turns, current (DC bias,
// AC rms or peak), voltage 1 (peak inductor, PFC peak input or resonant peak), voltage 2 (DC
// output or PFC regulator output), frequency (kHz; Hz for powerline), ambient temperature (°C),
// strands.
constexpr int kAnalysisFieldCount = 10;
enum AnalysisField : int {
    kPartNumberField = 0,
    kStackField = 1,
    kWireField = 2,
    kTurnsField = 3,
    kCurrentField = 4,
    kVoltage1Field = 5,
    kVoltage2Field = 6,
    kFrequencyField = 7,
    kAmbientField = 8,
    kStrandsField = 9,
};
using AnalysisTexts = std::array<std::string, kAnalysisFieldCount>;

// Whether a field is shown (and checked) for an application: the powerline analysis has no
// voltage fields, the resonant analysis no second voltage.
bool analysisFieldShown(int application, int field);

// The analysis window's header: the application's name followed by " ANALYSIS".
std::string analysisHeader(int application);

// Captions of the rows that change with the application: the current row's label (Label4) and
// units (Label14), the labels of the two voltage rows (Label5, Label6) and the frequency units
// (Label17). An empty caption belongs to a hidden row, whose label keeps the text it had.
struct AnalysisCaptions {
    std::string_view current;
    std::string_view currentUnits;
    std::string_view voltage1;
    std::string_view voltage2;
    std::string_view frequencyUnits;
};
AnalysisCaptions analysisCaptions(int application);

// A part number as a results row holds it: a stacked design is the part number, a blank, "x"
// and the count ("T106-21 x2"). The part number before the blank, and the count when there is
// an "x" (either case) after the blank.
struct StackedPartNumber {
    std::string partNumber;
    std::optional<int> stack;
};
StackedPartNumber splitStackedPartNumber(std::string_view text);

// Fills the texts from results row selectedDesign (part number, stack count from a stacked part
// number, strands, turns, wire text with the gage name) and from the requirements of the
// record's application; operating fields of other applications keep their texts.
void loadAnalysisInputs(const DesignRecord& record, AnalysisTexts& texts);
// The same from a results row given (a design of the design space).
void loadAnalysisInputsOf(const DesignRecord& record, const DesignResult& design,
                          AnalysisTexts& texts);

// The fields show the operating conditions rounded ("%6.2f", the frequency "%6.1f" and the
// ambient "%6.1f"); a design loaded from a results row is analyzed at the values its search
// used. The exact values of the record the fields were loaded from:
struct ExactOperatingPoint {
    float current = 0, voltage1 = 0, voltage2 = 0, frequency = 0, ambient = 0;
};
ExactOperatingPoint exactOperatingPoint(const DesignRecord& record);
// After acceptAnalysisInputs of `accepted`: each operating field (and the ambient) whose text is
// still the one loaded (`loaded`) takes back its exact value.
void keepExactLoadedValues(DesignRecord& record, const ExactOperatingPoint& exact,
                           const AnalysisTexts& loaded, const AnalysisTexts& accepted);

// A core chosen from the catalog replaces the loaded one: its part number (the text before any
// blank, so a stacked form names its core) with one core in the stack; the wire, turns and
// operating texts stay as loaded.
void takeCatalogPart(AnalysisTexts& texts, std::string_view partNumber);

// The operating conditions of the requirements as the analysis window found them, so that closing
// it puts them back: the ten currents, voltages and frequencies as texts ("%6.2f", the kHz
// frequency "%6.1f"), read back with only the decimals those hold; and, exactly, the search inputs
// that an analysis overwrites and the next search does not derive again (stacked cores, strands,
// average voltage, PFC voltage ratio, ripple current).
struct OperatingSnapshot {
    std::array<std::string, 10> texts;
    std::array<float, 10> values{};  // the same, exactly, as they come back
    std::int32_t stackedCores = 1;
    std::int32_t wireStrands = 1;
    float avgVoltage = 0;
    float pfcVoltageRatio = 0;
    float rippleCurrent = 0;
};
OperatingSnapshot takeOperatingSnapshot(const DesignRecord& record);
void restoreOperatingSnapshot(DesignRecord& record, const OperatingSnapshot& snapshot);

// The part number as typed: upper-cased; the message text "INVALID CHARACTER %1s" (from the
// first character outside the letters, digits, dash and slash of catalog part numbers) when it
// holds one, for the caption "ERROR".
struct TypedPartNumber {
    std::string text;
    std::optional<std::string> error;
};
TypedPartNumber checkTypedPartNumber(std::string_view text);

// The characters a wire gage field takes: blanks, '#', the point, digits and the letters of the
// gage system's name (gageName, e.g. "AWG").
std::string wireFieldCharacters(std::string_view gageName);

// The OK, before the analysis runs: character checks, the wire gage (its text is rewritten from
// the size found), the part-number syntax, the part number in the catalog ("Core P/N %s not found
// in %d lines", caption "ERROR "), the essential data, then the limits every entry path shares:
// turns, strands and stack at most kLargestCount, the ambient temperature within the design
// parameter limits. True when every check passes; then the part number, counts, wire gage (and
// the current wire), operating fields and ambient temperature are stored into the record. A
// refusal shows one message and changes nothing in the record.
// `fault`, when given, names the field at fault of a refusal (-1 for none).
bool acceptAnalysisInputs(DesignRecord& record, Messages& messages, AnalysisTexts& texts,
                          EntryFault* fault = nullptr);

}  // namespace korvell
