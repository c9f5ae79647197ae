#include "cli/Cli.h"

namespace korvell::cli {

// Placeholder until the design command is built.
void addDesignCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("design", "(not yet available)");
    command->callback([&context] {
        context.err << "ERROR: korvell design is not available yet\n";
        context.exitCode = kExitFailure;
    });
}

}  // namespace korvell::cli
