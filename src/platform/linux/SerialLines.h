#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "platform/Lines.h"
#include "platform/linux/DeviceCalls.h"

namespace keslog {

// The DTR lines of serial devices (/dev/ttyS*, /dev/ttyUSB*) through termios
// ioctls. Opening a port never keys the transmitter: DTR and RTS are cleared
// and hang-up on close is turned off right after the open.
class TermiosSerialLines : public ISerialLines {
  public:
    // The device file behind port 1 or 2 (the settings Com1Device, Com2Device).
    using DevicePath = std::function<std::string(int port)>;

    TermiosSerialLines(IDeviceCalls& calls, DevicePath devicePath)
        : calls_(calls), devicePath_(std::move(devicePath)) {}
    ~TermiosSerialLines() override;
    TermiosSerialLines(const TermiosSerialLines&) = delete;
    TermiosSerialLines& operator=(const TermiosSerialLines&) = delete;

    Status open(int port) override;
    void close(int port) override;
    bool isOpen(int port) const override;
    Status setDtr(int port, bool on) override;

  private:
    mutable std::mutex mutex_;
    IDeviceCalls& calls_;
    DevicePath devicePath_;
    std::map<int, int> fds_;
};

}  // namespace keslog
