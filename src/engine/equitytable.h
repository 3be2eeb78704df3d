#pragma once
// The showdown counts of every starting-hand class against every other,
// read from table.res: record k holds the matchup whose key is k.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/cards.h"

namespace torvel {

struct EquityRecord {
    std::uint8_t low1 = 0;
    std::uint8_t high1 = 0;
    std::uint8_t low2 = 0;
    std::uint8_t high2 = 0;
    std::int32_t wins = 0;
    std::int32_t ties = 0;
    std::int32_t total = 0;

    bool holds(const HandClass& hand1, const HandClass& hand2) const {
        return low1 == hand1.low && high1 == hand1.high && low2 == hand2.low && high2 == hand2.high;
    }
};

// Result of loading a data file: ok, or a one-line reason naming the file.
struct LoadResult {
    bool ok = true;
    std::string reason;
    static LoadResult success() { return {}; }
    static LoadResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

inline constexpr int kEquityRecordBytes = 16;

class EquityTable {
public:
    // Replaces the contents with the records of the file; on failure the
    // table is left empty and the reason names the file and the fault. Every
    // record of a real matchup is checked: its classes, counts that add up,
    // the total of its combination pairs and boards, and its reverse.
    LoadResult load(const std::string& path);
    // Same, from bytes in memory (the file's whole contents).
    LoadResult loadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& name);

    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    // The record at key, or nullptr when the key is outside the table.
    const EquityRecord* at(int key) const {
        return key >= 0 && key < size() ? &records_[static_cast<std::size_t>(key)] : nullptr;
    }
    const std::vector<EquityRecord>& records() const { return records_; }
    void setRecords(std::vector<EquityRecord> records) { records_ = std::move(records); }

    // The on-disk form of the table (count and records, little-endian).
    std::vector<std::uint8_t> serialize() const;

private:
    std::vector<EquityRecord> records_;
};

// The pairs of card combinations, one of each class, that share no card: a
// record's total is this times kBoardsPerComboPair.
int disjointComboPairs(const HandClass& hand1, const HandClass& hand2);

// Reads a whole file into memory, refusing files above maxBytes.
LoadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out);

}  // namespace torvel
