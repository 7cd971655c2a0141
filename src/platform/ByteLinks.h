#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace keslog {

// A byte connection to an external keyer: a UDP socket to a daemon (each
// read one datagram) or a serial port. No call waits longer than asked.
class IByteLink {
  public:
    virtual ~IByteLink() = default;
    virtual Status write(std::string_view bytes) = 0;
    // Waits at most waitMs for bytes: those read, empty when none came.
    virtual Result<std::string> read(int waitMs) = 0;
};

class IByteLinks {
  public:
    virtual ~IByteLinks() = default;
    // host: a numeric IPv4 address or "localhost".
    virtual Result<std::unique_ptr<IByteLink>> udp(const std::string& host, int port) = 0;
    // 1200 baud, 8 data bits, no parity, 2 stop bits, raw.
    virtual Result<std::unique_ptr<IByteLink>> serial(const std::string& path) = 0;
};

}  // namespace keslog
