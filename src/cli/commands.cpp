#include "cli/commands.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli/dealcommand.h"
#include "cli/importcommand.h"
#include "cli/nashcommand.h"
#include "cli/reportcommand.h"
#include "cli/numberlist.h"
#include "cli/situationjson.h"
#include "cli/tableloading.h"
#include "engine/computedriver.h"
#include "engine/icmmodel.h"
#include "engine/nashranges.h"

namespace torvel::cli {

namespace {

constexpr const char* kUsage =
    "usage: torvel-cli COMMAND [ARGS]\n"
    "\n"
    "Reads table.res, ranking.res and the calling-range profiles in data/ from\n"
    "the working directory; without table.res there, an installed torvel-cli\n"
    "reads those installed in share/torvel beside its bin directory.\n"
    "\n"
    "commands:\n"
    "  analyze FILE|-                      analyse a situation given as JSON\n"
    "  icm --stacks S1,S2,... --payouts P1,P2,... [--prizepool X]\n"
    "                                      ICM equity of each stack\n"
    "  import [--profile P] [--export FILE] [--db FILE] [--all] FILE...\n"
    "                                      grade the hero's decisions in hand histories\n"
    "  report [--db FILE] [--since DATE] [--until DATE] [--tournament ID]\n"
    "                                      leak report of the stored decisions as JSON\n"
    "  nash --stacks S1,S2,... --blinds SB,BB [--ante A] [--payouts P1,P2,...] [--accuracy E]\n"
    "                                      push/fold equilibrium of a table\n"
    "  deal [--seed N] [--count K] [--players ...] [--position ...] [--room ...] [--level ...]\n"
    "                                      trainer spots as situation JSON\n"
    "  --help                              this text; COMMAND --help for one command\n";

constexpr const char* kAnalyzeUsage =
    "usage: torvel-cli analyze FILE|-\n"
    "\n"
    "Reads one situation as a JSON object from FILE (or standard input for -),\n"
    "runs what \"Compute\" does (checks, push-range scan, analysis of the real\n"
    "hand) and prints the results as one JSON object.\n"
    "\n"
    "Input fields: smallBlind, bigBlind, ante, buttonSeat, heroSeat, raiserSeat,\n"
    "playerCount, payouts (ten percentages), profile (tight|medium|loose or\n"
    "0|1|2, or nash: the equilibrium of the table), answer (-2 none, 0 fold,\n"
    "3 push), seats (the occupied seats, each\n"
    "with seat, status and optionally stack, bet, action, rangeFrom, rangeTo,\n"
    "range2From, range2To, isButton, isSmallBlind, isBigBlind, name, and for the\n"
    "hero cards such as \"AhKd\" or handLow and handHigh).\n"
    "\n"
    "Exit status: 0 analysed, 1 refused (the reason on standard error),\n"
    "2 input that cannot be used (unreadable, above 1 MB, chips outside\n"
    "0..1000000000, payouts outside 0..100 %) or missing data tables.\n";

constexpr const char* kIcmUsage =
    "usage: torvel-cli icm --stacks S1,S2,... --payouts P1,P2,... [--prizepool X]\n"
    "\n"
    "Prints the ICM equity of each of up to ten stacks (a share of the prize\n"
    "pool) and its value: equity times the prize pool (default 100, so the\n"
    "value reads as percent). Payouts are percentages for places 1, 2, ...\n"
    "and add up to 100.\n";

// A situation is a few kilobytes; parsing JSON takes many times its size.
constexpr std::size_t kMaxSituationBytes = 1 << 20;

// Reads all of path ("-" for in) into text, refusing more than limit bytes
// before anything is parsed. Empty on success, else the reason.
std::string readBoundedInput(const std::string& path, std::istream& in, std::size_t limit, std::string& text) {
    std::ifstream file;
    if (path != "-") {
        std::error_code error;
        if (std::filesystem::is_directory(path, error))
            return path + " is a directory, not a situation file";
        file.open(path, std::ios::binary);
        if (!file)
            return "cannot open " + path;
    }
    std::istream& source = path == "-" ? in : file;
    const std::string name = path == "-" ? "standard input" : path;
    char buffer[65536];
    text.clear();
    while (source) {
        source.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(source.gcount()));
        if (text.size() > limit)
            return name + " holds more than the " + std::to_string(limit / (1 << 20)) + " MB (" +
                   std::to_string(limit) + " bytes) a situation may take";
    }
    if (source.bad())
        return "cannot read " + name;
    return {};
}


int analyzeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                   const std::string& dataDirectory) {
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        out << kAnalyzeUsage;
        return 0;
    }
    if (args.size() != 2) {
        err << "torvel-cli analyze: expects one FILE or - (see torvel-cli analyze --help)\n";
        return 2;
    }
    std::string text;
    if (const std::string reason = readBoundedInput(args[1], in, kMaxSituationBytes, text); !reason.empty()) {
        err << "torvel-cli analyze: " << reason << "\n";
        return 2;
    }
    nlohmann::json input;
    try {
        input = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        err << "torvel-cli analyze: not valid JSON: " << e.what() << "\n";
        return 2;
    }

    PlainOwner owner;
    if (!loadTablesInto(owner, dataDirectory, err))
        return 2;
    GameState g(&owner);
    SituationRequest request;
    if (const std::string reason = readSituation(input, g, request); !reason.empty()) {
        err << "torvel-cli analyze: " << reason << "\n";
        return 2;
    }
    owner.setPayoutPercents(request.payouts);
    if (request.profile == kNashProfile) {
        SilentProgress quiet;
        if (const std::string reason = assignNashRanges(g, quiet); !reason.empty()) {
            err << "torvel-cli analyze: " << reason << "\n";
            return 1;
        }
    } else if (request.profile >= 0) {
        g.assignCallingRanges(request.profile);
    }

    SilentProgress progress;
    const DriverResult result = runComputeDriver(g, request.answer, progress);
    if (result.refused) {
        err << result.refusal << "\n";
        return 1;
    }
    out << analysisJson(g, owner.errors()).dump() << "\n";
    return 0;
}

int icmCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<double> stacks, payouts;
    double prizePool = 100.0;
    bool haveStacks = false, havePayouts = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kIcmUsage;
            return 0;
        }
        if (i + 1 >= args.size()) {
            err << "torvel-cli icm: " << a << " needs a value (see torvel-cli icm --help)\n";
            return 2;
        }
        const std::string& value = args[++i];
        std::vector<double> one;
        if (a == "--stacks") {
            haveStacks = parseNumberList(value, stacks);
            if (!haveStacks) {
                err << "torvel-cli icm: --stacks takes chip counts separated by commas\n";
                return 2;
            }
        } else if (a == "--payouts") {
            havePayouts = parseNumberList(value, payouts);
            if (!havePayouts) {
                err << "torvel-cli icm: --payouts takes percentages separated by commas\n";
                return 2;
            }
        } else if (a == "--prizepool") {
            if (!parseNumberList(value, one) || one.size() != 1 || one[0] < 0) {
                err << "torvel-cli icm: --prizepool takes one amount of 0 or more\n";
                return 2;
            }
            prizePool = one[0];
        } else {
            err << "torvel-cli icm: unknown option " << a << " (see torvel-cli icm --help)\n";
            return 2;
        }
    }
    if (!haveStacks || !havePayouts) {
        err << "torvel-cli icm: needs --stacks and --payouts (see torvel-cli icm --help)\n";
        return 2;
    }
    if (stacks.size() > 10 || payouts.size() > 10) {
        err << "torvel-cli icm: at most ten stacks and ten payouts\n";
        return 2;
    }
    IcmModel model;
    for (std::size_t i = 0; i < stacks.size(); ++i) {
        if (stacks[i] < 0 || stacks[i] > kMaxChips || stacks[i] != std::floor(stacks[i])) {
            err << "torvel-cli icm: stacks must be whole chip counts within 0.." << kMaxChips << "\n";
            return 2;
        }
        model.setStack(static_cast<int>(i), static_cast<long long>(stacks[i]));
    }
    double payoutSum = 0.0;
    for (std::size_t q = 0; q < payouts.size(); ++q) {
        if (payouts[q] < 0.0 || payouts[q] > 100.0) {
            err << "torvel-cli icm: payouts must be percentages within 0..100\n";
            return 2;
        }
        payoutSum += payouts[q];
        model.setPayout(static_cast<int>(q), payouts[q] / 100.0);
    }
    if (std::abs(payoutSum - 100.0) > kPayoutSumTolerance) {
        err << "torvel-cli icm: payouts must add up to 100 %\n";
        return 2;
    }
    model.compute();
    out << "player  stack       equity      value\n";
    for (std::size_t i = 0; i < stacks.size(); ++i) {
        out << std::setw(6) << i + 1 << "  " << std::setw(10) << static_cast<long long>(stacks[i]) << "  "
            << std::fixed << std::setprecision(6) << model.equity[i] << "  " << std::setprecision(2)
            << model.equity[i] * prizePool << "\n";
    }
    return 0;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
           const std::string& dataDirectory) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "analyze")
        return analyzeCommand(args, in, out, err, dataDirectory);
    if (command == "icm")
        return icmCommand(args, out, err);
    if (command == "import")
        return importCommand(args, out, err, dataDirectory);
    if (command == "report")
        return reportCommand(args, out, err, dataDirectory);
    if (command == "nash")
        return nashCommand(args, out, err, dataDirectory);
    if (command == "deal")
        return dealCommand(args, out, err, dataDirectory);
    err << "torvel-cli: unknown command '" << command << "' (see torvel-cli --help)\n";
    return 2;
}

}  // namespace torvel::cli
