// The hand-history import on large generated PokerStars files: the parser
// alone (hands per second) and the whole command-line import with the
// analysis of every relevant decision (decisions per second).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

// The same kind of hands in the layouts of today's sites: six seats at
// 100/200 with antes of 25, stacks from 3 to 40 big blinds, an early seat
// now and then all-in, the hero folding or all-in.
struct Deal {
    int button = 0;
    int stacks[6] = {};
    int pusher = -1;  // the seat before the hero that moves all-in, if any
    bool heroPushes = false;
    std::string cards;  // "Ah 9d"
};

constexpr int kHero = 3;

Deal deal(std::mt19937& random, int hand) {
    Deal d;
    d.button = hand % 6;
    for (int& s : d.stacks)
        s = 600 + static_cast<int>(random() % 7400);
    const auto card = [&random] {
        return std::string{"23456789TJQKA"[random() % 13], "hdcs"[random() % 4]};
    };
    d.cards = card() + " " + card();
    for (int s = (d.button + 3) % 6; s != kHero; s = (s + 1) % 6)
        if (d.pusher < 0 && random() % 8 == 0)
            d.pusher = s;
    d.heroPushes = random() % 2 == 0;
    return d;
}

int smallBlindSeat(const Deal& d) { return (d.button + 1) % 6; }
int bigBlindSeat(const Deal& d) { return (d.button + 2) % 6; }
// Seats that act before the hero, in order.
std::vector<int> beforeHero(const Deal& d) {
    std::vector<int> seats;
    for (int s = (d.button + 3) % 6; s != kHero; s = (s + 1) % 6)
        seats.push_back(s);
    return seats;
}

const char* const kNames[6] = {"Anton", "Bea", "Carlos", "Hero", "Doerte", "Emil_99"};

// GGPoker (colon) and Winning Poker Network (no colon, ".00" amounts).
void writeStarsLike(std::ostream& out, const Deal& d, int hand, bool gg) {
    const std::string colon = gg ? ":" : "";
    const std::string cents = gg ? "" : ".00";
    if (gg)
        out << "Poker Hand #TM" << 500000000 + hand << ": Tournament #25313424, $10 Daily Hold'em No Limit - "
            << "Level8(100/200) - 2024/04/04 16:06:27\n";
    else
        out << "Game Hand #" << 46380952 + hand << " - Tournament #10354204 - Holdem(No Limit) - Level 8 "
            << "(100.00/200.00)- 2024/01/04 13:42:56 UTC\n";
    out << "Table '89' 6-max Seat #" << d.button + 1 << " is the button\n";
    for (int s = 0; s < 6; ++s)
        out << "Seat " << s + 1 << ": " << kNames[s] << " (" << d.stacks[s] << cents << (gg ? " in chips)\n" : ")\n");
    for (int s = 0; s < 6; ++s)
        out << kNames[s] << colon << (gg ? " posts the ante 25\n" : " posts ante 25.00\n");
    out << kNames[smallBlindSeat(d)] << colon << (gg ? " posts small blind 100\n" : " posts the small blind 100.00\n")
        << kNames[bigBlindSeat(d)] << colon << (gg ? " posts big blind 200\n" : " posts the big blind 200.00\n")
        << "*** HOLE CARDS ***\nDealt to Hero [" << d.cards << "]\n";
    for (const int s : beforeHero(d)) {
        if (s == d.pusher)
            out << kNames[s] << colon << " raises " << d.stacks[s] - 225 << cents << " to " << d.stacks[s] - 25 << cents
                << " and is all-in\n";
        else
            out << kNames[s] << colon << " folds\n";
    }
    if (d.heroPushes)
        out << "Hero" << colon << " raises " << d.stacks[kHero] - 225 << cents << " to " << d.stacks[kHero] - 25 << cents
            << " and is all-in\n";
    else
        out << "Hero" << colon << " folds\n";
    out << "*** SUMMARY ***\nTotal pot 750 | Rake 0\n\n";
}

