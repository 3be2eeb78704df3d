// The export text byte for byte, read back by the import, written whole or not at all.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "engine/cards.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "importtestsupport.h"
#include "testfiles.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// Seven players, the hero folds his big blind to a push after a limper; three
// players, the hero pushes 800 behind his small blind. The golden test holds
// their situations: an export that reads back to its own bytes carries them.
TEST(ExportText, HeroInTheBigBlindAndHeroAllInByteForByte) {
    const std::string both = fixture("party_export.txt");
    const ImportRecord record = importBytes(both);
    ASSERT_EQ(record.decisions.size(), 2u);
    EXPECT_EQ(import::exportText({record.decisions[0].get()}), both.substr(0, both.find("Game #2 starts.")));
    EXPECT_EQ(import::exportText({record.decisions[0].get(), record.decisions[1].get()}), both);
    EXPECT_EQ(import::exportText({}), "");
}

TEST(ExportText, EveryHeroActionHasItsLineAndNoHeroNoDeal) {
    const std::string dealt = "** Dealing down cards **\r\nDealt to Hero [  7d 7c ]\r\nGus folds\r\n";
    const struct {
        int heroSeat, action;
        std::string tail;
    } cases[] = {{1, 0, dealt + "Hero folds\r\n\r\n\r\n"},      {1, 1, dealt + "Hero calls [100]\r\n\r\n\r\n"},
                 {1, 2, dealt + "Hero raises [100]\r\n\r\n\r\n"}, {1, 5, dealt + "Hero checks\r\n\r\n\r\n"},
                 {1, -1, dealt + "\r\n\r\n"},                      {-1, 3, "** Dealing down cards **\r\n\r\n\r\n"},
                 {6, 3, "** Dealing down cards **\r\n\r\n\r\n"}};
    ImportRecord record = importBytes(fixture("party_export.txt"));
    ASSERT_EQ(record.decisions.size(), 2u);
    GameState& g = *record.decisions[1];
    for (const auto& c : cases) {
        g.heroSeat = c.heroSeat;
        g.heroAction = c.action;
        const std::string text = import::exportText({&g});
        EXPECT_EQ(text.substr(text.find("** Dealing")), c.tail) << c.heroSeat << " " << c.action;
    }
}

// What the export carries: no ante (no line for it), a posted small blind, and no blind that
// also called or raised (the bet line holds the blind, which the import posts once more).
bool exportCarriesEverything(const GameState& g) {
    bool smallBlindPosted = false;
    for (const auto& s : g.seats) {
        smallBlindPosted = smallBlindPosted || s.isSmallBlind;
        if ((s.isSmallBlind || s.isBigBlind) && s.status == kSeatOpponent &&
            (s.action == kActionCall || s.action == kActionRaise) && s.stack > 0)
            return false;
    }
    return g.ante == 0 && g.bigBlind < 800 && smallBlindPosted;
}

// The export drops the names, the buy-in and the opponents' all-in marks.
nlohmann::json exportedJson(const GameState& g) {
    nlohmann::json j = situationJson(g);
    j.erase("buyInText");
    for (auto& seat : j["seats"]) {
        seat.erase("name");
        if (!seat.contains("hero"))
            seat.erase("isAllIn");
    }
    return j;
}

TEST(ExportText, ImportedDecisionsSurviveTheRoundTrip) {
    int roundTrips = 0;
    for (const char* name : {"pokerstars_game", "pokerstars_hand", "fulltilt", "party_gameno_2005", "party_gameno_2018",
                             "party_handhistory", "party_email"}) {
        ImportRecord record = importBytes(fixture(std::string(name) + ".txt"));
        for (auto& g : record.decisions) {
            if (!exportCarriesEverything(*g))
                continue;
            SCOPED_TRACE(std::string(name) + " hand " + g->handId);
            // As listed: the all-in mark lives on in the hero's action.
            import::normaliseHeroAction(*g);
            g->seats[static_cast<std::size_t>(g->heroSeat)].isAllIn = false;
            ImportRecord back = importBytes(import::exportText({g.get()}));
            ASSERT_EQ(back.decisions.size(), 1u);
            import::normaliseHeroAction(*back.decisions[0]);
            EXPECT_EQ(exportedJson(*back.decisions[0]), exportedJson(*g));
            ++roundTrips;
        }
    }
    EXPECT_GE(roundTrips, 8);
}

TEST(ExportFileName, AddsTxtUnlessThereAlready) {
    EXPECT_EQ(import::exportFileName("hands"), "hands.txt");
    EXPECT_EQ(import::exportFileName("hands.txt"), "hands.txt");
    EXPECT_EQ(import::exportFileName("hands.TXT"), "hands.TXT.txt");
    EXPECT_EQ(import::exportFileName("dir.txt/hands"), "dir.txt/hands.txt");
}

TEST(WriteFileAtomically, ReplacesTheWholeFileOrReportsAndLeavesNothing) {
    ScratchDir dir;
    const auto entries = [&dir] {
        return std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator());
    };
    const std::string path = dir.file("export.txt");
    ASSERT_TRUE(import::writeFileAtomically(path, std::string(5000, 'a')));
    ASSERT_TRUE(import::writeFileAtomically(path, "short"));
    EXPECT_EQ(readText(path), "short");
    EXPECT_EQ(entries(), 1);

    // Only regular files are replaced; directories, pipes, devices and open descriptors stay.
    std::filesystem::create_directories(dir.file("taken/inside"));
    std::filesystem::create_directory(dir.file("empty"));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.file("pipe"), dir.file("to-pipe"));
    const std::pair<std::string, const char*> refusals[] = {
        {dir.file("no/such/dir/export.txt"), "no/such/dir/export.txt:"}, {dir.file("taken"), "taken"},
        {dir.file("empty"), "not a regular file"},   {dir.file("pipe"), "not a regular file"},
        {dir.file("to-pipe"), "not a regular file"}, {"/dev/null", "not a regular file"},
        {"/dev/stdout", "open file descriptor"},     {"/dev/fd/2", "open file descriptor"},
        {"/proc/self/fd/1", "open file descriptor"}};
    for (const auto& [target, reason] : refusals) {
        const auto refused = import::writeFileAtomically(target, "text");
        EXPECT_FALSE(refused) << target;
        EXPECT_NE(refused.reason.find(reason), std::string::npos) << refused.reason;
        // The reason names the file asked for, never the temporary beside it.
        EXPECT_EQ(refused.reason.find(".tmp-"), std::string::npos) << refused.reason;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken/inside")) && std::filesystem::is_fifo(dir.file("pipe")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("empty")) && std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(entries(), 5);
}

}  // namespace
