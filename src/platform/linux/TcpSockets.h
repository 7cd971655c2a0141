#pragma once

#include "platform/Network.h"

namespace keslog {

// TCP connections on non-blocking POSIX sockets, so that a daemon that does
// not answer costs the user-interface thread nothing.
class PosixTcpConnector : public ITcpConnector {
  public:
    std::unique_ptr<ITcpConnection> connect(const std::string& host, int port) override;
};

}  // namespace keslog
