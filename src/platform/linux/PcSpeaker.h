#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Keying.h"
#include "platform/linux/DeviceCalls.h"

namespace keslog {

// The PC speaker as a sidetone, through the pcspkr input device (EV_SND,
// SND_TONE). Where the machine has none, prepare() says so.
class PcSpeakerTone : public ISidetone {
  public:
    // The input devices to try, best first.
    using Candidates = std::function<std::vector<std::string>()>;

    PcSpeakerTone(IDeviceCalls& calls, Candidates candidates, int frequency = 700)
        : calls_(calls), candidates_(std::move(candidates)), frequency_(frequency) {}
    ~PcSpeakerTone() override;
    PcSpeakerTone(const PcSpeakerTone&) = delete;
    PcSpeakerTone& operator=(const PcSpeakerTone&) = delete;

    Status prepare() override;
    void setTone(bool on) override;
    void stop() override { setTone(false); }

  private:
    IDeviceCalls& calls_;
    Candidates candidates_;
    int frequency_;
    int fd_ = -1;
};

// The pcspkr device's usual name, then every event device.
std::vector<std::string> pcSpeakerCandidates();

}  // namespace keslog
