#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ByteLinks.h"
#include "platform/Keying.h"
#include "platform/Lines.h"

namespace keslog {

// Serial and parallel lines that touch no device: every change of a line's
// level is written down as "TIME<TAB>PORT<TAB>on|off" and a line feed, TIME
// in milliseconds (one decimal) on the given clock, PORT the port name the
// settings use ("Com1", "LPT1-pin 14", ...). All lines start off.
class LineLog : public ISerialLines, public IPortIo {
  public:
    explicit LineLog(const IKeyingScheduler& clock);

    Status open(int port) override;
    void close(int port) override;
    bool isOpen(int port) const override;
    Status setDtr(int port, bool on) override;

    Result<std::uint8_t> readByte(std::uint16_t address) override;
    Status writeByte(std::uint16_t address, std::uint8_t value) override;

    const std::string& text() const { return text_; }
    // Bytes written to an external keyer: "TIME<TAB>LINK<TAB>BYTES", each
    // byte outside printable ASCII (and "<") as "<HH>".
    void recordBytes(std::string_view link, std::string_view bytes);

  private:
    struct Serial {
        bool open = false;
        bool dtr = false;
    };

    void record(std::string_view port, bool on);

    const IKeyingScheduler& clock_;
    std::array<Serial, 3> serial_{};  // ports 1 and 2
    std::map<std::uint16_t, std::uint8_t> registers_;
    std::string text_;
};

// External keyers' links whose writes the line log records as well.
class RecordedByteLinks : public IByteLinks {
  public:
    RecordedByteLinks(IByteLinks& links, LineLog& log) : links_(links), log_(log) {}
    Result<std::unique_ptr<IByteLink>> udp(const std::string& host, int port) override;
    Result<std::unique_ptr<IByteLink>> serial(const std::string& path) override;

  private:
    Result<std::unique_ptr<IByteLink>> recorded(Result<std::unique_ptr<IByteLink>> link,
                                                std::string name);

    IByteLinks& links_;
    LineLog& log_;
};

}  // namespace keslog
