// torvel-cli: the engine without a window.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/plainowner.h"

namespace {

void printUsage(std::FILE* to) {
    std::fputs(
        "usage: torvel-cli COMMAND [ARGS]\n"
        "\n"
        "Reads table.res and ranking.res from the working directory.\n"
        "\n"
        "commands:\n"
        "  check     load the data tables and report whether they are usable\n"
        "  --help    show this text\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(stdout);
        return 0;
    }
    if (command == "check") {
        torvel::PlainOwner owner;
        if (auto loaded = owner.loadTables("."); !loaded) {
            std::fprintf(stderr, "torvel-cli: %s\n", loaded.reason.c_str());
            return 2;
        }
        std::printf("tables ok: %d matchup records, %d ranked classes\n", owner.equityTable().size(),
                    owner.handRanking().size());
        return 0;
    }
    std::fprintf(stderr, "torvel-cli: unknown command '%s' (see torvel-cli --help)\n", command.c_str());
    return 2;
}
