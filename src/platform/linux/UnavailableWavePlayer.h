#pragma once

#include "platform/WavePlayer.h"

namespace keslog {

// Where nothing can sound (a scripted session, say): opening a message says so
// plainly, and nothing ever plays.
class UnavailableWavePlayer : public IWavePlayer {
  public:
    Status open(const std::string& path) override {
        return Status::error("Cannot play " + path + ": this session has no sound output.");
    }
    void play() override {}
    void pause() override {}
    void stop() override {}
    void rewind() override {}
    void close() override {}
    WaveMode mode() const override { return WaveMode::NotReady; }
    int lengthMs() const override { return 0; }
    void setPositionHandler(std::function<void(int)>) override {}
    Status playbackError() const override { return Status::ok(); }
};

}  // namespace keslog
