#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "KeyerRig.h"
#include "platform/linux/ByteLinks.h"
#include "transmit/Repetition.h"
#include "transmit/WinKeyer.h"

namespace keslog::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A WinKeyer on a pseudo-terminal: answers the host open as told, goes
// BUSY for `busyFor` on text, and records every byte with its time.
class FakeWinKeyer {
  public:
    enum class Open { Version31, Garbage, Silent };

    explicit FakeWinKeyer(Open open = Open::Version31) : open_(open) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        path = ::ptsname(master_);
        // Held open so the master never reads end-of-file between users.
        slave_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        thread_ = std::thread([this] { run(); });
    }
    ~FakeWinKeyer() {
        stop_ = true;
        thread_.join();
        ::close(slave_);
        ::close(master_);
    }

    void say(unsigned char b) { ::write(master_, &b, 1); }
    std::string bytes() {
        std::lock_guard lock(mutex_);
        return received_;
    }
    // When each received byte came.
    Clock::time_point arrival(std::size_t i) {
        std::lock_guard lock(mutex_);
        return times_.at(i);
    }

    std::string path;
    std::chrono::milliseconds busyFor = 100ms;
    std::atomic<bool> xoffAfterOpen{false};
    Clock::time_point busyCleared{};
    Clock::time_point xoffCleared{};

  private:
    void run() {
        bool busy = false;
        Clock::time_point busyUntil;
        Clock::time_point xoffUntil;
        bool xoff = false;
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 5) > 0) {
                unsigned char buffer[256];
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                for (ssize_t i = 0; i < n; ++i) take(buffer[i], busy, busyUntil, xoff, xoffUntil);
            }
            const auto now = Clock::now();
            if (xoff && now >= xoffUntil) {
                xoff = false;
                xoffCleared = now;
                say(0xC0);
            }
            if (busy && now >= busyUntil) {
                busy = false;
                busyCleared = now;
                say(0xC0);
            }
        }
    }
    void take(unsigned char b, bool& busy, Clock::time_point& busyUntil, bool& xoff,
              Clock::time_point& xoffUntil) {
        std::string got;
        {
            std::lock_guard lock(mutex_);
            received_ += static_cast<char>(b);
            times_.push_back(Clock::now());
            got = received_;
        }
        if (got.size() == 2 && got == std::string("\0\x02", 2)) {
            if (open_ == Open::Version31 && xoffAfterOpen) {
                // One write: a keyer full at once must be seen before any text.
                xoff = true;
                xoffUntil = Clock::now() + 200ms;
                ::write(master_, "\x1F\xC1", 2);
            } else if (open_ == Open::Version31) {
                say(31);
            }
            if (open_ == Open::Garbage) ::write(master_, "hello", 5);
        } else if (b >= 'A' && b <= 'Z' && !busy) {
            busy = true;
            busyUntil = Clock::now() + busyFor;
            say(0xC4);
        }
    }

    Open open_;
    int master_ = -1;
    int slave_ = -1;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string received_;
    std::vector<Clock::time_point> times_;
    std::thread thread_;
};

struct WinKeyerRig : KeyerRig {
    explicit WinKeyerRig(FakeWinKeyer& fake) {
        state.settings.CWKeyer1 = "winkeyer:" + fake.path;
        devices.configure(state.settings);
        keyer.setDevices(devices);
    }
    PosixByteLinks links;
    KeyingDevices devices{links, fakes.messageBox};
};

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out += static_cast<char>(b);
    return out;
}

