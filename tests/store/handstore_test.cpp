// The hand database: a decision kept once, nothing of a failed file, an old schema brought
// forward, a file that is not ours refused untouched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "store/handstore.h"
#include "storetestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

std::vector<store::DecisionRecord> loadAll(const std::string& path, const store::DecisionFilter& filter = {}) {
    store::HandStore db;
    std::vector<store::DecisionRecord> records;
    EXPECT_TRUE(db.open(path, store::HandStore::OpenMode::MustExist));
    EXPECT_TRUE(db.load(filter, records));
    return records;
}

class HandStoreTest : public ::testing::Test {
protected:
    CliRun import(std::vector<std::string> files) {
        files.insert(files.begin(), {"import", "--db", store_.database()});
        return store_.run(files);
    }
    StoreDir store_;
};

TEST_F(HandStoreTest, ImportingTwiceKeepsEachDecisionOnce) {
    const std::vector<std::string> files = {fixturePath("pokerstars_game.txt"), fixturePath("party_gameno_2005.txt"),
                                            fixturePath("fulltilt.txt")};
    const CliRun first = import(files);
    ASSERT_EQ(first.status, 0) << first.err;
    const auto stored = loadAll(store_.database());
    ASSERT_GE(stored.size(), 8u);
    const CliRun second = import(files);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out.find("\"stored\":0"), std::string::npos);
    EXPECT_EQ(second.out.find("\"stored\":1"), std::string::npos);
    EXPECT_EQ(loadAll(store_.database()).size(), stored.size());

    // What the header says is kept with the decision.
    const auto& first_ = stored.front();
    EXPECT_EQ(std::tuple(first_.site, first_.tournamentId, first_.playedAt, first_.profile),
              std::tuple("PartyPoker", "17000001", "2005-09-18 19:42:10", "tight"));
    EXPECT_FALSE(first_.hero.empty() || first_.position.empty() || first_.hand.empty());
}

TEST_F(HandStoreTest, TheStoredSituationIsTheOneGraded) {
    ASSERT_EQ(import({fixturePath("pokerstars_hand.txt"), fixturePath("party_email.txt")}).status, 0);
    const auto stored = loadAll(store_.database());
    ASSERT_FALSE(stored.empty());
    for (const auto& r : stored) {
        SCOPED_TRACE(r.handId);
        std::ofstream(store_.dir.file("situation.json")) << r.situation;
        const CliRun analysed = store_.run({"analyze", store_.dir.file("situation.json")});
        ASSERT_EQ(analysed.status, 0) << analysed.err;
        const auto results = nlohmann::json::parse(analysed.out);
        EXPECT_NEAR(results["evPush"].get<double>(), r.evPush, 1e-6);
        EXPECT_NEAR(results["evFold"].get<double>(), r.evFold, 1e-6);
        EXPECT_EQ(results["decision"].get<int>(), r.decision);
    }
}

TEST_F(HandStoreTest, AFailedFileLeavesOnlyTheCompleteFiles) {
    const CliRun r = import({fixturePath("pokerstars_game.txt"), store_.dir.file("missing.txt"),
                             fixturePath("party_gameno_2005.txt")});
    EXPECT_EQ(r.status, 2);
    // The three graded decisions of each good file, nothing else.
    EXPECT_EQ(loadAll(store_.database()).size(), 6u);
}

