// torvel-tablegen: writes table.res and ranking.res by exact enumeration,
// or recomputes one matchup on its own to check a record.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "tablegen/equitytablebuilder.h"
#include "tablegen/matchupenumeration.h"
#include "tablegen/rankingbuilder.h"

using namespace torvel;

namespace {

constexpr const char* kUsage =
    "usage: torvel-tablegen [--threads N] COMMAND\n"
    "  all DIR                      write DIR/table.res and DIR/ranking.res\n"
    "  table FILE                   write the equity table\n"
    "  ranking TABLE_FILE FILE      write the ranking made from an equity table\n"
    "  matchup CLASS CLASS          enumerate one matchup, e.g. AKo QQ\n";

// Write-then-rename, so an interrupted run never leaves half a table.
bool writeAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "torvel-tablegen: cannot write %s\n", temporary.c_str());
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::fprintf(stderr, "torvel-tablegen: cannot replace %s: %s\n", path.c_str(), error.message().c_str());
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool parseClass(const std::string& text, HandClass& out) {
    for (const auto& c : allHandClasses())
        if (handClassName(c) == text) {
            out = c;
            return true;
        }
    return false;
}

EquityTable makeTable(int threads) {
    const auto started = std::chrono::steady_clock::now();
    int lastPercent = -1;
    auto table = tablegen::buildEquityTable(threads, [&lastPercent](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent != lastPercent) {
            lastPercent = percent;
            std::fprintf(stderr, "\rcounting boards: %3d %%", percent);
        }
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(stderr, "\nequity table made in %.1f s with %d threads\n", seconds, threads);
    return table;
}

bool writeTable(const EquityTable& table, const std::string& path) { return writeAtomically(path, table.serialize()); }

bool writeRanking(const EquityTable& table, const std::string& path) {
    HandRanking ranking;
    if (const auto built = tablegen::buildRanking(table, ranking); !built) {
        std::fprintf(stderr, "torvel-tablegen: %s\n", built.reason.c_str());
        return false;
    }
    return writeAtomically(path, ranking.serialize());
}

int runMatchup(const std::string& first, const std::string& second) {
    HandClass h1;
    HandClass h2;
    if (!parseClass(first, h1) || !parseClass(second, h2)) {
        std::fprintf(stderr, "torvel-tablegen: unknown class (write AA, AKs or AKo)\n");
        return 2;
    }
    const auto r = tablegen::enumerateMatchup(h1, h2);
    const double equity = (r.wins + r.ties / 2.0) / r.total;
    std::printf("%s vs %s: key %d wins %d ties %d total %d equity %.6f\n", first.c_str(), second.c_str(),
                matchupKey(h1, h2), r.wins, r.ties, r.total, equity);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (args.size() >= 2 && args[0] == "--threads") {
        try {
            threads = std::stoi(args[1]);
        } catch (...) {
            threads = 0;
        }
        if (threads < 1 || threads > 256) {
            std::fprintf(stderr, "torvel-tablegen: --threads takes a number from 1 to 256\n");
            return 2;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::string command = args.empty() ? "" : args[0];

    if (command == "all" && args.size() == 2) {
        const std::filesystem::path dir = args[1];
        const auto table = makeTable(threads);
        return writeTable(table, (dir / "table.res").string()) && writeRanking(table, (dir / "ranking.res").string())
                   ? 0
                   : 1;
    }
    if (command == "table" && args.size() == 2)
        return writeTable(makeTable(threads), args[1]) ? 0 : 1;
    if (command == "ranking" && args.size() == 3) {
        EquityTable table;
        if (const auto loaded = table.load(args[1]); !loaded) {
            std::fprintf(stderr, "torvel-tablegen: %s\n", loaded.reason.c_str());
            return 1;
        }
        return writeRanking(table, args[2]) ? 0 : 1;
    }
    if (command == "matchup" && args.size() == 3)
        return runMatchup(args[1], args[2]);
    std::fputs(kUsage, stderr);
    return 2;
}
