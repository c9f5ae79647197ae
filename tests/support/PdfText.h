// What the poppler tools read from a PDF file: its text laid out (pdftotext -layout) and its
// properties (pdfinfo), for tests of the documents the program writes.
#pragma once

#include <cstdio>
#include <string>

namespace korvell::test {

// Standard output of a shell command, standard error dropped.
inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

inline std::string pdfText(const std::string& path) {
    return commandOutput("pdftotext -layout '" + path + "' -");
}

inline std::string pdfInfo(const std::string& path) {
    return commandOutput("pdfinfo '" + path + "'");
}

// "Pages:" of pdfinfo; 0 when it cannot read the file.
inline int pdfPageCount(const std::string& path) {
    const std::string info = pdfInfo(path);
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

}  // namespace korvell::test
