#include <gtest/gtest.h>

#include "model/Settings.h"
#include "transmit/CWMessages.h"

namespace keslog {
namespace {

TEST(CWMessages, EachContestSendsItsOwnSetOfNine) {
    const struct {
        ContestNr contest;
        int firstEntry;  // 1-based, as the settings file counts
    } cases[] = {
        {contest::Cqp, 1},     {contest::Ss, 10},   {contest::ArrlDx, 19},
        {contest::Cqww, 19},   {contest::Wpx, 19},  {contest::Aa, 19},
        {contest::Sprint, 28}, {contest::Paqp, 37}, {contest::Naqp, 46},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macroEntry(c.contest, 1) + 1, static_cast<std::size_t>(c.firstEntry))
            << "contest " << c.contest;
        EXPECT_EQ(macroEntry(c.contest, 9) + 1, static_cast<std::size_t>(c.firstEntry + 8));
    }
}

TEST(CWMessages, FunctionKeysAndTheirSlots) {
    const struct {
        int keyCode;
        int slot;
    } cases[] = {{112, 1}, {113, 2}, {114, 3}, {115, 4}, {116, 5}, {117, 6}, {118, 7},
                 {119, 0}, {120, 0}, {121, 0}, {122, 8}, {123, 9}, {111, 0}, {124, 0}};
    for (const auto& c : cases) EXPECT_EQ(slotOfKey(c.keyCode), c.slot) << c.keyCode;
    EXPECT_EQ(keyNumberOfSlot(7), 7);
    EXPECT_EQ(keyNumberOfSlot(8), 11);
    EXPECT_EQ(keyNumberOfSlot(9), 12);
    EXPECT_EQ(keyNumberOfSlot(10), 0);
}

TEST(CWMessages, PrefixGivesRadioAndPlaysOnlyInItsExactForm) {
    const struct {
        const char* macro;
        MacroParts parts;
        int plays;
    } cases[] = {
        {"[RADIO2][PLAY3]CQ TEST", {'2', '3', "CQ TEST"}, 3},
        {"[RADIO0][PLAY1]", {'0', '1', ""}, 1},
        {"[RADIO1][PLAY6]@ 5NN", {'1', '6', "@ 5NN"}, 6},
        // A damaged play digit still sends once.
        {"[RADIO0][PLAY0]TU", {'0', '0', "TU"}, 1},
        // Not the exact prefix: all of it is text, sent once on no radio.
        {"[RADIO0][PLAY1", {'0', '1', "[RADIO0][PLAY1"}, 1},
        {"[RADIOX][PLAY3]CQ", {'0', '1', "[RADIOX][PLAY3]CQ"}, 1},
        {"CQ", {'0', '1', "CQ"}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseMacro(c.macro), c.parts) << c.macro;
        EXPECT_EQ(playCountOf(c.macro), c.plays) << c.macro;
    }
    EXPECT_EQ(composeMacro({'2', '6', "CQ"}), "[RADIO2][PLAY6]CQ");
    EXPECT_EQ(composeMacro({'x', '?', "CQ"}), "[RADIO0][PLAY1]CQ");
}

TEST(CWMessages, ExchangeKeySendsTheCqModeExchangeWhileTheBoxIsEmpty) {
    Settings s;
    for (int i = 0; i < kExchangeCount; ++i)
        s.CWExchanges[static_cast<std::size_t>(i)] = "X" + std::to_string(i + 1);
    // SS is contest 5: entries 9 (CQ) and 10 (S/P).
    EXPECT_EQ(exchangeMessage(s, contest::Ss, ""), "X9");
    EXPECT_EQ(exchangeMessage(s, contest::Ss, " 12A"), "X9");
    EXPECT_EQ(exchangeMessage(s, contest::Ss, "12A"), "X10");
    EXPECT_EQ(exchangeMessage(s, contest::ArrlDx, ""), "X1");
    EXPECT_EQ(exchangeMessage(s, contest::Naqp, "BOB"), "X18");
    EXPECT_EQ(exchangeMessage(s, contest::None, ""), "");
}

TEST(CWMessages, ViewMacCaptionShowsKeyPlaysAndOwnCallAndTypedTextIsUpperCase) {
    EXPECT_EQ(viewMacCaption(1, "[RADIO0][PLAY1]CQ", "CQ $ $", "W6XYZ"), "F1-CQ W6XYZ W6XYZ");
    EXPECT_EQ(viewMacCaption(3, "[RADIO2][PLAY3]@", "His Call", "W6XYZ"), "F3-[3]His Call");
    EXPECT_EQ(viewMacCaption(9, "[RADIO1][PLAY6]QRL?", "QRL?", ""), "F12-[6]QRL?");
    EXPECT_EQ(viewMacCaption(8, "CL?", "", "K1A"), "F11-");
    // Typed text is stored in upper case on one line.
    EXPECT_EQ(messageText("cq test $"), "CQ TEST $");
    EXPECT_EQ(messageText("tu\r\nqrz\t?"), "TU  QRZ ?");
}

}  // namespace
}  // namespace keslog