void writeWinamax(std::ostream& out, const Deal& d, int hand) {
    out << "Winamax Poker - Tournament \"Expresso\" buyIn: 4.65\xE2\x82\xAC + 0.35\xE2\x82\xAC level: 8 - HandId: #"
        << 100000 + hand << "-1-1700000000 - Holdem no limit (25/100/200) - 2023/05/01 20:00:00 UTC\n"
        << "Table: 'Expresso(12345)#0' 6-max (real money) Seat #" << d.button + 1 << " is the button\n";
    for (int s = 0; s < 6; ++s)
        out << "Seat " << s + 1 << ": " << kNames[s] << " (" << d.stacks[s] << ")\n";
    out << "*** ANTE/BLINDS ***\n";
    for (int s = 0; s < 6; ++s)
        out << kNames[s] << " posts ante 25\n";
    out << kNames[smallBlindSeat(d)] << " posts small blind 100\n"
        << kNames[bigBlindSeat(d)] << " posts big blind 200\nDealt to Hero [" << d.cards << "]\n*** PRE-FLOP ***\n";
    for (const int s : beforeHero(d))
        out << kNames[s] << (s == d.pusher ? " raises " + std::to_string(d.stacks[s] - 225) + " to " +
                                                 std::to_string(d.stacks[s] - 25) + " and is all-in\n"
                                           : std::string(" folds\n"));
    out << (d.heroPushes ? "Hero raises " + std::to_string(d.stacks[kHero] - 225) + " to " +
                               std::to_string(d.stacks[kHero] - 25) + " and is all-in\n"
                         : std::string("Hero folds\n"))
        << "*** SUMMARY ***\nTotal pot 750 | No rake\n\n";
}

void writeBovada(std::ostream& out, const Deal& d, int hand) {
    const char* positions[6] = {"Dealer", "Small Blind", "Big Blind", "UTG", "UTG+1", "UTG+2"};
    const auto name = [&](int s) {
        return std::string(positions[(s - d.button + 6) % 6]) + (s == kHero ? " [ME]" : "");
    };
    out << "Bovada Hand #" << 3300000000LL + hand << ": HOLDEM Tournament #14303391 TBL#1, No Limit- Level 8 (100/200)"
        << " - 2016-01-01 01:58:13\n";
    for (int s = 0; s < 6; ++s)
        out << "Seat " << s + 1 << ": " << name(s) << " (" << d.stacks[s] << " in chips)\n";
    out << name(d.button) << " : Set dealer [" << d.button + 1 << "]\n";
    for (int s = 0; s < 6; ++s)
        out << name(s) << " : Ante chip 25\n";
    out << name(smallBlindSeat(d)) << " : Small Blind 100\n"
        << name(bigBlindSeat(d)) << " : Big blind 200\n*** HOLE CARDS ***\n";
    for (int s = 0; s < 6; ++s)
        out << name(s) << " : Card dealt to a spot [" << (s == kHero ? d.cards : "2c 7d") << "]\n";
    for (const int s : beforeHero(d))
        out << name(s) << (s == d.pusher ? " : All-in " + std::to_string(d.stacks[s] - 25) + "\n" : " : Folds\n");
    out << name(kHero) << (d.heroPushes ? " : All-in " + std::to_string(d.stacks[kHero] - 25) + "\n" : " : Folds\n")
        << "*** SUMMARY ***\nTotal Pot(750)\n";
}

void writePacific(std::ostream& out, const Deal& d, int hand) {
    out << "#Game No : " << 835785469 + hand << "\n***** 888poker Hand History for Game " << 835785469 + hand
        << " *****\n$100/$200 Blinds No Limit Holdem - *** 27 10 2016 18:03:49\n"
        << "Tournament #89473760 $0.45 + $0.05 - Table #3 6 Max (Real Money)\nSeat " << d.button + 1
        << " is the button\nTotal number of players : 6\n";
    for (int s = 0; s < 6; ++s)
        out << "Seat " << s + 1 << ": " << kNames[s] << " ( $" << d.stacks[s] << " )\n";
    for (int s = 0; s < 6; ++s)
        out << kNames[s] << " posts ante [$25]\n";
    out << kNames[smallBlindSeat(d)] << " posts small blind [$100]\n"
        << kNames[bigBlindSeat(d)] << " posts big blind [$200]\n** Dealing down cards **\nDealt to Hero [ "
        << d.cards.substr(0, 2) << ", " << d.cards.substr(3) << " ]\n";
    for (const int s : beforeHero(d))
        out << kNames[s] << (s == d.pusher ? " raises [$" + std::to_string(d.stacks[s] - 25) + "]\n" : " folds\n");
    out << (d.heroPushes ? "Hero raises [$" + std::to_string(d.stacks[kHero] - 25) + "]\n" : "Hero folds\n")
        << "** Summary **\n\n";
}

