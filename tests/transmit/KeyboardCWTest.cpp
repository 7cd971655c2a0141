#include <gtest/gtest.h>

#include "transmit/KeyboardCW.h"
#include "transmit/KeyerRig.h"

namespace keslog {
namespace {

class KeyboardCWTest : public ::testing::Test, protected test::KeyerRig {
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

TEST_F(KeyboardCWTest, AnEmptiedBoxSendsAnEmptyMessage) {
    state.settings.CWPTTActivated = true;
    state.settings.CWPTTComport = "Com2";
    keyboard.onTextEdited("");
    EXPECT_TRUE(scheduler.edges.empty());
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 1", "open 2", "dtr 2 on",
                                                             "close 1", "dtr 2 off", "close 2"}));
}

TEST_F(KeyboardCWTest, PlusAndMinusStepTheSpeedByTwo) {
    keyboard.onTextEdited("+");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    keyboard.onTextEdited("++");
    EXPECT_EQ(state.cw.CWSpeed, 32);
    keyboard.onTextEdited("++-");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    EXPECT_TRUE(scheduler.edges.empty());
}

}  // namespace
}  // namespace keslog
