#include <gtest/gtest.h>

#include <map>

#include "support/StandardMorse.h"
#include "transmit/KeyboardCW.h"
#include "transmit/KeyerRig.h"

namespace keslog {
namespace {

constexpr KeyTime kMs = 1'000'000;

class CWKeyerTest : public ::testing::Test, protected test::KeyerRig {
  protected:
    // Edge times in milliseconds, key down and up in turn.
    std::vector<double> edgeMs() const {
        std::vector<double> out;
        for (const auto& e : scheduler.edges) out.push_back(static_cast<double>(e.at) / kMs);
        return out;
    }

    void restart() {
        scheduler.edges.clear();
        scheduler.clock = 0;
    }

    std::vector<KeyTime> edgeNs() const {
        std::vector<KeyTime> out;
        for (const auto& e : scheduler.edges) out.push_back(e.at);
        return out;
    }

    // What a listener hears, read back from the edges at a dot of `dot`.
    std::string heard(KeyTime dot) const {
        std::map<std::string, char> letters;
        const auto table = test::standardMorse();
        for (std::size_t i = 0; i < 40; ++i) letters[table[i]] = kKeyerAlphabet[i];
        std::string text;
        std::string pattern;
        const auto& e = scheduler.edges;
        for (std::size_t i = 0; i + 1 < e.size(); i += 2) {
            if (i > 0) {
                const double gap = static_cast<double>(e[i].at - e[i - 1].at) / dot;
                if (gap > 2) {
                    text += letters.count(pattern) ? letters[pattern] : '#';
                    pattern.clear();
                }
                if (gap > 5.5) text += ' ';
            }
            pattern += static_cast<double>(e[i + 1].at - e[i].at) / dot < 2 ? '1' : '3';
        }
        if (!pattern.empty()) text += letters.count(pattern) ? letters[pattern] : '#';
        return text;
    }

};

TEST_F(CWKeyerTest, ElementsAndSpacesAtTwentyEightWordsPerMinuteAndWeightThree) {
    const struct {
        const char* text;
        std::vector<double> edges;
        double endMs;  // the letter space ends the message
    } cases[] = {
        {"A", {0, 42.5, 85, 212.5}, 340},
        // E, letter space 3, blank 4 (no letter space after a pause), E.
        {"E E", {0, 42.5, 340, 382.5}, 510},
        {"E!E", {0, 42.5, 340, 382.5}, 510},  // outside the alphabet: a blank
        {"e", {}, 0},                         // lower case is not in the alphabet
    };
    for (const auto& c : cases) {
        restart();
        keyer.SendCW(c.text, false);
        EXPECT_EQ(edgeMs(), c.edges) << c.text;
        if (c.endMs > 0) {
            EXPECT_EQ(scheduler.clock, c.endMs * kMs) << c.text;
        }
    }
    EXPECT_EQ(fakes.serial.events.front(), "open 1");
    EXPECT_EQ(fakes.serial.events.back(), "close 1");
    EXPECT_FALSE(state.cw.CWSendingFlag);
}

TEST_F(CWKeyerTest, DotLengthFollowsTheSpeed) {
    const struct {
        int speed;
        KeyTime dot;
    } cases[] = {{28, 42'500'000}, {18, 66'111'111}, {50, 23'800'000}, {40, 29'750'000}};
    for (const auto& c : cases) {
        keyer.onSpeedScroll(c.speed);
        EXPECT_EQ(state.cw.DotCount, c.dot) << c.speed;
        EXPECT_EQ(state.cw.DashCount, 3 * c.dot) << c.speed;
    }
}

TEST_F(CWKeyerTest, WeightComesFromTheSettingOnlyBetweenTwoAndAHalfAndFourAndAHalf) {
    const struct {
        const char* weight;
        float expected;
    } cases[] = {{"3.0", 3.0F}, {"2.5", 2.5F}, {"4.5", 4.5F}, {"3.7", 3.7F}, {"5", 3.0F},
                 {"2", 3.0F},   {"", 3.0F},    {"x", 3.0F},   {"2.4", 3.0F}};
    for (const auto& c : cases) EXPECT_EQ(weightFromSetting(c.weight), c.expected) << c.weight;

    state.settings.Weight = "4";
    keyer.CalibrateCWTiming();
    keyer.SendCW("T", false);  // one dash of 4 dots, then the letter space of 4
    EXPECT_EQ(edgeMs(), (std::vector<double>{0, 170}));
    EXPECT_EQ(scheduler.clock, 340 * kMs);
}

TEST_F(CWKeyerTest, SubstitutionsOfCallOwnCallNumberAndPeriod) {
    state.QSONr = 12;
    state.settings.YourCall = "N6TR";
    state.CurrentCall = "W9XY";
    state.mults.SSSections.rows.push_back({{"SCV", "SANTA CLARA", ""}, {}, {}});
    const struct {
        const char* callBox;
        bool inCallBox;
        ContestNr contest;
        const char* exchangeBox;
        const char* text;
        const char* heard;
    } cases[] = {
        {" K1AB ", true, contest::Wpx, "", "@ 5NN #", "K1AB 5NN 12"},
        {" K1AB ", true, contest::Wpx, "", "TU. $", "TU? N6TR"},
        // Outside the call box, or with it empty, "@" is the current call.
        {"K1AB", false, contest::Wpx, "", "@", "W9XY"},
        {"", true, contest::Wpx, "", "@", "W9XY"},
        // Sweepstakes takes the call from the exchange box when it holds one.
        {"K1AB", false, contest::Ss, "12a w6xyz 73 scv", "@", "W6XYZ"},
        {"K1AB", false, contest::Ss, "12A 73 SCV", "@", "W9XY"},
    };
    for (const auto& c : cases) {
        restart();
        host.callBox = c.callBox;
        host.inCallBox = c.inCallBox;
        host.exchangeBox = c.exchangeBox;
        state.contestNr = c.contest;
        keyer.SendCW(c.text, false);
        EXPECT_EQ(heard(state.cw.DotCount), c.heard) << c.text;
        EXPECT_EQ(state.cw.CallSentFlag, c.text[0] == '@') << c.text;
    }
}

TEST(SSExchangeCall, FindsTheCallBetweenPrecedenceAndCheck) {
    MultTable sections;
    sections.rows.push_back({{"SCV", "", ""}, {}, {}});
    sections.rows.push_back({{"WWA", "WASHINGTON", "WA"}, {}, {}});
    const struct {
        const char* box;
        const char* callBox;
        const char* call;
    } cases[] = {
        {"12A W6XYZ 73 SCV", "", "W6XYZ"},
        {"1234B K1AB/6 99 WA", "", "K1AB/6"},
        {"1234B K1AB/6 99 WA", "K1AB/6", ""},  // the call box already has it
        {"12A K1AB 73 SC/V", "", "K1AB"},      // a slash too near the end goes
        {"1/2A W6XYZ 73 SCV", "", "W6XYZ"},    // and one too near the start
        {"12A K1A 73 SCV", "", ""},            // three characters are no call
        {"A12 W6XYZ 73 SCV", "", ""},          // starts with a letter
        {"12345A W6XYZ 73 SCV", "", ""},       // five-digit number
        {"12X W6XYZ 73 SCV", "", ""},          // no such precedence
        {"12A W6XYZ 73 XYZ", "", ""},          // no such section
        {"12A W6XYZ 7 SCV", "", ""},           // check of one digit
        {"12A W6XYZ 73 S3V", "", ""},          // digit at the second-last place
        {"12 73", "", ""},                     // all number
        {"", "", ""},
        {"12A", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ssExchangeCall(c.box, c.callBox, sections), c.call) << c.box;
}

TEST_F(CWKeyerTest, SpeedStepsInsideAMessageAreUndoneAfterIt) {
    keyer.onSpeedScroll(48);
    keyer.SendCW("++E", false);                                  // 48 + 5 exceeds 50: both refused
    EXPECT_EQ(edgeNs(), (std::vector<KeyTime>{0, 24'791'667}));  // 1190 ms / 48
    EXPECT_EQ(state.cw.CWSpeed, 48);

    restart();
    keyer.onSpeedScroll(40);
    keyer.SendCW("+E", false);
    EXPECT_EQ(edgeNs(), (std::vector<KeyTime>{0, 26'444'444}));  // at 45
    EXPECT_EQ(state.cw.CWSpeed, 40);
    EXPECT_EQ(state.cw.DotCount, 29'750'000);
    EXPECT_EQ(host.shown.back(), "speed 40");

    restart();
    keyer.SendCW("E-", false);  // a step as the last character only ends the message
    EXPECT_EQ(scheduler.edges.size(), 2U);
    EXPECT_EQ(state.cw.CWSpeed, 40);
}

TEST_F(CWKeyerTest, ChangeCWSpeedRefusesStepsOutsideEighteenToFifty) {
    const struct {
        int from;
        int delta;
        int to;
    } cases[] = {{48, 2, 50},  {49, 2, 49},  {50, 5, 50}, {20, -2, 18},
                 {19, -2, 19}, {18, -5, 18}, {28, 5, 33}, {28, -5, 23}};
    for (const auto& c : cases) {
        state.cw.CWSpeed = static_cast<std::int16_t>(c.from);
        keyer.ChangeCWSpeed(c.delta);
        EXPECT_EQ(state.cw.CWSpeed, c.to) << c.from << " " << c.delta;
    }
}

TEST_F(CWKeyerTest, KeypadStepsWhileSendingActAtOnceAndStayUnlessTheMessageSteps) {
    // Keypad plus pressed during the first dot of "EE": polled after that dot,
    // so the letter space and the second E go at 30.
    scheduler.at(10 * kMs, [&] { fakes.keys.press(AsyncKey::KeypadPlus); });
    keyer.SendCW("EE", false);
    const KeyTime dot30 = 39'666'667;
    const KeyTime secondOn = 42'500'000 + 3 * dot30;
    EXPECT_EQ(edgeNs(), (std::vector<KeyTime>{0, 42'500'000, secondOn, secondOn + dot30}));
    EXPECT_EQ(state.cw.CWSpeed, 30);
    EXPECT_EQ(host.shown.back(), "speed 30");

    // Undone when the message steps too; keys pressed before it are forgotten.
    restart();
    fakes.keys.press(AsyncKey::Escape);
    scheduler.at(10 * kMs, [&] { fakes.keys.press(AsyncKey::KeypadMinus); });
    keyer.SendCW("E+E", false);
    EXPECT_EQ(scheduler.edges.size(), 4U);
    EXPECT_FALSE(state.cw.CWAbortFlag);
    EXPECT_EQ(state.cw.CWSpeed, 30);
}

TEST_F(CWKeyerTest, EscapeStopsAfterTheCurrentElementAndItsSpace) {
    Settings& s = state.settings;
    s.CWPTTActivated = true;
    s.CWPTTComport = "Com2";
    scheduler.at(50 * kMs, [&] { fakes.keys.press(AsyncKey::Escape); });
    keyer.SendCW("OOO", false);
    EXPECT_EQ(edgeMs(), (std::vector<double>{0, 127.5}));
    EXPECT_EQ(scheduler.clock, 170 * kMs);
    EXPECT_TRUE(state.cw.CWAbortFlag);
    EXPECT_FALSE(state.cw.CWSendingFlag);
    EXPECT_EQ(fakes.serial.events,
              (std::vector<std::string>{"open 1", "open 2", "dtr 2 on", "dtr 1 on", "dtr 1 off",
                                        "close 1", "dtr 2 off", "close 2"}));
}

TEST_F(CWKeyerTest, PttLeadTimeOfTheTransmittingRadioClampedToTheDialogsRange) {
    Settings& s = state.settings;
    s.CWPTTActivated = true;
    s.CWPTTComport = "LPT1-pin 16";
    s.Radio2Delay = 5;
    fakes.ports.registers[0x37A] = 0x00;
    const struct {
        int radio;
        std::int16_t delay;
        double firstEdgeMs;
    } cases[] = {{1, 3, 127.5}, {2, 3, 212.5}, {1, 12, 382.5},
                 {1, 9, 382.5}, {1, -4, 0},    {1, 32767, 382.5}};
    for (const auto& c : cases) {
        restart();
        fakes.ports.writes.clear();
        state.TXRadio = c.radio;
        s.Radio1Delay = c.delay;
        keyer.SendCW("E", false);
        ASSERT_EQ(scheduler.edges.size(), 2U);
        EXPECT_EQ(edgeMs()[0], c.firstEdgeMs) << c.radio << " " << c.delay;
        EXPECT_EQ(edgeMs()[1], c.firstEdgeMs + 42.5) << c.radio << " " << c.delay;
        // PTT: prepared (bit 0), raised (pin 16), lowered after the letter space.
        EXPECT_EQ(fakes.ports.writes, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{
                                          {0x37A, 0x01}, {0x37A, 0x05}, {0x37A, 0x01}}));
    }
}

TEST_F(CWKeyerTest, EmptyMessageSwitchesPttAndAPhoneBandOrKeyingOffDropsIt) {
    state.settings.CWPTTActivated = true;
    state.settings.CWPTTComport = "Com2";
    state.settings.Radio1Delay = 2;
    keyer.SendCW("", false);
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_EQ(scheduler.clock, 85 * kMs);  // the lead time is still waited
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 1", "open 2", "dtr 2 on",
                                                             "close 1", "dtr 2 off", "close 2"}));

    // A phone band or keying switched off drops the message.
    fakes.serial.events.clear();
    state.CurrentBandMode = bandModeCode(band::B20, true);
    keyer.SendCW("@ TEST", false);
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_FALSE(state.cw.CallSentFlag);
    // Only the end-of-keying steps: the PTT line is made sure to be off.
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 2", "dtr 2 off", "close 2"}));

    fakes.serial.events.clear();
    state.CurrentBandMode = bandModeCode(band::B20, false);
    state.settings.CWActivated = false;
    keyer.SendCW("TEST", false);
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 2", "dtr 2 off", "close 2"}));
}

