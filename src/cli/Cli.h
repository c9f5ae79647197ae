// The korvell command line: a scriptable front end over the engine.
// Exit status: 0 success (also when no design is found), 2 input refused (the program's own
// message on standard error as "CAPTION: text"), 1 anything else.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace korvell::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitRefused = 2;

// Messages of the engine: written to standard error as "CAPTION: text" at once, and kept so that
// JSON output can list them.
class CliMessages : public Messages {
  public:
    explicit CliMessages(std::ostream& err) : m_err(err) {}
    void show(std::string_view text, std::string_view caption) override;
    const std::vector<Message>& messages() const { return m_messages; }
    nlohmann::json toJson() const;

  private:
    std::ostream& m_err;
    std::vector<Message> m_messages;
};

// Where a subcommand writes, and how it reports its exit status once parsing is done.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    int exitCode = kExitOk;
};

// Output form common to the subcommands.
enum class OutputForm { Table, Csv, Json };

// Adds --json (and --csv when `withCsv`) to a subcommand; returns the chosen form after parsing.
struct OutputOptions {
    bool json = false;
    bool csv = false;
    OutputForm form() const {
        return json ? OutputForm::Json : csv ? OutputForm::Csv : OutputForm::Table;
    }
};
void addOutputOptions(CLI::App& command, OutputOptions& options, bool withCsv);

// Subcommands; each registers itself on the app and runs from its callback.
void addCurveCommand(CLI::App& app, CliContext& context);
void addCatalogCommand(CLI::App& app, CliContext& context);
void addWireCommand(CLI::App& app, CliContext& context);
void addDesignCommand(CLI::App& app, CliContext& context);
void addAnalyzeCommand(CLI::App& app, CliContext& context);
void addPlotCommand(CLI::App& app, CliContext& context);
void addSpiceCommand(CLI::App& app, CliContext& context);
void addExploreCommand(CLI::App& app, CliContext& context);
void addReportCommand(CLI::App& app, CliContext& context);
void addMasCommand(CLI::App& app, CliContext& context);

// Runs the command line in-process (the program's main and the tests call it).
int runKorvell(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvell::cli
