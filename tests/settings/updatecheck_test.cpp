#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "settings/inifile.h"
#include "settings/updatecheck.h"
#include "loopbackserver.h"
#include "net/w3client.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::httpReply;
using torvel::testing::LoopbackServer;

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

UpdateCheckOptions checkAt(const std::string& host) {
    torvel::testing::clearProxyEnvironment();
    return {.host = host};
}

// Only a successful reply is read, and only a "9" in its second place offers.
TEST(UpdateCheck, OffersOnlyWhenTheSecondCharacterOfASuccessfulReplyIsNine) {
    const std::tuple<const char*, std::string, UpdateCheckOutcome> cases[] = {
        {"200 OK", "19" + std::string(4998, '9'), UpdateCheckOutcome::Declined},  // read in many pieces
        {"202 Accepted", "x9", UpdateCheckOutcome::Declined},
        {"200 OK", "10" + std::string(4998, '9'), UpdateCheckOutcome::NoUpdate},
        {"200 OK", "9", UpdateCheckOutcome::NoUpdate},
        {"404 Not Found", "09 not here", UpdateCheckOutcome::NoUpdate},
        {"204 No Content", "09", UpdateCheckOutcome::NoUpdate},
    };
    for (const auto& [status, answer, outcome] : cases) {
        LoopbackServer server(httpReply(answer, status));
        FakePrompt prompt(false);
        EXPECT_EQ(checkForUpdate(checkAt(server.address()), prompt), outcome) << status;
        EXPECT_EQ(prompt.offers, outcome == UpdateCheckOutcome::Declined ? 1 : 0) << status;
    }
}

TEST(UpdateCheck, TheServerInTheSettingsGetsTheVersionAndYesOpensItsDownloadPage) {
    torvel::testing::clearProxyEnvironment();
    torvel::testing::ScratchDir scratch;
    IniFile settings(scratch.file("VAZ.ini"));
    FakePrompt prompt(true);
    // The default names no real server: nothing is asked, not even the resolver.
    EXPECT_EQ(checkForUpdate(settings, prompt), UpdateCheckOutcome::Disabled);
    LoopbackServer server(httpReply("09"));
    ASSERT_TRUE(settings.writeString("vaz", "UpdateHost", server.address()));
    EXPECT_EQ(checkForUpdate(settings, prompt), UpdateCheckOutcome::Opened);
    EXPECT_EQ(prompt.openedPages, std::vector<std::string>{"http://" + server.address() + "/sngdownload.php"});
    const auto& seen = server.requests().at(0);
    EXPECT_EQ(seen.requestLine, "GET /vaz.php?m=torvel&v=1.22 HTTP/1.0");
    EXPECT_EQ(seen.headerValues("User-Agent"), std::vector<std::string>{"Mozilla/4.0 (compatible; )"});
    // An empty setting turns the check off: nothing is sent, nothing shown.
    ASSERT_TRUE(settings.writeString("VAZ", "updatehost", ""));
    EXPECT_EQ(checkForUpdate(settings, prompt), UpdateCheckOutcome::Disabled);
    EXPECT_EQ(prompt.offers, 1);
}

TEST(UpdateCheck, UnreachableServersShowNothing) {
    // Start-up's timeouts; the bound, below the server's own deadline, guards against hanging.
    LoopbackServer silent("", 0);
    FakePrompt prompt(true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(checkForUpdate(checkAt(silent.address()), prompt), UpdateCheckOutcome::NoUpdate);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(prompt.offers, 0);
    EXPECT_EQ(fetchUpdateAnswer(checkAt("gopher://127.0.0.1/")), "0") << "no connection possible";
}

TEST(UpdateCheck, RequestPathAndDownloadPage) {
    EXPECT_EQ(updateRequestPath(std::string(400, 'i'), "1.22").size(), kUpdateRequestCapacity - 1);
    const std::pair<const char*, const char*> cases[] = {
        {"update.example.com", "http://update.example.com/sngdownload.php"},
        {"http://update.example.com:80/", "http://update.example.com/sngdownload.php"},
        {"https://secure.example.com/ignored/path", "https://secure.example.com/sngdownload.php"},
        {"https://secure.example.com:8443", "https://secure.example.com:8443/sngdownload.php"},
    };
    for (const auto& [host, page] : cases)
        EXPECT_EQ(downloadPageAddress(host), page) << host;
    // A redirect may stay on https or go up to it, never down to http.
    EXPECT_STREQ(redirectProtocols(UrlProtocol::Https), "https");
    EXPECT_STREQ(redirectProtocols(UrlProtocol::Http), "http,https");
}

}  // namespace
