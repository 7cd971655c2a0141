#include <gtest/gtest.h>

#include "cluster/SpotLine.h"
#include "cluster/TelnetText.h"

namespace keslog {
namespace {

// keslog-cli spots prints the other fields of every form.
TEST(SpotLine, FrequencyInKilohertzAndTheLocatorAfterTheTime) {
    const struct {
        const char* line;
        double kHz;
        const char* locator;
    } cases[] = {
        {"DX de K1TTT:     14025.0  JA1ABC       599 tnx  QSO         1200Z", 14025.0, ""},
        {"DX de W3LPL:      7003.5  DL1ABC       CQ TEST       0959Z FN42", 7003.5, "FN42"},
        {"DX de W3LPL-#:14025.0  EA8/dl1abc  CW 9 dB 31 WPM CQ 2359Z MD", 14025.0, "MD"},
        {"dx de N0AX: 50313 K0XYZ 0000z", 50313.0, ""},
    };
    for (const auto& c : cases) {
        const std::optional<Spot> spot = parseSpotLine(c.line);
        ASSERT_TRUE(spot) << c.line;
        EXPECT_EQ(spot->kHz, c.kHz) << c.line;
        EXPECT_EQ(spot->locator, c.locator) << c.line;
    }
}

TEST(TelnetText, CleansNegotiationAndControlsAndKeepsHalfLines) {
    TelnetText text;
    // IAC WILL ECHO, IAC DO SGA, a subnegotiation with an escaped IAC, IAC
    // IAC, a NOP, BEL, a tab and CR LF.
    const std::string first = "\xff\xfb\x01login:\xff\xfd\x03 \xff\xfa\x18\x01\xff\xff\xff\xf0";
    EXPECT_TRUE(text.feed(first).empty());
    EXPECT_EQ(text.pending(), "login: ");
    EXPECT_EQ(text.feed("\r\nDX\xff\xff de\xff\xf1 K1\x07TTT:\t14025.0\r\n\r\n  \nhalf "),
              (std::vector<std::string>{"login: ", "DX de K1TTT: 14025.0"}));
    EXPECT_EQ(text.pending(), "half ");
    // A read that ends inside a telnet command, then plain LF.
    EXPECT_TRUE(text.feed("line\xff").empty());
    EXPECT_EQ(text.feed("\xfd\x01 end\n"), std::vector<std::string>{"half line end"});

    const std::vector<std::string> cut = text.feed(std::string(TelnetText::kMaxLine + 5, 'x'));
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].size(), TelnetText::kMaxLine);
    EXPECT_EQ(text.pending(), "xxxxx");
    text.clear();
    EXPECT_EQ(text.pending(), "");
}

}  // namespace
}  // namespace keslog
