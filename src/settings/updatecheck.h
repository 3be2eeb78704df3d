#pragma once
// The check for a newer version at start-up: one GET to the update server and,
// when its answer says so, an offer to open the download page. The program
// answers the two questions to the user through UpdatePrompt.

#include <cstddef>
#include <string>
#include <string_view>

namespace torvel {

class IniFile;

inline constexpr char kProgramVersion[] = "1.22";
inline constexpr char kUpdateRequestFormat[] = "/vaz.php?m=%s&v=%s";
// The request path is built in a buffer of this size: 255 characters at most.
inline constexpr std::size_t kUpdateRequestCapacity = 256;
inline constexpr char kDownloadPagePath[] = "/sngdownload.php";
inline constexpr char kUpdateUserAgent[] = "Mozilla/4.0 (compatible; )";
// Identifies the kind of installation only, never the user.
inline constexpr char kInstallationId[] = "torvel";
// Settings key (section "VAZ") with the server: a host, "host:port" or a URL.
// An empty value turns the check off.
inline constexpr char kUpdateHostKey[] = "updatehost";
// A name that can never resolve, so that nothing outside is asked until a
// real server is configured.
inline constexpr char kDefaultUpdateHost[] = "update.torvel-icm.invalid";
// Start-up waits for the check: a server that does not answer must not hold
// the window back for more than a few seconds.
inline constexpr long kUpdateConnectTimeoutMilliseconds = 2000;
inline constexpr long kUpdateTotalTimeoutMilliseconds = 4000;
// Only the second character of the answer matters.
inline constexpr std::size_t kUpdateReplyLimit = 64 * 1024;
inline constexpr std::size_t kUpdateReadPiece = 1024;

// Implemented by the desktop program with a message box and the browser.
class UpdatePrompt {
public:
    virtual ~UpdatePrompt() = default;
    // "New Version Available!" with Yes and No; true for Yes.
    virtual bool offerUpdate() = 0;
    // The full address, scheme included.
    virtual void openDownloadPage(const std::string& address) = 0;
};

struct UpdateCheckOptions {
    std::string host = kDefaultUpdateHost;
    std::string installationId = kInstallationId;
    std::string version = kProgramVersion;
    long connectTimeoutMilliseconds = kUpdateConnectTimeoutMilliseconds;
    long totalTimeoutMilliseconds = kUpdateTotalTimeoutMilliseconds;
};

enum class UpdateCheckOutcome {
    Disabled,  // no server configured: nothing was sent
    NoUpdate,  // no answer, or one that offers nothing: nothing was shown
    Declined,  // offered, answered No
    Opened,    // offered, answered Yes, download page opened
};

// The options with the server read from the settings (section "VAZ").
UpdateCheckOptions updateCheckOptions(const IniFile& settings);

// "/vaz.php?m=<id>&v=<version>", cut to 255 characters.
std::string updateRequestPath(std::string_view installationId, std::string_view version);

// The server offers an update when the second character of its answer is "9".
bool answerOffersUpdate(std::string_view answer);

// "http://<host>[:port]/sngdownload.php" for the configured server.
std::string downloadPageAddress(std::string_view host);

// The server's whole answer, or "0" when no connection could be opened, or
// whatever arrived before a failure (often nothing). Never fails loudly.
std::string fetchUpdateAnswer(const UpdateCheckOptions& options);

// The whole check; blocks for at most the configured timeouts.
UpdateCheckOutcome checkForUpdate(const UpdateCheckOptions& options, UpdatePrompt& prompt);
UpdateCheckOutcome checkForUpdate(const IniFile& settings, UpdatePrompt& prompt);

}  // namespace torvel
