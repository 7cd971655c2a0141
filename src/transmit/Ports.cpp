#include "transmit/Ports.h"

namespace keslog {

namespace {

struct NamedLine {
    std::string_view name;
    PortLine line;
};

constexpr std::array<NamedLine, 8> kLines{{
    {"Com1", {PortKind::Serial, 1, 0, 0}},
    {"Com2", {PortKind::Serial, 2, 0, 0}},
    {"LPT1-pin 14", {PortKind::Parallel, 1, 14, kLpt1Control}},
    {"LPT1-pin 16", {PortKind::Parallel, 1, 16, kLpt1Control}},
    {"LPT1-pin 17", {PortKind::Parallel, 1, 17, kLpt1Control}},
    {"LPT2-pin 14", {PortKind::Parallel, 2, 14, kLpt2Control}},
    {"LPT2-pin 16", {PortKind::Parallel, 2, 16, kLpt2Control}},
    {"LPT2-pin 17", {PortKind::Parallel, 2, 17, kLpt2Control}},
}};

struct PinBit {
    int pin;
    std::uint8_t bit;
    bool inverted;
};

constexpr std::array<PinBit, 3> kPinBits{{{14, 0x02, true}, {16, 0x04, false}, {17, 0x08, true}}};

}  // namespace

PortLine parsePortName(std::string_view name) {
    for (const NamedLine& l : kLines)
        if (l.name == name) return l.line;
    return {};
}

bool isSerialPortName(std::string_view name) {
    return parsePortName(name).kind == PortKind::Serial;
}

std::uint8_t controlWithPin(std::uint8_t control, int pin, bool high) {
    for (const PinBit& p : kPinBits) {
        if (p.pin != pin) continue;
        const bool setBit = high != p.inverted;
        return static_cast<std::uint8_t>(setBit ? control | p.bit : control & ~p.bit);
    }
    return control;
}

Status PortLines::openSerial(int port) {
    if (serial_.isOpen(port)) return Status::ok();
    return serial_.open(port);
}

Status PortLines::OpenSerialPort(std::string_view name) {
    const PortLine line = parsePortName(name);
    if (line.kind != PortKind::Serial) return Status::ok();
    std::lock_guard lock(mutex_);
    return openSerial(line.port);
}

void PortLines::CloseSerialPort(std::string_view name) {
    const PortLine line = parsePortName(name);
    if (line.kind != PortKind::Serial) return;
    std::lock_guard lock(mutex_);
    if (serial_.isOpen(line.port)) serial_.close(line.port);
}

Status PortLines::PrepareParallelPort(std::string_view name) {
    const PortLine line = parsePortName(name);
    if (line.kind != PortKind::Parallel) return Status::ok();
    std::lock_guard lock(mutex_);
    const Result<std::uint8_t> control = ports_.readByte(line.address);
    if (!control) return control.status();
    return ports_.writeByte(line.address, preparedControl(*control));
}

Status PortLines::LineOn(std::string_view name) {
    return setLine(name, true);
}
Status PortLines::LineOff(std::string_view name) {
    return setLine(name, false);
}

Status PortLines::setLine(std::string_view name, bool on) {
    const PortLine line = parsePortName(name);
    std::lock_guard lock(mutex_);
    switch (line.kind) {
        case PortKind::Serial: {
            if (Status opened = openSerial(line.port); !opened) return opened;
            return serial_.setDtr(line.port, on);
        }
        case PortKind::Parallel: {
            const Result<std::uint8_t> control = ports_.readByte(line.address);
            if (!control) return control.status();
            return ports_.writeByte(line.address, controlWithPin(*control, line.pin, on));
        }
        case PortKind::None:
            break;
    }
    return Status::ok();
}

Status PortLines::testSerialLine(bool on) {
    return setLine("Com1", on);
}

}  // namespace keslog