TEST_F(CWKeyerTest, ParallelKeyingPreparesThePortAndKeysItsPin) {
    state.settings.CWComport = "LPT2-pin 14";
    fakes.ports.registers[0x27A] = 0x00;
    keyer.SendCW("E", false);
    EXPECT_EQ(fakes.ports.writes, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{
                                      {0x27A, 0x01}, {0x27A, 0x03}, {0x27A, 0x01}, {0x27A, 0x03}}));
    EXPECT_TRUE(fakes.serial.events.empty());
}

TEST_F(CWKeyerTest, NoKeyingPortStillSoundsTheSidetoneAndTheWindowHearsOfTheSending) {
    state.settings.CWComport = "[none]";
    state.settings.CWSpeakerEnabled = true;
    state.settings.UseSoundcardSpeaker = true;
    keyer.SendCW("EE", false);
    EXPECT_TRUE(fakes.ports.registers.empty());
    EXPECT_TRUE(fakes.ports.writes.empty());
    EXPECT_TRUE(fakes.serial.events.empty());
    EXPECT_EQ(soundCard.events,
              (std::vector<std::string>{"prepare", "on", "off", "on", "off", "stop"}));
    EXPECT_TRUE(pcSpeaker.events.empty());
    EXPECT_EQ(host.shown, (std::vector<std::string>{"sending", "done", "speed 28"}));
}

