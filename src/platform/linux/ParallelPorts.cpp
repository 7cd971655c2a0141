#include "platform/linux/ParallelPorts.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

namespace keslog {

namespace {

constexpr const char* kTitle = "Port Error";

std::string lptName(int port) {
    return "LPT" + std::to_string(port);
}

int portOf(std::uint16_t address) {
    switch (address) {
        case 0x37A:
            return 1;
        case 0x27A:
            return 2;
        default:
            return 0;
    }
}

Status noSuchAddress(std::uint16_t address) {
    return Status::error(
        "There is no parallel-port register at I/O address " + std::to_string(address) + ".",
        kTitle);
}

}  // namespace

PpdevPortIo::~PpdevPortIo() {
    for (const auto& [port, fd] : fds_) {
        calls_.ioctl(fd, PPRELEASE, nullptr);
        calls_.close(fd);
    }
}

Result<int> PpdevPortIo::claimed(int port) {
    if (const auto it = fds_.find(port); it != fds_.end()) return it->second;
    const std::string path = devicePath_(port);
    const std::string lpt = lptName(port);
    const int fd = calls_.open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        switch (-fd) {
            case ENOENT:
            case ENODEV:
            case ENXIO:
                return Status::error(
                    lpt + " is set to the parallel-port device " + path +
                        ", which is not there. Load the parallel-port drivers (sudo modprobe "
                        "parport_pc ppdev), or name the device as " +
                        lpt + "Device in KESLOG90.INI.",
                    kTitle);
            case EACCES:
            case EPERM:
                return Status::error(deviceName(lpt, path) +
                                         " cannot be opened: permission denied. Add your user to "
                                         "the group lp (sudo adduser $USER lp), then log out and "
                                         "in again.",
                                     kTitle);
            default:
                return Status::error(
                    deviceName(lpt, path) + " cannot be opened: " + std::strerror(-fd) + ".",
                    kTitle);
        }
    }
    if (const int r = calls_.ioctl(fd, PPCLAIM, nullptr); r != 0) {
        calls_.close(fd);
        return Status::error(deviceName(lpt, path) + " cannot be claimed: " + std::strerror(-r) +
                                 ". Another driver (a printer, for one) may hold the port.",
                             kTitle);
    }
    fds_[port] = fd;
    return fd;
}

Status PpdevPortIo::failed(int port, int error) {
    const auto it = fds_.find(port);
    if (it != fds_.end()) {
        calls_.close(it->second);
        fds_.erase(it);
    }
    return Status::error(deviceName(lptName(port), devicePath_(port)) +
                             " stopped answering: " + std::strerror(error) + ".",
                         kTitle);
}

Result<std::uint8_t> PpdevPortIo::readByte(std::uint16_t address) {
    const int port = portOf(address);
    if (port == 0) return noSuchAddress(address);
    std::lock_guard lock(mutex_);
    const Result<int> fd = claimed(port);
    if (!fd) return fd.status();
    unsigned char control = 0;
    if (const int r = calls_.ioctl(*fd, PPRCONTROL, &control); r != 0) return failed(port, -r);
    return std::uint8_t{control};
}

Status PpdevPortIo::writeByte(std::uint16_t address, std::uint8_t value) {
    const int port = portOf(address);
    if (port == 0) return noSuchAddress(address);
    std::lock_guard lock(mutex_);
    const Result<int> fd = claimed(port);
    if (!fd) return fd.status();
    unsigned char control = value;
    if (const int r = calls_.ioctl(*fd, PPWCONTROL, &control); r != 0) return failed(port, -r);
    return Status::ok();
}

}  // namespace keslog
