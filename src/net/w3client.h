#pragma once
// A small synchronous HTTP/1.0 client on libcurl: connect to a server, send
// one GET or POST, read the reply in pieces, close. No exception leaves it:
// every operation reports failure as false or 0.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvel {

enum class UrlProtocol : std::uint32_t { Ftp = 0, Http = 1, Https = 2, Unsupported = 3 };

// The protocols a redirect may lead to from a session of this protocol: never
// from https down to plain http.
const char* redirectProtocols(UrlProtocol protocol);

struct UrlParts {
    std::string scheme;
    std::string user;
    std::string password;
    std::string host;
    std::uint32_t port = 0;
    std::string path;
    UrlProtocol protocol = UrlProtocol::Unsupported;
};

// scheme "://" user ":" password "@" host ":" port path, every part but the
// host optional: no scheme means http, no port the scheme's own, no path "/".
UrlParts splitUrl(std::string_view url);

class W3Client {
public:
    enum class Method { Get = 0, PostForm = 1, PostMultipart = 2 };

    // What a reply may hold unless the user asks for less or more; a reply
    // that grows past it fails the request.
    static constexpr std::size_t kDefaultReplyLimit = 16 * 1024 * 1024;

    W3Client();
    virtual ~W3Client();
    W3Client(const W3Client&) = delete;
    W3Client& operator=(const W3Client&) = delete;

    // Splits the URL and opens a session to its host; nothing is sent yet, so
    // an unreachable server shows only in request(). An empty user or
    // password means the URL's own.
    bool connect(std::string_view url, std::string_view user = {}, std::string_view password = {},
                 std::string_view agent = {});
    // Sends one request on the open session and takes the whole reply in.
    bool request(std::string_view uri, Method method = Method::Get, std::string_view referrer = {});
    // Copies the next piece of the reply; 0 at its end or without a reply.
    std::size_t readResponse(char* buffer, std::size_t size);
    void close();

    // Form fields and cookies for the next request, in the order added. A new
    // session starts with none.
    void addPostVariable(std::string name, std::string value);
    void addPostFile(std::string name, std::string path);
    // Refuses a name or value that would break the Cookie header.
    bool addCookie(std::string name, std::string value);

    // Zero leaves that limit to the system.
    void setTimeouts(long connectMilliseconds, long totalMilliseconds);
    void setReplyLimit(std::size_t bytes) { replyLimit_ = bytes; }

    // The HTTP status of the last reply (after redirects); 0 without one.
    long statusCode() const { return statusCode_; }

    const std::string& lastUri() const { return lastUri_; }
    // Why the last operation failed, for diagnostics; empty after a success.
    const std::string& lastFailure() const { return lastFailure_; }

protected:
    virtual bool openSession(std::string_view host, std::uint32_t port, std::string_view user,
                             std::string_view password, UrlProtocol protocol, std::string_view agent);
    virtual bool postMultipart(std::string_view uri, std::string_view referrer);
    virtual bool postForm(std::string_view uri, std::string_view referrer);
    virtual bool get(std::string_view uri, std::string_view referrer);

private:
    struct FormField {
        std::string name;
        std::string value;  // a file path when isFile
        bool isFile = false;
    };
    struct Cookie {
        std::string name;
        std::string value;
    };
    enum class BodyKind { None, Form, Multipart };

    // Runs the transfer; throws the reason on failure.
    void perform(std::string_view uri, std::string_view referrer, BodyKind kind);
    bool guarded(std::string_view uri, std::string_view referrer, BodyKind kind);
    std::string requestUrl(std::string_view uri) const;
    std::string formBody() const;
    std::string multipartBody() const;
    static std::size_t receive(char* data, std::size_t size, std::size_t count, void* self);
    void closeRequest();

    void* session_ = nullptr;  // the curl easy handle
    bool requestOpen_ = false;
    std::string reply_;
    std::size_t replyRead_ = 0;
    bool replyTooLong_ = false;
    long statusCode_ = 0;

    std::string host_;
    std::string user_;
    std::string password_;
    std::string agent_;
    std::string lastUri_;
    std::uint32_t port_ = 0;
    UrlProtocol protocol_ = UrlProtocol::Http;

    std::vector<FormField> formFields_;
    std::vector<Cookie> cookies_;

    long connectTimeoutMilliseconds_ = 0;
    long totalTimeoutMilliseconds_ = 0;
    std::size_t replyLimit_ = kDefaultReplyLimit;
    std::string lastFailure_;
};

}  // namespace torvel
