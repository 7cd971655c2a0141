#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "transmit/Radios.h"

namespace keslog {
namespace {

class RecordingRadioDisplay : public IRadioDisplay {
  public:
    void showTxRadio(int radio) override { shown.push_back("TX R" + std::to_string(radio)); }
    void showLogRadio(int radio) override { shown.push_back("Log R" + std::to_string(radio)); }
    std::vector<std::string> shown;
};

class RadiosTest : public ::testing::Test {
  protected:
    RadiosTest() {
        state.CurrentBandMode = kTwentyCw;
        state.resetRadios();
        state.RadioBandMode[1] = kFortySsb;  // radio 2 was left on 40 m phone
        radios.setDisplay(display);
    }

    static constexpr BandModeCode kTwentyCw = bandModeCode(band::B20, false);
    static constexpr BandModeCode kFortySsb = bandModeCode(band::B40, true);

    test::FakePlatform fakes;
    MainMod state;
    PortLines lines{fakes.serial, fakes.ports};
    RadioSwitch radios{state, lines, fakes.messageBox};
    RecordingRadioDisplay display;
};

TEST_F(RadiosTest, BothRadiosTakeTheBandModeOfANewLog) {
    MainMod fresh;
    fresh.CurrentBandMode = bandModeCode(band::B15, true);
    fresh.TXRadio = 2;
    fresh.LogRadio = 2;
    fresh.resetRadios();
    EXPECT_EQ(fresh.TXRadio, 1);
    EXPECT_EQ(fresh.LogRadio, 1);
    EXPECT_EQ(fresh.RadioBandMode[0], bandModeCode(band::B15, true));
    EXPECT_EQ(fresh.RadioBandMode[1], bandModeCode(band::B15, true));
}

TEST_F(RadiosTest, TransmittingOnRadioTwoTakesTheLogAndItsBandModeAlongAndBack) {
    ASSERT_TRUE(radios.SelectRadio(2));
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(state.LogRadio, 2);
    EXPECT_EQ(state.CurrentBandMode, kFortySsb);
    EXPECT_EQ(state.RadioBandMode[0], kTwentyCw);
    EXPECT_TRUE(fakes.serial.events.empty());  // the SO2R switch is off
    // Toggled back, it is where it began.
    ASSERT_TRUE(radios.SelectRadio(0));
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(state.CurrentBandMode, kTwentyCw);
    EXPECT_EQ(state.RadioBandMode[1], kFortySsb);
    EXPECT_EQ(display.shown, (std::vector<std::string>{"TX R2", "Log R2", "TX R1", "Log R1"}));
}

TEST_F(RadiosTest, SelectingTheRadioInUseRedrawsOnly) {
    const struct {
        int which;
        int radio;
    } cases[] = {{1, 1}, {2, 2}, {7, 2}, {-1, 2}, {1, 1}};
    for (const auto& c : cases) {
        radios.SelectRadio(c.which);
        EXPECT_EQ(state.TXRadio, c.radio) << c.which;
        EXPECT_EQ(state.LogRadio, c.radio) << c.which;
    }
    EXPECT_EQ(state.CurrentBandMode, kTwentyCw);
}

TEST_F(RadiosTest, LogRadioKeyMovesOnlyTheLog) {
    state.settings.F9Activated = true;
    state.settings.F9Comport = "Com2";
    radios.switchLogRadio();
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(state.LogRadio, 2);
    EXPECT_EQ(state.CurrentBandMode, kFortySsb);
    state.CurrentBandMode = bandModeCode(band::B80, true);  // radio 2 moved to 80 m
    radios.switchLogRadio();
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(state.CurrentBandMode, kTwentyCw);
    EXPECT_EQ(state.RadioBandMode[1], bandModeCode(band::B80, true));
    EXPECT_EQ(display.shown, (std::vector<std::string>{"Log R2", "Log R1"}));
    EXPECT_TRUE(fakes.serial.events.empty());
}

TEST_F(RadiosTest, So2rSerialLineOpensOnFirstUseAndStaysOpenAndAParallelPinFollows) {
    state.settings.F9Activated = true;
    state.settings.F9Comport = "Com2";
    // Radio 1 first: the line goes off on a port that was never opened.
    ASSERT_TRUE(radios.SelectRadio(1));
    ASSERT_TRUE(radios.SelectRadio(2));
    ASSERT_TRUE(radios.SelectRadio(0));
    EXPECT_EQ(fakes.serial.events,
              (std::vector<std::string>{"open 2", "dtr 2 off", "dtr 2 on", "dtr 2 off"}));
    EXPECT_TRUE(fakes.serial.isOpen(2));

    state.settings.F9Comport = "LPT1-pin 16";  // a parallel pin follows the radio too
    fakes.ports.registers[kLpt1Control] = 0xE1;
    radios.SelectRadio(2);
    radios.SelectRadio(1);
    EXPECT_EQ(fakes.ports.writes, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{
                                      {kLpt1Control, 0xE5}, {kLpt1Control, 0xE1}}));
}

TEST_F(RadiosTest, AMissingSo2rPortIsReportedAndNothingChanges) {
    state.settings.F9Activated = true;
    state.settings.F9Comport = "Com2";
    fakes.serial.failOpen = true;
    EXPECT_FALSE(radios.SelectRadio(0));
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(state.CurrentBandMode, kTwentyCw);
    EXPECT_TRUE(display.shown.empty());
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "Port Error");
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "Com2 is missing\n\nThe transmitting radio was not changed.");
    EXPECT_EQ(fakes.messageBox.shown[0].icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace keslog
