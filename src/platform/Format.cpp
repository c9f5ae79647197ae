#include "platform/Format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace korvell {

std::string strprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else {
        std::vector<char> big(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), format, copy);
        out.assign(big.data(), static_cast<std::size_t>(n));
    }
    va_end(copy);
    return out;
}

namespace {

// The digits of |value| × 10^precision rounded to a whole number, when plain double arithmetic
// gets them right: the product is below 2^52 and not within a millionth of a rounding tie, where
// the inexact product could round the other way than printf's exact decimal expansion does.
// Below 10^9 the product's error (half an ulp, under 1.2e-7) cannot cross that margin.
bool quickScaledDigits(double value, int precision, unsigned long long& scaled) {
    static constexpr double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (precision < 0 || precision > 9) return false;
    const double x = std::fabs(value) * kPowers[precision];
    if (!(x < 1e9)) return false;
    const double whole = std::floor(x);
    if (std::fabs(x - whole - 0.5) < 1e-6) return false;
    scaled = static_cast<unsigned long long>(whole) + (x - whole > 0.5 ? 1 : 0);
    return true;
}

}  // namespace

void appendFixed(std::string& out, double value, int width, int precision) {
    unsigned long long scaled = 0;
    if (std::isfinite(value) && quickScaledDigits(value, precision, scaled)) {
        // Written from the last digit backwards into the end of a buffer.
        char text[40];
        char* at = text + sizeof text;
        for (int i = 0; i < precision; ++i, scaled /= 10)
            *--at = static_cast<char>('0' + scaled % 10);
        if (precision > 0) *--at = '.';
        do {
            *--at = static_cast<char>('0' + scaled % 10);
            scaled /= 10;
        } while (scaled > 0);
        if (std::signbit(value)) *--at = '-';
        const auto length = static_cast<int>(text + sizeof text - at);
        if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
        out.append(at, static_cast<std::size_t>(length));
        return;
    }
    char digits[400];  // the widest double written fixed: 309 integer digits, sign and fraction
    const auto [end, error] = std::isfinite(value) && precision >= 0 && precision <= 40
                                  ? std::to_chars(digits, digits + sizeof digits, value,
                                                  std::chars_format::fixed, precision)
                                  : std::to_chars_result{digits, std::errc::value_too_large};
    if (error != std::errc()) {
        out += strprintf("%*.*f", width, precision, value);
        return;
    }
    const auto length = static_cast<int>(end - digits);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(digits, end);
}

std::string generalText(double value, int precision) {
    char digits[64];
    const auto [end, error] = std::isfinite(value) && precision > 0 && precision <= 17
                                  ? std::to_chars(digits, digits + sizeof digits, value,
                                                  std::chars_format::general, precision)
                                  : std::to_chars_result{digits, std::errc::value_too_large};
    if (error != std::errc()) return strprintf("%.*g", precision, value);
    return std::string(digits, end);
}

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool figureShowable(const char* format, double value) {
    if (!std::isfinite(value)) return false;
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return trimmed(text).size() <= kLongestFigure;
}

std::string figureText(const char* format, double value) {
    if (figureShowable(format, value)) return strprintf(format, value);
    return value > 0 ? kInfiniteText : kNoFigureText;
}

DateNames dateNames(const std::tm& local) {
    static constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    DateNames names{"???", "???"};
    if (local.tm_wday >= 0 && local.tm_wday < 7)
        names.weekday = kWeekdays[static_cast<std::size_t>(local.tm_wday)];
    if (local.tm_mon >= 0 && local.tm_mon < 12)
        names.month = kMonths[static_cast<std::size_t>(local.tm_mon)];
    return names;
}

std::string shortestFloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double shortestFloatValue(float value) {
    return std::strtod(shortestFloatText(value).c_str(), nullptr);
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string standardDateText(const std::tm& local) {
    const DateNames names = dateNames(local);
    const long long year = static_cast<long long>(local.tm_year) + 1900;
    return trimmed(strprintf("%s %s %2d %02d:%02d:%02d %4lld\n", names.weekday, names.month,
                             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, year));
}

}  // namespace korvell
