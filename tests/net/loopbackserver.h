#pragma once
// Servers on 127.0.0.1 for the network tests, and nowhere else: one that
// answers and records what it was sent, a port that refuses, and a listener
// that never answers. Each stops by itself.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace torvel::testing {

// One request as it arrived on the wire.
struct SeenRequest {
    std::string requestLine;
    std::vector<std::pair<std::string, std::string>> headers;  // in order, as sent
    std::string body;

    // Every value of the header, its name matched without regard to case.
    std::vector<std::string> headerValues(std::string_view name) const;
};

// "HTTP/1.0 <status>", a Content-Length and the body.
std::string httpReply(std::string_view body, std::string_view status = "200 OK");

// Answers up to `connections` requests, each with the same reply, on a thread
// of its own; gives up after a deadline so that a test can never hang on it.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string reply, int connections = 1);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t port() const { return port_; }
    // "127.0.0.1:<port>", as a settings file or a URL would name it.
    std::string address() const;

    // Waits for the server to finish and gives what it received.
    const std::vector<SeenRequest>& requests();

private:
    void serve();

    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::string reply_;
    int connections_;
    std::vector<SeenRequest> seen_;
    std::thread thread_;
};

// A port that refuses every connection while this lives: bound, not listening.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    std::string address() const;

private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

// Lets connections complete in its backlog but never reads or answers. After
// a minute it closes, which resets what waits in its backlog, so a client
// without a working timeout fails late instead of hanging the test.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    std::string address() const;

private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::thread closer_;
};

// Proxy settings in the environment would send loopback requests elsewhere.
void clearProxyEnvironment();

}  // namespace torvel::testing
