// torvel-cli: the engine without a window.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    // Whatever goes wrong, the caller gets a reason and exit status 2.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return torvel::cli::runCli(args, std::cin, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "torvel-cli: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "torvel-cli: unexpected failure\n";
    }
    return 2;
}
