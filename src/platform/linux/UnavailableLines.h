#pragma once

#include "platform/Lines.h"

namespace keslog {

// Until the keying lines are built on Linux, every attempt to use one says
// so plainly; logging goes on.
class UnavailableSerialLines : public ISerialLines {
  public:
    Status open(int port) override;
    void close(int) override {}
    bool isOpen(int) const override { return false; }
    Status setDtr(int port, bool on) override;
};

class UnavailablePortIo : public IPortIo {
  public:
    Result<std::uint8_t> readByte(std::uint16_t address) override;
    Status writeByte(std::uint16_t address, std::uint8_t value) override;
};

}  // namespace keslog
