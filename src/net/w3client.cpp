#include "net/w3client.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include <curl/curl.h>

namespace torvel {

namespace {

constexpr std::string_view kMultipartBoundary = "--MULTI-PARTS-FORM-DATA-BOUNDARY";

// The reason a step failed; caught at the edge of the public operation.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(prefix[i]))
            return false;
    return true;
}

bool sameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && startsWithNoCase(a, b);
}

// Like atol on the digits that lead the text, held below 2^32.
std::uint32_t leadingPort(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'), 0xFFFFFFFFu);
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t defaultPort(UrlProtocol protocol) {
    switch (protocol) {
    case UrlProtocol::Https:
        return 443;
    case UrlProtocol::Ftp:
        return 21;
    default:
        return 80;
    }
}

// A host name goes into the request URL as it is, so nothing in it may end
// the host part early.
bool acceptableHost(std::string_view host) {
    if (host.empty())
        return false;
    for (char c : host) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || byte >= 0x80;
        if (!plain)
            return false;
    }
    return true;
}

bool acceptableCookieText(std::string_view text, bool isName) {
    if (isName && text.empty())
        return false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == ';' || (isName && (c == '=' || c == ' ' || c == ',')))
            return false;
    }
    return true;
}

bool curlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

class HeaderList {
public:
    HeaderList() = default;
    HeaderList(const HeaderList&) = delete;
    HeaderList& operator=(const HeaderList&) = delete;
    ~HeaderList() { curl_slist_free_all(list_); }
    void add(const std::string& header) {
        curl_slist* grown = curl_slist_append(list_, header.c_str());
        if (grown == nullptr)
            throw Failure("additional header failed...");
        list_ = grown;
    }
    curl_slist* get() const { return list_; }

private:
    curl_slist* list_ = nullptr;
};

template <typename Value>
void setOption(CURL* curl, CURLoption option, Value value) {
    if (curl_easy_setopt(curl, option, value) != CURLE_OK)
        throw Failure("request failed...");
}

void appendFile(std::string& body, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    char piece[65536];
    while (in) {
        in.read(piece, sizeof piece);
        body.append(piece, static_cast<std::size_t>(in.gcount()));
    }
}

}  // namespace

UrlParts splitUrl(std::string_view url) {
    UrlParts parts;
    std::size_t hostStart = 0;
    const std::size_t colon = url.find(':');
    if (colon != std::string_view::npos && colon + 1 < url.size() && url[colon + 1] == '/') {
        parts.scheme = std::string(url.substr(0, colon));
        hostStart = std::min(colon + 3, url.size());
    } else {
        parts.scheme = "http";
    }

    if (startsWithNoCase(parts.scheme, "https"))
        parts.protocol = UrlProtocol::Https;
    else if (startsWithNoCase(parts.scheme, "http"))
        parts.protocol = UrlProtocol::Http;
    else if (startsWithNoCase(parts.scheme, "ftp"))
        parts.protocol = UrlProtocol::Ftp;

    const std::size_t slash = url.find('/', hostStart);
    const std::size_t authorityEnd = slash == std::string_view::npos ? url.size() : slash;
    std::string_view authority = url.substr(hostStart, authorityEnd - hostStart);

    // Only an "@" before the path marks a user: a path may hold one too.
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        const std::string_view userInfo = authority.substr(0, at);
        const std::size_t separator = userInfo.find(':');
        parts.user = std::string(userInfo.substr(0, separator));
        if (separator != std::string_view::npos)
            parts.password = std::string(userInfo.substr(separator + 1));
        authority = authority.substr(at + 1);
    }

    const std::size_t portColon = authority.find(':');
    if (portColon != std::string_view::npos) {
        parts.host = std::string(authority.substr(0, portColon));
        parts.port = leadingPort(authority.substr(portColon + 1));
    } else {
        parts.host = std::string(authority);
        parts.port = sameNoCase(parts.scheme, "https") ? 443 : sameNoCase(parts.scheme, "ftp") ? 21 : 80;
    }

    parts.path = slash == std::string_view::npos ? std::string("/") : std::string(url.substr(slash));
    return parts;
}

W3Client::W3Client() = default;

// A user who forgets close() must not leak the session.
W3Client::~W3Client() {
    close();
}

bool W3Client::connect(std::string_view url, std::string_view user, std::string_view password,
                       std::string_view agent) {
    lastFailure_.clear();
    const UrlParts parts = splitUrl(url);
    lastUri_ = parts.path;
    return openSession(parts.host, parts.port, user.empty() ? std::string_view(parts.user) : user,
                       password.empty() ? std::string_view(parts.password) : password, parts.protocol, agent);
}

