#include "settings/updatecheck.h"

#include <cstdio>

#include "settings/inifile.h"
#include "net/w3client.h"

namespace torvel {

UpdateCheckOptions updateCheckOptions(const IniFile& settings) {
    UpdateCheckOptions options;
    options.host = settings.readString(kSettingsSection, kUpdateHostKey, kDefaultUpdateHost);
    return options;
}

std::string updateRequestPath(std::string_view installationId, std::string_view version) {
    const std::string id(installationId);
    const std::string versionText(version);
    char path[kUpdateRequestCapacity];
    std::snprintf(path, sizeof path, kUpdateRequestFormat, id.c_str(), versionText.c_str());
    return path;
}

bool answerOffersUpdate(std::string_view answer) {
    return answer.size() >= 2 && answer[1] == '9';
}

std::string downloadPageAddress(std::string_view host) {
    const UrlParts parts = splitUrl(host);
    const bool secure = parts.protocol == UrlProtocol::Https;
    std::string address = secure ? "https://" : "http://";
    address += parts.host;
    if (parts.port != 0 && parts.port != (secure ? 443u : 80u)) {
        address += ':';
        address += std::to_string(parts.port);
    }
    address += kDownloadPagePath;
    return address;
}

std::string fetchUpdateAnswer(const UpdateCheckOptions& options) {
    std::string answer = "0";
    W3Client client;
    client.setTimeouts(options.connectTimeoutMilliseconds, options.totalTimeoutMilliseconds);
    client.setReplyLimit(kUpdateReplyLimit);
    if (!client.connect(options.host, {}, {}, kUpdateUserAgent))
        return answer;
    answer.clear();
    // An error page may start with anything: only a successful reply counts.
    if (client.request(updateRequestPath(options.installationId, options.version), W3Client::Method::Get) &&
        client.statusCode() >= 200 && client.statusCode() < 300) {
        char piece[kUpdateReadPiece];
        for (std::size_t got = client.readResponse(piece, sizeof piece); got > 0;
             got = client.readResponse(piece, sizeof piece))
            answer.append(piece, got);
    }
    client.close();
    return answer;
}

UpdateCheckOutcome checkForUpdate(const UpdateCheckOptions& options, UpdatePrompt& prompt) {
    // A name under .invalid never resolves: do not even ask the resolver.
    const std::string_view host = options.host;
    const std::string_view reserved = ".invalid";
    if (host.empty() || (host.size() >= reserved.size() && host.substr(host.size() - reserved.size()) == reserved))
        return UpdateCheckOutcome::Disabled;
    if (!answerOffersUpdate(fetchUpdateAnswer(options)))
        return UpdateCheckOutcome::NoUpdate;
    if (!prompt.offerUpdate())
        return UpdateCheckOutcome::Declined;
    prompt.openDownloadPage(downloadPageAddress(options.host));
    return UpdateCheckOutcome::Opened;
}

UpdateCheckOutcome checkForUpdate(const IniFile& settings, UpdatePrompt& prompt) {
    return checkForUpdate(updateCheckOptions(settings), prompt);
}

}  // namespace torvel
