// torvel-cli import: graded decisions as JSON lines, summaries, the reasons with --all, the export.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include <nlohmann/json.hpp>

#include "clitestsupport.h"
#include "engine/callingprofile.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

struct ImportRun {
    int status = 0;
    std::vector<json> lines;
    std::string err;

    std::vector<json> withKey(const char* key) const {
        std::vector<json> found;
        for (const auto& l : lines)
            if (l.contains(key))
                found.push_back(l);
        return found;
    }
    std::vector<json> decisions() const { return withKey("decision"); }
    std::vector<std::string> summaries() const {
        std::vector<std::string> texts;
        for (const auto& l : withKey("summary"))
            texts.push_back(l["summary"].get<std::string>());
        return texts;
    }
};

class ImportCliTest : public ::testing::Test, public CliDataDir {
protected:
    ImportRun run(std::vector<std::string> args, const std::string& dataDirectory = {}) {
        args.insert(args.begin(), "import");
        const CliRun done = CliDataDir::run(args, {}, dataDirectory);
        return {done.status, jsonLines(done.out), done.err};
    }
};

// The rules have their own tests; here what reaches the output: the hero's action as the
// hand list reads it (a raise marked all-in, a called push), one summary per file.
TEST_F(ImportCliTest, GradesEveryRelevantDecisionThenSummarisesTheFile) {
    const std::string file = fixturePath("party_gameno_2005.txt"), other = fixturePath("party_handhistory.txt");
    const ImportRun r = run({file, other});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    ASSERT_EQ(r.lines.size(), 7u);
    const auto decisions = r.decisions();
    const std::vector<std::tuple<std::string, std::string, int>> expected = {
        {"3100000001", "KQo", 3}, {"3100000002", "99", 0}, {"3100000004", "53o", 5}, {"10400000001", "A5s", 3},
        {"10400000002", "QQ", 3}};
    ASSERT_EQ(decisions.size(), expected.size());
    for (std::size_t i = 0; i < decisions.size(); ++i) {
        const json& d = decisions[i];
        SCOPED_TRACE(d.dump());
        EXPECT_EQ(std::tuple(d["handId"], d["hand"], d["heroAction"]), expected[i]);
        EXPECT_EQ(std::tuple(d["file"], d["status"], d.contains("refused")),
                  std::tuple(i < 3 ? file : other, "relevant", false));
        EXPECT_TRUE(d["evPush"].get<double>() > 0 && d["evFold"].get<double>() > 0 && d["pushRangeText"].is_string());
        // A fold, or a check of the big blind, where folding is right counts as right.
        const int decision = d["decision"].get<int>(), action = d["heroAction"].get<int>();
        EXPECT_EQ(d["correct"].get<bool>(), decision == action || (decision == 0 && (action == 0 || action == 5)));
    }
    const json& summary = r.lines[3];
    EXPECT_EQ(std::tuple(summary["file"], summary["handCount"], summary["relevantCount"]), std::tuple(file, 4, 3));
    EXPECT_EQ(r.summaries(),
              (std::vector<std::string>{"3 (of 4) relevant hands imported.", "2 (of 4) relevant hands imported."}));
}

