#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Network.h"

namespace keslog {

// What the daemon last said about the rig: 0 and "" until it has said it.
struct RigReading {
    std::int64_t hz = 0;
    std::string mode;  // hamlib's name: CW, CWR, USB, LSB, AM, FM, ...
    bool operator==(const RigReading&) const = default;
};

enum class RigLink { Unknown, Online, Offline };

struct RigAddress {
    std::string host;
    int port = 0;
};

// "HOST:PORT" with a numeric IPv4 host or "localhost" (a name lookup could
// block) and a port 1..65535; nullopt for anything else.
std::optional<RigAddress> parseRigAddress(std::string_view text);

// The command line of a rigctld the logger runs for a radio: hamlib model
// `model` on serial device `device` (left out when empty), listening on the
// loopback at the port of the radio's rigctld address. An error says which
// setting is wrong.
Result<std::vector<std::string>> rigctldCommand(std::string_view model, std::string_view device,
                                                std::string_view address);

// The last line a program wrote that holds more than blanks; "" for none.
std::string lastLineOf(std::string_view output);

// What one poll changed, for the displays to follow.
struct RigChanges {
    bool link = false;
    bool reading = false;
};

// A client of hamlib's rigctld in its extended response form: "+f" and
// "+m" ask, "+F" and "+M" set; every reply ends in "RPRT n", n < 0 an
// error. All I/O is non-blocking: poll() is called from a timer with the
// monotonic time and does only the work that is ready.
class RigClient {
  public:
    static constexpr std::int64_t kAnswerTimeoutMs = 1000;
    static constexpr std::int64_t kFirstRetryMs = 1000;
    static constexpr std::int64_t kLongestRetryMs = 5000;

    RigClient(ITcpConnector& network, std::string host, int port);

    // Reads the replies that have arrived, asks again once all are in,
    // and connects (again) when the time has come.
    RigChanges poll(std::int64_t nowMs);
    // Sent at once when connected, else dropped: a rig that is offline
    // cannot be tuned, and the next reading shows where it really is.
    void setFrequency(std::int64_t hz, std::int64_t nowMs);
    void setMode(const std::string& mode, std::int64_t nowMs);

    RigLink link() const { return link_; }
    const RigReading& reading() const { return reading_; }
    // Why the rig is offline, for the operator.
    const std::string& lastError() const { return lastError_; }

  private:
    enum class Ask { Frequency, Mode, Set };
    struct Pending {
        Ask ask;
        std::int64_t sentMs;
    };
    struct Reply {
        std::int64_t hz = -1;
        std::string mode;
        int code = 0;
    };

    void send(Ask ask, const std::string& line, std::int64_t nowMs);
    void readReplies(RigChanges& changes);
    void finishReply(RigChanges& changes);
    void goOffline(std::int64_t nowMs, std::string why, RigChanges& changes);
    void setLink(RigLink link, RigChanges& changes);

    ITcpConnector& network_;
    std::string host_;
    int port_;
    std::unique_ptr<ITcpConnection> connection_;
    std::int64_t connectStartMs_ = 0;
    std::int64_t nextConnectMs_ = 0;
    std::int64_t retryDelayMs_ = kFirstRetryMs;
    std::deque<Pending> pending_;
    std::string received_;  // a reply's lines not yet ended by RPRT
    Reply reply_;
    RigLink link_ = RigLink::Unknown;
    RigReading reading_;
    std::string lastError_;
};

}  // namespace keslog
