#include "transmit/CwDaemon.h"

#include <algorithm>
#include <cmath>

namespace keslog {

namespace {

constexpr char kEsc = '\x1b';
constexpr int kMaxPttDelayMs = 50;  // cwdaemon clips longer leads

}  // namespace

int cwDaemonWeight(float ratio) {
    return std::clamp(static_cast<int>(std::lround((ratio - 3.0F) / 1.5F * 50.0F)), -50, 50);
}

CwDaemonKeyer::CwDaemonKeyer(std::unique_ptr<IByteLink> link, std::string name)
    : link_(std::move(link)), name_(std::move(name)) {}

void CwDaemonKeyer::write(const std::string& bytes) {
    if (!failure_.isOk()) return;
    if (Status sent = link_->write(bytes); !sent)
        failure_ = Status::error(name_ + ": " + sent.message());
}

void CwDaemonKeyer::escape(char request, const std::string& value) {
    write(std::string{kEsc, request} + value);
}

Status CwDaemonKeyer::begin(const KeyingStart& start) {
    failure_ = Status::ok();
    text_.clear();
    finished_ = awaiting_ = false;
    ptt_ = start.ptt;
    escape('2', std::to_string(start.wpm));
    escape('7', std::to_string(cwDaemonWeight(start.weight)));
    if (ptt_) {
        escape('d', std::to_string(std::clamp(start.pttLeadMs, 0, kMaxPttDelayMs)));
        escape('a', "1");
    }
    return failure_;
}

void CwDaemonKeyer::flush() {
    if (!text_.empty()) write(text_);
    text_.clear();
}

void CwDaemonKeyer::stepSpeed(int wpm) {
    // The daemon queues a datagram's characters at the speed it has then.
    flush();
    escape('2', std::to_string(wpm));
}

void CwDaemonKeyer::setSpeed(int wpm) {
    escape('2', std::to_string(wpm));
}

void CwDaemonKeyer::endText() {
    if (text_.empty()) {
        finished_ = true;
        return;
    }
    escape('h', std::to_string(++id_));
    flush();
    awaiting_ = true;
}

DeviceProgress CwDaemonKeyer::poll(int waitMs) {
    if (!failure_.isOk()) return DeviceProgress::Failed;
    if (finished_) return DeviceProgress::Finished;
    const Result<std::string> got = link_->read(waitMs);
    if (!got) {
        failure_ = Status::error(name_ + ": " + got.status().message() +
                                 " Check that cwdaemon runs and listens on that port.");
        return DeviceProgress::Failed;
    }
    // Replies end in CR LF; an older message's reply or "break" is no end.
    const std::string& reply = *got;
    const std::string expected = "h" + std::to_string(id_);
    if (awaiting_ && reply.substr(0, reply.find_first_of("\r\n")) == expected) finished_ = true;
    return finished_ ? DeviceProgress::Finished : DeviceProgress::Sending;
}

void CwDaemonKeyer::abort() {
    text_.clear();
    escape('4');
}

void CwDaemonKeyer::end() {
    if (ptt_) escape('a', "0");
}

}  // namespace keslog