bool W3Client::openSession(std::string_view host, std::uint32_t port, std::string_view user,
                           std::string_view password, UrlProtocol protocol, std::string_view agent) {
    try {
        close();
        if (!curlReady())
            throw Failure("open internet failed...");
        session_ = curl_easy_init();
        if (session_ == nullptr)
            throw Failure("open internet failed...");
        if (port == 0)
            port = defaultPort(protocol);
        if (protocol == UrlProtocol::Unsupported || !acceptableHost(host) || port > 65535)
            throw Failure("connect failed...");
        host_ = std::string(host);
        port_ = port;
        protocol_ = protocol;
        user_ = std::string(user);
        password_ = std::string(password);
        agent_ = std::string(agent);
        formFields_.clear();
        cookies_.clear();
        return true;
    } catch (const std::exception& failure) {
        lastFailure_ = failure.what();
    } catch (...) {
        lastFailure_ = "connect failed...";
    }
    close();
    return false;
}

bool W3Client::request(std::string_view uri, Method method, std::string_view referrer) {
    lastFailure_.clear();
    bool sent = false;
    switch (method) {
    case Method::Get:
        sent = get(uri, referrer);
        break;
    case Method::PostForm:
        sent = postForm(uri, referrer);
        break;
    case Method::PostMultipart:
        sent = postMultipart(uri, referrer);
        break;
    default:
        lastFailure_ = "unknown method";
        break;
    }
    if (!sent) {
        closeRequest();
        return false;
    }
    lastUri_ = std::string(uri);
    return true;
}

bool W3Client::get(std::string_view uri, std::string_view referrer) {
    return guarded(uri, referrer, BodyKind::None);
}

bool W3Client::postForm(std::string_view uri, std::string_view referrer) {
    return guarded(uri, referrer, BodyKind::Form);
}

bool W3Client::postMultipart(std::string_view uri, std::string_view referrer) {
    return guarded(uri, referrer, BodyKind::Multipart);
}

bool W3Client::guarded(std::string_view uri, std::string_view referrer, BodyKind kind) {
    try {
        perform(uri, referrer, kind);
        return true;
    } catch (const std::exception& failure) {
        lastFailure_ = failure.what();
    } catch (...) {
        lastFailure_ = "request failed...";
    }
    closeRequest();
    return false;
}

std::string W3Client::requestUrl(std::string_view uri) const {
    std::string url = protocol_ == UrlProtocol::Https ? "https://" : "http://";
    url += host_;
    url += ':';
    url += std::to_string(port_);
    if (uri.empty() || uri.front() != '/')
        url += '/';
    url += uri;
    return url;
}

std::string W3Client::formBody() const {
    std::string body;
    for (const FormField& field : formFields_) {
        if (!body.empty())
            body += '&';
        body += field.name;
        body += '=';
        body += field.value;
    }
    return body;
}

std::string W3Client::multipartBody() const {
    std::string body;
    for (const FormField& field : formFields_) {
        body += "--";
        body += kMultipartBoundary;
        body += "\r\nContent-Disposition: form-data; name=\"";
        body += field.name;
        body += '"';
        if (field.isFile) {
            body += "; filename=\"";
            body += field.value;
            body += '"';
        }
        body += "\r\n\r\n";
        if (field.isFile)
            appendFile(body, field.value);
        else
            body += field.value;
        body += "\r\n";
    }
    body += "--";
    body += kMultipartBoundary;
    body += "--\r\n";
    return body;
}

std::size_t W3Client::receive(char* data, std::size_t size, std::size_t count, void* self) {
    auto* client = static_cast<W3Client*>(self);
    const std::size_t bytes = size * count;
    if (bytes > client->replyLimit_ - std::min(client->replyLimit_, client->reply_.size())) {
        client->replyTooLong_ = true;
        return 0;
    }
    try {
        client->reply_.append(data, bytes);
    } catch (...) {
        return 0;  // tells curl to stop; the request then fails
    }
    return bytes;
}

