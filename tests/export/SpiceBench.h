// Helpers of the SPICE model tests: a design analysed from korvell analyze options, exactly as the
// command line analyses it, and ngspice run in batch mode on a bench in a temporary folder with
// its .meas results read back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "cli/AnalysisOptions.h"
#include "cli/CliRun.h"
#include "export/SpiceModel.h"

namespace korvell::testing {

struct AnalysedDesign {
    DesignRecord record;
    AnalysisTable table;
};

// The design of a korvell analyze option line (blank-separated, no quoting), analysed as the
// command line does; none when refused.
inline std::optional<AnalysedDesign> analyseOptions(const std::string& line) {
    CLI::App app;
    cli::AnalysisOptions options;
    cli::addAnalysisOptions(app, options);
    std::vector<std::string> args = words(line);
    std::reverse(args.begin(), args.end());
    app.parse(args);
    std::ostringstream out, err;
    cli::CliContext context{out, err};
    cli::CliMessages messages(err);
    AnalysedDesign d;
    AnalysisTexts texts;
    if (!cli::analyzeFromOptions(options, context, messages, d.record, d.table, texts))
        return std::nullopt;
    return d;
}

// The option line with the value of one option replaced.
inline std::string withOption(const std::string& line, const std::string& name,
                              const std::string& value) {
    std::vector<std::string> w = words(line);
    std::string out;
    for (std::size_t k = 0; k < w.size(); ++k) {
        out += (out.empty() ? "" : " ") + w[k];
        if (w[k] == name && k + 1 < w.size()) {
            out += " " + value;
            ++k;
        }
    }
    return out;
}

struct NgspiceRun {
    int status = -1;
    std::string output;                    // standard output and error together
    std::map<std::string, double> values;  // "name = value" lines of .meas and print
};

// Writes the model and the bench into a fresh folder and runs `ngspice -b bench.cir`.
inline NgspiceRun runNgspice(const std::string& model, const std::string& bench) {
    static int runs = 0;
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) /
        ("korvell_ngspice_" + std::to_string(getpid()) + "_" + std::to_string(runs++));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "model.cir") << model;
    std::ofstream(folder / "bench.cir") << bench;
    NgspiceRun run;
    const std::string command = "cd '" + folder.string() + "' && ngspice -b bench.cir 2>&1";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            run.output.append(buffer.data(), n);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::istringstream lines(run.output);
    for (std::string l; std::getline(lines, l);) {
        char name[64];
        double value;
        if (std::sscanf(l.c_str(), " %63[A-Za-z0-9_().] = %lf", name, &value) == 2)
            run.values[name] = value;
    }
    std::filesystem::remove_all(folder);
    return run;
}

// The lines of simulator output that warn or report an error (case-insensitive).
inline std::string complaints(const std::string& output) {
    std::istringstream lines(output);
    std::string found;
    for (std::string l; std::getline(lines, l);) {
        std::string lower;
        for (const char c : l)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find("warning") != std::string::npos || lower.find("error") != std::string::npos)
            found += l + '\n';
    }
    return found;
}

}  // namespace korvell::testing
