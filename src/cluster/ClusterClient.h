#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/Settings.h"
#include "platform/Network.h"

namespace keslog {

struct ClusterConfig {
    std::string host;
    int port = 0;
    std::string call;  // the login call
    std::string password;
    std::vector<std::string> commands;  // sent once logged in (filters and the like)
    // The least time between two connection attempts; failed attempts in a
    // row wait twice as long each time, up to eight times this.
    std::chrono::milliseconds retryInterval{10000};
    std::chrono::milliseconds connectTimeout{10000};
    // Without a prompt ending in ">", the commands go this long after the
    // last text following the login.
    std::chrono::milliseconds quietBeforeCommands{2000};
};

// The commands of a ";"-separated setting, trimmed, empty ones left out.
std::vector<std::string> clusterCommands(std::string_view setting);

// The cluster the settings name; nullopt without a host or with a port
// that is not a number 1..65535 in digits. An empty login call is the station's YourCall.
std::optional<ClusterConfig> clusterConfigOf(const Settings& settings);

enum class ClusterState { Connecting, Connected, Down };

// Called on the client's own thread, never with its lock held: the caller
// passes them on to its user-interface thread.
struct ClusterEvents {
    std::function<void(const std::string& line)> line;  // every cleaned, non-blank line
    // A change of state with what happened; while down, how long until the
    // next attempt. Connecting and Connected are not told twice in a row.
    std::function<void(ClusterState state, const std::string& text,
                       std::chrono::milliseconds retryIn)>
        state;
};

// A telnet cluster session on its own thread: connects, answers the login
// and password prompts, sends the commands, hands over every line, and
// after a drop connects again (never more often than the retry interval).
class ClusterClient {
  public:
    ClusterClient(ITcpStreamConnector& connector, ClusterConfig config, ClusterEvents events);
    ~ClusterClient();
    ClusterClient(const ClusterClient&) = delete;
    ClusterClient& operator=(const ClusterClient&) = delete;

    // Sends one line (a spot, a command) from any thread.
    Status send(const std::string& line);

  private:
    using Clock = std::chrono::steady_clock;

    void run();
    void session(ITcpStream& stream, Clock::time_point nextAttempt);
    bool stopping();
    void report(ClusterState state, const std::string& text,
                std::chrono::milliseconds retryIn = {});
    // Waits until the time or until stopped; false when stopped.
    bool waitUntil(Clock::time_point when);

    ITcpStreamConnector& connector_;
    const ClusterConfig config_;
    const ClusterEvents events_;

    std::mutex mutex_;  // guards stream_ and stopping_
    std::condition_variable wake_;
    std::unique_ptr<ITcpStream> stream_;
    bool stopping_ = false;

    // The worker's own: the last state reported.
    bool reported_ = false;
    ClusterState lastState_ = ClusterState::Down;
    std::string lastText_;

    std::thread worker_;
};

}  // namespace keslog
