// torvel-cli: the engine without a window.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "settings/installdata.h"

int main(int argc, char** argv) {
    // Whatever goes wrong, the caller gets a reason and exit status 2.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        // Without tables here, an installed tool reads those installed beside it.
        std::string dataDirectory = ".";
        std::error_code ec;
        if (!std::filesystem::exists("table.res", ec)) {
            const auto installed = torvel::settings::installedDataDirectory(torvel::settings::runningExecutable());
            if (!installed.empty()) dataDirectory = installed.string();
        }
        return torvel::cli::runCli(args, std::cin, std::cout, std::cerr, dataDirectory);
    } catch (const std::exception& e) {
        std::cerr << "torvel-cli: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "torvel-cli: unexpected failure\n";
    }
    return 2;
}
