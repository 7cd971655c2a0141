#include "platform/linux/SerialLines.h"

#include <fcntl.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

namespace keslog {

namespace {

constexpr const char* kTitle = "Port Error";

std::string comName(int port) {
    return "Com" + std::to_string(port);
}

Status openError(int port, const std::string& path, int error) {
    const std::string com = comName(port);
    const std::string device = deviceName(com, path);
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return Status::error(com + " is set to the serial device " + path +
                                     ", which is not there. Plug in the serial adapter, or name "
                                     "its device (for a USB adapter usually /dev/ttyUSB0) as " +
                                     com + "Device in KESLOG90.INI.",
                                 kTitle);
        case EACCES:
        case EPERM:
            return Status::error(device +
                                     " cannot be opened: permission denied. Add your user to the "
                                     "group dialout (sudo adduser $USER dialout), then log out "
                                     "and in again.",
                                 kTitle);
        case EBUSY:
            return Status::error(
                device + " is in use by another program. Close that program and try again.",
                kTitle);
        case ENOTTY:
        case EINVAL:
            return Status::error(com + " is set to " + path +
                                     ", which is not a serial port. Name the serial device as " +
                                     com + "Device in KESLOG90.INI.",
                                 kTitle);
        default:
            break;
    }
    return Status::error(device + " cannot be opened: " + std::strerror(error) + ".", kTitle);
}

}  // namespace

TermiosSerialLines::~TermiosSerialLines() {
    for (const auto& [port, fd] : fds_) calls_.close(fd);
}

Status TermiosSerialLines::open(int port) {
    std::lock_guard lock(mutex_);
    if (fds_.contains(port)) return Status::ok();
    const std::string path = devicePath_(port);
    const int fd = calls_.open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return openError(port, path, -fd);

    // The driver raises DTR and RTS on open: drop them at once, and keep
    // close from touching them.
    int lines = TIOCM_DTR | TIOCM_RTS;
    int r = calls_.ioctl(fd, TIOCMBIC, &lines);
    termios attributes{};
    if (r == 0) r = calls_.getAttributes(fd, attributes);
    if (r == 0) {
        attributes.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
        attributes.c_cflag |= CLOCAL;
        r = calls_.setAttributes(fd, attributes);
    }
    if (r != 0) {
        calls_.close(fd);
        return openError(port, path, -r);
    }
    fds_[port] = fd;
    return Status::ok();
}

void TermiosSerialLines::close(int port) {
    std::lock_guard lock(mutex_);
    const auto it = fds_.find(port);
    if (it == fds_.end()) return;
    calls_.close(it->second);
    fds_.erase(it);
}

bool TermiosSerialLines::isOpen(int port) const {
    std::lock_guard lock(mutex_);
    return fds_.contains(port);
}

Status TermiosSerialLines::setDtr(int port, bool on) {
    std::lock_guard lock(mutex_);
    const auto it = fds_.find(port);
    const std::string com = comName(port);
    if (it == fds_.end()) return Status::error(com + " is not open.", kTitle);
    int dtr = TIOCM_DTR;
    const int r = calls_.ioctl(it->second, on ? TIOCMBIS : TIOCMBIC, &dtr);
    if (r == 0) return Status::ok();
    // A dead descriptor (an unplugged adapter) is dropped, so the next use
    // opens the device afresh and says what is wrong with it.
    calls_.close(it->second);
    fds_.erase(it);
    return Status::error(deviceName(com, devicePath_(port)) + " stopped answering: " +
                             std::strerror(-r) + ". Check that the adapter is still plugged in.",
                         kTitle);
}

}  // namespace keslog
