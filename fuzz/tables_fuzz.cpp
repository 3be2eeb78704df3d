// The loaders of table.res and ranking.res: on arbitrary bytes, and on the
// committed table with the input applied as changes to its records, so the
// record checks meet every kind of damage and what they let through is sound.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/datafile.h"
#include "engine/equitytable.h"
#include "engine/handranking.h"

namespace {

using namespace torvel;

const std::vector<std::uint8_t>& committedTable() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> read;
        datafile::readPrefix(TORVEL_TABLE_FILE, 4 + std::size_t{kEquityRecordBytes} * kEquityTableCapacity, read);
        EquityTable check;
        if (!check.loadFromBytes(read, TORVEL_TABLE_FILE).ok)
            std::abort();  // the fuzzer needs a sound table to start from
        return read;
    }();
    return bytes;
}

// Each 4 input bytes change one record: 17 bits pick the key, 3 the field,
// and a signed 12-bit amount sets a class byte, nudges wins, ties or total,
// or replaces the total. Short inputs matter: a slow target grows them slowly.
std::vector<std::uint8_t> damaged(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes = committedTable();
    for (std::size_t at = 0; at + 4 <= size; at += 4) {
        const auto bits = static_cast<std::uint32_t>(datafile::readInt32(data + at));
        const std::size_t key = (bits & 0x1FFFF) % static_cast<std::size_t>(kMatchupKeyCount);
        const unsigned field = (bits >> 17) & 7;
        const std::int32_t amount = static_cast<std::int32_t>(bits >> 20) - 2048;
        std::uint8_t* record = bytes.data() + 4 + key * kEquityRecordBytes;
        if (field < 4) {
            record[field] = static_cast<std::uint8_t>(amount);
            continue;
        }
        const unsigned offset = field < 7 ? 4 * (field - 3) : 12;
        const std::int32_t old = datafile::readInt32(record + offset);
        std::vector<std::uint8_t> word;
        datafile::appendInt32(word, field < 7 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(old) +
                                                                          static_cast<std::uint32_t>(amount))
                                              : amount);
        std::copy(word.begin(), word.end(), record + offset);
    }
    return bytes;
}

void requireSound(const EquityTable& table) {
    for (const HandClass& a : allHandClasses())
        for (const HandClass& b : allHandClasses()) {
            const EquityRecord& r = *table.at(matchupKey(a, b));
            const EquityRecord& back = *table.at(matchupKey(b, a));
            if (!r.holds(a, b) || r.total <= 0 || r.wins < 0 || r.ties < 0 ||
                std::int64_t{r.wins} + r.ties > r.total || back.total != r.total || back.ties != r.ties ||
                std::int64_t{back.wins} != std::int64_t{r.total} - r.wins - r.ties)
                __builtin_trap();
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    EquityTable table;
    if (table.loadFromBytes(bytes, "fuzz").ok)
        requireSound(table);
    HandRanking ranking;
    if (ranking.loadFromBytes(bytes, "fuzz").ok)
        (void)ranking.positionOf(ranking.classAt(ranking.size() - 1));

    EquityTable changed;
    if (changed.loadFromBytes(damaged(data, size), "fuzz").ok)
        requireSound(changed);
    return 0;
}
