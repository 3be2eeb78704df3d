// torvel-cli: the engine without a window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return torvel::cli::runCli(args, std::cin, std::cout, std::cerr);
}
