#include "platform/Format.h"

#include <array>
#include <cstdarg>
#include <cstdio>
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

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
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
