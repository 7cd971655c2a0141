#pragma once

#include "platform/WavePlayer.h"

namespace keslog {

// Until wave playback is built, opening a message says so plainly.
class UnavailableWavePlayer : public IWavePlayer {
  public:
    Status open(const std::string& path) override {
        return Status::error(
            "Cannot play " + path + ": voice messages are not available in this version.",
            "Voice Keyer");
    }
    void play() override {}
    void pause() override {}
    void stop() override {}
    void rewind() override {}
    void close() override {}
    WaveMode mode() const override { return WaveMode::NotReady; }
    int lengthMs() const override { return 0; }
    void setPositionHandler(std::function<void(int)>) override {}
};

}  // namespace keslog
