#pragma once

#include <termios.h>

#include <cstddef>
#include <string>

namespace keslog {

// The system calls the device lines make, behind one seam so their exact
// sequence can be checked without hardware. Failures return -errno.
class IDeviceCalls {
  public:
    virtual ~IDeviceCalls() = default;
    virtual int open(const std::string& path, int flags) = 0;  // a descriptor
    virtual void close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual int getAttributes(int fd, termios& attributes) = 0;
    virtual int setAttributes(int fd, const termios& attributes) = 0;
    virtual int write(int fd, const void* data, std::size_t size) = 0;
};

class SystemDeviceCalls : public IDeviceCalls {
  public:
    int open(const std::string& path, int flags) override;
    void close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    int getAttributes(int fd, termios& attributes) override;
    int setAttributes(int fd, const termios& attributes) override;
    int write(int fd, const void* data, std::size_t size) override;
};

// "Com1 (/dev/ttyUSB0)": how the messages name a line's device.
std::string deviceName(const std::string& portName, const std::string& path);

}  // namespace keslog
