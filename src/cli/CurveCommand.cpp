#include "cli/Cli.h"

namespace korvell::cli {

// Placeholder until the curve command is built.
void addCurveCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("curve", "(not yet available)");
    command->callback([&context] {
        context.err << "ERROR: korvell curve is not available yet\n";
        context.exitCode = kExitFailure;
    });
}

}  // namespace korvell::cli
