#include "platform/linux/ByteLinks.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace keslog {

namespace {

class DescriptorLink : public IByteLink {
  public:
    DescriptorLink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    ~DescriptorLink() override { ::close(fd_); }
    DescriptorLink(const DescriptorLink&) = delete;
    DescriptorLink& operator=(const DescriptorLink&) = delete;

    Status write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            // A serial buffer full of a few bytes more than it holds waits
            // a moment; a keyer that takes nothing at all is an error.
            if (n < 0 && errno == EAGAIN) {
                pollfd p{fd_, POLLOUT, 0};
                if (::poll(&p, 1, 50) > 0) continue;
            }
            if (n < 0) return failure("cannot be written to");
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return Status::ok();
    }

    Result<std::string> read(int waitMs) override {
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, waitMs);
        if (ready < 0 && errno != EINTR) return failure("cannot be read");
        if (ready <= 0) return std::string();
        char buffer[512];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return std::string();
        // A refused datagram (nothing listens on the port) reads as an error.
        if (n < 0) return failure("cannot be read");
        if (n == 0) return failure("was closed");
        return std::string(buffer, static_cast<std::size_t>(n));
    }

  private:
    Status failure(const std::string& what) const {
        return Status::error(name_ + " " + what + ": " + std::strerror(errno) + ".");
    }

    int fd_;
    std::string name_;
};

}  // namespace

Result<std::unique_ptr<IByteLink>> PosixByteLinks::udp(const std::string& host, int port) {
    const std::string name = host + ":" + std::to_string(port);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const std::string numeric = host == "localhost" ? "127.0.0.1" : host;
    if (port < 1 || port > 65535 || ::inet_pton(AF_INET, numeric.c_str(), &address.sin_addr) != 1)
        return Status::error(name + " is no IPv4 address and port.");
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return Status::error(std::string("No UDP socket: ") + std::strerror(errno) + ".");
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::error(name + " cannot be reached: " + std::strerror(error) + ".");
    }
    return std::unique_ptr<IByteLink>(std::make_unique<DescriptorLink>(fd, name));
}

Result<std::unique_ptr<IByteLink>> PosixByteLinks::serial(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const std::string hint = error == EACCES || error == EPERM
                                     ? " Add your user to the group dialout, then log in again."
                                     : "";
        return Status::error(path + " cannot be opened: " + std::strerror(error) + "." + hint);
    }
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B1200);
        ::cfsetospeed(&t, B1200);
        t.c_cflag |= CLOCAL | CREAD | CSTOPB;
        t.c_cflag &= ~static_cast<tcflag_t>(PARENB | CRTSCTS | HUPCL);
        ::tcsetattr(fd, TCSANOW, &t);
    } else {
        const int error = errno;
        ::close(fd);
        return Status::error(path + " is not a serial port: " + std::strerror(error) + ".");
    }
    return std::unique_ptr<IByteLink>(std::make_unique<DescriptorLink>(fd, path));
}

}  // namespace keslog
