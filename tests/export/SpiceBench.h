// Helpers of the SPICE model tests: a design analyzed from korvell analyze options as the command
// line analyzes it, and ngspice run in batch mode with its .meas results read back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "cli/AnalysisOptions.h"
#include "cli/CliRun.h"
#include "export/SpiceModel.h"

namespace korvell::testing {

struct AnalyzedDesign {
    DesignRecord record;
    AnalysisTable table;
    SpiceModel model;
};

// The design of an option line (blank-separated, no quoting) and its model; none when refused.
inline std::optional<AnalyzedDesign> analyzeOptions(const std::string& line, bool hot = false) {
    CLI::App app;
    cli::AnalysisOptions options;
    cli::addAnalysisOptions(app, options);
    std::vector<std::string> args = words(line);
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    std::ostringstream out, err;
    cli::CliContext context{out, err};
    cli::CliMessages messages(err);
    AnalyzedDesign d;
    AnalysisTexts texts;
    if (!cli::analyzeFromOptions(options, context, messages, d.record, d.table, texts))
        return std::nullopt;
    const auto model = spiceModel(d.record, d.table, d.record.applicationType, hot, messages);
    if (!model) return std::nullopt;
    d.model = *model;
    return d;
}

struct NgspiceRun {
    int status = -1;
    std::string output;                    // standard output and error
    std::map<std::string, double> values;  // the "name = value" lines
};

// Runs `ngspice -b bench.cir` beside model.cir in a fresh folder.
inline NgspiceRun runNgspice(const std::string& model, const std::string& bench) {
    static int runs = 0;
    const auto folder =
        std::filesystem::path(::testing::TempDir()) /
        ("korvell_ngspice_" + std::to_string(getpid()) + "_" + std::to_string(runs++));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "model.cir") << model;
    std::ofstream(folder / "bench.cir") << bench;
    NgspiceRun run;
    if (FILE* pipe =
            popen(("cd '" + folder.string() + "' && ngspice -b bench.cir 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.output.append(buffer, n);
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::istringstream lines(run.output);
    for (std::string l; std::getline(lines, l);) {
        char name[64];
        double value;
        if (std::sscanf(l.c_str(), " %63[a-z0-9_] = %lf", name, &value) == 2)
            run.values[name] = value;
    }
    std::filesystem::remove_all(folder);
    return run;
}

}  // namespace korvell::testing