TEST_F(CWKeyerTest, PcSpeakerSidetoneAndItsAbsenceToldOnce) {
    state.settings.CWSpeakerEnabled = true;
    state.settings.UsePCSpeaker = true;
    pcSpeaker.failPrepare = true;
    keyer.SendCW("E", false);
    keyer.SendCW("E", false);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "CW Sidetone");
    EXPECT_EQ(fakes.messageBox.shown[0].text, "No sound output device was found.");
    EXPECT_EQ(scheduler.edges.size(), 4U);  // keying goes on without the tone
    EXPECT_EQ(pcSpeaker.events, (std::vector<std::string>{"prepare", "prepare"}));
    EXPECT_FALSE(state.cw.CWAbortFlag);
}

TEST_F(CWKeyerTest, MissingOrLostKeyingDeviceIsToldOnceAndStopsTheMessage) {
    fakes.serial.failOpen = true;
    keyer.SendCW("TEST", false);
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_TRUE(state.cw.CWAbortFlag);  // a repetition stops here
    fakes.serial.failOpen = false;
    scheduler.at(100 * kMs, [&] { fakes.serial.failDtr = true; });
    keyer.SendCW("EEEE", false);
    EXPECT_EQ(scheduler.edges.size(), 4U);  // the third E fails at its first edge
    EXPECT_TRUE(state.cw.CWAbortFlag);
    ASSERT_EQ(fakes.messageBox.shown.size(), 2U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "Port Error");
    EXPECT_EQ(fakes.messageBox.shown[0].text, "Com1 is missing");
    EXPECT_EQ(fakes.messageBox.shown[1].text, "Com1 stopped answering");
}

