#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "settings/inifile.h"
#include "settings/updatecheck.h"
#include "loopbackserver.h"
#include "net/w3client.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::LoopbackServer;
using torvel::testing::ScratchDir;

namespace {

// Answers the offer as told and remembers what it was asked.
struct FakePrompt final : UpdatePrompt {
    explicit FakePrompt(bool acceptOffer) : accept(acceptOffer) {}
    bool offerUpdate() override {
        ++offers;
        return accept;
    }
    void openDownloadPage(const std::string& address) override { openedPages.push_back(address); }
    bool accept;
    int offers = 0;
    std::vector<std::string> openedPages;
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { torvel::testing::clearProxyEnvironment(); }

    // The settings file points the check at the given server.
    IniFile settingsFor(const std::string& host) {
        IniFile settings(scratch.file("VAZ.ini"));
        EXPECT_TRUE(settings.writeString("VAZ", "updatehost", host));
        return settings;
    }

    ScratchDir scratch;
};

std::string longAnswer(char second) { return std::string("1") + second + std::string(4998, '9'); }

TEST_F(UpdateCheckTest, OffersOnlyWhenTheSecondCharacterIsNine) {
    const struct {
        std::string answer;
        bool offered;
    } cases[] = {
        {"09", true}, {"x9", true}, {"19 and more text", true}, {longAnswer('9'), true}, {"9", false}, {"90", false},
        {"", false},  {"1", false},
        {longAnswer('0'), false},  // nines everywhere but in the second place
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer.substr(0, 20) + "\" of " + std::to_string(c.answer.size()));
        LoopbackServer server(torvel::testing::httpReply(c.answer));
        FakePrompt prompt(false);
        const UpdateCheckOutcome outcome = checkForUpdate(settingsFor(server.address()), prompt);
        EXPECT_EQ(prompt.offers, c.offered ? 1 : 0);
        EXPECT_EQ(outcome, c.offered ? UpdateCheckOutcome::Declined : UpdateCheckOutcome::NoUpdate);
        EXPECT_TRUE(prompt.openedPages.empty());
        EXPECT_EQ(server.requests().size(), 1u);
    }
}

TEST_F(UpdateCheckTest, OnlyASuccessfulReplyIsRead) {
    for (const char* status : {"404 Not Found", "500 Internal Server Error", "403 Forbidden", "204 No Content"}) {
        LoopbackServer server(torvel::testing::httpReply("09 not here", status));
        FakePrompt prompt(true);
        EXPECT_EQ(checkForUpdate(settingsFor(server.address()), prompt), UpdateCheckOutcome::NoUpdate) << status;
        EXPECT_EQ(prompt.offers, 0) << status;
    }
    LoopbackServer accepted(torvel::testing::httpReply("09", "202 Accepted"));
    FakePrompt prompt(false);
    EXPECT_EQ(checkForUpdate(settingsFor(accepted.address()), prompt), UpdateCheckOutcome::Declined);
    // A redirect may stay on https or go up to it, never down to http.
    EXPECT_STREQ(redirectProtocols(UrlProtocol::Https), "https");
    EXPECT_STREQ(redirectProtocols(UrlProtocol::Http), "http,https");
}

TEST_F(UpdateCheckTest, AskedServerGetsTheVersionAndYesOpensItsDownloadPage) {
    LoopbackServer server(torvel::testing::httpReply("09"));
    FakePrompt prompt(true);
    EXPECT_EQ(checkForUpdate(settingsFor(server.address()), prompt), UpdateCheckOutcome::Opened);
    EXPECT_EQ(prompt.offers, 1);
    EXPECT_EQ(prompt.openedPages, std::vector<std::string>{"http://" + server.address() + "/sngdownload.php"});

    const auto& seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].requestLine, "GET /vaz.php?m=torvel&v=1.22 HTTP/1.0");
    EXPECT_EQ(seen[0].headerValues("User-Agent"), std::vector<std::string>{"Mozilla/4.0 (compatible; )"});
}

TEST_F(UpdateCheckTest, UnreachableServersShowNothing) {
    FakePrompt prompt(true);
    {
        torvel::testing::RefusingPort refusing;
        EXPECT_EQ(checkForUpdate(settingsFor(refusing.address()), prompt), UpdateCheckOutcome::NoUpdate) << "refused";
    }
    {
        // With the timeouts start-up uses; the bound only guards against hanging.
        torvel::testing::SilentListener silent;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(checkForUpdate(settingsFor(silent.address()), prompt), UpdateCheckOutcome::NoUpdate) << "silent";
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    }
    EXPECT_EQ(prompt.offers, 0);
    UpdateCheckOptions unsupported;
    unsupported.host = "gopher://127.0.0.1/";
    EXPECT_EQ(fetchUpdateAnswer(unsupported), "0") << "no connection possible: the answer stays \"0\"";
}

TEST_F(UpdateCheckTest, TheServerComesFromTheSettingsFile) {
    IniFile settings(scratch.file("VAZ.ini"));
    EXPECT_EQ(updateCheckOptions(settings).host, kDefaultUpdateHost);
    // The default names no real server: nothing is asked, not even the resolver.
    FakePrompt prompt(true);
    EXPECT_EQ(checkForUpdate(settings, prompt), UpdateCheckOutcome::Disabled);
    UpdateCheckOptions reserved;
    reserved.host = "updates.example.invalid";
    EXPECT_EQ(checkForUpdate(reserved, prompt), UpdateCheckOutcome::Disabled);

    ASSERT_TRUE(settings.writeString("vaz", "UpdateHost", "127.0.0.1:8123"));
    EXPECT_EQ(updateCheckOptions(settings).host, "127.0.0.1:8123");

    // An empty setting turns the check off: nothing is sent, nothing shown.
    ASSERT_TRUE(settings.writeString("VAZ", "updatehost", ""));
    EXPECT_EQ(checkForUpdate(settings, prompt), UpdateCheckOutcome::Disabled);
    EXPECT_EQ(prompt.offers, 0);
}

TEST(UpdateAddresses, RequestPathAndDownloadPage) {
    EXPECT_EQ(updateRequestPath("abc", "1.22"), "/vaz.php?m=abc&v=1.22");
    const std::string cut = updateRequestPath(std::string(400, 'i'), "1.22");
    EXPECT_EQ(cut.size(), kUpdateRequestCapacity - 1);
    EXPECT_EQ(cut.substr(0, 11), "/vaz.php?m=");

    const struct {
        const char* host;
        const char* page;
    } cases[] = {
        {"update.example.com", "http://update.example.com/sngdownload.php"},
        {"127.0.0.1:8123", "http://127.0.0.1:8123/sngdownload.php"},
        {"http://update.example.com:80/", "http://update.example.com/sngdownload.php"},
        {"https://secure.example.com/ignored/path", "https://secure.example.com/sngdownload.php"},
        {"https://secure.example.com:8443", "https://secure.example.com:8443/sngdownload.php"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(downloadPageAddress(c.host), c.page) << c.host;
}

}  // namespace