TEST(WinKeyer, OpensSetsUpSendsAndTheRepeatPausesOnlyOnceBusyClears) {
    FakeWinKeyer fake;
    std::string sent;
    {
        WinKeyerRig rig(fake);
        rig.state.settings.CWPTTActivated = true;
        rig.state.settings.Radio1Delay = 2;  // 85 ms
        rig.state.contestNr = contest::Wpx;  // F1 is entry 19
        rig.state.settings.CWMacros[18] = "[RADIO0][PLAY2]TE+ST";
        rig.state.settings.RepeatIntervalCW = 1000;
        RadioSwitch radios(rig.state, rig.lines, rig.fakes.messageBox);
        MessageRepeater repeater(rig.state, rig.platform, rig.keyer, radios);
        repeater.SendFunctionKeyMessage(112, false);
        EXPECT_GE(Clock::now(), fake.busyCleared);
        EXPECT_NE(fake.busyCleared, Clock::time_point{});
        EXPECT_EQ(repeater.view().label, "Sending Msg 1 of 2 [Pause]");
        EXPECT_EQ(rig.devices.status(), "WK 3.1");
        EXPECT_TRUE(rig.fakes.messageBox.shown.empty());
        EXPECT_EQ(rig.state.cw.CWSpeed, 28);
        sent = fake.bytes();
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sent, bytes({0x00, 0x02, 0x05, 18, 32, 0x00, 0x0E, 0x00, 0x09, 0x05, 0x02, 28, 0x03,
                           50, 0x04, 8, 0x00}) +
                        "TE" + bytes({0x1C, 33}) + "ST");
    EXPECT_TRUE(fake.bytes().ends_with(bytes({0x00, 0x03})));
}

TEST(WinKeyer, NoTextWhileXoffAndEscClearsTheBuffer) {
    FakeWinKeyer fake;
    fake.xoffAfterOpen = true;
    fake.busyFor = 3s;
    WinKeyerRig rig(fake);
    rig.scheduler.at(rig.scheduler.clock + 400'000'000,
                     [&] { rig.fakes.keys.press(AsyncKey::Escape); });
    const auto start = Clock::now();
    rig.keyer.SendCW("CQ TEST", false);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_TRUE(rig.state.cw.CWAbortFlag);
    std::this_thread::sleep_for(50ms);
    const std::string got = fake.bytes();
    const std::size_t text = got.find('C');
    ASSERT_NE(text, std::string::npos);
    EXPECT_GE(fake.arrival(text), fake.xoffCleared);
    EXPECT_TRUE(got.ends_with(std::string("CQ TEST") + '\x0A')) << got;
}

TEST(WinKeyer, PaddleBreakInEndsTheMessageAndTheKnobMovesTheSpeed) {
    FakeWinKeyer fake;
    fake.busyFor = 3s;
    WinKeyerRig rig(fake);
    rig.state.settings.CWKeyerPot = true;
    rig.devices.configure(rig.state.settings);
    rig.scheduler.at(rig.scheduler.clock + 200'000'000, [&] { fake.say(0xC6); });
    rig.keyer.SendCW("CQ TEST", false);
    EXPECT_TRUE(rig.state.cw.CWAbortFlag);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(fake.bytes().ends_with("CQ TEST\x0A"));

    fake.say(0x80 | 12);
    for (int i = 0; i < 100 && rig.state.cw.CWSpeed != 30; ++i) {
        std::this_thread::sleep_for(5ms);
        rig.keyer.pollDevices();
    }
    EXPECT_EQ(rig.state.cw.CWSpeed, 30);
}

TEST(WinKeyer, GarbageOrSilenceAtTheHostOpenIsToldOnceAndNeverHangs) {
    for (const auto open : {FakeWinKeyer::Open::Garbage, FakeWinKeyer::Open::Silent}) {
        FakeWinKeyer fake(open);
        WinKeyerRig rig(fake);
        const auto start = Clock::now();
        rig.keyer.SendCW("TEST", false);
        rig.keyer.SendCW("TEST", false);
        EXPECT_LT(Clock::now() - start, 1500ms);
        ASSERT_EQ(rig.fakes.messageBox.shown.size(), 1U);
        EXPECT_EQ(rig.fakes.messageBox.shown[0].text,
                  "No WinKeyer answered on " + fake.path +
                      " within a second. Check that the keyer is plugged in and powered, that " +
                      fake.path +
                      " is its port and that you are in the group dialout. Logging goes on; CW "
                      "through this keyer is off until the Preferences are confirmed again.");
        EXPECT_EQ(fake.bytes(), bytes({0x00, 0x02}));
        EXPECT_EQ(rig.devices.status(), "");
    }
}

}  // namespace
}  // namespace keslog::test
