#include "platform/linux/TcpSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

namespace keslog {

namespace {

// A numeric address needs no (blocking) resolver; nullopt for anything else.
std::optional<sockaddr_in> ipv4Address(const std::string& host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const std::string numeric = host == "localhost" ? "127.0.0.1" : host;
    if (port < 1 || port > 65535 || inet_pton(AF_INET, numeric.c_str(), &address.sin_addr) != 1)
        return std::nullopt;
    return address;
}

std::string notAnAddress(const std::string& host, int port, const char* example) {
    return "\"" + host + ":" + std::to_string(port) +
           "\" is not an IPv4 address and port, such as " + example + ".";
}

class PosixTcpConnection : public ITcpConnection {
  public:
    PosixTcpConnection(const std::string& host, int port) {
        const auto address = ipv4Address(host, port);
        if (!address) {
            fail(notAnAddress(host, port, "127.0.0.1:4532"));
            return;
        }
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd_ < 0) {
            failErrno("socket");
            return;
        }
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0)
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

namespace {

std::string systemText(int err) {
    return std::strerror(err);
}

class PosixTcpStream : public ITcpStream {
  public:
    explicit PosixTcpStream(int fd) : fd_(fd) {}
    ~PosixTcpStream() override { ::close(fd_); }
    PosixTcpStream(const PosixTcpStream&) = delete;
    PosixTcpStream& operator=(const PosixTcpStream&) = delete;

    Result<std::string> read(int timeoutMs) override {
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0 && errno != EINTR) return Status::error("poll: " + systemText(errno));
        if (ready <= 0) return std::string();
        std::array<char, 4096> buffer{};
        const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        if (n > 0) return std::string(buffer.data(), static_cast<std::size_t>(n));
        if (n == 0) return Status::error("the cluster closed the connection");
        if (errno == EAGAIN || errno == EINTR) return std::string();
        return Status::error(systemText(errno));
    }

    Status write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno == EAGAIN) {
                // A full send buffer: wait a little for room, then give up.
                pollfd p{fd_, POLLOUT, 0};
                if (::poll(&p, 1, 2000) > 0) continue;
                return Status::error("the cluster takes no more data");
            }
            return Status::error(systemText(errno));
        }
        return Status::ok();
    }

    void shutdown() override { ::shutdown(fd_, SHUT_RDWR); }

  private:
    int fd_;
};

// Connects one address within the time left; the socket, or -1 with errno.
int connectTo(const addrinfo& address, int timeoutMs) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) return -1;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return fd;
    int err = errno;
    if (err == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        socklen_t length = sizeof err;
        if (ready == 0)
            err = ETIMEDOUT;
        else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &length) < 0)
            err = errno;
        if (err == 0) return fd;
    }
    ::close(fd);
    errno = err;
    return -1;
}

}  // namespace

Result<std::unique_ptr<ITcpStream>> PosixTcpStreamConnector::connect(const std::string& host,
                                                                     int port, int timeoutMs) {
    const std::string where = host + ":" + std::to_string(port);
    if (host.empty() || port < 1 || port > 65535)
        return Status::error("No cluster address (" + where + ")");
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (resolved != 0)
        return Status::error("Cannot find " + host + ": " + ::gai_strerror(resolved));
    int err = 0;
    int fd = -1;
    for (const addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
        fd = connectTo(*a, timeoutMs);
        if (fd < 0) err = errno;
    }
    ::freeaddrinfo(found);
    if (fd < 0) return Status::error("Cannot connect to " + where + ": " + systemText(err));
    return std::unique_ptr<ITcpStream>(std::make_unique<PosixTcpStream>(fd));
}

PosixUdpSender::~PosixUdpSender() {
    if (fd_ >= 0) ::close(fd_);
}

Status PosixUdpSender::send(const std::string& host, int port, std::string_view datagram) {
    const auto address = ipv4Address(host, port);
    if (!address) return Status::error(notAnAddress(host, port, "127.0.0.1:12060"));
    if (fd_ < 0) {
        fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd_ < 0) return Status::error("socket: " + systemText(errno));
        // Listeners anywhere on the station's network: a broadcast address is allowed.
        const int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    }
    const ssize_t n = ::sendto(fd_, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                               reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
    if (n < 0)
        return Status::error("sendto " + host + ":" + std::to_string(port) + ": " +
                             systemText(errno));
    return Status::ok();
}

}  // namespace keslog
