// Reading the texts of entry fields: the valid-character check and the numbers a field holds.
//
// A field is read the way "%f" and "%d" read it: leading blanks, an optional sign, the longest
// run of digits (with one point for a real number); whatever follows is ignored, so "12 5" and
// "1.2.3" read as 12 and 1.2. Unlike the C scanners these readers are defined for every text:
// - a field that holds no number at all (empty, blanks, a lone point or sign) reads as 0;
// - a real number beyond the single-precision range saturates at +-FLT_MAX, one too small for it
//   reads as 0 (or the nearest subnormal);
// - a count beyond the int32 range saturates at INT32_MAX (INT32_MIN when negative);
// - exponents, "inf", "nan" and hexadecimal forms are not numbers here (their letters never pass
//   a field's character check), so no field ever yields NaN or infinity;
// - the point is always '.', whatever the process locale says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/StoredNumbers.h"

namespace korvell {

// Captions of the entry windows' message boxes.
inline constexpr std::string_view kDataEntryErrorCaption = "DATA ENTRY ERROR";
inline constexpr std::string_view kParameterOutOfRangeCaption = "PARAMETER OUT OF RANGE ERROR";
inline constexpr std::string_view kProgramErrorCaption = "PROGRAM ERROR ";

// "INVALID CHARACTER in Parameter%2d.  %s ", filled with the field number (from 0) and its text.
std::string invalidCharacterMessage(int field, std::string_view text);

// The largest count (turns, strands, stacked cores) an entry accepts: 2^24, the largest whole
// number up to which single precision, in which the record keeps counts, holds every count.
inline constexpr std::int32_t kLargestCount = 16777216;

// The largest stack of cores and the most strands a winding is designed or analyzed with: far
// beyond any practical choke, and short of the stacks whose inductance index would ask for less
// than one turn.
inline constexpr std::int32_t kLargestStack = 100;
inline constexpr std::int32_t kLargestStrands = 10000;
// "STACKED CORES MUST NOT EXCEED 100, WIRE STRANDS 10000".
std::string stackAndStrandsLimitMessage();

// Where an entry check refused the texts: the field at fault (the window's own numbering), or
// -1 when the refusal is no one field's. It is set before the message is shown, so that the
// message's sink may name the field, and the window then puts the focus in it.
struct EntryFault {
    int field = -1;
};

// The range message of a value outside inclusive limits, "Parameter%2d. (%6.2f) Must Be In The
// Range: %6.2f To %6.2f", filled with the field number, the value and the limits; none within.
std::optional<std::string> rangeMessage(int field, float value, float min, float max);

// The ambient temperature's range message for a field (the design-parameter limits, -200 to
// 250 °C, which keep copper's resistance positive); none within the limits.
std::optional<std::string> ambientRangeMessage(int field, float temperature);

// The largest magnitudes the operating entries take, in the fields' own units. Beyond them no
// inductor wound on these cores exists, and the results would outgrow single precision (a loss
// of 1e35 W, a frequency shown cut to its first sixteen digits).
inline constexpr float kLargestInductanceUh = 1e6f;   // 1 H
inline constexpr float kLargestResistanceOhm = 1e4f;  // the DC resistance limit
inline constexpr float kLargestCurrentA = 1e4f;       // 10 kA
inline constexpr float kLargestVoltageV = 1e5f;       // 100 kV
inline constexpr float kLargestFrequency = 1e5f;      // 100 MHz in kHz; 100 kHz as a line in Hz

// The range message of a value beyond its largest magnitude (from 0 up to largest), for the
// caption "DATA ENTRY ERROR"; none within.
std::optional<std::string> magnitudeMessage(int field, float value, float largest);

// Valid characters of the entry fields.
inline constexpr std::string_view kUnsignedFieldChars = " .0123456789";
inline constexpr std::string_view kSignedFieldChars = " -.0123456789";
inline constexpr std::string_view kCountFieldChars = " 0123456789";

// True when every character of text is one of allowed (an empty text passes).
bool holdsOnly(std::string_view text, std::string_view allowed);

// The real number a field holds, as "%f" reads it, within the limits above.
float readFieldFloat(std::string_view text);

// The whole number a field holds, as "%d" reads it, saturating at the int32 limits.
std::int32_t readFieldCount(std::string_view text);

// A number given as text outside the windows (the command line) read as a field of the given
// character set reads it: none when the text holds a character outside the set or no number
// at all, so that "0x10", "1e2" and "1,5" are refused rather than read as 0 or 1.
std::optional<float> fieldNumber(std::string_view text, std::string_view allowed);
std::optional<std::int32_t> fieldCount(std::string_view text);

}  // namespace korvell
