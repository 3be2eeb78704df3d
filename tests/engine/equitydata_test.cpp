// The committed table.res and ranking.res against well-known equities and the generator that wrote them.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/datafile.h"
#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "tablegen/equitytablebuilder.h"
#include "tablegen/rankingbuilder.h"
#include "synthetictables.h"

using namespace torvel;

namespace {

const std::string kDataDir = TORVEL_DATA_DIR;

// The table rebuild takes over a minute under the sanitizers, where the release run's rebuild must do.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

HandClass classNamed(const std::string& name) {
    for (const auto& c : allHandClasses())
        if (handClassName(c) == name)
            return c;
    ADD_FAILURE() << "no class named " << name;
    return {};
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(datafile::readPrefix(path, std::size_t{1} << 24, bytes)) << path;
    return bytes;
}

double shareOfFirst(const EquityRecord& r) { return (r.wins + r.ties / 2.0) / r.total; }

class CommittedTables : public ::testing::Test {
protected:
    struct Loaded {
        PlainOwner owner;
        LoadResult result = owner.loadTables(kDataDir);
    };
    static const Loaded& loaded() {
        static const Loaded tables;
        return tables;
    }
    void SetUp() override { ASSERT_TRUE(loaded().result.ok) << loaded().result.reason; }
    static const EquityTable& table() { return loaded().owner.equityTable(); }
    static const HandRanking& ranking() { return loaded().owner.handRanking(); }
    const EquityRecord& record(const HandClass& a, const HandClass& b) const { return *table().at(matchupKey(a, b)); }
};

}  // namespace

TEST_F(CommittedTables, GivesTheWellKnownPreflopEquities) {
    const struct {
        const char *hand1, *hand2;
        double equity;  // share of hand 1, ties counted half
    } cases[] = {{"AA", "KK", 0.819461},  {"KK", "AA", 0.180539},  {"AKo", "QQ", 0.432423},
                 {"AKo", "22", 0.473508}, {"72o", "AA", 0.118004}, {"AA", "AA", 0.5}};
    for (const auto& c : cases)
        EXPECT_NEAR(shareOfFirst(record(classNamed(c.hand1), classNamed(c.hand2))), c.equity, 5e-7)
            << c.hand1 << " vs " << c.hand2;

    const auto& aces = record(classNamed("AA"), classNamed("KK"));  // ties apart from wins
    EXPECT_NEAR(static_cast<double>(aces.ties) / aces.total, 0.004627, 5e-7);
}

// The loader refuses a ranking without each class exactly once.
TEST_F(CommittedTables, RankingRunsFromAcesDownToTreyDeuce) {
    ASSERT_EQ(ranking().size(), kHandClassCount);
    int combos = 0;
    for (int p = 0; p < ranking().size(); ++p) {
        const auto& e = ranking().entries()[static_cast<std::size_t>(p)];
        combos += combosOfClass(e.handClass());
        EXPECT_EQ(std::tuple(int{e.extra1}, int{e.extra2}, e.value2),
                  std::tuple(combosOfClass(e.handClass()), tablegen::kRankingFormatVersion, combos))
            << "position " << p;
        EXPECT_TRUE(p == 0 || e.value1 <= ranking().entries()[static_cast<std::size_t>(p - 1)].value1) << p;
    }
    EXPECT_EQ(combos, kComboCount);
    EXPECT_EQ(handClassName(ranking().classAt(0)), "AA");
    EXPECT_EQ(handClassName(ranking().classAt(kHandClassCount - 1)), "32o");

    // Equities against a random hand, to a tenth of a percent.
    for (const auto& [hand, equity] :
         {std::pair{"AA", 0.852}, {"KK", 0.824}, {"AKs", 0.670}, {"72o", 0.346}, {"32o", 0.323}}) {
        const int at = ranking().positionOf(classNamed(hand));
        ASSERT_GE(at, 0) << hand;
        EXPECT_NEAR(ranking().entries()[static_cast<std::size_t>(at)].value1 / 1e6, equity, 5e-4) << hand;
    }
}

TEST_F(CommittedTables, GeneratorRebuildsTheTablesByteForByte) {
    HandRanking rebuilt;
    const auto built = tablegen::buildRanking(table(), rebuilt);
    ASSERT_TRUE(built.ok) << built.reason;
    EXPECT_TRUE(rebuilt.serialize() == fileBytes(kDataDir + "/ranking.res"));
    if (kSanitized)
        GTEST_SKIP() << "the table is too slow to rebuild under the sanitizers; the release test run rebuilds it";
    EXPECT_TRUE(tablegen::buildEquityTable(2).serialize() == fileBytes(kDataDir + "/table.res"));
}

TEST(RankingBuilder, RefusesATableWithAMissingOrBrokenRecord) {
    EquityTable table;
    HandRanking ranking;
    EXPECT_FALSE(tablegen::buildRanking(table, ranking).ok) << "empty table";

    PlainOwner owner;
    torvel::testing::fillSyntheticTables(owner, torvel::testing::strongerWins);
    const auto records = owner.equityTable().records();
    table.setRecords(records);
    ASSERT_TRUE(tablegen::buildRanking(table, ranking).ok);

    const int key = matchupKey(classNamed("T9s"), classNamed("55"));
    const struct {
        const char* what;
        EquityRecord broken;
    } cases[] = {{"other classes", {0, 13, 0, 13, 1, 2, 4}}, {"more outcomes than total", {7, 8, 3, 16, 3, 2, 4}}};
    for (const auto& c : cases) {
        auto damaged = records;
        damaged[static_cast<std::size_t>(key)] = c.broken;
        table.setRecords(damaged);
        const auto built = tablegen::buildRanking(table, ranking);
        EXPECT_FALSE(built.ok) << c.what;
        EXPECT_NE(built.reason.find("T9s vs 55"), std::string::npos) << c.what << ": " << built.reason;
    }
}
