#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace keslog {

// One TCP connection whose calls never wait: connecting goes on in the
// background, send() queues, receive() hands over only what has arrived.
// The owner polls it from a timer and decides itself how long is too long.
class ITcpConnection {
  public:
    enum class State { Connecting, Open, Closed };

    virtual ~ITcpConnection() = default;
    // Moves a pending connect or send on; Closed once the peer hung up or a
    // call failed (error() says why).
    virtual State state() = 0;
    virtual void send(std::string_view bytes) = 0;
    virtual std::string receive() = 0;
    virtual std::string error() const = 0;
};

class ITcpConnector {
  public:
    virtual ~ITcpConnector() = default;
    // host: a numeric IPv4 address or "localhost"; a name that would need a
    // (blocking) resolver lookup gives a Closed connection with the reason.
    virtual std::unique_ptr<ITcpConnection> connect(const std::string& host, int port) = 0;
};

}  // namespace keslog
