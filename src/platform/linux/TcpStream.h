#pragma once

#include "platform/Network.h"

namespace keslog {

// TCP over POSIX sockets: a non-blocking connect bounded by poll(), reads
// bounded the same way, writes that finish or fail.
class PosixTcpConnector : public ITcpConnector {
  public:
    Result<std::unique_ptr<ITcpStream>> connect(const std::string& host, int port,
                                                int timeoutMs) override;
};

}  // namespace keslog
