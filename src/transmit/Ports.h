#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>

#include "platform/Lines.h"

namespace keslog {

// The port names the preferences offer, in their order.
inline constexpr std::array<std::string_view, 9> kPortNames{
    "[none]",      "Com1",        "Com2",        "LPT1-pin 14", "LPT1-pin 16",
    "LPT1-pin 17", "LPT2-pin 14", "LPT2-pin 16", "LPT2-pin 17"};

// Control registers of the two parallel ports.
inline constexpr std::uint16_t kLpt1Control = 0x37A;
inline constexpr std::uint16_t kLpt2Control = 0x27A;

enum class PortKind { None, Serial, Parallel };

// What a port name stands for. A name outside the table is no line at all.
struct PortLine {
    PortKind kind = PortKind::None;
    int port = 0;               // serial port 1 or 2, parallel port 1 or 2
    int pin = 0;                // 14, 16 or 17 on a parallel port
    std::uint16_t address = 0;  // the parallel port's control register

    bool operator==(const PortLine&) const = default;
};

PortLine parsePortName(std::string_view name);
bool isSerialPortName(std::string_view name);

// Control-register arithmetic, byte in, byte out. Pins 14 and 17 are
// inverted by the port hardware, pin 16 is not; the other bits keep their
// values.
std::uint8_t controlWithPin(std::uint8_t control, int pin, bool high);
// Preparing a port sets bit 0 (strobe).
constexpr std::uint8_t preparedControl(std::uint8_t control) {
    return static_cast<std::uint8_t>(control | 0x01);
}

// The line operations on port names. Safe to call from the keyer's thread
// and the window's: every operation is one step under a lock, and a
// parallel-port change is a read-modify-write of the whole register.
class PortLines {
  public:
    PortLines(ISerialLines& serial, IPortIo& ports) : serial_(serial), ports_(ports) {}

    Status OpenSerialPort(std::string_view name);
    void CloseSerialPort(std::string_view name);
    Status PrepareParallelPort(std::string_view name);
    // A serial line is opened on first use, so a line never changes on a
    // port that was not opened.
    Status LineOn(std::string_view name);
    Status LineOff(std::string_view name);

    // The entry line's test words "DTRSET1" (on) and "DTRCLEAR1" (off):
    // DTR of the first serial port.
    Status testSerialLine(bool on);

  private:
    Status setLine(std::string_view name, bool on);
    Status openSerial(int port);

    std::mutex mutex_;
    ISerialLines& serial_;
    IPortIo& ports_;
};

}  // namespace keslog
