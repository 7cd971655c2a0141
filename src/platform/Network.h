#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace keslog {

// One TCP connection. read() is called by one thread; write() and
// shutdown() may come from another at the same time.
class ITcpStream {
  public:
    virtual ~ITcpStream() = default;
    // Waits at most timeoutMs for bytes: those read, empty when none came
    // in time; an error once the peer has closed or the connection failed.
    virtual Result<std::string> read(int timeoutMs) = 0;
    // Sends all the bytes, or fails with a message.
    virtual Status write(std::string_view bytes) = 0;
    // Ends the connection both ways; a read waiting returns at once.
    virtual void shutdown() = 0;
};

class ITcpConnector {
  public:
    virtual ~ITcpConnector() = default;
    // Resolves the host and connects, giving up after timeoutMs.
    virtual Result<std::unique_ptr<ITcpStream>> connect(const std::string& host, int port,
                                                        int timeoutMs) = 0;
};

}  // namespace keslog
