#include "engine/equitytable.h"

#include "engine/constants.h"
#include "engine/datafile.h"

namespace torvel {

namespace {
constexpr std::size_t kMaxTableBytes = 4 + static_cast<std::size_t>(kEquityRecordBytes) * kEquityTableCapacity;
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
