#pragma once
// Servers on 127.0.0.1 for the network tests: each stops by itself.

#include <cstdint>
#include <future>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace torvel::testing {

// One request as it arrived on the wire.
struct SeenRequest {
    std::string requestLine;
    std::string head;  // the request line and the header lines, as sent
    std::string body;

    // Every value of the header, its name matched without regard to case.
    std::vector<std::string> headerValues(std::string_view name) const;
};

// "HTTP/1.0 <status>", a Content-Length and the body.
std::string httpReply(std::string_view body, std::string_view status = "200 OK");

// A TCP socket bound to 127.0.0.1 on a port the system picks, closed with this.
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening);
    ~LoopbackPort();
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;
    // "127.0.0.1:<port>", as a settings file or a URL would name it.
    std::string address() const;

protected:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

// Bound but not listening: refuses every connection while it lives.
struct RefusingPort : LoopbackPort {
    RefusingPort() : LoopbackPort(false) {}
};

// Answers up to `connections` requests with the same reply, on a thread of its own. With none to answer it
// is silent: connections wait in its backlog until a deadline resets them, so a client without a working
// timeout fails late instead of hanging the test.
class LoopbackServer : public LoopbackPort {
public:
    explicit LoopbackServer(std::string reply, int connections = 1);
    ~LoopbackServer();
    // Waits for the server to finish and gives what it received.
    const std::vector<SeenRequest>& requests();

private:
    std::vector<SeenRequest> seen_;
    std::promise<void> stop_;
    std::thread thread_;
};

// Proxy settings in the environment would send loopback requests elsewhere.
void clearProxyEnvironment();

}  // namespace torvel::testing
