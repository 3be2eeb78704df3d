#include <gtest/gtest.h>

#include <tuple>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/datafile.h"
#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "engine/plainowner.h"
#include "synthetictables.h"
#include "testfiles.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// A table the loader accepts; records of no real matchup carry their key, so a shifted read shows.
EquityTable soundTable(int count = kMatchupKeyCount) {
    PlainOwner owner;
    fillLoadableSyntheticTables(owner, [](int a, int b) { return a == b ? 0.5 : (a < b ? 0.7 : 0.3); });
    auto records = owner.equityTable().records();
    records.resize(static_cast<std::size_t>(count), EquityRecord{255, 255, 255, 255, 0, 0, 0});
    for (int k = 0; k < count; ++k)
        if (auto& r = records[static_cast<std::size_t>(k)]; r.low1 == 255)
            r = {static_cast<std::uint8_t>(k % 13), static_cast<std::uint8_t>(k % 26), static_cast<std::uint8_t>(k % 7),
                 static_cast<std::uint8_t>(k % 11), k, -k, 3 * k + 1};
    EquityTable t;
    t.setRecords(std::move(records));
    return t;
}

HandRanking canonicalRanking() {
    PlainOwner owner;
    fillSyntheticTables(owner, strongerWins);
    return owner.handRanking();
}

std::vector<std::uint8_t> withCount(std::vector<std::uint8_t> bytes, std::int32_t count) {
    std::vector<std::uint8_t> head;
    datafile::appendInt32(head, count);
    std::copy(head.begin(), head.end(), bytes.begin());
    return bytes;
}

// The bytes with one field of record key replaced: a class byte at offset 0..3, or wins, ties or total at 4, 8 or 12.
std::vector<std::uint8_t> patched(std::vector<std::uint8_t> bytes, int key, int offset, std::int32_t value) {
    const auto at = static_cast<std::size_t>(4 + kEquityRecordBytes * key + offset);
    if (offset < 4) {
        bytes[at] = static_cast<std::uint8_t>(value);
        return bytes;
    }
    std::vector<std::uint8_t> field;
    datafile::appendInt32(field, value);
    std::copy(field.begin(), field.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

struct BadFile {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* reasonPart;
};

}  // namespace

TEST(EquityTableLoad, BadFilesGiveAReasonAndAnEmptyTable) {
    ScratchDir dir;
    const auto good = soundTable().serialize();
    const BadFile cases[] = {
        {"empty file", {}, "empty"},
        {"one byte short", {good.begin(), good.end() - 1}, "truncated"},
        {"count above the capacity", withCount(good, kEquityTableCapacity + 1), "capacity"},
        {"negative count", withCount(good, -5), "negative"},
        {"fewer records than keys", withCount(good, 1000), "needed"},
        // AA against 22 (key 113919, 36 combination pairs, 0.7 won) and back (key 4731).
        {"other classes", patched(good, 113919, 1, 24), "AA against 22 holds other classes"},
        {"no outcomes", patched(good, 113919, 12, 0), "counts 0 outcomes, not"},
        {"a total of another basis", patched(good, 113919, 12, 36000), "not 61642944"},
        {"negative wins", patched(good, 113919, 4, -31), "do not add up"},
        {"wins and ties above the total", patched(good, 4731, 8, 61642944), "do not add up"},
        {"one win more than the reverse leaves", patched(good, 4731, 4, 18492884), "and the reverse disagree"},
    };
    for (const auto& c : cases) {
        EquityTable t = soundTable(3);
        const auto path = dir.write("bad.res", c.bytes);
        const auto result = t.load(path);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << c.what << ": " << result.reason;
        EXPECT_NE(result.reason.find(path), std::string::npos) << c.what << ": the reason names the file";
        EXPECT_EQ(result.reason.find('\n'), std::string::npos) << c.what;
        EXPECT_TRUE(t.empty()) << c.what;
    }
}

TEST(EquityTableLoad, MissingFileSpareRecordsAndRoundTrip) {
    ScratchDir dir;
    EquityTable t;
    const auto missing = t.load(dir.file("nothere.res"));
    EXPECT_TRUE(!missing.ok && missing.reason.find("cannot be opened") != std::string::npos) << missing.reason;
    // Up to the capacity extra records are accepted, in key order; bytes after the announced records are ignored.
    const auto sound = soundTable(kEquityTableCapacity).serialize();
    auto bytes = sound;
    bytes.insert(bytes.end(), 100, 0xAB);
    ASSERT_TRUE(t.load(dir.write("big.res", bytes)).ok);
    for (int k : {0, 1, 4095, kEquityTableCapacity - 1})  // keys of no real matchup
        EXPECT_EQ(std::tuple(int{t.at(k)->low1}, int{t.at(k)->high2}, t.at(k)->wins, t.at(k)->ties, t.at(k)->total),
                  std::tuple(k % 13, k % 11, k, -k, 3 * k + 1))
            << k;
    EXPECT_TRUE(t.at(-1) == nullptr && t.at(kEquityTableCapacity) == nullptr);
    EXPECT_EQ(t.serialize(), sound);
}

TEST(HandRankingLoad, BadFilesGiveAReason) {
    ScratchDir dir;
    const auto good = canonicalRanking().serialize();
    // Entry k starts at byte 4 + 12 * k with its low and high class bytes.
    auto patched = [&](int entry, std::uint8_t low, std::uint8_t high) {
        auto bytes = good;
        bytes[static_cast<std::size_t>(4 + 12 * entry)] = low;
        bytes[static_cast<std::size_t>(5 + 12 * entry)] = high;
        return bytes;
    };
    const BadFile cases[] = {
        {"empty", {}, "empty"},
        {"truncated in an entry", {good.begin(), good.begin() + 4 + 12 * 100 + 7}, "truncated"},
        {"above the capacity", withCount(good, 172), "capacity"},
        {"negative count", withCount(good, -1), "negative"},
        {"too few classes", withCount(good, 168), "needed"},
        {"a class twice", patched(7, good[4], good[5]), "twice"},
        {"not a class", patched(100, good[4 + 12 * 100], 26), "no valid hand class"},
        {"a reversed offsuit class", patched(20, 12, 24), "no valid hand class"},
    };
    for (const auto& c : cases) {
        HandRanking r = canonicalRanking();
        const auto result = r.load(dir.write("bad.res", c.bytes));
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << c.what << ": " << result.reason;
        EXPECT_TRUE(r.empty()) << c.what;
    }
    // Room beyond the 169 classes is never read.
    auto spare = good;
    spare.insert(spare.end(), 24, 0xFF);
    HandRanking r;
    EXPECT_TRUE(r.load(dir.write("spare.res", withCount(spare, 171))).ok);
    EXPECT_EQ(r.size(), 171);
    EXPECT_EQ(std::pair(r.positionOf({12, 25}), r.positionOf({12, 24})), std::pair(0, -1));  // AA; AKo reversed
}
