#include "platform/PrintServer.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace korvell {

namespace {

constexpr char kLocalSocket[] = "/run/cups/cups.sock";
constexpr std::size_t kLongestAddress = 255;

struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

// Waits for `events` on the socket; false when the time runs out first.
bool ready(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left.count()));
        if (n < 0 && errno == EINTR) continue;
        return n > 0;
    }
}

enum class Reached { Connected, NoServer, Silent };

// Connects without blocking: a refused connection is no server; one that does not complete
// in time is a silent server.
Reached connectTo(Socket& s, const sockaddr* address, socklen_t length, int family,
                  std::chrono::steady_clock::time_point deadline) {
    s.fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s.fd < 0) return Reached::NoServer;
    if (::connect(s.fd, address, length) == 0) return Reached::Connected;
    if (errno != EINPROGRESS) return Reached::NoServer;
    if (!ready(s.fd, POLLOUT, deadline)) return Reached::Silent;
    int error = 0;
    socklen_t size = sizeof error;
    ::getsockopt(s.fd, SOL_SOCKET, SO_ERROR, &error, &size);
    return error == 0 ? Reached::Connected : Reached::NoServer;
}

Reached reach(Socket& s, const std::string& address,
              std::chrono::steady_clock::time_point deadline) {
    if (!address.empty() && address.front() == '/') {
        sockaddr_un local{};
        local.sun_family = AF_UNIX;
        if (address.size() >= sizeof local.sun_path) return Reached::NoServer;
        std::memcpy(local.sun_path, address.c_str(), address.size() + 1);
        return connectTo(s, reinterpret_cast<const sockaddr*>(&local), sizeof local, AF_UNIX,
                         deadline);
    }
    std::string host = address;
    std::string port = "631";
    const auto colon = address.rfind(':');
    if (colon != std::string::npos && address.find(']') == std::string::npos) {
        host = address.substr(0, colon);
        port = address.substr(colon + 1);
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0 || !found) {
        return Reached::NoServer;
    }
    const Reached reached =
        connectTo(s, found->ai_addr, found->ai_addrlen, found->ai_family, deadline);
    ::freeaddrinfo(found);
    return reached;
}

}  // namespace

std::string printServerAddress() {
    if (const char* named = std::getenv("CUPS_SERVER")) {
        const std::string text(named);
        if (!text.empty() && text.size() <= kLongestAddress) return text;
    }
    std::error_code error;
    if (std::filesystem::exists(kLocalSocket, error)) return kLocalSocket;
    return "localhost:631";
}

bool printServerAnswers(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Socket s;
    switch (reach(s, printServerAddress(), deadline)) {
        case Reached::NoServer:
            return true;
        case Reached::Silent:
            return false;
        case Reached::Connected:
            break;
    }
    static constexpr char kRequest[] = "HEAD / HTTP/1.0\r\n\r\n";
    if (::send(s.fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) < 0) return true;
    // Any answer will do, even a closed connection: the server is there and not stuck.
    return ready(s.fd, POLLIN, deadline);
}

}  // namespace korvell
