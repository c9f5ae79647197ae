#include "cli/Cli.h"

namespace korvell::cli {

// Placeholder until the analyze command is built.
void addAnalyzeCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("analyze", "(not yet available)");
    command->callback([&context] {
        context.err << "ERROR: korvell analyze is not available yet\n";
        context.exitCode = kExitFailure;
    });
}

}  // namespace korvell::cli
