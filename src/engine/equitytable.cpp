#include "engine/equitytable.h"

#include "engine/constants.h"
#include "engine/datafile.h"

namespace torvel {

namespace {
constexpr std::size_t kMaxTableBytes = 4 + static_cast<std::size_t>(kEquityRecordBytes) * kEquityTableCapacity;

// The cards of every combination of each class, as bit sets, by low * 26 + high.
const std::vector<std::vector<std::uint64_t>>& combinationsByClass() {
    static const auto byClass = [] {
        std::vector<std::vector<std::uint64_t>> sets(static_cast<std::size_t>(kRankCount * kClassHighCount));
        for (int a = 0; a < kCardCount; ++a)
            for (int b = a + 1; b < kCardCount; ++b) {
                const HandClass c = classOfCards(a, b);
                sets[static_cast<std::size_t>(c.low * kClassHighCount + c.high)].push_back((1ULL << a) | (1ULL << b));
            }
        return sets;
    }();
    return byClass;
}

// Empty when the record of the real matchup (hand1, hand2) is sound on its
// own; with checkReverse, when it agrees with the record of the reverse.
std::string recordFault(const std::vector<EquityRecord>& records, const HandClass& hand1, const HandClass& hand2,
                        bool checkReverse) {
    const EquityRecord& r = records[static_cast<std::size_t>(matchupKey(hand1, hand2))];
    // Named only for a fault: the loader checks 57122 records at every start.
    const auto matchup = [&] { return handClassName(hand1) + " against " + handClassName(hand2); };
    if (checkReverse) {
        const EquityRecord& back = records[static_cast<std::size_t>(matchupKey(hand2, hand1))];
        if (back.total != r.total || back.ties != r.ties ||
            std::int64_t{back.wins} != std::int64_t{r.total} - r.wins - r.ties)
            return "the records of " + matchup() + " and the reverse disagree";
        return {};
    }
    if (!r.holds(hand1, hand2))
        return "the record of " + matchup() + " holds other classes";
    const std::int64_t expected = std::int64_t{disjointComboPairs(hand1, hand2)} * kBoardsPerComboPair;
    if (r.total != expected)
        return "the record of " + matchup() + " counts " + std::to_string(r.total) + " outcomes, not " +
               std::to_string(expected);
    if (r.wins < 0 || r.ties < 0 || std::int64_t{r.wins} + r.ties > r.total)
        return "the counts of " + matchup() + " do not add up";
    return {};
}

}  // namespace

int disjointComboPairs(const HandClass& hand1, const HandClass& hand2) {
    if (!isCanonicalClass(hand1) || !isCanonicalClass(hand2))
        return 0;
    const auto& byClass = combinationsByClass();
    const auto& first = byClass[static_cast<std::size_t>(hand1.low * kClassHighCount + hand1.high)];
    const auto& second = byClass[static_cast<std::size_t>(hand2.low * kClassHighCount + hand2.high)];
    // Every combination of a class looks the same to the other class up to
    // a change of suits, so one stands for all.
    int disjoint = 0;
    for (std::uint64_t other : second)
        disjoint += (first.front() & other) == 0 ? 1 : 0;
    return disjoint * static_cast<int>(first.size());
}

LoadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out) {
    if (!datafile::readPrefix(path, maxBytes, out))
        return LoadResult::failure(path + ": cannot be opened");
    return LoadResult::success();
}

LoadResult EquityTable::load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (auto opened = readWholeFile(path, kMaxTableBytes, bytes); !opened) {
        records_.clear();
        return opened;
    }
    return loadFromBytes(bytes, path);
}

LoadResult EquityTable::loadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    records_.clear();
    if (bytes.size() < 4)
        return LoadResult::failure(name + ": file is empty or shorter than its record count");
    const std::int32_t count = datafile::readInt32(bytes.data());
    if (count < 0)
        return LoadResult::failure(name + ": negative record count " + std::to_string(count));
    if (count > kEquityTableCapacity)
        return LoadResult::failure(name + ": record count " + std::to_string(count) + " exceeds the capacity of " +
                                   std::to_string(kEquityTableCapacity));
    if (count < kMatchupKeyCount)
        return LoadResult::failure(name + ": holds " + std::to_string(count) + " records, " +
                                   std::to_string(kMatchupKeyCount) + " are needed");
    const std::size_t complete = (bytes.size() - 4) / kEquityRecordBytes;
    if (complete < static_cast<std::size_t>(count))
        return LoadResult::failure(name + ": truncated, " + std::to_string(count) + " records announced but only " +
                                   std::to_string(complete) + " present");

    std::vector<EquityRecord> records(static_cast<std::size_t>(count));
    const std::uint8_t* at = bytes.data() + 4;
    for (auto& r : records) {
        r.low1 = at[0];
        r.high1 = at[1];
        r.low2 = at[2];
        r.high2 = at[3];
        r.wins = datafile::readInt32(at + 4);
        r.ties = datafile::readInt32(at + 8);
        r.total = datafile::readInt32(at + 12);
        at += kEquityRecordBytes;
    }
    for (const bool checkReverse : {false, true})
        for (const HandClass& hand1 : allHandClasses())
            for (const HandClass& hand2 : allHandClasses())
                if (const std::string fault = recordFault(records, hand1, hand2, checkReverse); !fault.empty())
                    return LoadResult::failure(name + ": " + fault);
    records_ = std::move(records);
    return LoadResult::success();
}

std::vector<std::uint8_t> EquityTable::serialize() const {
    std::vector<std::uint8_t> out;
    out.reserve(4 + records_.size() * kEquityRecordBytes);
    datafile::appendInt32(out, static_cast<std::int32_t>(records_.size()));
    for (const auto& r : records_) {
        out.insert(out.end(), {r.low1, r.high1, r.low2, r.high2});
        datafile::appendInt32(out, r.wins);
        datafile::appendInt32(out, r.ties);
        datafile::appendInt32(out, r.total);
    }
    return out;
}

}  // namespace torvel
