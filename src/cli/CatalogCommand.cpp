#include "cli/Cli.h"

namespace korvell::cli {

// Placeholder until the catalog command is built.
void addCatalogCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("catalog", "(not yet available)");
    command->callback([&context] {
        context.err << "ERROR: korvell catalog is not available yet\n";
        context.exitCode = kExitFailure;
    });
}

}  // namespace korvell::cli
