#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "transmit/KeyingDevice.h"

namespace keslog {

// WinKeyer status bytes (0xC0 | bits) and speed-pot bytes (0x80 | value).
namespace wk {
inline constexpr unsigned char kXoff = 0x01;
inline constexpr unsigned char kBreakIn = 0x02;
inline constexpr unsigned char kBusy = 0x04;
inline constexpr int kPotMin = 18;    // the logger's lowest speed
inline constexpr int kPotRange = 32;  // up to its highest
}  // namespace wk

// A K1EL WinKeyer in host mode at 1200 baud. Text goes out only while the
// keyer has room (no XOFF); a message ends when BUSY clears after it, and
// paddle break-in ends it as Esc does.
class WinKeyer : public IKeyingDevice {
  public:
    using Clock = std::chrono::steady_clock;

    // Sends the host open at once; the version is awaited without blocking.
    WinKeyer(std::unique_ptr<IByteLink> link, std::string device);
    ~WinKeyer() override;  // host close

    const std::string& name() const override { return name_; }
    Status begin(const KeyingStart& start) override;
    void send(std::string_view text) override;
    void flush() override;
    void stepSpeed(int wpm) override;
    void setSpeed(int wpm) override;
    void endText() override;
    DeviceProgress poll(int waitMs) override;
    const Status& failure() const override { return failure_; }
    void abort() override;
    void end() override {}  // the keyer drops PTT itself after the last element
    std::optional<int> idlePoll() override;
    std::string status() const override;

    // The version byte once it came: 31 for WinKeyer 3.1.
    int version() const { return version_; }

  private:
    enum class Link { Opening, Open, Dead };

    void write(std::string_view bytes);
    void take(const std::string& bytes);
    // Reads what came, up to waitMs; settles the host open.
    void readFor(int waitMs);
    void goDead();

    std::unique_ptr<IByteLink> link_;
    std::string device_;
    std::string name_;
    Link state_ = Link::Opening;
    Clock::time_point openDeadline_;
    int version_ = 0;
    Status failure_;

    unsigned char status_ = 0xC0;
    std::string queued_;  // text not yet written: the keyer had no room
    bool textEnded_ = false;
    bool sentText_ = false;
    bool sawBusy_ = false;
    bool brokeIn_ = false;
    std::optional<int> pot_;
};

// The WinKeyer weight (10..90, 50 normal) for a dash-to-dot ratio.
int winKeyerWeight(float ratio);

}  // namespace keslog
