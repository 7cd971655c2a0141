#include <gtest/gtest.h>

#include "rig/RigBands.h"

namespace keslog {
namespace {

constexpr BandModeCode cw(int band) {
    return bandModeCode(band, false);
}
constexpr BandModeCode phone(int band) {
    return bandModeCode(band, true);
}

TEST(RigBands, AReadingMovesTheLogOnlyToBandsAndModesItKnows) {
    struct Case {
        BandModeCode current;
        RigReading reading;
        BandModeCode expected;
    };
    const Case cases[] = {
        {cw(band::B20), {1'800'000, "CW"}, cw(band::B160)},
        {cw(band::B20), {2'000'000, "LSB"}, phone(band::B160)},
        {cw(band::B20), {3'799'990, "CWR"}, cw(band::B80)},
        {phone(band::B20), {7'025'000, "CW"}, cw(band::B40)},
        {cw(band::B40), {14'350'000, "USB"}, phone(band::B20)},
        {cw(band::B20), {21'025'000, "AM"}, phone(band::B15)},
        {cw(band::B20), {29'600'000, "FM"}, phone(band::B10)},
        {cw(band::B20), {50'100'000, "USB"}, phone(band::B6)},
        {cw(band::B20), {145'000'000, "FM"}, phone(band::B2)},
        // Outside the bands the band stays; other modes keep the mode.
        {cw(band::B40), {10'110'000, "CW"}, cw(band::B40)},
        {phone(band::B80), {14'351'000, "RTTY"}, phone(band::B80)},
        {cw(band::B15), {21'080'000, "PKTUSB"}, cw(band::B15)},
        {cw(band::B10), {0, ""}, cw(band::B10)},
        {phone(band::B10), {1'799'999, "CW"}, cw(band::B10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bandModeOfReading(c.current, c.reading), c.expected)
            << c.reading.hz << " " << c.reading.mode;
}

TEST(RigBands, TheKeysSendTheRigToTheSegmentForTheMode) {
    struct Case {
        BandModeCode code;
        std::int64_t hz;
        const char* mode;
    };
    const Case cases[] = {
        {cw(band::B160), 1'800'000, "CW"},     {phone(band::B160), 1'843'000, "LSB"},
        {phone(band::B80), 3'600'000, "LSB"},  {phone(band::B40), 7'125'000, "LSB"},
        {cw(band::B20), 14'000'000, "CW"},     {phone(band::B20), 14'150'000, "USB"},
        {phone(band::B10), 28'300'000, "USB"}, {phone(band::B2), 144'200'000, "USB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentStartHz(c.code), c.hz);
        EXPECT_EQ(rigModeOf(c.code), c.mode);
        EXPECT_EQ(bandModeOfReading(cw(band::B20), {c.hz, c.mode}), c.code);
    }
}

TEST(RigBands, FrequencyTextAndTypedFrequencies) {
    EXPECT_EQ(frequencyText(14'025'300), "14,025.30");
    EXPECT_EQ(frequencyText(7'025'505), "7,025.51");
    EXPECT_EQ(frequencyText(1'830'000), "1,830.00");
    EXPECT_EQ(frequencyText(145'000'000), "145,000.00");
    EXPECT_EQ(frequencyText(999'995), "1,000.00");

    const std::pair<const char*, std::optional<std::int64_t>> typed[] = {
        {"14025", 14'025'000},      {"7025.5", 7'025'500},
        {"1830.125", 1'830'125},    {"3500.", 3'500'000},
        {"1000", 1'000'000},        {"999.999", std::nullopt},
        {"599", std::nullopt},      {"", std::nullopt},
        {".", std::nullopt},        {"14025.1234", std::nullopt},
        {"7025.5.1", std::nullopt}, {"K1AR", std::nullopt},
        {"14 025", std::nullopt},   {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, hz] : typed) EXPECT_EQ(typedFrequencyHz(text), hz) << text;
}

TEST(RigAddress, OnlyNumericAddressesAndRealPorts) {
    const std::pair<const char*, const char*> cases[] = {
        {"127.0.0.1:4532", "127.0.0.1|4532"},
        {"localhost:1", "localhost|1"},
        {"10.0.0.255:65535", "10.0.0.255|65535"},
        {"127.0.0.1:0", ""},
        {"127.0.0.1:65536", ""},
        {"127.0.0.1:", ""},
        {"127.0.0.1", ""},
        {"127.0.0.1:45x", ""},
        {"127.0.0.256:4532", ""},
        {"127.0.1:4532", ""},
        {"127.0.0.1.1:4532", ""},
        {"rig.local:4532", ""},
        {":4532", ""},
        {"1.2.3.-4:1", ""},
    };
    for (const auto& [text, expected] : cases) {
        const auto parsed = parseRigAddress(text);
        EXPECT_EQ(parsed ? parsed->host + "|" + std::to_string(parsed->port) : "", expected)
            << text;
    }
}

TEST(RigctldCommand, ModelDeviceAndThePortOfTheAddress) {
    struct Case {
        const char* model;
        const char* device;
        const char* address;
        std::string command;  // the arguments joined by blanks, or the error
    };
    const Case cases[] = {
        {"3073", "/dev/ttyUSB0", "127.0.0.1:4534",
         "rigctld -m 3073 -r /dev/ttyUSB0 -T 127.0.0.1 -t 4534"},
        {"1", "", "localhost:4532", "rigctld -m 1 -T 127.0.0.1 -t 4532"},
        {"", "", "127.0.0.1:4532",
         "the model \"\" is not a hamlib model number (rigctld -l lists them)"},
        {"IC-7300", "", "127.0.0.1:4532",
         "the model \"IC-7300\" is not a hamlib model number (rigctld -l lists them)"},
        {"0", "", "127.0.0.1:4532",
         "the model \"0\" is not a hamlib model number (rigctld -l lists them)"},
        {"1", "", "127.0.0.1", "\"127.0.0.1\" is not an address and port, such as 127.0.0.1:4532"},
    };
    for (const Case& c : cases) {
        const auto command = rigctldCommand(c.model, c.device, c.address);
        std::string text = command ? "" : command.status().message();
        if (command)
            for (const std::string& arg : *command) text += (text.empty() ? "" : " ") + arg;
        EXPECT_EQ(text, c.command) << c.model;
    }
    EXPECT_EQ(lastLineOf("Unknown rig num 99999.\nPlease check.\r\n  \n"), "Please check.");
    EXPECT_EQ(lastLineOf("no line end"), "no line end");
    EXPECT_EQ(lastLineOf("\n \n"), "");
}

}  // namespace
}  // namespace keslog
