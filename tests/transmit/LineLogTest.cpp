#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/StandardMorse.h"
#include "transmit/LineLog.h"
#include "transmit/Repetition.h"
#include "transmit/SimulatedTime.h"

namespace keslog {
namespace {

constexpr KeyTime kMs = 1'000'000;

// A scripted session's transmit side: no devices, one simulated clock for
// the key edges and the pause timer, every line change written down.
struct HeadlessRig {
    HeadlessRig() {
        state.reference.CWCharacters = test::standardMorse();
        state.contestNr = contest::Wpx;
        state.CurrentBandMode = bandModeCode(band::B20, false);
        state.resetRadios();
    }

    test::FakePlatform fakes;
    SimulatedTime time;
    LineLog lines{time};
    Platform platform = fakes.services({.timers = &time, .serial = &lines, .ports = &lines});
    MainMod state;
    PortLines ports{lines, lines};
    test::FakeSidetone soundCard;
    test::FakeSidetone pcSpeaker;
    CWKeyer keyer{state, platform, ports, {time, soundCard, pcSpeaker}};
    RadioSwitch radios{state, ports, fakes.messageBox};
    MessageRepeater repeater{state, platform, keyer, radios};
};

TEST(LineLog, DualCqOnTwoRadiosWithPttAndSo2rLines) {
    HeadlessRig rig;
    Settings& s = rig.state.settings;
    s.CWActivated = true;
    s.CWComport = "Com1";
    s.CWPTTActivated = true;
    s.CWPTTComport = "LPT1-pin 16";
    s.F9Activated = true;
    s.F9Comport = "Com2";
    s.Radio1Delay = 1;  // 42.5 ms
    s.Radio2Delay = 2;  // 85 ms
    s.DualCQsPlayNumber = 2;
    s.DualCQsRepeatInterval = 100;
    s.CWMacros[18] = "[RADIO0][PLAY1]ET";  // E is a dot, T a dash: 28 wpm, 42.5 ms a dot

    rig.repeater.SendFunctionKeyMessage(112, true);  // Shift+F1
    while (rig.repeater.running() && rig.time.runNext()) {
    }

    EXPECT_FALSE(rig.repeater.running());
    EXPECT_EQ(rig.lines.text(),
              "0.0\tLPT1-pin 16\ton\n"  // radio 1: PTT, lead of 42.5 ms
              "42.5\tCom1\ton\n"
              "85.0\tCom1\toff\n"  // E, then a letter space of a dash
              "212.5\tCom1\ton\n"
              "340.0\tCom1\toff\n"  // T, then a letter space
              "467.5\tLPT1-pin 16\toff\n"
              "467.5\tCom2\ton\n"         // to radio 2, pause of 100 ms
              "567.5\tLPT1-pin 16\ton\n"  // radio 2: lead of 85 ms
              "652.5\tCom1\ton\n"
              "695.0\tCom1\toff\n"
              "822.5\tCom1\ton\n"
              "950.0\tCom1\toff\n"
              "1077.5\tLPT1-pin 16\toff\n"
              "1077.5\tCom2\toff\n");  // back to radio 1, then the last pause
    EXPECT_EQ(rig.time.now(), 1177'500'000);
    EXPECT_EQ(rig.state.TXRadio, 1);
}

TEST(LineLog, OnlyChangesAreWrittenAndOpeningASerialPortDropsDtr) {
    SimulatedTime time;
    LineLog log(time);
    PortLines ports(log, log);
    ports.LineOn("Com1");
    ports.LineOn("Com1");
    time.advanceBy(5 * kMs + 250'000);
    ports.CloseSerialPort("Com1");
    ports.OpenSerialPort("Com1");
    ports.PrepareParallelPort("LPT1-pin 14");
    ports.LineOff("LPT1-pin 14");
    ports.LineOn("LPT1-pin 17");
    ports.LineOn("LPT1-pin 14");
    ports.LineOn("[none]");
    EXPECT_EQ(log.text(),
              "0.0\tCom1\ton\n"
              "5.2\tCom1\toff\n"
              "5.2\tLPT1-pin 17\ton\n"
              "5.2\tLPT1-pin 14\ton\n");
    EXPECT_FALSE(log.open(3).isOk());
}

TEST(SimulatedTime, TimersTickInTimeOrderWhileEnabled) {
    SimulatedTime time;
    auto a = time.createTimer();
    auto b = time.createTimer();
    std::vector<std::string> ticks;
    a->setHandler([&] { ticks.push_back("a " + std::to_string(time.now() / kMs)); });
    b->setHandler([&] {
        ticks.push_back("b " + std::to_string(time.now() / kMs));
        b->setEnabled(false);
    });
    a->setInterval(300);
    a->setEnabled(true);
    b->setInterval(500);
    b->setEnabled(true);
    auto never = time.createTimer();
    never->setEnabled(true);  // interval 0: never ticks
    time.advanceTo(1000 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a 300", "b 500", "a 600", "a 900"}));
    a->setEnabled(false);
    EXPECT_FALSE(time.runNext());
}

}  // namespace
}  // namespace keslog