TEST_F(CWKeyerTest, RadioPrefixSwitchesTheTransmittingRadioOnlyWhenExactAndIsNotSent) {
    Settings& s = state.settings;
    s.F9Activated = true;
    s.F9Comport = "Com2";
    keyer.SendCW("[RADIO2][PLAY1]CQ", false);
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(heard(state.cw.DotCount), "CQ");
    EXPECT_EQ(
        std::vector<std::string>(fakes.serial.events.begin(), fakes.serial.events.begin() + 2),
        (std::vector<std::string>{"open 2", "dtr 2 on"}));
    EXPECT_EQ(host.shown.front(), "TX 2");
    EXPECT_GE(fakes.events.calls, 1);

    // Back to radio 1: the SO2R line goes off.
    fakes.serial.events.clear();
    keyer.SendCW("[RADIO1][PLAY3]CQ", false);
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(fakes.serial.events.front(), "dtr 2 off");

    // Ignored when no switch is asked and when not exact.
    restart();
    keyer.SendCW("[RADIO2][PLAY1]E", true);
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(scheduler.edges.size(), 2U);

    for (const char* shortPrefix : {"[RADIO2]", "[R", "[RADIO2][PLAY1", "[RADIOX][PLAY1]E"}) {
        keyer.SendCW(shortPrefix, false);
        EXPECT_EQ(state.TXRadio, 1) << shortPrefix;
    }
}

