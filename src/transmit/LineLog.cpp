#include "transmit/LineLog.h"

#include "transmit/Ports.h"

namespace keslog {

namespace {

// Pins 14 and 17 are inverted by the port hardware: all three low.
constexpr std::uint8_t kAllPinsLow = 0x0A;
constexpr std::array<int, 3> kPins{14, 16, 17};

bool pinHigh(std::uint8_t control, int pin) {
    return controlWithPin(control, pin, true) == control;
}

bool validSerial(int port) {
    return port == 1 || port == 2;
}

std::string millisecondsText(KeyTime ns) {
    const KeyTime tenths = ns / 100'000;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

LineLog::LineLog(const IKeyingScheduler& clock) : clock_(clock) {
    registers_[kLpt1Control] = kAllPinsLow;
    registers_[kLpt2Control] = kAllPinsLow;
}

void LineLog::record(std::string_view port, bool on) {
    text_.append(millisecondsText(clock_.now()))
        .append("\t")
        .append(port)
        .append(on ? "\ton\n" : "\toff\n");
}

Status LineLog::open(int port) {
    if (!validSerial(port)) return Status::error("There is no serial port " + std::to_string(port));
    Serial& s = serial_[static_cast<std::size_t>(port)];
    s.open = true;
    // As on the real port: DTR goes off right after opening.
    if (s.dtr) {
        s.dtr = false;
        record("Com" + std::to_string(port), false);
    }
    return Status::ok();
}

void LineLog::close(int port) {
    if (validSerial(port)) serial_[static_cast<std::size_t>(port)].open = false;
}

bool LineLog::isOpen(int port) const {
    return validSerial(port) && serial_[static_cast<std::size_t>(port)].open;
}

Status LineLog::setDtr(int port, bool on) {
    if (!isOpen(port)) return Status::error("Com" + std::to_string(port) + " is not open");
    Serial& s = serial_[static_cast<std::size_t>(port)];
    if (s.dtr != on) {
        s.dtr = on;
        record("Com" + std::to_string(port), on);
    }
    return Status::ok();
}

Result<std::uint8_t> LineLog::readByte(std::uint16_t address) {
    return registers_[address];
}

Status LineLog::writeByte(std::uint16_t address, std::uint8_t value) {
    const std::uint8_t before = registers_[address];
    registers_[address] = value;
    const char* lpt = address == kLpt1Control ? "LPT1" : address == kLpt2Control ? "LPT2" : nullptr;
    if (!lpt) return Status::ok();
    for (int pin : kPins) {
        const bool high = pinHigh(value, pin);
        if (high != pinHigh(before, pin))
            record(std::string(lpt) + "-pin " + std::to_string(pin), high);
    }
    return Status::ok();
}

}  // namespace keslog
