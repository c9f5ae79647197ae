// printf-style formatting into a std::string, the one formatting helper of the program.
#pragma once

#include <string>

namespace korvell {

std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Removes leading and trailing blanks (spaces, tabs, line ends).
std::string trimmed(const std::string& text);

}  // namespace korvell