TEST_F(HandStoreTest, AWriteErrorHalfWayStoresNothingOfTheImport) {
    ASSERT_EQ(import({fixturePath("pokerstars_game.txt")}).status, 0);
    const auto before = loadAll(store_.database());
    // The disk "fills up" at the second decision of the next file.
    ASSERT_EQ(store_.sql("CREATE TRIGGER full BEFORE INSERT ON decisions WHEN (SELECT count(*) FROM decisions) > " +
                         std::to_string(before.size()) + " BEGIN SELECT RAISE(ABORT, 'disk full'); END;"),
              0);
    const CliRun r = import({fixturePath("party_gameno_2005.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("disk full"), std::string::npos) << r.err;
    EXPECT_EQ(loadAll(store_.database()).size(), before.size());
}

TEST_F(HandStoreTest, RefusesFilesThatAreNotItsOwnWithoutTouchingThem) {
    const struct {
        std::string setUp;  // SQL, or the bytes of a plain file
        const char* reason;
    } cases[] = {
        {"Seat 1: Hero (1500)\n", "not a hand database"},
        {"CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('keep me');", "another program"},
        {"CREATE TABLE decisions (x); PRAGMA user_version = 99;", "newer version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        std::filesystem::remove(store_.database());
        if (!c.setUp.starts_with("CREATE"))
            std::ofstream(store_.database(), std::ios::binary) << c.setUp;
        else
            ASSERT_EQ(store_.sql(c.setUp), 0);
        const std::string bytes = readText(store_.database());
        const CliRun r = import({fixturePath("pokerstars_game.txt")});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line";
        EXPECT_EQ(store_.run({"report", "--db", store_.database()}).status, 2);
        EXPECT_EQ(readText(store_.database()), bytes);
    }
}

TEST_F(HandStoreTest, AVersionOneDatabaseIsMigratedWithItsDecisions) {
    ASSERT_EQ(import({fixturePath("pokerstars_hand.txt"), fixturePath("party_handhistory.txt")}).status, 0);
    const auto current = loadAll(store_.database());
    ASSERT_GE(current.size(), 3u);

    // Back to the first schema: no position, hand, stack or verdict columns.
    ASSERT_EQ(store_.sql("DROP INDEX decisions_played_at; DROP INDEX decisions_tournament;"
                         "ALTER TABLE decisions DROP COLUMN position; ALTER TABLE decisions DROP COLUMN hand;"
                         "ALTER TABLE decisions DROP COLUMN stack_bb; ALTER TABLE decisions DROP COLUMN correct;"
                         "PRAGMA user_version = 1;"),
              0);

    const auto migrated = loadAll(store_.database());
    EXPECT_EQ(store_.sql("PRAGMA user_version"), store::HandStore::kSchemaVersion);
    ASSERT_EQ(migrated.size(), current.size());
    for (std::size_t i = 0; i < current.size(); ++i) {
        SCOPED_TRACE(current[i].handId);
        EXPECT_EQ(std::tuple(migrated[i].handId, migrated[i].position, migrated[i].hand, migrated[i].correct),
                  std::tuple(current[i].handId, current[i].position, current[i].hand, current[i].correct));
        EXPECT_DOUBLE_EQ(migrated[i].stackBigBlinds, current[i].stackBigBlinds);
    }
    // Still the same key after the migration.
    ASSERT_EQ(import({fixturePath("pokerstars_hand.txt")}).status, 0);
    EXPECT_EQ(loadAll(store_.database()).size(), current.size());
}

TEST_F(HandStoreTest, FiltersByTournamentAndDate) {
    ASSERT_EQ(import({fixturePath("pokerstars_game.txt"), fixturePath("pokerstars_hand.txt"),
                      fixturePath("party_gameno_2005.txt")})
                  .status,
              0);
    const long long all = store_.sql("SELECT count(*) FROM decisions");
    const std::pair<store::DecisionFilter, const char*> cases[] = {
        {{"300100200", "", ""}, "tournament = '300100200'"},
        {{"", "2016-12-03", ""}, "played_at >= '2016-12-03'"},
        {{"", "", "2009-03-14"}, "played_at <> '' AND played_at < '2009-03-15'"},
    };
    for (const auto& [filter, where] : cases) {
        SCOPED_TRACE(where);
        const long long expected = store_.sql(std::string("SELECT count(*) FROM decisions WHERE ") + where);
        EXPECT_GT(expected, 0);
        EXPECT_LT(expected, all);
        EXPECT_EQ(static_cast<long long>(loadAll(store_.database(), filter).size()), expected);
    }
}

TEST_F(HandStoreTest, RealSampleFilesAreStoredWithTheirHeaders) {
    const std::filesystem::path samples = TORVEL_HH_SAMPLES;
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "no sample hand histories at " << samples;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path().string());
    ASSERT_EQ(import(files).status, 0);
    EXPECT_GT(store_.sql("SELECT count(*) FROM decisions"), 50);
    EXPECT_EQ(store_.sql("SELECT count(*) FROM decisions WHERE site = '' OR played_at = '' OR position = ''"), 0);
}

}  // namespace
