// The hand-history import on large generated PokerStars files: the parser
// alone (hands per second) and the whole command-line import with the
// analysis of every relevant decision (decisions per second).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "import/historyimport.h"

namespace {

constexpr int kParserHands = 100'000;
constexpr int kImportHands = 10'000;

// Six-handed tournament hands late in a sit-and-go: blinds with antes,
// stacks from 3 to 40 big blinds, the players before the hero folding or
// now and then pushing, the hero folding, pushing or calling.
void writeHands(std::ostream& out, int count, unsigned seed) {
    std::mt19937 random(seed);
    const char* names[6] = {"Anton", "Bea (DE)", "Carlos", "Hero", "D\xC3\xB6rte", "Emil_99"};
    const int heroSeat = 3;
    for (int hand = 0; hand < count; ++hand) {
        const int button = hand % 6;
        const int smallBlind = button == 5 ? 0 : button + 1;
        const int bigBlind = (smallBlind + 1) % 6;
        int stacks[6];
        for (int& s : stacks)
            s = 600 + static_cast<int>(random() % 7400);
        out << "PokerStars Hand #" << 200000000000LL + hand << ": Tournament #1800000000, $10+$1 USD Hold'em No Limit"
            << " - Level VIII (100/200) - 2017/03/04 21:" << (hand / 60) % 60 << ":" << hand % 60 << " ET\n"
            << "Table '1800000000 1' 6-max Seat #" << button + 1 << " is the button\n";
        for (int s = 0; s < 6; ++s)
            out << "Seat " << s + 1 << ": " << names[s] << " (" << stacks[s] << " in chips) \n";
        for (int s = 0; s < 6; ++s)
            out << names[s] << ": posts the ante 25\n";
        out << names[smallBlind] << ": posts small blind 100\n"
            << names[bigBlind] << ": posts big blind 200\n"
            << "*** HOLE CARDS ***\n"
            << "Dealt to Hero [" << "23456789TJQKA"[random() % 13] << "hdcs"[random() % 4] << " "
            << "23456789TJQKA"[random() % 13] << "hdcs"[random() % 4] << "]\n";
        bool pushed = false;
        for (int s = (bigBlind + 1) % 6; s != heroSeat; s = (s + 1) % 6) {
            if (!pushed && random() % 8 == 0) {
                out << names[s] << ": raises " << stacks[s] - 225 << " to " << stacks[s] - 25 << " and is all-in\n";
                pushed = true;
            } else {
                out << names[s] << ": folds \n";
            }
        }
        if (heroSeat == bigBlind && !pushed)
            out << "Hero: checks \n";
        else if (random() % 2 == 0)
            out << "Hero: folds \n";
        else if (pushed)
            out << "Hero: calls " << stacks[heroSeat] - 25 << " and is all-in\n";
        else
            out << "Hero: raises " << stacks[heroSeat] - 225 << " to " << stacks[heroSeat] - 25 << " and is all-in\n";
        out << "Uncalled bet (150) returned to Carlos\nCarlos collected 750 from pot\n*** SUMMARY ***\n"
            << "Total pot 750 | Rake 0\n";
        for (int s = 0; s < 6; ++s)
            out << "Seat " << s + 1 << ": " << names[s] << " folded before Flop (didn't bet)\n";
        out << "\n\n\n";
    }
}

std::string generatedFile(int hands) {
    const auto path = std::filesystem::temp_directory_path() / ("torvel-bench-" + std::to_string(hands) + ".txt");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        writeHands(out, hands, 20170304);
    }
    return path.string();
}

void BM_ParseHandHistory(benchmark::State& state) {
    const std::string path = generatedFile(kParserHands);
    int relevant = 0;
    int hands = 0;
    torvel::import::ImportCallbacks callbacks;
    callbacks.onDecision = [&relevant](std::unique_ptr<torvel::GameState>) { ++relevant; };
    for (auto _ : state) {
        const auto summary = torvel::import::importHistoryFile(path, nullptr, callbacks);
        hands += summary.handCount;
        benchmark::DoNotOptimize(summary);
    }
    state.counters["hands/s"] = benchmark::Counter(hands, benchmark::Counter::kIsRate);
    state.counters["relevant"] = relevant / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(path)) * state.iterations());
}
BENCHMARK(BM_ParseHandHistory)->Unit(benchmark::kMillisecond);

void BM_ImportAndGrade(benchmark::State& state) {
    const std::string path = generatedFile(kImportHands);
    std::int64_t decisions = 0;
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out, err;
        if (torvel::cli::runCli({"import", path}, in, out, err, TORVEL_DATA_DIR) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
        for (char c : out.str())
            decisions += c == '\n' ? 1 : 0;
        --decisions;  // the summary line
    }
    state.counters["decisions/s"] = benchmark::Counter(static_cast<double>(decisions), benchmark::Counter::kIsRate);
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(kImportHands) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["decisions"] = static_cast<double>(decisions) / state.iterations();
}
BENCHMARK(BM_ImportAndGrade)->Unit(benchmark::kSecond)->Iterations(1);

// The same, keeping every decision in a fresh hand database.
void BM_ImportGradeAndStore(benchmark::State& state) {
    const std::string path = generatedFile(kImportHands);
    const auto database = std::filesystem::temp_directory_path() / "torvel-bench-import.sqlite";
    for (auto _ : state) {
        std::filesystem::remove(database);
        std::istringstream in;
        std::ostringstream out, err;
        if (torvel::cli::runCli({"import", "--db", database.string(), path}, in, out, err, TORVEL_DATA_DIR) != 0) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(kImportHands) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportGradeAndStore)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
