#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "entry/EntryRig.h"
#include "forms/LogFormRig.h"
#include "platform/linux/Processes.h"
#include "platform/linux/TcpSockets.h"

namespace keslog {
namespace {

using namespace std::chrono_literals;
using State = ITcpConnection::State;

constexpr BandModeCode cw(int band) {
    return bandModeCode(band, false);
}
constexpr BandModeCode phone(int band) {
    return bandModeCode(band, true);
}

// A new WPX CW log, radio 1 under rig control; the test plays rigctld.
class RigControlTest : public ::testing::Test, protected test::LogFormOnFiles<test::ChoosingHost> {
  protected:
    void SetUp() override {
        startNewLog("WPX");
        fakes.network.nextState = State::Open;
        form.rig().setClock([this] { return now; });
        form.rig().setOnChange([this] { ++changes; });
        state.settings.Rig1Control = "rigctld";
        form.rig().configure();  // connects and asks at once
        ASSERT_EQ(fakes.network.addresses, std::vector<std::string>{"127.0.0.1:4532"});
    }

    test::FakeTcpConnector::Link& link() { return *fakes.network.links.back(); }
    void pollAt(std::int64_t at) {
        now = at;
        form.rig().poll();
    }
    // The rig answers the questions asked; the next poll takes the answers.
    void rigIsOn(std::int64_t hz, const std::string& mode) {
        link().incoming += "get_freq:\nFrequency: " + std::to_string(hz) +
                           "\nRPRT 0\nget_mode:\nMode: " + mode + "\nPassband: 500\nRPRT 0\n";
        pollAt(now + 500);
    }
    void type(const std::string& keys) { test::typeKeys(form.entry(), keys); }
    const EntryView& entry() { return form.entry().view(); }
    const RigStatusLabel& label(int radio) {
        return form.rig().labels()[static_cast<std::size_t>(radio - 1)];
    }

