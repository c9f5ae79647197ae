#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/PrintServer.h"

namespace korvell {
namespace {

using namespace std::chrono_literals;

// A server on a port of the loopback interface: the kernel completes connections to it, and it
// either never answers (as a stuck print server) or answers every request.
class LoopbackServer {
  public:
    explicit LoopbackServer(bool answers) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 4);
        socklen_t size = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        if (answers) {
            answering_ = std::thread([fd = fd_] {
                const int client = ::accept(fd, nullptr, nullptr);
                if (client < 0) return;
                char request[64];
                [[maybe_unused]] const auto got = ::recv(client, request, sizeof request, 0);
                static constexpr char kAnswer[] = "HTTP/1.0 200 OK\r\n\r\n";
                [[maybe_unused]] const auto sent = ::send(client, kAnswer, sizeof kAnswer - 1, 0);
                ::close(client);
            });
        }
    }
    ~LoopbackServer() {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
        if (answering_.joinable()) answering_.join();
    }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    int fd_;
    int port_ = 0;
    std::thread answering_;
};

TEST(PrintServer, OnlyAServerThatTakesTheRequestAndNeverAnswersIsStuck) {
    const char* before = std::getenv("CUPS_SERVER");
    const std::string kept = before ? before : "";
    std::string closedPort;
    {
        const LoopbackServer gone(false);
        closedPort = gone.address();
    }
    for (const bool answers : {false, true}) {
        const LoopbackServer server(answers);
        ::setenv("CUPS_SERVER", server.address().c_str(), 1);
        EXPECT_EQ(printServerAddress(), server.address());
        EXPECT_EQ(printServerAnswers(300ms), answers);
    }
    ::setenv("CUPS_SERVER", closedPort.c_str(), 1);
    EXPECT_TRUE(printServerAnswers(300ms)) << "no server at all is not a stuck one";
    ::setenv("CUPS_SERVER", std::string(300, 'h').c_str(), 1);
    EXPECT_NE(printServerAddress().size(), 300u) << "an overlong address is not used";
    if (before) {
        ::setenv("CUPS_SERVER", kept.c_str(), 1);
    } else {
        ::unsetenv("CUPS_SERVER");
    }
}

}  // namespace
}  // namespace korvell