TEST_F(ImportCliTest, AllTellsWhyEachOtherHandWasNotGraded) {
    const ImportRun r = run({"--all", fixturePath("pokerstars_game.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    // One line per recognised hand, then the summary.
    ASSERT_EQ(r.lines.size(), 7u);
    EXPECT_EQ(std::tuple(r.lines[1]["handId"], r.lines[1]["status"], r.lines[1]["reason"]),
              std::tuple("41000000002", "dropped", "the hero never acted"));
    EXPECT_EQ(std::tuple(r.lines[0]["status"], r.lines[0].contains("decision")), std::tuple("relevant", true));
}

TEST_F(ImportCliTest, TheExportHoldsTheGradedDecisionsForTheImportToReadAgain) {
    const std::string exported = dir.file("graded.txt");
    const ImportRun r = run({"--export", exported, fixturePath("fulltilt.txt"), fixturePath("party_email.txt")});
    ASSERT_EQ(r.status, 0) << r.err;
    // The text and the round trip of each decision are the export's own tests.
    const ImportRun back = run({exported});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(r.decisions().size(), 5u);
    EXPECT_EQ(back.summaries(), std::vector<std::string>{"5 (of 5) relevant hands imported."});
}

TEST_F(ImportCliTest, AnExportThatCannotBeWrittenFailsLoudlyAndNeverReplacesAnInputOrAFileWithNothing) {
    const std::string history = dir.write("history.txt", readText(fixturePath("fulltilt.txt")));
    const std::string kept = dir.write("kept.txt", "my notes"), link = dir.file("link.txt");
    const std::string noHands = dir.write("nohands.txt", "nothing here\n");
    std::filesystem::create_symlink(history, link);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* complaint;
    } cases[] = {
        {{"--export", history, history}, 2, "is one of the imported hand histories"},
        {{"--export", link, fixturePath("party_email.txt"), history}, 2, "is one of the imported hand histories"},
        {{"--export", kept, noHands}, 0, "no graded decision to export"},
        {{"--export", dir.file("missing/graded.txt"), history}, 2, "the export was not written"},
    };
    for (const auto& c : cases) {
        const ImportRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.complaint;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
    }
    EXPECT_EQ(readText(history), readText(fixturePath("fulltilt.txt")));
    EXPECT_EQ(readText(kept), "my notes");
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST_F(ImportCliTest, TheProfileGivesTheOpponentsTheirRanges) {
    // Loose opponents call a push with 60 % of the hands.
    CallingProfile loose;
    std::fill_n(&loose.callRanges[0][0], sizeof loose.callRanges / sizeof(float), 60.0f);
    ASSERT_TRUE(loose.save(dir.file("data"), 2));
    const auto tight = run({fixturePath("fulltilt.txt")}).decisions();
    const auto wide = run({"--profile", "loose", fixturePath("fulltilt.txt")}).decisions();
    const auto nash = run({"--profile", "nash", fixturePath("fulltilt.txt")}).decisions();
    ASSERT_EQ(std::tuple(tight.size(), wide.size(), nash.size()), std::tuple(3u, 3u, 3u));
    // The heads-up push of hand 33100000002 meets a wider range, or the equilibrium call; the
    // checked big blind (a limp before him) is not modelled and keeps the tight ranges.
    EXPECT_EQ(std::tuple(tight[1]["handId"], tight[2]["handId"]), std::tuple("33100000003", "33100000002"));
    EXPECT_NE(tight[2]["evPush"], wide[2]["evPush"]);
    EXPECT_EQ(tight[2]["evFold"], wide[2]["evFold"]);
    EXPECT_NE(tight[2]["evPush"], nash[2]["evPush"]);
    EXPECT_EQ(std::tuple(nash[2]["profile"], nash[1]["profile"], tight[2].contains("profile")),
              std::tuple("nash", "tight", false));
}

TEST_F(ImportCliTest, BadArgumentsMissingFilesAndMissingTables) {
    const struct {
        std::vector<std::string> args;
        const char* complaint;
    } cases[] = {
        {{}, "needs at least one FILE"},
        {{"--profile", "maniac", "x.txt"}, "unknown profile maniac"},
        {{"--export"}, "--export needs a value"},
        {{"--fast", "x.txt"}, "unknown option --fast"},
    };
    for (const auto& c : cases) {
        const ImportRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.complaint;
        EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
        EXPECT_TRUE(r.lines.empty());
    }

    // What is no readable regular file is an error; the other files are still imported.
    for (const std::string& bad : {dir.file("nothere.txt"), dir.path()}) {
        const ImportRun missing = run({bad, fixturePath("party_email.txt")});
        EXPECT_EQ(missing.status, 2) << bad;
        EXPECT_NE(missing.err.find("cannot import " + bad + ": "), std::string::npos) << missing.err;
        EXPECT_EQ(missing.summaries(), (std::vector<std::string>{"2 (of 2) relevant hands imported."})) << bad;
    }

    const ImportRun noTables = run({fixturePath("party_email.txt")}, ScratchDir().path());
    EXPECT_EQ(std::tuple(noTables.status, noTables.err.empty(), noTables.lines.size()), std::tuple(2, false, 0u));
}

}  // namespace
