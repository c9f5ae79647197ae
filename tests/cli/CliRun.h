// Runs the korvell command line for the tests: in-process (fast, works under the sanitizers) or
// as the built program (end to end, through its real standard streams and exit status).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace korvell::testing {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// The blank-separated words of a line (a command line without quoting).
inline std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

inline CliResult runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::runKorvell(args, out, err);
    return {status, out.str(), err.str()};
}

// Runs the built program with a shell command line of arguments; standard error goes to a file.
inline CliResult runProgram(const std::string& arguments) {
    // One file per test process: ctest runs the tests in parallel.
    const std::string errFile =
        ::testing::TempDir() + "korvell_stderr_" + std::to_string(getpid()) + ".txt";
    const std::string command = std::string(KORVELL_CLI_PATH) + " " + arguments + " 2>" + errFile;
    CliResult result{-1, {}, {}};
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.out.append(buffer.data(), n);
        const int raw = pclose(pipe);
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    if (FILE* f = fopen(errFile.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0)
            result.err.append(buffer.data(), n);
        fclose(f);
    }
    std::remove(errFile.c_str());
    return result;
}

}  // namespace korvell::testing