void W3Client::perform(std::string_view uri, std::string_view referrer, BodyKind kind) {
    auto* curl = static_cast<CURL*>(session_);
    if (curl == nullptr)
        throw Failure("handle not opened...");
    closeRequest();
    if (protocol_ == UrlProtocol::Ftp)
        throw Failure("request failed...");

    // Options are set afresh for every request and dropped after it, so no
    // pointer into this frame outlives it.
    curl_easy_reset(curl);
    struct ResetAfter {
        CURL* curl;
        ~ResetAfter() { curl_easy_reset(curl); }
    } resetAfter{curl};

    std::string body;
    HeaderList headers;
    headers.add("Accept: */*");
    headers.add("Expect:");
    if (kind == BodyKind::Form) {
        body = formBody();
        headers.add("Content-Type: application/x-www-form-urlencoded");
    } else if (kind == BodyKind::Multipart) {
        body = multipartBody();
        headers.add("Content-Type: multipart/form-data; boundary=" + std::string(kMultipartBoundary));
        headers.add("Content-Length: " + std::to_string(body.size()));
    }

    const std::string url = requestUrl(uri);
    setOption(curl, CURLOPT_URL, url.c_str());
    setOption(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    setOption(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    setOption(curl, CURLOPT_PATH_AS_IS, 1L);
    setOption(curl, CURLOPT_NOSIGNAL, 1L);
    setOption(curl, CURLOPT_HTTPHEADER, headers.get());
    if (!agent_.empty())
        setOption(curl, CURLOPT_USERAGENT, agent_.c_str());
    const std::string referrerText(referrer);
    if (!referrerText.empty())
        setOption(curl, CURLOPT_REFERER, referrerText.c_str());
    if (!user_.empty()) {
        setOption(curl, CURLOPT_USERNAME, user_.c_str());
        setOption(curl, CURLOPT_PASSWORD, password_.c_str());
    }
    std::string cookieText;
    for (const Cookie& cookie : cookies_) {
        if (!cookieText.empty())
            cookieText += "; ";
        cookieText += cookie.name + "=" + cookie.value;
    }
    if (!cookieText.empty())
        setOption(curl, CURLOPT_COOKIE, cookieText.c_str());
    if (connectTimeoutMilliseconds_ > 0)
        setOption(curl, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMilliseconds_);
    if (totalTimeoutMilliseconds_ > 0)
        setOption(curl, CURLOPT_TIMEOUT_MS, totalTimeoutMilliseconds_);

    if (kind == BodyKind::None) {
        setOption(curl, CURLOPT_HTTPGET, 1L);
        setOption(curl, CURLOPT_FOLLOWLOCATION, 1L);
        setOption(curl, CURLOPT_MAXREDIRS, 5L);
        setOption(curl, CURLOPT_REDIR_PROTOCOLS_STR, redirectProtocols(protocol_));
    } else {
        // A redirect after a POST is an answer in itself, not a failure.
        setOption(curl, CURLOPT_POST, 1L);
        setOption(curl, CURLOPT_POSTFIELDS, body.data());
        setOption(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    }

    char detail[CURL_ERROR_SIZE] = {};
    setOption(curl, CURLOPT_ERRORBUFFER, detail);
    setOption(curl, CURLOPT_WRITEFUNCTION, &W3Client::receive);
    setOption(curl, CURLOPT_WRITEDATA, static_cast<void*>(this));

    reply_.clear();
    replyRead_ = 0;
    replyTooLong_ = false;
    statusCode_ = 0;
    const CURLcode result = curl_easy_perform(curl);
    if (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &statusCode_) != CURLE_OK)
        statusCode_ = 0;
    if (result != CURLE_OK) {
        reply_.clear();
        const std::string reason = replyTooLong_ ? "response failed... (reply too long)" : "request failed...";
        throw Failure(reason + " (" + (detail[0] != '\0' ? detail : curl_easy_strerror(result)) + ")");
    }
    requestOpen_ = true;
}

std::size_t W3Client::readResponse(char* buffer, std::size_t size) {
    if (!requestOpen_) {
        lastFailure_ = "connection failed...";
        return 0;
    }
    lastFailure_.clear();
    if (buffer == nullptr)
        return 0;
    const std::size_t count = std::min(size, reply_.size() - replyRead_);
    if (count > 0)
        std::memcpy(buffer, reply_.data() + replyRead_, count);
    replyRead_ += count;
    return count;
}

void W3Client::closeRequest() {
    requestOpen_ = false;
    reply_.clear();
    reply_.shrink_to_fit();
    replyRead_ = 0;
}

const char* redirectProtocols(UrlProtocol protocol) {
    return protocol == UrlProtocol::Https ? "https" : "http,https";
}

void W3Client::close() {
    closeRequest();
    if (session_ != nullptr) {
        curl_easy_cleanup(static_cast<CURL*>(session_));
        session_ = nullptr;
    }
}

void W3Client::addPostVariable(std::string name, std::string value) {
    formFields_.push_back({std::move(name), std::move(value), false});
}

void W3Client::addPostFile(std::string name, std::string path) {
    formFields_.push_back({std::move(name), std::move(path), true});
}

bool W3Client::addCookie(std::string name, std::string value) {
    if (!acceptableCookieText(name, true) || !acceptableCookieText(value, false))
        return false;
    cookies_.push_back({std::move(name), std::move(value)});
    return true;
}

void W3Client::setTimeouts(long connectMilliseconds, long totalMilliseconds) {
    connectTimeoutMilliseconds_ = std::max(0L, connectMilliseconds);
    totalTimeoutMilliseconds_ = std::max(0L, totalMilliseconds);
}

}  // namespace torvel
