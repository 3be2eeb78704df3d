#pragma once
// torvel-cli run in a scratch data directory that holds made-up equity tables.

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "engine/plainowner.h"
#include "synthetictables.h"
#include "testfiles.h"

namespace torvel::testing {

inline std::string fixturePath(const std::string& name) { return std::string(TORVEL_IMPORT_FIXTURES) + "/" + name; }

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline CliRun runTorvelCli(const std::vector<std::string>& args, const std::string& input,
                           const std::string& dataDirectory) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::runCli(args, in, out, err, dataDirectory);
    return {status, out.str(), err.str()};
}

// Every line of the output as one JSON document.
inline std::vector<nlohmann::json> jsonLines(const std::string& out) {
    std::vector<nlohmann::json> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(nlohmann::json::parse(line));
    return lines;
}

class CliDataDir {
public:
    CliDataDir() {
        PlainOwner owner;
        fillLoadableSyntheticTables(owner, strongerWins);
        dir.write("table.res", owner.equityTable().serialize());
        dir.write("ranking.res", owner.handRanking().serialize());
    }
    CliRun run(const std::vector<std::string>& args, const std::string& input = {},
               const std::string& dataDirectory = {}) const {
        return runTorvelCli(args, input, dataDirectory.empty() ? dir.path() : dataDirectory);
    }

    ScratchDir dir;
};

}  // namespace torvel::testing
