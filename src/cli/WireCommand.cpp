#include "cli/Cli.h"

namespace korvell::cli {

// Placeholder until the wire command is built.
void addWireCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("wire", "(not yet available)");
    command->callback([&context] {
        context.err << "ERROR: korvell wire is not available yet\n";
        context.exitCode = kExitFailure;
    });
}

}  // namespace korvell::cli
