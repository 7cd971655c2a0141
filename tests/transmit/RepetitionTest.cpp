#include <gtest/gtest.h>

#include "transmit/KeyerRig.h"
#include "transmit/Repetition.h"

namespace keslog {
namespace {

constexpr int kF1 = 112;
constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr KeyTime kMs = 1'000'000;

class RecordingDisplay : public IRepeatDisplay {
  public:
    void showRepeat(const RepeatView& view) override { shown.push_back(view); }
    std::vector<RepeatView> shown;
};

class RepetitionTest : public ::testing::Test, protected test::KeyerRig {
  protected:
    RepetitionTest() {
        state.contestNr = contest::Wpx;  // F1 is entry 19
        state.settings.CWMacros[18] = "[RADIO0][PLAY1]E";
        state.settings.CWMacros[19] = "[RADIO0][PLAY1]T";
        state.settings.CWMacros[20] = "[RADIO0][PLAY3]EE";
        state.settings.RepeatIntervalCW = 2000;
        state.resetRadios();
        repeater.setDisplay(display);
    }

    test::FakeTimer& timer2() { return *fakes.timers.created.back(); }
    int messagesSent() const { return scheduler.finishes; }
    std::vector<std::string> labels() const {
        std::vector<std::string> out;
        for (const RepeatView& v : display.shown)
            out.push_back(v.running ? v.label + (v.colour == colour::Red ? " (red)" : "") : "-");
        return out;
    }
    void pressEscAfter(KeyTime ms) {
        scheduler.at(scheduler.clock + ms * kMs, [this] { fakes.keys.press(AsyncKey::Escape); });
    }