TEST_F(CWKeyerTest, TypingOnExtendsTheCallOnlyWhenTheMessageBeginsWithIt) {
    state.settings.TypingEnabled = true;
    host.callBox = "K1AB";
    // The operator types C while K1AB goes out.
    scheduler.at(500 * kMs, [&] { host.callBox = "K1ABC"; });
    keyer.SendCW("@ 5NN", false);
    EXPECT_EQ(heard(state.cw.DotCount), "K1ABC 5NN");

    restart();
    host.callBox = "K1AB";
    scheduler.at(100 * kMs, [&] { host.callBox = "K1ABC"; });
    keyer.SendCW("TU @", false);
    EXPECT_EQ(heard(state.cw.DotCount), "TU K1AB");

    // Outside the call box "@" is CurrentCall, not the call being typed.
    restart();
    state.CurrentCall = "W9XY";
    host.inCallBox = false;
    host.callBox = "W9X";
    scheduler.at(100 * kMs, [&] { host.callBox = "W9XYZ"; });
    keyer.SendCW("@ 5NN", false);
    EXPECT_EQ(heard(state.cw.DotCount), "W9XY 5NN");
}

TEST_F(CWKeyerTest, MessagesDoNotNestWhenEventsAreProcessedDuringOne) {
    state.settings.TypingEnabled = true;
    int nested = 0;
    fakes.events.onPump = [&] {
        ++nested;
        keyer.SendCW("TTTTT", false);  // F1 pressed while typing is enabled
    };
    keyer.SendCW("EE", false);
    EXPECT_GE(nested, 1);
    EXPECT_EQ(scheduler.edges.size(), 4U);
}

