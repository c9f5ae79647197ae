// printf-style formatting into a std::string, the one formatting helper of the program.
#pragma once

#include <ctime>
#include <string>

namespace korvell {

std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Removes leading and trailing blanks (spaces, tabs, line ends).
std::string trimmed(const std::string& text);

// English three-letter names of a date's weekday and month; "???" outside the calendar.
struct DateNames {
    const char* weekday;
    const char* month;
};
DateNames dateNames(const std::tm& local);

// The current local date and time.
std::tm localNow();

// The standard 24-character date and time text, trimmed: "Tue Dec  8 09:05:03 2026", the day of
// the month right-aligned in two places.
std::string standardDateText(const std::tm& local);

}  // namespace korvell
