#pragma once

#include <string>

#include "platform/PortDevices.h"

namespace keslog {

// The device files of a folder (/dev): ttyS*, ttyUSB* and ttyACM* are
// serial ports, parport* parallel ports.
class LinuxPortDevices : public IPortDevices {
  public:
    explicit LinuxPortDevices(std::string folder = "/dev") : folder_(std::move(folder)) {}
    std::vector<std::string> serialDevices() const override;
    std::vector<std::string> parallelDevices() const override;

  private:
    std::string folder_;
};

// Device names by stem, then by number: ttyS2 before ttyS10.
bool deviceNameBefore(const std::string& a, const std::string& b);

}  // namespace keslog