    std::int64_t now = 0;
    int changes = 0;
};

TEST_F(RigControlTest, TheLogFollowsTheRigAndKeepsWhatIsTyped) {
    EXPECT_EQ(label(1), (RigStatusLabel{"R1 connecting", colour::Blue}));
    EXPECT_EQ(label(2), RigStatusLabel{});
    type("k1ar\t5\n");
    type("k1a\t7");
    rigIsOn(7'025'300, "CW");
    EXPECT_EQ(state.CurrentBandMode, cw(band::B40));
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  2    (40m CW)");
    EXPECT_EQ(label(1), (RigStatusLabel{"R1 7,025.30 CW", colour::Blue}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(entry().InData[kCallBox].text, "K1A");
    EXPECT_EQ(entry().InData[kExchangeBox].text, "7");
    EXPECT_EQ(entry().focus, kExchangeBox);
    rigIsOn(7'025'300, "CW");  // nothing new, nothing redrawn
    EXPECT_EQ(changes, 1);

    // K1AR, worked on 20 m, is checked anew on 40 m and back on 20 m: only
    // there the dupe question comes.
    form.entry().onCancel();
    type("k1ar\t");
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    fakes.messageBox.answer(MsgResult::No);
    rigIsOn(14'025'000, "CW");
    type("5\n");
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "DUPE!");
    EXPECT_EQ(state.log.count(), 1);
    EXPECT_TRUE(
        std::any_of(fakes.timers.created.begin(), fakes.timers.created.end(),
                    [](const test::FakeTimer* t) { return t->enabled() && t->interval() == 500; }));
}

TEST_F(RigControlTest, ABandOrModeTheContestDoesNotLogIsShownButRefused) {
    struct Case {
        std::int64_t hz;
        const char* mode;
        BandModeCode shown;
        const char* label;
        const char* refusal;  // nullptr: logged
    };
    const Case cases[] = {
        {14'200'000, "USB", phone(band::B20), "QSO Nr  1    (20m SSB)",
         "This contest does not log QSOs on 20m SSB.  Put the radio on an allowed band and mode to "
         "log."},
        {145'000'000, "FM", phone(band::B2), "QSO Nr  1    (2m  SSB)",
         "This contest does not log QSOs on 2m SSB.  Put the radio on an allowed band and mode to "
         "log."},
        {144'050'000, "CW", cw(band::B2), "QSO Nr  1    (2m  CW)",
         "This contest does not log QSOs on 2m CW.  Put the radio on an allowed band and mode to "
         "log."},
        {1'830'000, "CW", cw(band::B160), "QSO Nr  1    (160 CW)", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fakes.messageBox.shown.clear();
        rigIsOn(c.hz, c.mode);
        EXPECT_EQ(state.CurrentBandMode, c.shown);
        EXPECT_EQ(form.view().qsoNrLabel, c.label);
        type("k1ar\t5\n");
        if (c.refusal) {
            ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
            EXPECT_EQ(fakes.messageBox.shown[0].text, c.refusal);
            EXPECT_EQ(fakes.messageBox.shown[0].title, "Band-Mode Not Allowed");
            EXPECT_EQ(state.log.count(), 0);
            EXPECT_EQ(entry().InData[kCallBox].text, "K1AR");
            form.entry().onCancel();
        } else {
            EXPECT_TRUE(fakes.messageBox.shown.empty());
            EXPECT_EQ(state.log.count(), 1);
            EXPECT_EQ(state.log.at(1).QBandMode, cw(band::B160));
        }
    }
}

TEST_F(RigControlTest, AFrequencyTypedInTheCallBoxTunesTheLogRadiosRig) {
    rigIsOn(14'025'000, "CW");
    link().sent.clear();
    type("14025.5\n");
    type("7025\n");
    EXPECT_EQ(link().sent, "+F 14025500\n+F 7025000\n");
    EXPECT_EQ(entry().InData[kCallBox].text, "");
    EXPECT_EQ(state.log.count(), 0);

    // Radio 2 logs and is not under control: the number is no frequency.
    state.LogRadio = 2;
    type("7025\n");
    EXPECT_EQ(link().sent, "+F 14025500\n+F 7025000\n");
}

TEST_F(RigControlTest, TheKeysTakeTheRigToTheLastFrequencyOrTheSegmentStart) {
    rigIsOn(14'025'000, "CW");
    link().sent.clear();
    form.entry().onKeyDown(kCallBox, EntryKey::Down, {.ctrl = true});
    EXPECT_EQ(state.CurrentBandMode, cw(band::B40));
    EXPECT_EQ(link().sent, "+F 7000000\n+M CW 0\n");
    form.entry().onKeyDown(kCallBox, EntryKey::Up, {.ctrl = true});
    EXPECT_EQ(link().sent, "+F 7000000\n+M CW 0\n+F 14025000\n+M CW 0\n");
    // Answers asked before the keys moved the rig are not taken.
    rigIsOn(3'525'000, "CW");
    EXPECT_EQ(state.CurrentBandMode, cw(band::B20));
}

TEST_F(RigControlTest, OfflineIsShownOnceQsosStillLogAndTheRigComesBack) {
    pollAt(999);
    EXPECT_EQ(label(1).text, "R1 connecting");
    pollAt(1000);
    EXPECT_EQ(label(1), (RigStatusLabel{"R1 offline", colour::Orange}));
    EXPECT_EQ(changes, 1);
    type("k1ar\t5\n");
    EXPECT_EQ(state.log.count(), 1);
    pollAt(1500);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(fakes.network.links.size(), 1u);
    pollAt(2000);  // the first retry connects and asks
    ASSERT_EQ(fakes.network.links.size(), 2u);
    rigIsOn(21'025'000, "CWR");
    EXPECT_EQ(label(1), (RigStatusLabel{"R1 21,025.00 CWR", colour::Blue}));
    EXPECT_EQ(state.CurrentBandMode, cw(band::B15));
    EXPECT_EQ(changes, 2);
}

TEST_F(RigControlTest, TheOtherRadiosRigMovesOnlyItsOwnBandMode) {
    state.settings.Rig2Control = "rigctld";
    form.rig().configure();
    EXPECT_EQ(fakes.network.addresses.back(), "127.0.0.1:4534");
    link().incoming = "get_freq:\nFrequency: 3525000\nRPRT 0\n";
    pollAt(500);
    EXPECT_EQ(state.RadioBandMode[1], cw(band::B80));
    EXPECT_EQ(state.CurrentBandMode, cw(band::B20));
    EXPECT_EQ(label(2).text, "R2 3,525.00");
    EXPECT_EQ(label(2).colour, colour::Red);
}

TEST_F(RigControlTest, TheRigctldItStartsFollowsTheSettingsAndItsEndIsToldOnce) {
    auto& launcher = fakes.processes;
    auto& shown = fakes.messageBox.shown;
    state.settings.Rig1Start = true;
    state.settings.Rig1Model = "3073";
    state.settings.Rig1Device = "/dev/ttyUSB0";
    form.rig().configure();
    form.rig().configure();  // the same command: the same daemon
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0],
              (std::vector<std::string>{"rigctld", "-m", "3073", "-r", "/dev/ttyUSB0", "-T",
                                        "127.0.0.1", "-t", "4532"}));
    state.settings.Rig1Device = "";
    form.rig().configure();
    ASSERT_EQ(launcher.started.size(), 2u);
    EXPECT_TRUE(launcher.children[0]->stopped);
    EXPECT_EQ(launcher.started[1].size(), 7u);  // no -r

    launcher.children[1]->running = false;
    launcher.children[1]->errors = "rig_init: error\nUnknown rig num 3073\n";
    pollAt(500);
    pollAt(1000);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "rigctld for radio 1 has ended: Unknown rig num 3073");
    EXPECT_EQ(shown[0].title, "Rig Control");

