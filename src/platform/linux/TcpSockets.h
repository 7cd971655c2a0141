#pragma once

#include "platform/Network.h"

namespace keslog {

// TCP connections on non-blocking POSIX sockets, so that a daemon that does
// not answer costs the user-interface thread nothing.
class PosixTcpConnector : public ITcpConnector {
  public:
    std::unique_ptr<ITcpConnection> connect(const std::string& host, int port) override;
};

// TCP streams over POSIX sockets: a non-blocking connect bounded by poll(),
// reads bounded the same way, writes that finish or fail.
class PosixTcpStreamConnector : public ITcpStreamConnector {
  public:
    Result<std::unique_ptr<ITcpStream>> connect(const std::string& host, int port,
                                                int timeoutMs) override;
};

// UDP datagrams from one non-blocking socket, opened at the first send.
class PosixUdpSender : public IUdpSender {
  public:
    PosixUdpSender() = default;
    ~PosixUdpSender() override;
    PosixUdpSender(const PosixUdpSender&) = delete;
    PosixUdpSender& operator=(const PosixUdpSender&) = delete;
    Status send(const std::string& host, int port, std::string_view datagram) override;

  private:
    int fd_ = -1;
};

}  // namespace keslog
