#include "tablegen/equitytablebuilder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/constants.h"
#include "engine/handevaluator.h"
#include "tablegen/matchupenumeration.h"
#include "tablegen/suitpermutations.h"

// The table is counted board by board rather than matchup by matchup: for
// one board, the 1081 hole-card combinations of the 47 cards left are
// valued once and sorted, and a sweep from the weakest up tells every
// combination how many combinations of each class it beats. Renaming suits
// keeps every class, so each board is counted once for all its renamings
// (134,459 boards instead of 2,598,960). Ties need no sweep of their own:
// over all boards, ties(A, B) = total - wins(A, B) - wins(B, A).

namespace torvel::tablegen {

namespace {

constexpr int kBoardCards = 5;
constexpr int kCombosPerBoard = 47 * 46 / 2;
// Class counters are padded so that rows are whole vectors.
constexpr int kClassLanes = 176;
// One board adds at most 12 x 12 beaten pairs per class pair; an unsigned
// 16-bit counter takes this many board weights before it must be emptied.
constexpr int kWeightPerFlush = 65535 / (kOffsuitCombos * kOffsuitCombos);

struct ClassIndex {
    std::array<std::int16_t, kCardCount * kCardCount> ofCards{};  // class index of two cards
    ClassIndex() {
        const auto& classes = allHandClasses();
        for (int a = 0; a < kCardCount; ++a)
            for (int b = 0; b < kCardCount; ++b) {
                if (a == b)
                    continue;
                const auto c = classOfCards(a, b);
                const auto at = std::find(classes.begin(), classes.end(), c);
                ofCards[static_cast<std::size_t>(a * kCardCount + b)] =
                    static_cast<std::int16_t>(at - classes.begin());
            }
    }
    int of(int a, int b) const { return ofCards[static_cast<std::size_t>(a * kCardCount + b)]; }
};

// Number of suit renamings that give a different board, or 0 when another
// renaming gives a smaller one (that board stands for this one).
int boardWeight(const std::array<int, kBoardCards>& board) {
    auto code = [](std::array<int, kBoardCards> cards) {
        std::sort(cards.begin(), cards.end());
        std::uint64_t c = 0;
        for (int card : cards)
            c = (c << 6) | static_cast<std::uint64_t>(card);
        return c;
    };
    const std::uint64_t own = code(board);
    int fixing = 0;
    for (const auto& perm : suitPermutations()) {
        std::array<int, kBoardCards> image{};
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = permuteCard(board[i], perm);
        const std::uint64_t other = code(image);
        if (other < own)
            return 0;
        fixing += other == own;
    }
    return 24 / fixing;
}

// Per-thread counters of the sweep.
class BoardSweeper {
public:
    BoardSweeper(const ClassIndex& classes) : classes_(classes), wins_(kHandClassCount * kHandClassCount, 0) {}

    void countBoard(const std::array<int, kBoardCards>& board, int weight) {
        if (pendingWeight_ + weight > kWeightPerFlush)
            flush();
        pendingWeight_ += weight;
        valueCombos(board);
        sortByValue();
        sweep(static_cast<std::uint16_t>(weight));
    }

    // Wins of class A over class B, index A * 169 + B.
    const std::vector<long long>& wins() {
        flush();
        return wins_;
    }

private:
    struct Entry {
        std::uint16_t value;
        std::uint8_t card1;
        std::uint8_t card2;
    };

