#include "engine/EntryFields.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/Format.h"
#include "record/DesignRecord.h"

namespace korvell {
namespace {

// The number at the start of a field: sign and digit runs, as the C scanners find them.
struct NumberText {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool found() const { return !integerDigits.empty() || !fractionDigits.empty(); }
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view digitRun(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return text.substr(start, i - start);
}

NumberText scanNumber(std::string_view text, bool withFraction) {
    NumberText number;
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    number.integerDigits = digitRun(text, i);
    if (withFraction && i < text.size() && text[i] == '.') {
        ++i;
        number.fractionDigits = digitRun(text, i);
    }
    return number;
}

}  // namespace

std::string stackAndStrandsLimitMessage() {
    return strprintf("STACKED CORES MUST NOT EXCEED %d, WIRE STRANDS %d", kLargestStack,
                     kLargestStrands);
}

std::string invalidCharacterMessage(int field, std::string_view text) {
    return strprintf("INVALID CHARACTER in Parameter%2d.  %s ", field, std::string(text).c_str());
}

std::optional<std::string> rangeMessage(int field, float value, float min, float max) {
    if (value >= min && value <= max) return std::nullopt;
    return strprintf("Parameter%2d. (%6.2f) Must Be In The Range: %6.2f To %6.2f", field,
                     static_cast<double>(value), static_cast<double>(min),
                     static_cast<double>(max));
}

std::optional<std::string> ambientRangeMessage(int field, float temperature) {
    constexpr int kAmbientColumn = 8;
    const ParamLimit limit = kDesignParamLimits[kAmbientColumn];
    return rangeMessage(field, temperature, limit.min, limit.max);
}

std::optional<std::string> magnitudeMessage(int field, float value, float largest) {
    return rangeMessage(field, value, 0.0f, largest);
}

bool holdsOnly(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

float readFieldFloat(std::string_view text) {
    const NumberText number = scanNumber(text, true);
    if (!number.found()) return 0.0f;
    std::string plain(number.integerDigits.empty() ? "0" : number.integerDigits);
    plain += '.';
    plain += number.fractionDigits.empty() ? "0" : number.fractionDigits;
    float magnitude = 0.0f;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude,
                                              std::chars_format::fixed);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Without an exponent only a large integer part can overflow; anything else underflowed.
        const bool large = number.integerDigits.find_first_not_of('0') != std::string_view::npos;
        magnitude = large ? FLT_MAX : 0.0f;
    } else if (error != std::errc()) {
        magnitude = 0.0f;
    }
    return number.negative ? -magnitude : magnitude;
}

std::int32_t readFieldCount(std::string_view text) {
    const NumberText number = scanNumber(text, false);
    constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (const char digit : number.integerDigits) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > kLargest) {
            magnitude = kLargest + 1;  // saturated; stays below int64 overflow
        }
    }
    if (number.negative) return static_cast<std::int32_t>(std::max(-magnitude, -kLargest - 1));
    return static_cast<std::int32_t>(std::min(magnitude, kLargest));
}

std::optional<float> fieldNumber(std::string_view text, std::string_view allowed) {
    if (!holdsOnly(text, allowed) || !scanNumber(text, true).found()) return std::nullopt;
    return readFieldFloat(text);
}

std::optional<std::int32_t> fieldCount(std::string_view text) {
    if (!holdsOnly(text, kCountFieldChars) || !scanNumber(text, false).found()) return std::nullopt;
    return readFieldCount(text);
}

}  // namespace korvell
