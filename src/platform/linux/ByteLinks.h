#pragma once

#include "platform/ByteLinks.h"

namespace keslog {

// Non-blocking descriptors whose reads wait in poll(), never longer than
// asked: a dead daemon or a silent keyer costs the window nothing.
class PosixByteLinks : public IByteLinks {
  public:
    Result<std::unique_ptr<IByteLink>> udp(const std::string& host, int port) override;
    Result<std::unique_ptr<IByteLink>> serial(const std::string& path) override;
};

}  // namespace keslog
