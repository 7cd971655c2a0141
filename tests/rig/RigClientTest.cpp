#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/linux/TcpSockets.h"
#include "rig/RigClient.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using namespace std::chrono_literals;
using State = ITcpConnection::State;

// A stand-in for rigctld on a loopback port: each line it reads is answered
// with the pieces its script gives, a pause between them so that they
// arrive in separate reads.
class FakeRigctld {
  public:
    using Script = std::function<std::vector<std::string>(const std::string& command)>;

    explicit FakeRigctld(Script script) : script_(std::move(script)) {
        thread_ = std::thread([this] { serve(); });
    }
    ~FakeRigctld() {
        stop_ = true;
        thread_.join();
    }
    int port() const { return listen_.port(); }
    // Commands answered in full so far.
    int answered() const { return answered_; }

  private:
    bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 20) > 0;
    }
    void serve() {
        int fd = -1;
        while (!stop_ && fd < 0)
            if (readable(listen_.fd())) fd = ::accept(listen_.fd(), nullptr, nullptr);
        std::string buffer;
        while (!stop_ && fd >= 0) {
            if (!readable(fd)) continue;
            char bytes[512];
            const ssize_t n = ::recv(fd, bytes, sizeof bytes, 0);
            if (n <= 0) break;
            buffer.append(bytes, static_cast<std::size_t>(n));
            for (std::size_t end; (end = buffer.find('\n')) != std::string::npos;) {
                const std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 1);
                for (const std::string& piece : script_(line)) {
                    ::send(fd, piece.data(), piece.size(), MSG_NOSIGNAL);
                    std::this_thread::sleep_for(15ms);
                }
                ++answered_;
            }
        }
        if (fd >= 0) ::close(fd);
    }

    Script script_;
    test::LoopbackSocket listen_{test::LoopbackSocket::TcpListening};
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

// Polls on the real clock until the first "+f" and "+m" replies are read:
// the client asks again only then, so a third answer shows it; five seconds
// at most.
RigReading readRig(RigClient& client, const FakeRigctld& daemon) {
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&start] {
        return duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    };
    while (daemon.answered() < 3 && elapsed() < 5s) {
        client.poll(elapsed().count());
        std::this_thread::sleep_for(5ms);
    }
    client.poll(elapsed().count());
    return client.reading();
}

TEST(RigClient, RepliesAreReadToTheirEndWhateverTheyCarry) {
    struct Case {
        const char* name;
        std::vector<std::string> frequencyReply;
        std::vector<std::string> modeReply;
        RigReading expected;
    };
    const Case cases[] = {
        {"split across reads",
         {"get_freq:\nFreq", "uency: 14025", "300\nRPRT", " 0\n"},
         {"get_mode:\nMode: CW\nPass", "band: 500\r\nRPRT 0\n"},
         {14025300, "CW"}},
        {"an error reply is no frequency",
         {"get_freq:\nFrequency: 7000000\nRPRT -11\n"},
         {"get_mode:\nMode: USB\nPassband: 2400\nRPRT 0\n"},
         {0, "USB"}},
        {"garbage lines are passed over",
         {"\x01\x02noise\nFrequency: abc\nFrequency: \n",
          "get_freq:\nFrequency: 3525000\nRPRT 0\n"},
         {"hello\nMode: LSB\nPassband: 2400\nRPRT 0\n"},
         {3525000, "LSB"}},
        {"a mode that is no name is not taken",
         {"get_freq:\nFrequency: 21000000.000000\nRPRT 0\n"},
         {"get_mode:\nMode: C W!\nRPRT 0\n"},
         {21000000, ""}},
        {"a frequency with a fraction is rounded to the hertz",
         {"get_freq:\nFrequency: 1830000.6\nRPRT 0\n"},
         {"get_mode:\nMode: CWR\nRPRT 0\n"},
         {1830001, "CWR"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRigctld daemon([&c](const std::string& command) {
            return command == "+f" ? c.frequencyReply : c.modeReply;
        });
        PosixTcpConnector network;
        RigClient client(network, "127.0.0.1", daemon.port());
        EXPECT_EQ(readRig(client, daemon), c.expected);
        EXPECT_EQ(client.link(), RigLink::Online);
    }
}

TEST(RigClient, ADaemonThatNeverAnswersIsOfflineAfterASecondAndSaidSoOnce) {
    FakeRigctld daemon([](const std::string&) { return std::vector<std::string>{}; });
    PosixTcpConnector network;
    RigClient client(network, "localhost", daemon.port());
    // Connected and asked at time 0 (the connect itself may take a poll).
    for (int i = 0; i < 20; ++i) {
        client.poll(0);
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(client.link(), RigLink::Unknown);
    EXPECT_FALSE(client.poll(999).link);
    EXPECT_TRUE(client.poll(1000).link);
    EXPECT_EQ(client.link(), RigLink::Offline);
    EXPECT_EQ(client.lastError(), "rigctld did not answer within a second.");
    EXPECT_FALSE(client.poll(1500).link);
}

TEST(RigClient, ReconnectsWithGrowingPausesUpToFiveSeconds) {
    test::FakeTcpConnector network;  // every connect refused
    RigClient client(network, "127.0.0.1", 4532);
    const std::pair<std::int64_t, std::size_t> pollsAndConnects[] = {
        {0, 1},    {999, 1},  {1000, 2},  {2999, 2},  {3000, 3},
        {6999, 3}, {7000, 4}, {11999, 4}, {12000, 5}, {17000, 6},
    };
    int linkChanges = 0;
    for (const auto& [at, connects] : pollsAndConnects) {
        linkChanges += client.poll(at).link;
        EXPECT_EQ(network.addresses.size(), connects) << "at " << at;
    }
    EXPECT_EQ(linkChanges, 1);
    EXPECT_EQ(client.lastError(), "connect: Connection refused");
    EXPECT_EQ(network.addresses.back(), "127.0.0.1:4532");

    network.nextState = State::Open;
    client.poll(22000);
    network.links.back()->incoming = "get_freq:\nFrequency: 1830000\nRPRT 0\n";
    EXPECT_TRUE(client.poll(22100).link);
    EXPECT_EQ(client.link(), RigLink::Online);
    EXPECT_EQ(client.reading().hz, 1830000);
}

}  // namespace
}  // namespace keslog
