#pragma once
// The 169 starting-hand classes from strongest to weakest, read from
// ranking.res. A range is a band [from, to) of these positions.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/cards.h"
#include "engine/equitytable.h"

namespace torvel {

struct RankingEntry {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    // Kept with each class for reports and checks; the engine does not
    // read them. As tools/tablegen writes them:
    //   extra1  combinations of the class (6, 4 or 12)
    //   extra2  format version of these four fields (1)
    //   value1  all-in equity against a random hand, in millionths
    //   value2  combinations of this and all stronger classes (1326 last)
    std::uint8_t extra1 = 0;
    std::uint8_t extra2 = 0;
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;

    HandClass handClass() const { return {low, high}; }
};

inline constexpr int kRankingEntryBytes = 12;

class HandRanking {
public:
    LoadResult load(const std::string& path);
    LoadResult loadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& name);

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    // The class at ranking position p; position must lie in 0..size()-1.
    HandClass classAt(int position) const { return entries_[static_cast<std::size_t>(position)].handClass(); }
    const std::vector<RankingEntry>& entries() const { return entries_; }
    void setEntries(std::vector<RankingEntry> entries) { entries_ = std::move(entries); }
    // Position of a canonical class, -1 when absent.
    int positionOf(const HandClass& c) const;

    std::vector<std::uint8_t> serialize() const;

private:
    std::vector<RankingEntry> entries_;
};

}  // namespace torvel
