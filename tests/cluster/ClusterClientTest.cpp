// The client against a cluster server played by the test on a loopback
// port, and its retry pacing against a connector that always fails.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "cluster/ClusterClient.h"
#include "cluster/SpotLine.h"
#include "platform/linux/TcpSockets.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// One side of the conversation: a listening socket on 127.0.0.1 and the
// connection it accepted. Every wait is bounded; a failure is recorded.
class LoopbackServer {
  public:
    ~LoopbackServer() { hangUp(); }

    int port() const { return listener_.port(); }
    const std::string& failure() const { return failure_; }

    bool accept() {
        pollfd p{listener_.fd(), POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0) return fail("no connection came");
        client_ = ::accept(listener_.fd(), nullptr, nullptr);
        acceptedAt.push_back(Clock::now());
        return client_ >= 0 || fail("accept failed");
    }
    bool send(std::string_view bytes) {
        return ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(bytes.size()) ||
               fail("send failed");
    }
    // The next line the client sent must be this one.
    bool expect(const std::string& line) {
        while (received_.find("\r\n") == std::string::npos) {
            pollfd p{client_, POLLIN, 0};
            char buffer[256];
            if (::poll(&p, 1, 5000) <= 0) return fail("waited in vain for " + line);
            const ssize_t n = ::recv(client_, buffer, sizeof buffer, 0);
            if (n <= 0) return fail("closed while waiting for " + line);
            received_.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t end = received_.find("\r\n");
        const std::string got = received_.substr(0, end);
        received_.erase(0, end + 2);
        return got == line || fail("expected " + line + ", got " + got);
    }
    void hangUp() {
        if (client_ >= 0) ::close(client_);
        client_ = -1;
        received_.clear();
    }

    std::vector<Clock::time_point> acceptedAt;

  private:
    bool fail(const std::string& what) {
        if (failure_.empty()) failure_ = what;
        return false;
    }

    test::LoopbackSocket listener_{test::LoopbackSocket::TcpListening};
    int client_ = -1;
    std::string received_;
    std::string failure_;
};

// What the client reported, gathered from its thread.
struct Heard {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> lines;
    std::vector<std::string> states;
    std::vector<std::string> retries;  // ms, one per state

    ClusterEvents events() {
        return {
            [this](const std::string& line) { add(lines, line); },
            [this](ClusterState state, const std::string& text, std::chrono::milliseconds retryIn) {
                const char* name = state == ClusterState::Connecting  ? "connecting: "
                                   : state == ClusterState::Connected ? "connected: "
                                                                      : "down: ";
                add(states, name + text);
                add(retries, std::to_string(retryIn.count()));
            }};
    }
    void add(std::vector<std::string>& list, const std::string& text) {
        std::lock_guard lock(mutex);
        list.push_back(text);
        changed.notify_all();
    }
    bool waitForLines(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return lines.size() >= count; });
    }
};

TEST(ClusterClient, LogsInReadsSpotsAndLogsInAgainAfterADrop) {
    LoopbackServer server;
    const std::vector<std::string> commands{"set/skimmer", "sh/dx 5"};
    std::thread cluster([&] {
        // A prompt without a line end, with telnet options around it; then a
        // password, a greeting and the cluster's prompt.
        (void)(server.accept() && server.send("\xff\xfb\x01\xff\xfb\x03LOGIN: ") &&
               server.expect("W1XYZ") && server.send("\r\nPassword: ") && server.expect("secret") &&
               server.send("\r\nHello W1XYZ, this is TEST-1\r\nW1XYZ de TEST-1 1500Z >") &&
               server.expect("set/skimmer") && server.expect("sh/dx 5") &&
               server.send("\r\nDX de K1TTT:     14025.0  JA1ABC       599 tnx"
                           "                     1200Z FN42\r\n"
                           "DX de VE7CC-#:  14025.9  K6ABC  CW 24 dB 23 WPM CQ  1201Z\r\n"
                           "\x07\x07"
                           "DX de W3LPL-#:7003.5  DL1ABC  CW 9 dB CQ 1202Z\n"
                           "\x01\x02### \xff\xfd\x18garbage\r\nDX de N0AX: 21025.0 ") &&
               (std::this_thread::sleep_for(100ms), true) &&
               server.send("PY2XX  CQ TEST  1203Z\r\n"));
        server.hangUp();
        // The client comes back by itself; no password prompt this time, so
        // the commands follow a quiet spell.
        (void)(server.accept() && server.send("Please enter your call: ") &&
               server.expect("W1XYZ") && server.send("\r\nWelcome back\r\n") &&
               server.expect("set/skimmer") && server.expect("sh/dx 5") &&
               server.send("DX de K1TTT: 7003.5 DL1ABC CQ 1204Z\r\n"));
    });

    PosixTcpStreamConnector connector;
    Heard heard;
    ClusterConfig config{"127.0.0.1", server.port(), "W1XYZ", "secret", commands};
    config.retryInterval = 300ms;
    config.quietBeforeCommands = 500ms;
    {
        ClusterClient client(connector, config, heard.events());
        EXPECT_TRUE(heard.waitForLines(12));
        cluster.join();
        EXPECT_EQ(server.failure(), "");
    }

    std::vector<std::string> spots;
    int others = 0;
    for (const std::string& line : heard.lines) {
        const std::optional<Spot> spot = parseSpotLine(line);
        if (spot)
            spots.push_back(spot->frequency + " " + spot->dxCall + " " +
                            std::to_string(spot->time));
        else
            ++others;
    }
    EXPECT_EQ(spots, (std::vector<std::string>{"14025.0 JA1ABC 1200", "14025.9 K6ABC 1201",
                                               "7003.5 DL1ABC 1202", "21025.0 PY2XX 1203",
                                               "7003.5 DL1ABC 1204"}));
    // The two prompts, the greeting, the cluster's prompt and the garbage;
    // then the second login prompt and its greeting.
    EXPECT_EQ(others, 7);
    const std::string where = "127.0.0.1:" + std::to_string(server.port());
    EXPECT_EQ(heard.states, (std::vector<std::string>{
                                "connecting: Connecting to " + where,
                                "connected: Connected to " + where,
                                "down: Lost 127.0.0.1: the cluster closed the connection",
                                "connected: Connected to " + where,
                            }));
    ASSERT_EQ(server.acceptedAt.size(), 2u);
    EXPECT_GE(server.acceptedAt[1] - server.acceptedAt[0], 250ms);
    // The drop came before the retry interval was over: the rest is waited.
    EXPECT_LE(std::stoi(heard.retries[2]), 300);
}

