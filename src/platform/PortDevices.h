#pragma once

#include <string>
#include <vector>

namespace keslog {

// The serial and parallel device files the machine has now, offered for the
// devices behind "Com1", "Com2", "LPT1" and "LPT2".
class IPortDevices {
  public:
    virtual ~IPortDevices() = default;
    // Full paths, by name and then by number (ttyS2 before ttyS10).
    virtual std::vector<std::string> serialDevices() const = 0;
    virtual std::vector<std::string> parallelDevices() const = 0;
};

}  // namespace keslog
