#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace keslog {

// Two ways to hold a TCP connection, one per kind of user: a connection
// polled from a timer on the user-interface thread (rig control), whose
// calls never wait, and a stream for a thread of its own (the cluster
// client), whose calls wait a bounded time.

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

// One TCP connection for a thread of its own. read() is called by one
// thread; write() and shutdown() may come from another at the same time.
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

class ITcpStreamConnector {
  public:
    virtual ~ITcpStreamConnector() = default;
    // Resolves the host and connects, giving up after timeoutMs.
    virtual Result<std::unique_ptr<ITcpStream>> connect(const std::string& host, int port,
                                                        int timeoutMs) = 0;
};

// Datagrams for listeners on the station's network (scoreboards, band
// decoders): each send goes at once or fails at once, never waits.
class IUdpSender {
  public:
    virtual ~IUdpSender() = default;
    // host: a numeric IPv4 address (a broadcast address too) or "localhost".
    virtual Status send(const std::string& host, int port, std::string_view datagram) = 0;
};

}  // namespace keslog