void writeIPoker(std::ostream& out, const Deal& d, int hand) {
    const auto suitFirst = [](const std::string& card) {
        return std::string{static_cast<char>(card[1] - 'a' + 'A'), card[0]};
    };
    out << "<game gamecode=\"" << 5568957896LL + hand << "\">\n <general>\n  <players>\n";
    for (int s = 0; s < 6; ++s)
        out << "   <player seat=\"" << s + 1 << "\" name=\"" << kNames[s] << "\" chips=\"" << d.stacks[s]
            << "\" dealer=\"" << (s == d.button) << "\" win=\"0\" bet=\"25\" rebuy=\"0\" addon=\"0\"/>\n";
    out << "  </players>\n </general>\n <round no=\"0\">\n";
    for (int s = 0; s < 6; ++s)
        out << "  <action no=\"" << s + 1 << "\" player=\"" << kNames[s] << "\" type=\"15\" sum=\"25\"/>\n";
    out << "  <action no=\"7\" player=\"" << kNames[smallBlindSeat(d)] << "\" type=\"1\" sum=\"100\"/>\n"
        << "  <action no=\"8\" player=\"" << kNames[bigBlindSeat(d)] << "\" type=\"2\" sum=\"200\"/>\n"
        << " </round>\n <round no=\"1\">\n  <cards type=\"Pocket\" player=\"Hero\">" << suitFirst(d.cards.substr(0, 2))
        << " " << suitFirst(d.cards.substr(3)) << "</cards>\n";
    int number = 9;
    for (const int s : beforeHero(d))
        out << "  <action no=\"" << number++ << "\" player=\"" << kNames[s] << "\" type=\""
            << (s == d.pusher ? "7\" sum=\"" + std::to_string(d.stacks[s] - 25) : std::string("0\" sum=\"0")) << "\"/>\n";
    out << "  <action no=\"" << number << "\" player=\"Hero\" type=\""
        << (d.heroPushes ? "7\" sum=\"" + std::to_string(d.stacks[kHero] - 25) : std::string("0\" sum=\"0")) << "\"/>\n"
        << " </round>\n</game>\n";
}

std::string generatedTodayFile(torvel::import::HistoryFormat format, int hands) {
    using torvel::import::HistoryFormat;
    const auto path = std::filesystem::temp_directory_path() /
                      ("torvel-bench-layout" + std::to_string(static_cast<int>(format)) + "-" + std::to_string(hands) +
                       ".txt");
    if (std::filesystem::exists(path))
        return path.string();
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(20240101);
    if (format == HistoryFormat::IPoker)
        out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<session sessioncode=\"1\">\n <general>\n"
            << "  <nickname>Hero</nickname>\n </general>\n";
    for (int hand = 0; hand < hands; ++hand) {
        const Deal d = deal(random, hand);
        switch (format) {
        case HistoryFormat::GGPoker:
            writeStarsLike(out, d, hand, true);
            break;
        case HistoryFormat::WinningPoker:
            writeStarsLike(out, d, hand, false);
            break;
        case HistoryFormat::Winamax:
            writeWinamax(out, d, hand);
            break;
        case HistoryFormat::Bovada:
            writeBovada(out, d, hand);
            break;
        case HistoryFormat::Pacific:
            writePacific(out, d, hand);
            break;
        default:
            writeIPoker(out, d, hand);
            break;
        }
    }
    if (format == HistoryFormat::IPoker)
        out << "</session>\n";
    return path.string();
}

// Reads the file again and again; a file not read as its layout fails.
void parseRepeatedly(benchmark::State& state, const std::string& path, torvel::import::HistoryFormat format) {
    int relevant = 0;
    int hands = 0;
    torvel::import::ImportCallbacks callbacks;
    callbacks.onDecision = [&relevant](std::unique_ptr<torvel::GameState>) { ++relevant; };
    for (auto _ : state) {
        const auto summary = torvel::import::importHistoryFile(path, nullptr, callbacks);
        if (summary.format != format || summary.handCount != kParserHands) {
            state.SkipWithError("the generated file was not read as its layout");
            return;
        }
        hands += summary.handCount;
    }
    state.counters["hands/s"] = benchmark::Counter(hands, benchmark::Counter::kIsRate);
    state.counters["relevant"] = relevant / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(std::filesystem::file_size(path)) * state.iterations());
}

void BM_ParseTodaysLayouts(benchmark::State& state) {
    const auto format = static_cast<torvel::import::HistoryFormat>(state.range(0));
    parseRepeatedly(state, generatedTodayFile(format, kParserHands), format);
}
BENCHMARK(BM_ParseTodaysLayouts)->ArgName("layout")->DenseRange(4, 9)->Unit(benchmark::kMillisecond);

void BM_ParseHandHistory(benchmark::State& state) {
    parseRepeatedly(state, generatedFile(kParserHands), torvel::import::HistoryFormat::PokerStars);
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