    void valueCombos(const std::array<int, kBoardCards>& board) {
        const auto& evaluator = HandEvaluator::instance();
        std::array<int, kCardCount> left{};
        int n = 0;
        std::uint64_t onBoard = 0;
        auto partial = evaluator.start();
        for (int card : board) {
            onBoard |= std::uint64_t{1} << card;
            partial = evaluator.add(partial, card);
        }
        for (int c = 0; c < kCardCount; ++c)
            if (!((onBoard >> c) & 1u))
                left[static_cast<std::size_t>(n++)] = c;
        std::size_t k = 0;
        for (int i = 0; i < n; ++i) {
            const int a = left[static_cast<std::size_t>(i)];
            const auto six = evaluator.add(partial, a);
            for (int j = i + 1; j < n; ++j) {
                const int b = left[static_cast<std::size_t>(j)];
                entries_[k++] = {evaluator.finish(six, b), static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
            }
        }
    }

    // Two passes of a radix sort on the 13-bit values.
    void sortByValue() {
        auto pass = [](const std::array<Entry, kCombosPerBoard>& from, std::array<Entry, kCombosPerBoard>& to,
                       int shift, int bits) {
            std::array<int, 129> start{};
            const unsigned mask = (1u << bits) - 1;
            for (const auto& e : from)
                ++start[((e.value >> shift) & mask) + 1];
            for (std::size_t i = 1; i < start.size(); ++i)
                start[i] += start[i - 1];
            for (const auto& e : from)
                to[static_cast<std::size_t>(start[(e.value >> shift) & mask]++)] = e;
        };
        pass(entries_, scratch_, 0, 7);
        pass(scratch_, entries_, 7, 7);
    }

    void sweep(std::uint16_t weight) {
        std::memset(below_, 0, sizeof below_);
        std::memset(belowWithCard_, 0, sizeof belowWithCard_);
        std::size_t groupStart = 0;
        while (groupStart < entries_.size()) {
            std::size_t groupEnd = groupStart + 1;
            while (groupEnd < entries_.size() && entries_[groupEnd].value == entries_[groupStart].value)
                ++groupEnd;
            // Combinations beaten by this one: those of lower value minus
            // those that share one of its cards.
            for (std::size_t i = groupStart; i < groupEnd; ++i) {
                const auto& e = entries_[i];
                std::uint16_t* row = boardWins_[classes_.of(e.card1, e.card2)];
                const std::uint16_t* first = belowWithCard_[e.card1];
                const std::uint16_t* second = belowWithCard_[e.card2];
                for (int b = 0; b < kClassLanes; ++b)
                    row[b] = static_cast<std::uint16_t>(
                        row[b] + weight * static_cast<std::uint16_t>(below_[b] - first[b] - second[b]));
            }
            for (std::size_t i = groupStart; i < groupEnd; ++i) {
                const auto& e = entries_[i];
                const int c = classes_.of(e.card1, e.card2);
                ++below_[c];
                ++belowWithCard_[e.card1][c];
                ++belowWithCard_[e.card2][c];
            }
            groupStart = groupEnd;
        }
    }

    void flush() {
        for (int a = 0; a < kHandClassCount; ++a)
            for (int b = 0; b < kHandClassCount; ++b)
                wins_[static_cast<std::size_t>(a * kHandClassCount + b)] += boardWins_[a][b];
        std::memset(boardWins_, 0, sizeof boardWins_);
        pendingWeight_ = 0;
    }

    const ClassIndex& classes_;
    std::vector<long long> wins_;
    int pendingWeight_ = 0;
    std::array<Entry, kCombosPerBoard> entries_{};
    std::array<Entry, kCombosPerBoard> scratch_{};
    alignas(64) std::uint16_t below_[kClassLanes]{};
    alignas(64) std::uint16_t belowWithCard_[kCardCount][kClassLanes]{};
    alignas(64) std::uint16_t boardWins_[kHandClassCount][kClassLanes]{};
};

}  // namespace

EquityTable buildEquityTable(int threads, const ProgressCallback& progress) {
    const ClassIndex classes;
    // Work comes in units of the two lowest board cards, largest first.
    std::vector<std::array<int, 2>> units;
    for (int a = 0; a < kCardCount; ++a)
        for (int b = a + 1; b < kCardCount; ++b)
            units.push_back({a, b});
    std::atomic<std::size_t> nextUnit{0};
    std::size_t unitsDone = 0;  // guarded by progressLock

    threads = std::max(1, threads);
    std::vector<std::unique_ptr<BoardSweeper>> sweepers;
    for (int t = 0; t < threads; ++t)
        sweepers.push_back(std::make_unique<BoardSweeper>(classes));
    std::mutex progressLock;
    auto work = [&](BoardSweeper& sweeper) {
        for (std::size_t u = nextUnit++; u < units.size(); u = nextUnit++) {
            std::array<int, kBoardCards> board{units[u][0], units[u][1], 0, 0, 0};
            for (board[2] = board[1] + 1; board[2] < kCardCount; ++board[2])
                for (board[3] = board[2] + 1; board[3] < kCardCount; ++board[3])
                    for (board[4] = board[3] + 1; board[4] < kCardCount; ++board[4])
                        if (const int weight = boardWeight(board))
                            sweeper.countBoard(board, weight);
            if (progress) {
                std::lock_guard lock(progressLock);
                progress(static_cast<double>(++unitsDone) / static_cast<double>(units.size()));
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, std::ref(*sweepers[static_cast<std::size_t>(t)]));
    work(*sweepers[0]);
    for (auto& thread : pool)
        thread.join();

    std::vector<long long> wins(kHandClassCount * kHandClassCount, 0);
    for (auto& sweeper : sweepers) {
        const auto& part = sweeper->wins();
        for (std::size_t i = 0; i < wins.size(); ++i)
            wins[i] += part[i];
    }

    EquityRecord unused;
    unused.low1 = unused.high1 = unused.low2 = unused.high2 = 255;
    std::vector<EquityRecord> records(kMatchupKeyCount, unused);
    const auto& all = allHandClasses();
    for (int a = 0; a < kHandClassCount; ++a)
        for (int b = 0; b < kHandClassCount; ++b) {
            const auto& h1 = all[static_cast<std::size_t>(a)];
            const auto& h2 = all[static_cast<std::size_t>(b)];
            const long long total = disjointComboPairs(h1, h2) * kBoardsPerComboPair;
            const long long won = wins[static_cast<std::size_t>(a * kHandClassCount + b)];
            const long long lost = wins[static_cast<std::size_t>(b * kHandClassCount + a)];
            auto& r = records[static_cast<std::size_t>(matchupKey(h1, h2))];
            r.low1 = static_cast<std::uint8_t>(h1.low);
            r.high1 = static_cast<std::uint8_t>(h1.high);
            r.low2 = static_cast<std::uint8_t>(h2.low);
            r.high2 = static_cast<std::uint8_t>(h2.high);
            r.wins = static_cast<std::int32_t>(won);
            r.ties = static_cast<std::int32_t>(total - won - lost);
            r.total = static_cast<std::int32_t>(total);
        }
    EquityTable table;
    table.setRecords(std::move(records));
    return table;
}

}  // namespace torvel::tablegen
