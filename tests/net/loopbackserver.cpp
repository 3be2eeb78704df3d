#include "loopbackserver.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <strings.h>
#include <unistd.h>

namespace torvel::testing {

namespace {

// Every wait for a connection or for bytes, and a silent server, gives up after this.
constexpr int kWaitSeconds = 30;
constexpr std::size_t kRequestLimit = 64 * 1024 * 1024;

void limitWaits(int fd) {
    const timeval limit{kWaitSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

// Reads the head, then as much body as Content-Length announces.
SeenRequest readRequest(int fd) {
    SeenRequest request;
    std::string received;
    std::size_t headEnd = std::string::npos, wanted = 0;
    char piece[16384];
    while (received.size() < kRequestLimit &&
           (headEnd == std::string::npos || received.size() < headEnd + 4 + wanted)) {
        const ssize_t got = ::recv(fd, piece, sizeof piece, 0);
        if (got <= 0)
            break;
        received.append(piece, static_cast<std::size_t>(got));
        if (headEnd == std::string::npos && (headEnd = received.find("\r\n\r\n")) != std::string::npos) {
            request.head = received.substr(0, headEnd);
            request.requestLine = request.head.substr(0, request.head.find("\r\n"));
            const auto length = request.headerValues("Content-Length");
            wanted = length.empty() ? 0 : std::strtoull(length.front().c_str(), nullptr, 10);
        }
    }
    if (headEnd != std::string::npos)
        request.body = received.substr(headEnd + 4);
    return request;
}

}  // namespace

std::vector<std::string> SeenRequest::headerValues(std::string_view name) const {
    std::vector<std::string> values;
    for (std::string_view rest = head; !rest.empty();) {
        const std::string_view line = rest.substr(0, rest.find("\r\n"));
        rest.remove_prefix(std::min(line.size() + 2, rest.size()));
        if (line.size() > name.size() && line[name.size()] == ':' &&
            ::strncasecmp(line.data(), name.data(), name.size()) == 0) {
            std::string value(line.substr(name.size() + 1));
            values.push_back(value.erase(0, value.find_first_not_of(' ')));
        }
    }
    return values;
}

std::string httpReply(std::string_view body, std::string_view status) {
    return "HTTP/1.0 " + std::string(status) + "\r\nContent-Type: text/plain\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

LoopbackPort::LoopbackPort(bool listening) : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        (listening && ::listen(socket_, 8) != 0)) {
        ::close(socket_);
        throw std::runtime_error("no port on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
}

LoopbackPort::~LoopbackPort() { ::close(socket_); }

std::string LoopbackPort::address() const { return "127.0.0.1:" + std::to_string(port_); }

LoopbackServer::LoopbackServer(std::string reply, int connections) : LoopbackPort(true) {
    limitWaits(socket_);
    thread_ = std::thread([this, reply = std::move(reply), connections, stopped = stop_.get_future()] {
        for (int served = 0; served < connections; ++served) {
            const int connection = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                return;
            limitWaits(connection);
            seen_.push_back(readRequest(connection));
            // A blocking send queues the whole reply.
            ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
            ::shutdown(connection, SHUT_WR);
            ::close(connection);
        }
        if (connections == 0 && stopped.wait_for(std::chrono::seconds(kWaitSeconds)) == std::future_status::timeout)
            ::shutdown(socket_, SHUT_RDWR);  // resets what waits in the backlog
    });
}

LoopbackServer::~LoopbackServer() {
    stop_.set_value();
    requests();
}

const std::vector<SeenRequest>& LoopbackServer::requests() {
    if (thread_.joinable())
        thread_.join();
    return seen_;
}

void clearProxyEnvironment() {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        ::unsetenv(name);
}

}  // namespace torvel::testing
