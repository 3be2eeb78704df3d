#include "tablegen/rankingbuilder.h"

#include <algorithm>
#include <numeric>

#include "engine/constants.h"

namespace torvel::tablegen {

namespace {

// a * b as a 128-bit number (high, low), for exact comparison of fractions
// whose cross products overflow 64 bits.
std::pair<std::uint64_t, std::uint64_t> multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xffffffffu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xffffffffu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xffffffffu) + (lowHigh & 0xffffffffu);
    const std::uint64_t high = aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32);
    return {high, (middle << 32) | (lowLow & 0xffffffffu)};
}

struct ClassShare {
    int order = 0;             // position in allHandClasses()
    std::uint64_t points = 0;  // sum of 2 * wins + ties
    std::uint64_t outcomes = 0;  // sum of 2 * total
};

bool stronger(const ClassShare& x, const ClassShare& y) {
    const auto left = multiply(x.points, y.outcomes);
    const auto right = multiply(y.points, x.outcomes);
    if (left != right)
        return left > right;
    return x.order < y.order;
}

}  // namespace

LoadResult buildRanking(const EquityTable& table, HandRanking& ranking) {
    const auto& classes = allHandClasses();
    std::vector<ClassShare> shares(classes.size());
    for (std::size_t a = 0; a < classes.size(); ++a) {
        shares[a].order = static_cast<int>(a);
        for (const auto& opponent : classes) {
            const EquityRecord* r = table.at(matchupKey(classes[a], opponent));
            const std::string name = handClassName(classes[a]) + " vs " + handClassName(opponent);
            if (!r || !r->holds(classes[a], opponent))
                return LoadResult::failure("equity table: no record of " + name);
            if (r->total <= 0 || r->wins < 0 || r->ties < 0 || r->total - r->wins < r->ties)
                return LoadResult::failure("equity table: impossible counts for " + name);
            shares[a].points += 2 * static_cast<std::uint64_t>(r->wins) + static_cast<std::uint64_t>(r->ties);
            shares[a].outcomes += 2 * static_cast<std::uint64_t>(r->total);
        }
    }
    std::sort(shares.begin(), shares.end(), stronger);

    std::vector<RankingEntry> entries;
    int combos = 0;
    for (const auto& share : shares) {
        const HandClass& c = classes[static_cast<std::size_t>(share.order)];
        RankingEntry e;
        e.low = static_cast<std::uint8_t>(c.low);
        e.high = static_cast<std::uint8_t>(c.high);
        e.extra1 = static_cast<std::uint8_t>(combosOfClass(c));
        e.extra2 = kRankingFormatVersion;
        // points <= outcomes < 2^37, so the product stays within 64 bits.
        e.value1 = static_cast<std::int32_t>((share.points * 2000000 + share.outcomes) / (2 * share.outcomes));
        combos += combosOfClass(c);
        e.value2 = combos;
        entries.push_back(e);
    }
    ranking.setEntries(std::move(entries));
    return LoadResult::success();
}

}  // namespace torvel::tablegen
