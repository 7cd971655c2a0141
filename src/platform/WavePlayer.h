#pragma once

#include <functional>
#include <string>

#include "platform/Status.h"

namespace keslog {

enum class WaveMode { NotReady, Stopped, Playing, Paused };

// Plays (and rewinds) one wave file at a time while the caller goes on;
// position events arrive on the user-interface thread.
class IWavePlayer {
  public:
    virtual ~IWavePlayer() = default;
    virtual Status open(const std::string& path) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void rewind() = 0;
    virtual void close() = 0;
    virtual WaveMode mode() const = 0;
    virtual int lengthMs() const = 0;
    virtual void setPositionHandler(std::function<void(int positionMs)> onPosition) = 0;
};

}  // namespace keslog
