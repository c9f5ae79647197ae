// printf-style formatting into a std::string, the one formatting helper of the program.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace korvell {

std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends a finite number as printf's "%<width>.<precision>f" writes it (right-aligned, the same
// correctly rounded digits), without going through the C formatter: the catalog lines and the
// JSON numbers are written many times in one run. Not-finite values are written as "%f" would.
void appendFixed(std::string& out, double value, int width, int precision);

// A number as printf's "%.<precision>g" writes it (significant digits, trailing zeros dropped).
std::string generalText(double value, int precision);

// The most characters a figure of a page, a table or a CSV cell is shown in; a number whose text
// would be longer (a float's limit, 3.4e38, standing in for a skin depth at DC) is no figure a
// row can show.
inline constexpr std::size_t kLongestFigure = 12;
inline constexpr const char* kInfiniteText = "INFINITE";
inline constexpr const char* kNoFigureText = "-";

// Whether a figure printed with `format` (a printf format of one double) can be shown: finite
// and no longer than kLongestFigure characters without its padding.
bool figureShowable(const char* format, double value);
// The figure printed with `format`; when it cannot be shown, "INFINITE" for a large positive
// figure and "-" for a large negative one or one that is not a number, never its digits.
std::string figureText(const char* format, double value);

// Removes leading and trailing blanks (spaces, tabs, line ends).
std::string trimmed(const std::string& text);

// The shortest decimal text that reads back as the same single-precision value ("0.1019", not
// "0.10189999639987946"), and that decimal as a double, for JSON writers.
std::string shortestFloatText(float value);
double shortestFloatValue(float value);

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
