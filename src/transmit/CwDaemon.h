#pragma once

#include <memory>
#include <string>

#include "transmit/KeyingDevice.h"

namespace keslog {

// cwdaemon over UDP: each text request is one datagram, each setting an
// escape request. "<ESC>h<id>" before a message's last datagram makes the
// daemon echo "h<id>" once it has keyed it: that is the message's end.
class CwDaemonKeyer : public IKeyingDevice {
  public:
    CwDaemonKeyer(std::unique_ptr<IByteLink> link, std::string name);

    const std::string& name() const override { return name_; }
    Status begin(const KeyingStart& start) override;
    void send(std::string_view text) override { text_ += text; }
    void flush() override;
    void stepSpeed(int wpm) override;
    void setSpeed(int wpm) override;
    void endText() override;
    DeviceProgress poll(int waitMs) override;
    const Status& failure() const override { return failure_; }
    void abort() override;
    void end() override;

  private:
    void write(const std::string& bytes);
    void escape(char request, const std::string& value = {});

    std::unique_ptr<IByteLink> link_;
    std::string name_;
    Status failure_;
    std::string text_;  // queued, not yet sent
    bool ptt_ = false;
    bool finished_ = false;
    bool awaiting_ = false;  // the last text went with a reply request
    unsigned id_ = 0;
};

// cwdaemon's weighting (-50..50, 0 normal) for a dash-to-dot ratio.
int cwDaemonWeight(float ratio);

}  // namespace keslog
