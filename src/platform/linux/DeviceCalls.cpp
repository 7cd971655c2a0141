#include "platform/linux/DeviceCalls.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace keslog {

namespace {
int result(int r) {
    return r < 0 ? -errno : r;
}
}  // namespace

int SystemDeviceCalls::open(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    return result(fd);
}

void SystemDeviceCalls::close(int fd) {
    ::close(fd);
}

int SystemDeviceCalls::ioctl(int fd, unsigned long request, void* arg) {
    return result(::ioctl(fd, request, arg));
}

int SystemDeviceCalls::getAttributes(int fd, termios& attributes) {
    return result(::tcgetattr(fd, &attributes));
}

int SystemDeviceCalls::setAttributes(int fd, const termios& attributes) {
    return result(::tcsetattr(fd, TCSANOW, &attributes));
}

int SystemDeviceCalls::write(int fd, const void* data, std::size_t size) {
    ssize_t n;
    do {
        n = ::write(fd, data, size);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? -errno : static_cast<int>(n);
}

std::string deviceName(const std::string& portName, const std::string& path) {
    return portName + " (" + path + ")";
}

}  // namespace keslog
