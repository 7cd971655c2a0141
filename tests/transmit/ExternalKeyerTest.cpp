#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <thread>

#include "KeyerRig.h"
#include "platform/linux/ByteLinks.h"
#include "support/CwDaemon.h"
#include "transmit/KeyingDevice.h"

namespace keslog::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
constexpr KeyTime kMs = 1'000'000;

// The keyer on fakes, keying through the devices the settings name.
struct DeviceRig : KeyerRig {
    explicit DeviceRig(const std::string& keyer1) {
        state.settings.CWKeyer1 = keyer1;
        devices.configure(state.settings);
        keyer.setDevices(devices);
    }
    PosixByteLinks links;
    KeyingDevices devices{links, fakes.messageBox};
};

TEST(CwDaemonKeyer, MessagesEndOnTheDaemonsReplyEscAbortsAndSpeedStepsArrive) {
    CwDaemon daemon;
    if (!daemon.failure.empty()) GTEST_SKIP() << daemon.failure;
    DeviceRig rig("cwdaemon:127.0.0.1:" + std::to_string(daemon.port));
    rig.state.cw.CWSpeed = 45;
    recomputeCWCounts(rig.state.cw);

    // TEST at 50 wpm is about half a second of keying: the send waits for it.
    const auto start = Clock::now();
    rig.keyer.SendCW("+TEST", false);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_FALSE(rig.state.cw.CWAbortFlag);
    EXPECT_EQ(rig.state.cw.CWSpeed, 45);
    EXPECT_TRUE(rig.fakes.messageBox.shown.empty());
    const std::string sent = daemon.output();
    const auto at45 = sent.find("escaped request: \"<ESC>245\"");
    const auto at50 = sent.find("escaped request: \"<ESC>250\"");
    ASSERT_NE(at50, std::string::npos);
    EXPECT_LT(at45, at50);
    EXPECT_LT(at50, sent.find("request: \"TEST\""));

    // Esc 300 ms into some seconds of CQ.
    rig.state.cw.CWSpeed = 20;
    recomputeCWCounts(rig.state.cw);
    rig.scheduler.at(rig.scheduler.clock + 300 * kMs,
                     [&] { rig.fakes.keys.press(AsyncKey::Escape); });
    const auto cq = Clock::now();
    rig.keyer.SendCW("CQ CQ CQ TEST TEST TEST", false);
    EXPECT_LT(Clock::now() - cq, 1500ms);
    EXPECT_TRUE(rig.state.cw.CWAbortFlag);
    std::this_thread::sleep_for(300ms);
    const std::string after = daemon.output();
    const auto abort = after.find("escaped request: \"<ESC>4\"");
    ASSERT_NE(abort, std::string::npos);
    EXPECT_EQ(after.find("keying event \"1\"", abort), std::string::npos);
}

TEST(CwDaemonKeyer, ASilentDaemonEndsEachMessageAndIsToldOnce) {
    // A socket that takes the datagrams and never answers.
    const LoopbackSocket silent;
    const int port = silent.port();
    const std::string name = "cwdaemon at 127.0.0.1:" + std::to_string(port);
    DeviceRig rig("cwdaemon:127.0.0.1:" + std::to_string(port));
    rig.state.settings.CWPTTActivated = true;
    for (int i = 0; i < 2; ++i) {
        rig.keyer.SendCW("E", false);
        EXPECT_TRUE(rig.state.cw.CWAbortFlag);
    }
    // Typing is off: keys pressed meanwhile wait for the message's end.
    EXPECT_EQ(rig.fakes.events.calls, 0);
    EXPECT_GT(rig.fakes.events.heldCalls, 0);
    ASSERT_EQ(rig.fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(rig.fakes.messageBox.shown[0].text,
              name +
                  " did not report the end of a message in time, so the message was ended. "
                  "Check that it is running and keying.");
    // PTT went off after each message.
    std::string got(4096, '\0');
    std::string all;
    for (ssize_t n; (n = ::recv(silent.fd(), got.data(), got.size(), MSG_DONTWAIT)) > 0;)
        all += got.substr(0, static_cast<std::size_t>(n)) + "|";
    EXPECT_EQ(all,
              "\x1b"
              "228|\x1b"
              "70|\x1b"
              "d0|\x1b"
              "a1|\x1b"
              "h1|E|\x1b"
              "4|\x1b"
              "a0|"
              "\x1b"
              "228|\x1b"
              "70|\x1b"
              "d0|\x1b"
              "a1|\x1b"
              "h2|E|\x1b"
              "4|\x1b"
              "a0|");
}

TEST(KeyerChoice, SettingsValues) {
    using Kind = KeyerChoice::Kind;
    const struct {
        const char* value;
        std::optional<KeyerChoice> choice;
    } cases[] = {
        {"", KeyerChoice{}},
        {"builtin", KeyerChoice{}},
        {"winkeyer:/dev/ttyUSB0", KeyerChoice{Kind::WinKeyer, "/dev/ttyUSB0", {}, 0}},
        {"cwdaemon:127.0.0.1:6789", KeyerChoice{Kind::CwDaemon, {}, "127.0.0.1", 6789}},
        {"cwdaemon:localhost:7000", KeyerChoice{Kind::CwDaemon, {}, "localhost", 7000}},
        {"winkeyer:", std::nullopt},
        {"cwdaemon:127.0.0.1", std::nullopt},
        {"cwdaemon:host.example:6789", std::nullopt},
        {"cwdaemon:127.0.0.1:70000", std::nullopt},
        {"Builtin", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseKeyerChoice(c.value), c.choice) << c.value;
        if (c.choice && *c.value) {
            EXPECT_EQ(keyerChoiceText(*c.choice), c.value);
        }
    }
}

TEST(KeyerChoice, ADamagedValueKeysBuiltInAndSaysSo) {
    DeviceRig rig("cwdaemon:nowhere");
    EXPECT_EQ(rig.devices.forRadio(1), nullptr);
    ASSERT_EQ(rig.fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(rig.fakes.messageBox.shown[0].text,
              "CWKeyer1=cwdaemon:nowhere in KESLOG90.INI names no keying device: radio 1 keys "
              "through the built-in keyer. Choose its device on the Devices tab of the "
              "Preferences.");
}

}  // namespace
}  // namespace keslog::test
