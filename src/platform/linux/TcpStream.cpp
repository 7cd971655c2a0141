#include "platform/linux/TcpStream.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace keslog {

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

Result<std::unique_ptr<ITcpStream>> PosixTcpConnector::connect(const std::string& host, int port,
                                                               int timeoutMs) {
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

}  // namespace keslog
