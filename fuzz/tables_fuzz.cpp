// The loaders of table.res and ranking.res on arbitrary bytes.
#include <cstdint>
#include <vector>

#include "engine/equitytable.h"
#include "engine/handranking.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    torvel::EquityTable table;
    if (table.loadFromBytes(bytes, "fuzz").ok && table.size() > 0)
        (void)table.at(table.size() - 1)->total;
    torvel::HandRanking ranking;
    if (ranking.loadFromBytes(bytes, "fuzz").ok)
        (void)ranking.positionOf(ranking.classAt(ranking.size() - 1));
    return 0;
}
