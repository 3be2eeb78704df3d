#include "cli/nashcommand.h"

#include <chrono>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/numberlist.h"
#include "cli/tableloading.h"
#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/nashsolver.h"
#include "engine/plainowner.h"

namespace torvel::cli {

namespace {

constexpr const char* kNashUsage =
    "usage: torvel-cli nash --stacks S1,S2,... --blinds SB,BB [--ante A] [--payouts P1,P2,...]\n"
    "                       [--accuracy E]\n"
    "\n"
    "Prints the push/fold equilibrium of a table as one JSON object. Stacks are\n"
    "chips before posting, in preflop action order: the first player after the\n"
    "big blind first, the big blind last (heads-up the small blind first).\n"
    "Payouts are percentages for places 1, 2, ... (default 50,30,20). The solver\n"
    "stops when no player can gain more than E (1e-9 to 1, default 1e-5) of the\n"
    "prize pool by deviating.\n"
    "\n"
    "Fields: players, positions, push (per player but the big blind: percent of\n"
    "the 1326 combinations, text, range of all 169 classes with their push\n"
    "probability), call (per pusher and later player, the same), equity,\n"
    "exploitability (per player, shares of the prize pool), iterations, seconds.\n"
    "\n"
    "Exit status: 0 solved, 2 bad arguments or missing data tables.\n";

using ordered_json = nlohmann::ordered_json;

// A whole chip count of at least minimum that fits the engine's chips.
bool wholeChips(double v, double minimum) {
    return v >= minimum && v <= 2147483647.0 && v == std::floor(v);
}

// Rounded to a number of decimals, so that it prints short.
double rounded(double v, double scale) {
    return std::round(v * scale) / scale;
}

ordered_json rangeJson(const ClassStrategy& range) {
    // Grouped by the high card: the pair, then suited and offsuit per kicker.
    ordered_json byName = ordered_json::object();
    const auto& classes = allHandClasses();
    auto add = [&](const HandClass& c) {
        for (int k = 0; k < kHandClassCount; ++k)
            if (classes[static_cast<std::size_t>(k)] == c)
                byName[handClassName(c)] = rounded(range[static_cast<std::size_t>(k)], 1e4);
    };
    for (int high = kRankCount - 1; high >= 0; --high) {
        add({high, high + kRankCount});
        for (int kicker = high - 1; kicker >= 0; --kicker) {
            add({kicker, high});
            add({kicker, high + kRankCount});
        }
    }
    return byName;
}

void describe(ordered_json& entry, const ClassStrategy& range) {
    entry["percent"] = rounded(100.0 * comboShare(range), 100);
    entry["text"] = nashRangeText(range);
    entry["range"] = rangeJson(range);
}

}  // namespace

int nashCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const std::string& dataDirectory) {
    NashTable table;
    table.payouts = {0.5, 0.3, 0.2};
    double accuracy = 1e-5;
    bool haveStacks = false, haveBlinds = false;
    auto fail = [&](const std::string& reason) {
        err << "torvel-cli nash: " << reason << "\n";
        return 2;
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kNashUsage;
            return 0;
        }
        if (a != "--stacks" && a != "--blinds" && a != "--ante" && a != "--payouts" && a != "--accuracy")
            return fail("unknown option " + a + " (see torvel-cli nash --help)");
        if (i + 1 >= args.size())
            return fail(a + " needs a value (see torvel-cli nash --help)");
        std::vector<double> values;
        const bool parsed = parseNumberList(args[++i], values);
        if (a == "--stacks") {
            if (!parsed || values.size() < 2 || values.size() > 10)
                return fail("--stacks takes 2 to 10 chip counts separated by commas");
            table.stacks.clear();
            for (const double v : values) {
                if (!wholeChips(v, 1))
                    return fail("stacks must be whole chip counts of 1 or more");
                table.stacks.push_back(static_cast<std::int64_t>(v));
            }
            haveStacks = true;
        } else if (a == "--blinds") {
            if (!parsed || values.size() != 2 || !wholeChips(values[0], 0) || !wholeChips(values[1], 1))
                return fail("--blinds takes the small and the big blind, such as 150,300 (big blind 1 or more)");
            table.smallBlind = static_cast<std::int64_t>(values[0]);
            table.bigBlind = static_cast<std::int64_t>(values[1]);
            haveBlinds = true;
        } else if (a == "--ante") {
            if (!parsed || values.size() != 1 || !wholeChips(values[0], 0))
                return fail("--ante takes one whole chip count of 0 or more");
            table.ante = static_cast<std::int64_t>(values[0]);
        } else if (a == "--payouts") {
            if (!parsed || values.size() > 10)
                return fail("--payouts takes up to ten percentages separated by commas");
            table.payouts.fill(0.0);
            for (std::size_t q = 0; q < values.size(); ++q) {
                if (values[q] < 0 || values[q] > 100)
                    return fail("payouts must lie between 0 and 100");
                table.payouts[q] = values[q] / 100.0;
            }
        } else {
            // Finer targets take minutes on a ten-player table.
            if (!parsed || values.size() != 1 || values[0] < 1e-9 || values[0] > 1)
                return fail("--accuracy takes one share of the prize pool from 1e-9 to 1");
            accuracy = values[0];
        }
    }
    if (!haveStacks || !haveBlinds)
        return fail("needs --stacks and --blinds (see torvel-cli nash --help)");
    if (const std::string refusal = NashGame::refusalFor(table); !refusal.empty())
        return fail(refusal);

    PlainOwner owner;
    if (!loadTablesInto(owner, dataDirectory, err))
        return 2;
    SilentProgress quiet;
    NashOptions options;
    options.accuracy = accuracy;
    const auto start = std::chrono::steady_clock::now();
    const NashResult result = solveNash(table, owner.equityTable(), options, quiet);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!result.error.empty())
        return fail(result.error);
    if (!result.converged)
        err << "torvel-cli nash: stopped after " << result.iterations << " iterations above the accuracy\n";

    const int n = static_cast<int>(table.stacks.size());
    ordered_json answer;
    answer["players"] = n;
    answer["positions"] = ordered_json::array();
    for (int k = 0; k < n; ++k)
        answer["positions"].push_back(shortPositionName(n - k));
    answer["push"] = ordered_json::array();
    for (int i = 0; i + 1 < n; ++i) {
        ordered_json entry;
        entry["player"] = i;
        describe(entry, result.profile.push[static_cast<std::size_t>(i)]);
        answer["push"].push_back(entry);
    }
    answer["call"] = ordered_json::array();
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            ordered_json entry;
            entry["pusher"] = i;
            entry["caller"] = j;
            describe(entry, result.profile.call[static_cast<std::size_t>(callIndex(n, i, j))]);
            answer["call"].push_back(entry);
        }
    answer["equity"] = result.report.equity;
    answer["exploitability"] = result.report.exploitability;
    answer["iterations"] = result.iterations;
    answer["seconds"] = rounded(seconds, 1e4);
    out << answer.dump() << "\n";
    return 0;
}

}  // namespace torvel::cli
