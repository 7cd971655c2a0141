#include "platform/linux/TcpSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace keslog {

namespace {

class PosixTcpConnection : public ITcpConnection {
  public:
    PosixTcpConnection(const std::string& host, int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        const std::string numeric = host == "localhost" ? "127.0.0.1" : host;
        if (port < 1 || port > 65535 ||
            inet_pton(AF_INET, numeric.c_str(), &address.sin_addr) != 1) {
            fail("\"" + host + ":" + std::to_string(port) +
                 "\" is not an IPv4 address and port, such as 127.0.0.1:4532.");
            return;
        }
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd_ < 0) {
            failErrno("socket");
            return;
        }
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            state_ = State::Open;
        else if (errno != EINPROGRESS)
            failErrno("connect");
    }
    ~PosixTcpConnection() override { closeSocket(); }
    PosixTcpConnection(const PosixTcpConnection&) = delete;
    PosixTcpConnection& operator=(const PosixTcpConnection&) = delete;

    State state() override {
        if (state_ == State::Connecting) finishConnect();
        if (state_ == State::Open) flush();
        return state_;
    }

    void send(std::string_view bytes) override {
        if (state_ == State::Closed) return;
        outgoing_.append(bytes);
        if (state_ == State::Open) flush();
    }

    std::string receive() override {
        std::string arrived;
        char buffer[4096];
        while (state_ == State::Open) {
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            if (n > 0) {
                arrived.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0) {
                fail("The connection was closed by the other end.");
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                break;
            } else if (errno != EINTR) {
                failErrno("recv");
            }
        }
        return arrived;
    }

    std::string error() const override { return error_; }

  private:
    void finishConnect() {
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, 0) <= 0) return;
        int code = 0;
        socklen_t size = sizeof code;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &size) != 0) code = errno;
        if (code != 0) {
            errno = code;
            failErrno("connect");
        } else {
            state_ = State::Open;
        }
    }

    void flush() {
        while (!outgoing_.empty()) {
            const ssize_t n = ::send(fd_, outgoing_.data(), outgoing_.size(), MSG_NOSIGNAL);
            if (n >= 0) {
                outgoing_.erase(0, static_cast<std::size_t>(n));
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return;
            } else if (errno != EINTR) {
                failErrno("send");
                return;
            }
        }
    }

    void failErrno(const char* call) { fail(std::string(call) + ": " + std::strerror(errno)); }
    void fail(std::string why) {
        closeSocket();
        state_ = State::Closed;
        error_ = std::move(why);
        outgoing_.clear();
    }
    void closeSocket() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
    State state_ = State::Connecting;
    std::string outgoing_;
    std::string error_;
};

}  // namespace

std::unique_ptr<ITcpConnection> PosixTcpConnector::connect(const std::string& host, int port) {
    return std::make_unique<PosixTcpConnection>(host, port);
}

}  // namespace keslog
