#pragma once

#include <cstdint>

#include "platform/Status.h"

namespace keslog {

// Serial ports 1 and 2: the DTR line keys the transmitter, PTT or the
// two-radio switch.
class ISerialLines {
  public:
    virtual ~ISerialLines() = default;
    virtual Status open(int port) = 0;
    virtual void close(int port) = 0;
    virtual bool isOpen(int port) const = 0;
    virtual Status setDtr(int port, bool on) = 0;
};

// Byte I/O at the classic port addresses: the parallel-port control
// registers (0x37A, 0x27A) and the speaker port (0x61).
class IPortIo {
  public:
    virtual ~IPortIo() = default;
    virtual Result<std::uint8_t> readByte(std::uint16_t address) = 0;
    virtual Status writeByte(std::uint16_t address, std::uint8_t value) = 0;
};

}  // namespace keslog
