#include "engine/handranking.h"

#include <algorithm>
#include <array>

#include "engine/constants.h"
#include "engine/datafile.h"

namespace torvel {

namespace {
constexpr std::size_t kMaxRankingBytes = 4 + static_cast<std::size_t>(kRankingEntryBytes) * kHandRankingCapacity;
}

LoadResult HandRanking::load(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (auto opened = readWholeFile(path, kMaxRankingBytes, bytes); !opened) {
        entries_.clear();
        return opened;
    }
    return loadFromBytes(bytes, path);
}

LoadResult HandRanking::loadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    entries_.clear();
    if (bytes.size() < 4)
        return LoadResult::failure(name + ": file is empty or shorter than its entry count");
    const std::int32_t count = datafile::readInt32(bytes.data());
    if (count < 0)
        return LoadResult::failure(name + ": negative entry count " + std::to_string(count));
    if (count > kHandRankingCapacity)
        return LoadResult::failure(name + ": entry count " + std::to_string(count) + " exceeds the capacity of " +
                                   std::to_string(kHandRankingCapacity));
    if (count < kHandClassCount)
        return LoadResult::failure(name + ": holds " + std::to_string(count) + " entries, " +
                                   std::to_string(kHandClassCount) + " are needed");
    const std::size_t complete = (bytes.size() - 4) / kRankingEntryBytes;
    if (complete < static_cast<std::size_t>(count))
        return LoadResult::failure(name + ": truncated, " + std::to_string(count) + " entries announced but only " +
                                   std::to_string(complete) + " present");

    std::vector<RankingEntry> entries(static_cast<std::size_t>(count));
    std::array<bool, kRankCount * kClassHighCount> seen{};
    const std::uint8_t* at = bytes.data() + 4;
    for (std::size_t k = 0; k < entries.size(); ++k, at += kRankingEntryBytes) {
        auto& e = entries[k];
        e.low = at[0];
        e.high = at[1];
        e.extra1 = at[2];
        e.extra2 = at[3];
        e.value1 = datafile::readInt32(at + 4);
        e.value2 = datafile::readInt32(at + 8);
        if (k >= static_cast<std::size_t>(kHandClassCount))
            continue;  // spare room beyond the 169 classes is never read
        if (!isCanonicalClass(e.handClass()))
            return LoadResult::failure(name + ": position " + std::to_string(k) + " holds no valid hand class");
        bool& already = seen[static_cast<std::size_t>(e.low * kClassHighCount + e.high)];
        if (already)
            return LoadResult::failure(name + ": class " + handClassName(e.handClass()) + " appears twice");
        already = true;
    }
    entries_ = std::move(entries);
    return LoadResult::success();
}

int HandRanking::positionOf(const HandClass& c) const {
    const int n = std::min(size(), kHandClassCount);
    for (int p = 0; p < n; ++p)
        if (classAt(p) == c)
            return p;
    return -1;
}

std::vector<std::uint8_t> HandRanking::serialize() const {
    std::vector<std::uint8_t> out;
    out.reserve(4 + entries_.size() * kRankingEntryBytes);
    datafile::appendInt32(out, static_cast<std::int32_t>(entries_.size()));
    for (const auto& e : entries_) {
        out.insert(out.end(), {e.low, e.high, e.extra1, e.extra2});
        datafile::appendInt32(out, e.value1);
        datafile::appendInt32(out, e.value2);
    }
    return out;
}

}  // namespace torvel
