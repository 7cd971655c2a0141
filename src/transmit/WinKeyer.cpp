#include "transmit/WinKeyer.h"

#include <algorithm>
#include <cmath>

namespace keslog {

namespace {

constexpr int kOpenWaitMs = 1000;
constexpr std::size_t kChunk = 8;  // text bytes between two looks at XOFF
constexpr unsigned char kModeRegister = 0x00;  // iambic B, no echo, no autospace

char byte(int value) {
    return static_cast<char>(static_cast<unsigned char>(value));
}

std::string command(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out += byte(b);
    return out;
}

}  // namespace

int winKeyerWeight(float ratio) {
    return std::clamp(static_cast<int>(std::lround(ratio / 3.0F * 50.0F)), 10, 90);
}

WinKeyer::WinKeyer(std::unique_ptr<IByteLink> link, std::string device)
    : link_(std::move(link)),
      device_(std::move(device)),
      name_("WinKeyer on " + device_),
      openDeadline_(Clock::now() + std::chrono::milliseconds(kOpenWaitMs)) {
    write(command({0x00, 0x02}));
}

WinKeyer::~WinKeyer() {
    if (state_ == Link::Open) link_->write(command({0x00, 0x03}));
}

void WinKeyer::goDead() {
    state_ = Link::Dead;
    failure_ = Status::error(
        "No WinKeyer answered on " + device_ +
        " within a second. Check that the keyer is plugged in and powered, that " + device_ +
        " is its port and that you are in the group dialout. Logging goes on; CW through "
        "this keyer is off until the Preferences are confirmed again.");
}

void WinKeyer::write(std::string_view bytes) {
    if (state_ == Link::Dead) return;
    if (Status sent = link_->write(bytes); !sent) {
        state_ = Link::Dead;
        failure_ = Status::error(name_ + ": " + sent.message());
    }
}

void WinKeyer::take(const std::string& bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (state_ == Link::Opening) {
            // The first byte after the host open is the version.
            if (b < 10 || b > 99) return goDead();
            version_ = b;
            state_ = Link::Open;
            write(command({0x05, wk::kPotMin, wk::kPotRange, 0x00, 0x0E, kModeRegister}));
        } else if ((b & 0xC0) == 0xC0) {
            status_ = b;
            if (b & wk::kBusy) sawBusy_ = true;
            if (b & wk::kBreakIn) brokeIn_ = true;
        } else if ((b & 0xC0) == 0x80) {
            pot_ = wk::kPotMin + (b & 0x3F);
        }
    }
}

void WinKeyer::readFor(int waitMs) {
    if (state_ == Link::Dead) return;
    const Result<std::string> got = link_->read(waitMs);
    if (!got) {
        state_ = Link::Dead;
        failure_ = Status::error(name_ + ": " + got.status().message());
        return;
    }
    take(*got);
    if (state_ == Link::Opening && Clock::now() >= openDeadline_) goDead();
}

Status WinKeyer::begin(const KeyingStart& start) {
    while (state_ == Link::Opening) readFor(10);
    if (state_ == Link::Dead) return failure_;
    queued_.clear();
    textEnded_ = sawBusy_ = brokeIn_ = sentText_ = false;
    const int lead = std::clamp(start.ptt ? start.pttLeadMs / 10 : 0, 0, 250);
    const int pins = 0x04 | (start.sidetone ? 0x02 : 0) | (start.ptt ? 0x01 : 0);
    write(command({0x09, pins, 0x02, start.wpm, 0x03, winKeyerWeight(start.weight), 0x04, lead,
                   0x00}));
    return state_ == Link::Dead ? failure_ : Status::ok();
}

void WinKeyer::send(std::string_view text) {
    sentText_ = sentText_ || !text.empty();
    queued_ += text;
    flush();
}

void WinKeyer::stepSpeed(int wpm) {
    queued_ += command({0x1C, wpm});
    flush();
}

void WinKeyer::setSpeed(int wpm) {
    write(command({0x02, wpm}));
}

void WinKeyer::endText() {
    textEnded_ = true;
    flush();
}

void WinKeyer::flush() {
    while (!queued_.empty() && !(status_ & wk::kXoff) && state_ == Link::Open) {
        // Small pieces, and a look at the keyer in between: XOFF says its
        // buffer is nearly full.
        const std::size_t n = std::min(kChunk, queued_.size());
        write(std::string_view(queued_).substr(0, n));
        queued_.erase(0, n);
        if (!queued_.empty()) readFor(0);
    }
}

DeviceProgress WinKeyer::poll(int waitMs) {
    readFor(waitMs);
    if (state_ != Link::Open) return DeviceProgress::Failed;
    if (brokeIn_) return DeviceProgress::BrokenIn;
    flush();
    const bool keyed = !sentText_ || (sawBusy_ && !(status_ & wk::kBusy));
    if (textEnded_ && queued_.empty() && keyed) return DeviceProgress::Finished;
    return DeviceProgress::Sending;
}

void WinKeyer::abort() {
    queued_.clear();
    write(command({0x0A}));
}

std::optional<int> WinKeyer::idlePoll() {
    if (state_ == Link::Dead) return std::nullopt;
    readFor(0);
    return std::exchange(pot_, std::nullopt);
}

std::string WinKeyer::status() const {
    if (state_ != Link::Open) return {};
    return "WK " + std::to_string(version_ / 10) + "." + std::to_string(version_ % 10);
}

}  // namespace keslog