    // OK in the Preferences starts it again; turned off, it is stopped.
    form.rig().configure();
    ASSERT_EQ(launcher.started.size(), 3u);
    state.settings.Rig1Start = false;
    form.rig().configure();
    EXPECT_TRUE(launcher.children[2]->stopped);
    EXPECT_EQ(launcher.started.size(), 3u);

    launcher.failure = "the program rigctld was not found";
    state.settings.Rig1Start = true;
    form.rig().configure();
    state.settings.Rig1Model = "IC-7300";
    form.rig().configure();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].text,
              "KESLOG cannot start rigctld for radio 1: the program rigctld was not found.");
    EXPECT_EQ(shown[2].text,
              "KESLOG cannot start rigctld for radio 1: the model \"IC-7300\" is not a hamlib "
              "model number (rigctld -l lists them).");
}

// ---- the real daemon: hamlib's dummy rig ---------------------------------

// Calls `step` every 10 ms on the real clock until `done`, `limit` at most.
bool within(std::chrono::milliseconds limit, const std::function<bool()>& done,
            const std::function<void()>& step) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(10ms);
        step();
    }
    return done();
}

std::int64_t realMs() {
    return duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool listening(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool up = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return up;
}

// hamlib's dummy rig in a rigctld the logger starts: the log follows it and
// tunes it, outlives it, and says why one of a model hamlib lacks ends.
TEST_F(RigControlTest, TheLogFollowsAndTunesHamlibsDummyRigInARigctldItStarts) {
    PosixProcessLauncher processes;
    const auto missing = processes.start({"keslog-no-such-program"});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.status().message(), "the program keslog-no-such-program was not found");

    PosixTcpConnector sockets;
    fakes.network.real = &sockets;
    fakes.processes.real = &processes;
    form.rig().setClock(realMs);
    const int port = test::freeLoopbackPort(test::LoopbackSocket::TcpListening);
    state.settings.Rig1Address = "127.0.0.1:" + std::to_string(port);
    state.settings.Rig1Start = true;
    state.settings.Rig1Model = "1";
    form.rig().configure();
    if (!fakes.messageBox.shown.empty()) GTEST_SKIP() << fakes.messageBox.shown[0].text;
    const auto polled = [this] { form.rig().poll(); };
    EXPECT_TRUE(within(
        5s, [&] { return label(1).text == "R1 145,000.00 FM"; }, polled));

    // The dummy tuned by a client of its own, and read back by one.
    const auto dummy = [&](std::int64_t tuneTo) {
        RigClient direct(sockets, "127.0.0.1", port);
        const auto step = [&] { direct.poll(realMs()); };
        within(
            2s, [&] { return !direct.reading().mode.empty(); }, step);
        if (tuneTo != 0) {
            direct.setFrequency(tuneTo, realMs());
            direct.setMode("CW", realMs());
            within(
                2s, [&] { return direct.reading() == RigReading{tuneTo, "CW"}; }, step);
        }
        return direct.reading();
    };
    EXPECT_EQ(dummy(14'025'300).hz, 14'025'300);
    EXPECT_TRUE(within(
        2s, [&] { return label(1).text == "R1 14,025.30 CW"; }, polled));
    EXPECT_EQ(state.CurrentBandMode, cw(band::B20));

    type("7025\n");
    EXPECT_TRUE(within(
        2s, [&] { return state.CurrentBandMode == cw(band::B40); }, polled));
    EXPECT_EQ(dummy(0), (RigReading{7'025'000, "CW"}));
    EXPECT_EQ(label(1).text, "R1 7,025.00 CW");

    // Turned off, it is stopped; QSOs log on the band it was on.
    state.settings.Rig1Start = false;
    form.rig().configure();
    EXPECT_TRUE(within(
        3s, [&] { return !listening(port); }, [] {}));
    EXPECT_TRUE(within(
        2s, [&] { return label(1).text == "R1 offline"; }, polled));
    type("k1ar\t5\n");
    EXPECT_EQ(state.log.count(), 1);
    EXPECT_EQ(state.log.at(1).QBandMode, cw(band::B40));

    // A model hamlib does not know: rigctld ends at once, and says why.
    state.settings.Rig1Start = true;
    state.settings.Rig1Model = "99999";
    form.rig().configure();
    EXPECT_TRUE(within(
        3s, [&] { return !fakes.messageBox.shown.empty(); }, polled));
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "rigctld for radio 1 has ended: Please check with --list option.");
}

}  // namespace
}  // namespace keslog
