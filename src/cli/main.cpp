#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = korvell::cli::runKorvell(args, std::cout, std::cerr);
    // Output that could not be written (a full disk, a closed pipe, /dev/full) is a failure,
    // however well the command itself went.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "ERROR: THE OUTPUT COULD NOT BE WRITTEN WHOLE\n";
        return status == 0 ? 1 : status;
    }
    return status;
}
