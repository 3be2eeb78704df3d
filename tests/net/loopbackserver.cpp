#include "loopbackserver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <strings.h>
#include <unistd.h>

namespace torvel::testing {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kServerLifetime = std::chrono::seconds(30);
constexpr auto kSilentLifetime = std::chrono::seconds(60);
constexpr std::size_t kRequestLimit = 64 * 1024 * 1024;

std::string loopbackAddress(std::uint16_t port) { return "127.0.0.1:" + std::to_string(port); }

// A TCP socket bound to 127.0.0.1 on a port the system picks; a bound socket
// that does not listen refuses every connection.
int loopbackSocket(std::uint16_t& port, bool listening) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind failed");
    }
    if (listening && ::listen(fd, 8) != 0) {
        ::close(fd);
        throw std::runtime_error("listen failed");
    }
    port = ntohs(address.sin_port);
    return fd;
}

int millisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(std::min<long long>(left, 200)) : 0;
}

bool waitReadable(int fd, Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, millisecondsLeft(deadline));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
    return false;
}

std::size_t contentLength(const SeenRequest& request) {
    const auto values = request.headerValues("Content-Length");
    if (values.empty())
        return 0;
    return static_cast<std::size_t>(std::strtoull(values.front().c_str(), nullptr, 10));
}

// Reads the head, then as much body as Content-Length announces.
SeenRequest readRequest(int fd, Clock::time_point deadline) {
    std::string received;
    std::size_t headEnd = std::string::npos;
    SeenRequest request;
    std::size_t wanted = 0;
    char piece[16384];
    while (received.size() < kRequestLimit) {
        if (headEnd != std::string::npos && received.size() >= headEnd + 4 + wanted)
            break;
        if (!waitReadable(fd, deadline))
            break;
        const ssize_t got = ::recv(fd, piece, sizeof piece, 0);
        if (got <= 0)
            break;
        received.append(piece, static_cast<std::size_t>(got));
        if (headEnd == std::string::npos && (headEnd = received.find("\r\n\r\n")) != std::string::npos) {
            std::string_view head(received.data(), headEnd);
            std::size_t lineEnd = head.find("\r\n");
            request.requestLine = std::string(head.substr(0, lineEnd));
            while (lineEnd != std::string_view::npos) {
                head.remove_prefix(lineEnd + 2);
                lineEnd = head.find("\r\n");
                const std::string_view line = head.substr(0, lineEnd);
                const std::size_t colon = line.find(':');
                if (colon == std::string_view::npos)
                    continue;
                std::string_view value = line.substr(colon + 1);
                while (!value.empty() && value.front() == ' ')
                    value.remove_prefix(1);
                request.headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
            }
            wanted = contentLength(request);
        }
    }
    if (headEnd != std::string::npos)
        request.body = received.substr(headEnd + 4);
    return request;
}

void sendAll(int fd, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t done = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return;
        sent += static_cast<std::size_t>(done);
    }
}

}  // namespace

std::vector<std::string> SeenRequest::headerValues(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [headerName, value] : headers)
        if (headerName.size() == name.size() && ::strncasecmp(headerName.data(), name.data(), name.size()) == 0)
            values.push_back(value);
    return values;
}

std::string httpReply(std::string_view body, std::string_view status) {
    std::string reply = "HTTP/1.0 " + std::string(status) + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                        std::to_string(body.size()) + "\r\n\r\n";
    reply += body;
    return reply;
}

LoopbackServer::LoopbackServer(std::string reply, int connections)
    : reply_(std::move(reply)), connections_(connections) {
    listener_ = loopbackSocket(port_, true);
    thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
    if (thread_.joinable())
        thread_.join();
    ::close(listener_);
}

std::string LoopbackServer::address() const { return loopbackAddress(port_); }

const std::vector<SeenRequest>& LoopbackServer::requests() {
    if (thread_.joinable())
        thread_.join();
    return seen_;
}

void LoopbackServer::serve() {
    const auto deadline = Clock::now() + kServerLifetime;
    for (int served = 0; served < connections_; ++served) {
        if (!waitReadable(listener_, deadline))
            return;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            return;
        seen_.push_back(readRequest(connection, deadline));
        sendAll(connection, reply_);
        ::shutdown(connection, SHUT_WR);
        ::close(connection);
    }
}

RefusingPort::RefusingPort() { socket_ = loopbackSocket(port_, false); }

RefusingPort::~RefusingPort() { ::close(socket_); }

std::string RefusingPort::address() const { return loopbackAddress(port_); }

SilentListener::SilentListener() {
    socket_ = loopbackSocket(port_, true);
    closer_ = std::thread([this] {
        std::unique_lock<std::mutex> lock(mutex_);
        stopped_.wait_for(lock, kSilentLifetime, [this] { return stopping_; });
        ::close(socket_);
    });
}

SilentListener::~SilentListener() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_one();
    closer_.join();
}

std::string SilentListener::address() const { return loopbackAddress(port_); }

void clearProxyEnvironment() {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(name);
}

}  // namespace torvel::testing