TEST_F(CWKeyerTest, CalibrationOpensTheConfiguredKeyingPortAndTellsOfAMissingOne) {
    state.settings.CWComport = "Com2";
    state.settings.Weight = "3.5";
    state.cw.CWSpeed = 35;
    keyer.prepareTiming(true);
    EXPECT_TRUE(state.cw.CWCalibrated);
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 2"}));
    EXPECT_EQ(state.cw.DotCount, 34'000'000);  // for the speed already shown
    EXPECT_EQ(state.cw.DashCount, 119'000'000);
    EXPECT_EQ(host.shown, (std::vector<std::string>{"notice", "notice gone"}));

    keyer.prepareTiming(true);  // once per run
    EXPECT_EQ(fakes.serial.events.size(), 1U);

    // A missing keying port is told of; the timing is set all the same.
    lines.CloseSerialPort("Com2");
    fakes.serial.failOpen = true;
    state.cw.CWCalibrated = false;
    keyer.CalibrateCWTiming();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "Com2 is missing");
    EXPECT_TRUE(state.cw.CWCalibrated);
}

TEST_F(CWKeyerTest, LogWithoutCwSetsTheUncalibratedTiming) {
    state.settings.Weight = "4.0";
    keyer.prepareTiming(false);
    EXPECT_FALSE(state.cw.CWCalibrated);
    EXPECT_EQ(state.cw.CWWeight, 3.0F);
    EXPECT_EQ(state.cw.DashCount, 127'500'000);
    EXPECT_TRUE(fakes.serial.events.empty());
}

class KeyboardCWTest : public CWKeyerTest {
  protected:
    KeyboardCW keyboard{state, keyer};
};

TEST_F(KeyboardCWTest, OpensOnACwBandOnlyAndGoesBackWhereTheCaretWas) {
    state.CurrentBandMode = bandModeCode(band::B40, true);
    EXPECT_FALSE(keyboard.open({1, 3}));
    EXPECT_FALSE(keyboard.view().open);

    state.CurrentBandMode = bandModeCode(band::B40, false);
    EXPECT_TRUE(keyboard.open({1, 3}));
    EXPECT_TRUE(keyboard.view().open);
    EXPECT_EQ(keyboard.view().line1Colour, colour::DarkRed);
    EXPECT_EQ(keyboard.close(), (EntryCaret{1, 3}));
    EXPECT_FALSE(keyboard.view().open);
    EXPECT_EQ(keyboard.view().line1Colour, colour::Blue);
}

TEST_F(KeyboardCWTest, EachChangeSendsTheLastCharacterInUpperCase) {
    ASSERT_TRUE(keyboard.open({0, 0}));
    const struct {
        const char* text;
        std::size_t edges;  // key edges of what went out
    } steps[] = {
        {"e", 2},     // E
        {"et", 2},    // T
        {"e", 2},     // deleting T sends E once more
        {"e5", 10},   // 5: five dots
        {"e5/", 10},  // /: dash dot dot dash dot
    };
    for (const auto& step : steps) {
        scheduler.edges.clear();
        keyboard.onTextEdited(step.text);
        EXPECT_EQ(scheduler.edges.size(), step.edges) << step.text;
    }
}

TEST_F(KeyboardCWTest, PlusAndMinusStepTheSpeedByTwoAndAnEmptiedBoxSendsAnEmptyMessage) {
    keyboard.onTextEdited("+");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    keyboard.onTextEdited("++");
    EXPECT_EQ(state.cw.CWSpeed, 32);
    keyboard.onTextEdited("++-");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    EXPECT_TRUE(scheduler.edges.empty());

    state.settings.CWPTTActivated = true;
    state.settings.CWPTTComport = "Com2";
    fakes.serial.events.clear();
    keyboard.onTextEdited("");
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 1", "open 2", "dtr 2 on",
                                                             "close 1", "dtr 2 off", "close 2"}));
}

}  // namespace
}  // namespace keslog
