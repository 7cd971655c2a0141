#include <gtest/gtest.h>

#include "transmit/VoiceSetup.h"

namespace keslog {
namespace {

std::string pair(const std::string& file, const std::string& label) {
    return "\"" + file + "\"\r\n\"" + label + "\"\r\n";
}

std::string emptyPairs(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += pair("", "[RADIO0][PLAY1]Empty");
    return out;
}

TEST(VoiceSetup, KeyNames) {
    EXPECT_EQ(voiceKeyName(0), "F-1 Key");
    EXPECT_EQ(voiceKeyName(6), "F-7 Key");
    EXPECT_EQ(voiceKeyName(7), "F-11 Key");
    EXPECT_EQ(voiceKeyName(8), "F-12 Key");
}

TEST(VoiceSetup, ReadingTakesRadioPlaysAndLabelFromTheRecord) {
    struct Case {
        const char* record;
        VoiceSlot slot;
    };
    const Case cases[] = {
        {"\"[RADIO2][PLAY6]CQ CONTEST\"", {"/a.wav", "CQ CONTEST", '2', 6}},
        {"\"[RADIO1][PLAY3]QRZ\"", {"/a.wav", "QRZ", '1', 3}},
        {"\"CQ TEST\"", {"/a.wav", "CQ TEST", '0', 1}},  // bare: black, one play
        {"CQ TEST", {"/a.wav", "CQ TEST", '0', 1}},      // not even quoted
        {"\"[RADIO9][PLAY7]ODD\"", {"/a.wav", "ODD", '0', 1}},
        {"\"[RAD\"", {"/a.wav", "[RAD", '0', 1}},  // a damaged prefix stays text
        {"\"\"", {"/a.wav", "", '0', 1}},
        {"\"He said \"QRZ\"\"", {"/a.wav", "He said \"QRZ\"", '0', 1}},
    };
    for (const Case& c : cases) {
        const SetupFileContents read =
            parseSetupFile(std::string("\"/a.wav\"\r\n") + c.record + "\r\n");
        EXPECT_EQ(read.voices[0], c.slot) << c.record;
        EXPECT_EQ(read.pairs, 1);
        EXPECT_FALSE(read.truncated) << c.record;
        EXPECT_EQ(read.voices[1], VoiceSlot{}) << "slots past the file are empty";
    }
}

TEST(VoiceSetup, WrittenSetsReadBackTheSame) {
    VoiceSet set;
    set[0] = {"/home/op/dvk/cq test.wav", "CQ, CQ \"TEST\"", '1', 6};
    set[1] = {"/dvk/qrz.wav", "[QRZ] AGAIN", '0', 1};  // began with a bracket
    set[4] = {"C:\\DVK\\TU.WAV", "TU", '2', 1};
    set[8] = {"/dvk/12.wav", "", '0', 3};
    const SetupFileContents read = parseSetupFile(setupFileText(set));
    EXPECT_EQ(read.voices, set);
    EXPECT_EQ(read.pairs, 9);
    EXPECT_FALSE(read.tooMany);
    EXPECT_FALSE(read.truncated);
}

TEST(VoiceSetup, LineEndsOfAnyKindTrailingBlankLinesAndControlCharacters) {
    const SetupFileContents lf = parseSetupFile("\"/a.wav\"\n\"[RADIO1][PLAY1]A\"\n\n\n");
    EXPECT_EQ(lf.voices[0], (VoiceSlot{"/a.wav", "A", '1', 1}));
    EXPECT_EQ(lf.pairs, 1);
    EXPECT_FALSE(lf.truncated);
    const SetupFileContents cr = parseSetupFile("\"/a.wav\"\r\"B\"");
    EXPECT_EQ(cr.voices[0], (VoiceSlot{"/a.wav", "B", '0', 1}));
    // Control characters become blanks.
    const SetupFileContents ctl = parseSetupFile(std::string("\"/a.wav\"\r\n\"A\tB\0C\"\r\n", 19));
    EXPECT_EQ(ctl.voices[0].label, "A B C");
}

TEST(VoiceSetup, ACutShortOrOverlongFileKeepsWhatItCanRead) {
    // A path without its label record.
    const SetupFileContents odd =
        parseSetupFile(pair("/a.wav", "[RADIO2][PLAY3]A") + "\"/b.wav\"\r\n");
    EXPECT_TRUE(odd.truncated);
    EXPECT_EQ(odd.pairs, 2);
    EXPECT_EQ(odd.voices[0], (VoiceSlot{"/a.wav", "A", '2', 3}));
    EXPECT_EQ(odd.voices[1], (VoiceSlot{"/b.wav", "", '0', 1}));

    // Cut inside the last field: its closing quote is missing.
    const SetupFileContents cut = parseSetupFile(pair("/a.wav", "A") + "\"/b.wav\"\r\n\"[RADIO1]");
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.voices[1].file, "/b.wav");
    EXPECT_EQ(cut.voices[1].label, "[RADIO1]");

    const SetupFileContents empty = parseSetupFile("");
    EXPECT_FALSE(empty.truncated);
    EXPECT_EQ(empty.pairs, 0);

    // More than nine pairs: only nine are read.
    const SetupFileContents ten = parseSetupFile(
        emptyPairs(9) + pair("/tenth.wav", "[RADIO1][PLAY1]TEN") + pair("/eleventh.wav", "ELEVEN"));
    EXPECT_TRUE(ten.tooMany);
    EXPECT_EQ(ten.pairs, 9);
    for (const VoiceSlot& slot : ten.voices) EXPECT_EQ(slot.file, "");
}

}  // namespace
}  // namespace keslog
