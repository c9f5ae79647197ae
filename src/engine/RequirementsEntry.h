// Entry checks of the requirements window (TReqtForm1): the captions of its rows per application,
// the texts it shows on activation, what leaving a field computes (average voltage, ripple current,
// resonant frequency), what its OK accepts and stores, and whether the active requirements are
// complete enough for the main window's CALCULATE. The window and the command line both call
// these, so both refuse the same input with the same words.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/EntryFields.h"
#include "platform/Messages.h"
#include "record/DesignRecord.h"

namespace korvell {

// Fields Param0..Param10: inductance at max current (µH), max DC resistance (ohm), max or peak
// current (A), inductance at min current (µH), min current (A), ON / peak voltage (V), OFF / DC
// output voltage (V), frequency (kHz; Hz for powerline), ambient temperature (°C), stacked cores,
// wire strands.
constexpr int kRequirementFieldCount = 11;
constexpr int kRequirementSummaryRows = 9;
using RequirementTexts = std::array<std::string, kRequirementFieldCount>;

// Caption widths of a requirements summary row.
constexpr std::size_t kSummaryLabelWidth = 32;
constexpr std::size_t kSummaryValueWidth = 16;
constexpr std::size_t kSummaryUnitsWidth = 32;

// One row of the window: label caption, units caption (empty for the two count rows), and
// whether the row (label, field and units) is shown for the application.
struct RequirementRowCaptions {
    std::string_view label;
    std::string_view units;
    bool visible;
};

// [application][row]; hidden rows keep the caption the window's design gives them.
extern const std::array<std::array<RequirementRowCaptions, kRequirementFieldCount>,
                        kApplicationCount>
    kRequirementRowCaptions;

// Captions of a row (0..10) for an application (0..5); outside those, empty and hidden.
RequirementRowCaptions requirementRowCaptions(int application, int row);

// The core shape and winding type that the application imposes, applied when the requirements
// window comes forward. The wide swing inductor is wound on composite cores only: while it is the
// application the shape is composite, and the shape in use before is kept in savedShape and
// comes back when another application is shown. The resonant inductor starts single layer when
// its application is entered (the winding in use before is kept in savedWindingMode and comes
// back when the application is left); its winding list stays open to the user. lastApplication
// becomes the application.
void applyApplicationSelections(DesignRecord& record);

// The eleven texts activation shows for the record's application: fields 0-7 "%6.2f" (0 and 3
// in µH), field 8 "%6.1f", fields 9 and 10 "%4d". Eleven empty texts for an unknown application.
RequirementTexts requirementFieldTexts(const DesignRecord& record);

// Average voltage across a switch-mode inductor, V: 2 Von Voff / (Von + Voff) when both are
// positive, else 0.
double averageVoltage(double onVoltage, double offVoltage);

// Peak-to-peak ripple current, A: avgVoltage / f[kHz] / L[µH] × 1000 × 0.5, at most the current;
// none unless L, I and f are positive and the average voltage is not negative.
std::optional<double> rippleCurrentPp(double avgVoltage, double inductanceUh, double current,
                                      double frequencyKhz);

// Resonant frequency, kHz, at which L[µH] carries Ipk at Vpk: 1000 / (2 × 3.14159) / L × Vpk /
// Ipk; none unless L and Ipk are positive and Vpk is not negative (a minus left in a field while
// typing never makes a negative frequency).
std::optional<double> resonantFrequencyKhz(double inductanceUh, double peakCurrent,
                                           double peakVoltage);

// Sets avgVoltage from fields 5 and 6 and, when L × I × f > 0, rippleCurrent from fields 0, 2, 7;
// otherwise rippleCurrent keeps its value.
// True when the texts gave a ripple.
bool updateRipple(DesignRecord& record, const RequirementTexts& texts);

// "RIPPLE CURRENT:  %6.3f AMPERES  p-p".
std::string rippleCurrentText(float rippleCurrent);

// Resonant application only: sets frequencyKhz from fields 0, 2, 5 and returns it "%4.1f";
// none (record unchanged) for other applications or when no frequency is derived.
std::optional<std::string> updateResonantFrequency(DesignRecord& record,
                                                   const RequirementTexts& texts);

// What leaving one of fields 0-8 does: the ripple, then for the resonant application the
// frequency, whose text replaces field 7. Returns the ripple label text, empty for the powerline
// choke and when the texts give no ripple. A PFC choke's ripple is the largest over the line cycle
// (pfcRipplePeakToPeak).
std::string leaveRequirementField(DesignRecord& record, RequirementTexts& texts);

// The OK: checks the texts, stores them into the application's rows and the active
// requirements, fills the requirements summary, loads the active design parameters and resets
// designCount and selectedDesign. True when the caller should run the design search. A refusal
// shows exactly one message:
// - a field with a character outside its set: "INVALID CHARACTER in Parameter%2d.  %s ", nothing
//   stored;
// - stacked cores × strands below 1, or either count above kLargestCount ("ERROR: STACKED CORES
//   and WIRE STRANDS MUST NOT EXCEED 16777216"): the counts are not stored, fields 0-8 are;
// - a failing range check (only the last failing one is reported): fields 0-10 and the active
//   requirements of the application are stored, except an ambient temperature outside the
//   design-parameter limits, which is not.
// `fault`, when given, names the field at fault of a refusal (-1 for none).
bool acceptRequirements(DesignRecord& record, Messages& messages, const RequirementTexts& texts,
                        EntryFault* fault = nullptr);

// CALCULATE may run the search: the application's peak current at least 1e-6 A, the inductance at
// least 0.0001 mH, and for the swing applications the min-current inductance at least 0.0001 mH
// and above the max-current inductance, the min current at least 1e-6 A and below the max current.
bool requirementsComplete(const DesignRecord& record);

}  // namespace korvell