    RadioSwitch radios{state, lines, fakes.messageBox};
    MessageRepeater repeater{state, platform, keyer, radios};
    RecordingDisplay display;
};

TEST_F(RepetitionTest, ThreePlaysWithTwoPausesOfTheCwInterval) {
    repeater.SendFunctionKeyMessage(kF3, false);
    EXPECT_EQ(messagesSent(), 1);
    EXPECT_TRUE(repeater.running());
    EXPECT_TRUE(timer2().enabled());
    EXPECT_EQ(timer2().interval(), 2000);
    timer2().tick();
    EXPECT_EQ(messagesSent(), 2);
    EXPECT_TRUE(timer2().enabled());
    timer2().tick();
    EXPECT_EQ(messagesSent(), 3);
    EXPECT_FALSE(timer2().enabled());
    EXPECT_FALSE(repeater.running());
    EXPECT_EQ(labels(),
              (std::vector<std::string>{"Sending Msg 1 of 3", "Sending Msg 1 of 3 [Pause]",
                                        "Sending Msg 2 of 3", "Sending Msg 2 of 3 [Pause]",
                                        "Sending Msg 3 of 3 (red)", "-"}));
    EXPECT_FALSE(repeater.view().running);
}

TEST_F(RepetitionTest, OnePlayOrAPauseOfNoLengthNeedsNoTimer) {
    repeater.SendFunctionKeyMessage(kF1, false);
    EXPECT_EQ(messagesSent(), 1);
    EXPECT_FALSE(timer2().enabled());
    EXPECT_EQ(labels(), (std::vector<std::string>{"Sending Msg 1 of 1 (red)", "-"}));

    state.settings.RepeatIntervalCW = 0;  // the setting was absent
    repeater.SendFunctionKeyMessage(kF3, false);
    EXPECT_EQ(messagesSent(), 4);
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(timer2().enabled());
}

TEST_F(RepetitionTest, TheMessagesOwnPlaysAndRadioApply) {
    state.settings.CWMacros[18] = "[RADIO2][PLAY3]E";  // as set in the CW messages window
    repeater.SendFunctionKeyMessage(kF1, false);
    timer2().tick();
    timer2().tick();
    EXPECT_EQ(messagesSent(), 3);
    EXPECT_EQ(host.radios, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(state.LogRadio, 1);  // a message's radio moves only the transmitter
}

TEST_F(RepetitionTest, EscInThePauseEndsTheRepetitionAndNothingElse) {
    repeater.SendFunctionKeyMessage(kF3, false);
    const MainMod before = state;
    EXPECT_FALSE(repeater.cancel());  // no CW message ended: the entry line may be cleared
    EXPECT_FALSE(timer2().enabled());
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(repeater.view().running);
    timer2().tick();
    EXPECT_EQ(messagesSent(), 1);
    EXPECT_EQ(state.TXRadio, before.TXRadio);
    EXPECT_EQ(state.CurrentBandMode, before.CurrentBandMode);
    EXPECT_FALSE(state.cw.CWAbortFlag);
}

TEST_F(RepetitionTest, EscWhileAnyMessageIsKeyedEndsItAndTheRepetition) {
    pressEscAfter(10);
    repeater.SendFunctionKeyMessage(kF3, false);
    EXPECT_EQ(messagesSent(), 1);
    EXPECT_EQ(scheduler.edges.size(), 2U);  // the first dot went out whole
    EXPECT_FALSE(timer2().enabled());
    EXPECT_FALSE(repeater.running());
    EXPECT_TRUE(state.cw.CWAbortFlag);
    // The Esc key then reaches the entry line: it only clears the flag.
    EXPECT_TRUE(repeater.cancel());
    EXPECT_FALSE(state.cw.CWAbortFlag);

    // Esc while a later message is keyed ends the repetition too.
    repeater.SendFunctionKeyMessage(kF3, false);
    pressEscAfter(10);
    timer2().tick();
    EXPECT_EQ(messagesSent(), 3);
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(timer2().enabled());
    EXPECT_EQ(labels().back(), "-");
    timer2().tick();
    EXPECT_EQ(messagesSent(), 3);
}

TEST_F(RepetitionTest, ANewKeyTakesOverFromAPausingRepetitionAndOtherKeysSendNothing) {
    for (int key : {119, 120, 121, 0, 200}) repeater.SendFunctionKeyMessage(key, false);
    EXPECT_EQ(messagesSent(), 0);
    EXPECT_TRUE(display.shown.empty());
    repeater.SendFunctionKeyMessage(kF3, false);
    repeater.SendFunctionKeyMessage(kF2, false);
    EXPECT_EQ(messagesSent(), 2);
    EXPECT_FALSE(repeater.running());
    timer2().tick();
    EXPECT_EQ(messagesSent(), 2);
}

TEST_F(RepetitionTest, DualCqPassesAreHalfThePlayNumberRoundedToEven) {
    const struct {
        int playNumber;
        int passes;
    } cases[] = {{2, 1}, {4, 2}, {6, 3}, {12, 6}, {3, 2}, {5, 2}, {7, 4}, {1, 1}, {0, 1}, {-4, 1}};
    state.settings.DualCQsRepeatInterval = 0;
    for (const auto& c : cases) {
        scheduler.finishes = 0;
        display.shown.clear();
        state.settings.DualCQsPlayNumber = static_cast<std::int16_t>(c.playNumber);
        repeater.SendFunctionKeyMessage(kF1, true);
        EXPECT_EQ(messagesSent(), 2 * c.passes) << c.playNumber;
        EXPECT_EQ(state.TXRadio, 1) << c.playNumber;
        const std::string last = "Sending 2R Msg " + std::to_string(c.passes) + " of " +
                                 std::to_string(c.passes) + " (red)";
        ASSERT_GE(labels().size(), 2U);
        EXPECT_EQ(labels()[labels().size() - 2], last) << c.playNumber;
    }
}

TEST_F(RepetitionTest, DualCqAlternatesRadiosWithAPauseAfterEachMessage) {
    state.settings.DualCQsPlayNumber = 4;
    state.settings.DualCQsRepeatInterval = 300;
    state.RadioBandMode[1] = bandModeCode(band::B40, false);
    // The message's own radio does not count in a dual CQ.
    state.settings.CWMacros[18] = "[RADIO1][PLAY3]E";
    repeater.SendFunctionKeyMessage(kF1, true);
    for (int pause = 0; pause < 4; ++pause) {
        ASSERT_TRUE(timer2().enabled()) << pause;
        EXPECT_EQ(timer2().interval(), 300);
        timer2().tick();
    }
    EXPECT_EQ(messagesSent(), 4);
    EXPECT_EQ(host.radios, (std::vector<int>{1, 2, 1, 2}));
    EXPECT_FALSE(repeater.running());
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B20, false));
    EXPECT_EQ(labels(), (std::vector<std::string>{"Sending 2R Msg 1 of 2",
                                                  "Sending 2R Msg 2 of 2 (red)", "-"}));
}

TEST_F(RepetitionTest, DualCqStartsByBringingTheLogRadioToTheTransmitter) {
    state.settings.DualCQsPlayNumber = 2;
    state.settings.DualCQsRepeatInterval = 0;
    state.TXRadio = 2;  // a message's radio moved only the transmitter
    state.RadioBandMode[1] = bandModeCode(band::B40, false);
    repeater.SendFunctionKeyMessage(kF1, true);
    EXPECT_EQ(host.radios, (std::vector<int>{2, 1}));
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(state.LogRadio, 2);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B40, false));
}

TEST_F(RepetitionTest, EscInADualCqPauseOrMessageStopsOnTheRadioItIsOn) {
    state.settings.DualCQsPlayNumber = 4;
    state.settings.DualCQsRepeatInterval = 300;
    repeater.SendFunctionKeyMessage(kF1, true);
    EXPECT_FALSE(repeater.cancel());
    timer2().tick();
    EXPECT_EQ(messagesSent(), 1);
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_FALSE(repeater.running());

    repeater.SendFunctionKeyMessage(kF1, true);  // from radio 2 now
    pressEscAfter(10);
    timer2().tick();
    EXPECT_EQ(messagesSent(), 3);
    EXPECT_EQ(state.TXRadio, 1);  // stopped before the radio changes back
    EXPECT_FALSE(timer2().enabled());
    EXPECT_FALSE(repeater.running());
}

TEST_F(RepetitionTest, AMissingSo2rPortStopsADualCqWithOneMessage) {
    state.settings.F9Activated = true;
    state.settings.F9Comport = "Com2";
    state.settings.DualCQsPlayNumber = 4;
    fakes.serial.failOpen = true;
    repeater.SendFunctionKeyMessage(kF1, true);
    EXPECT_EQ(messagesSent(), 0);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "Port Error");
    EXPECT_FALSE(repeater.running());
}

}  // namespace
}  // namespace keslog
