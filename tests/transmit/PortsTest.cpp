#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "transmit/Ports.h"

namespace keslog {
namespace {

using Writes = std::vector<std::pair<std::uint16_t, std::uint8_t>>;

TEST(PortNames, EachNameStandsForItsLine) {
    struct Case {
        const char* name;
        PortLine line;
    };
    const Case cases[] = {
        {"Com1", {PortKind::Serial, 1, 0, 0}},
        {"Com2", {PortKind::Serial, 2, 0, 0}},
        {"LPT1-pin 14", {PortKind::Parallel, 1, 14, 0x37A}},
        {"LPT1-pin 17", {PortKind::Parallel, 1, 17, 0x37A}},
        {"LPT2-pin 16", {PortKind::Parallel, 2, 16, 0x27A}},
        {"[none]", {}},
        {"COM1", {}},
        {"LPT3-pin 14", {}},
        {"LPT1-pin 15", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parsePortName(c.name), c.line) << c.name;
}

TEST(ParallelRegister, PinsFollowTheHardwareInversions) {
    struct Case {
        int pin;
        std::uint8_t before;
        std::uint8_t on;
        std::uint8_t off;
    };
    // From a clear register, then bits 0 and 4..7 and the other pins keep their values.
    const Case cases[] = {
        {14, 0x00, 0x00, 0x02}, {16, 0x00, 0x04, 0x00}, {17, 0x00, 0x00, 0x08},
        {14, 0xF1, 0xF1, 0xF3}, {16, 0xF1, 0xF5, 0xF1}, {17, 0xFF, 0xF7, 0xFF},
        {14, 0x0E, 0x0C, 0x0E},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(controlWithPin(c.before, c.pin, true), c.on) << "pin " << c.pin;
        EXPECT_EQ(controlWithPin(c.before, c.pin, false), c.off) << "pin " << c.pin;
    }
    EXPECT_EQ(preparedControl(0x0A), 0x0B);
    EXPECT_EQ(preparedControl(0x0B), 0x0B);
}

class PortLinesTest : public ::testing::Test {
  protected:
    test::FakeSerialLines serial;
    test::FakePortIo ports;
    PortLines lines{serial, ports};
};

TEST_F(PortLinesTest, ParallelChangesReadModifyWriteTheirPortsRegister) {
    ports.registers[0x37A] = 0xC0;
    ports.registers[0x27A] = 0x00;
    EXPECT_TRUE(lines.PrepareParallelPort("LPT1-pin 14").isOk());
    EXPECT_TRUE(lines.LineOn("LPT1-pin 14").isOk());
    EXPECT_TRUE(lines.LineOff("LPT1-pin 14").isOk());
    EXPECT_TRUE(lines.LineOn("LPT2-pin 16").isOk());
    EXPECT_TRUE(lines.LineOff("LPT2-pin 17").isOk());
    EXPECT_EQ(ports.writes,
              (Writes{{0x37A, 0xC1}, {0x37A, 0xC1}, {0x37A, 0xC3}, {0x27A, 0x04}, {0x27A, 0x0C}}));
}

TEST_F(PortLinesTest, NoneAndUnknownNamesTouchNothing) {
    for (const char* name : {"[none]", "", "LPT3-pin 14", "Com3"}) {
        EXPECT_TRUE(lines.LineOn(name).isOk());
        EXPECT_TRUE(lines.LineOff(name).isOk());
        EXPECT_TRUE(lines.PrepareParallelPort(name).isOk());
        EXPECT_TRUE(lines.OpenSerialPort(name).isOk());
        lines.CloseSerialPort(name);
    }
    EXPECT_TRUE(lines.PrepareParallelPort("Com1").isOk());  // a serial port: nothing to prepare
    EXPECT_TRUE(ports.registers.empty());                   // not even read
    EXPECT_TRUE(ports.writes.empty());
    EXPECT_TRUE(serial.events.empty());
}

TEST_F(PortLinesTest, SerialLineOpensItsPortOnFirstUse) {
    EXPECT_TRUE(lines.LineOn("Com2").isOk());
    EXPECT_TRUE(lines.LineOff("Com2").isOk());
    EXPECT_TRUE(lines.OpenSerialPort("Com2").isOk());
    lines.CloseSerialPort("Com2");
    lines.CloseSerialPort("Com2");
    // The test words switch DTR of the first serial port.
    EXPECT_TRUE(lines.testSerialLine(true).isOk());
    EXPECT_TRUE(lines.testSerialLine(false).isOk());
    EXPECT_EQ(serial.events, (std::vector<std::string>{"open 2", "dtr 2 on", "dtr 2 off", "close 2",
                                                       "open 1", "dtr 1 on", "dtr 1 off"}));
}

TEST_F(PortLinesTest, AMissingSerialDeviceLeavesTheLineAloneAndSaysSo) {
    serial.failOpen = true;
    const Status on = lines.LineOn("Com1");
    EXPECT_FALSE(on.isOk());
    EXPECT_EQ(on.message(), "Com1 is missing");
    EXPECT_EQ(serial.events, (std::vector<std::string>{"open 1"}));
}

}  // namespace
}  // namespace keslog
