#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "platform/Lines.h"
#include "platform/linux/DeviceCalls.h"

namespace keslog {

// The parallel ports' control registers through ppdev: the register
// addresses 0x37A and 0x27A stand for the first and second port's device
// (/dev/parport0, /dev/parport1 by default). A port is claimed on first use
// and kept for the run.
class PpdevPortIo : public IPortIo {
  public:
    // The device file behind parallel port 1 or 2 (LPT1Device, LPT2Device).
    using DevicePath = std::function<std::string(int port)>;

    PpdevPortIo(IDeviceCalls& calls, DevicePath devicePath)
        : calls_(calls), devicePath_(std::move(devicePath)) {}
    ~PpdevPortIo() override;
    PpdevPortIo(const PpdevPortIo&) = delete;
    PpdevPortIo& operator=(const PpdevPortIo&) = delete;

    Result<std::uint8_t> readByte(std::uint16_t address) override;
    Status writeByte(std::uint16_t address, std::uint8_t value) override;

  private:
    Result<int> claimed(int port);
    Status failed(int port, int error);

    std::mutex mutex_;
    IDeviceCalls& calls_;
    DevicePath devicePath_;
    std::map<int, int> fds_;
};

}  // namespace keslog
