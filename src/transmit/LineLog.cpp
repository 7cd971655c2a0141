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

void LineLog::recordBytes(std::string_view link, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    text_.append(millisecondsText(clock_.now())).append("\t").append(link).append("\t");
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && c != '<')
            text_ += c;
        else
            text_.append({'<', kHex[b >> 4], kHex[b & 0x0F], '>'});
    }
    text_ += '\n';
}

namespace {

class RecordedLink : public IByteLink {
  public:
    RecordedLink(std::unique_ptr<IByteLink> link, std::string name, LineLog& log)
        : link_(std::move(link)), name_(std::move(name)), log_(log) {}
    Status write(std::string_view bytes) override {
        log_.recordBytes(name_, bytes);
        return link_->write(bytes);
    }
    Result<std::string> read(int waitMs) override { return link_->read(waitMs); }

  private:
    std::unique_ptr<IByteLink> link_;
    std::string name_;
    LineLog& log_;
};

}  // namespace

Result<std::unique_ptr<IByteLink>> RecordedByteLinks::recorded(
    Result<std::unique_ptr<IByteLink>> link, std::string name) {
    if (!link) return link;
    return std::unique_ptr<IByteLink>(
        std::make_unique<RecordedLink>(std::move(*link), std::move(name), log_));
}

Result<std::unique_ptr<IByteLink>> RecordedByteLinks::udp(const std::string& host, int port) {
    return recorded(links_.udp(host, port), host + ":" + std::to_string(port));
}

Result<std::unique_ptr<IByteLink>> RecordedByteLinks::serial(const std::string& path) {
    return recorded(links_.serial(path), path);
}

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