// Refuses every attempt and notes when each came.
class RefusingConnector : public ITcpStreamConnector {
  public:
    Result<std::unique_ptr<ITcpStream>> connect(const std::string&, int, int) override {
        std::lock_guard lock(mutex);
        attempts.push_back(Clock::now());
        changed.notify_all();
        return Status::error("Cannot connect to nowhere");
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Clock::time_point> attempts;
};

TEST(ClusterClient, FailedAttemptsBackOffAndTellTheirWait) {
    RefusingConnector connector;
    Heard heard;
    ClusterConfig config{"nowhere", 7300, "W1XYZ", "", {}};
    config.retryInterval = 40ms;
    {
        ClusterClient client(connector, config, heard.events());
        std::unique_lock lock(connector.mutex);
        ASSERT_TRUE(
            connector.changed.wait_for(lock, 5s, [&] { return connector.attempts.size() >= 5; }));
        EXPECT_EQ(client.send("DX 14025 K1ABC").message(), "Not connected to the cluster");
    }
    // The client times each wait from just before its attempt, the fake a
    // moment later, which a loaded machine stretches: each gap is held to
    // three quarters of its wait.
    const auto& at = connector.attempts;
    for (std::size_t i = 1; i < 5; ++i) EXPECT_GE(at[i] - at[i - 1], 30ms * (1 << (i - 1))) << i;
    // Every failure is told with its own wait, for the status line's count.
    heard.states.resize(5);
    heard.retries.resize(5);
    EXPECT_EQ(heard.states,
              (std::vector<std::string>{
                  "connecting: Connecting to nowhere:7300", "down: Cannot connect to nowhere",
                  "down: Cannot connect to nowhere", "down: Cannot connect to nowhere",
                  "down: Cannot connect to nowhere"}));
    EXPECT_EQ(heard.retries, (std::vector<std::string>{"0", "40", "80", "160", "320"}));
}

TEST(ClusterClient, ConfigFromTheSettings) {
    Settings s;
    s.YourCall = "N6TR";
    EXPECT_EQ(clusterConfigOf(s), std::nullopt);  // nothing set: no cluster
    s.ClusterHost = " dxc.example.net ";
    for (const char* port : {"", "0", "65536", "73.5", "abc", "73OO"}) {
        s.ClusterPort = port;
        EXPECT_EQ(clusterConfigOf(s), std::nullopt) << port;
    }
    s.ClusterPort = "7300";
    s.ClusterCommands = "set/skimmer; ;sh/dx 5;";
    const std::optional<ClusterConfig> config = clusterConfigOf(s);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->host, "dxc.example.net");
    EXPECT_EQ(config->port, 7300);
    EXPECT_EQ(config->call, "N6TR");
    EXPECT_EQ(config->commands, (std::vector<std::string>{"set/skimmer", "sh/dx 5"}));
    s.ClusterCall = "N6TR-2";
    EXPECT_EQ(clusterConfigOf(s)->call, "N6TR-2");
}

}  // namespace
}  // namespace keslog
