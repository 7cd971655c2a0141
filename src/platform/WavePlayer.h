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
    // Fails, with the reason, when the file cannot be played at all.
    virtual Status open(const std::string& path) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void rewind() = 0;
    virtual void close() = 0;
    virtual WaveMode mode() const = 0;
    virtual int lengthMs() const = 0;
    // While a file plays, and once more after it stops on its own.
    virtual void setPositionHandler(std::function<void(int positionMs)> onPosition) = 0;
    // Why the file last opened stopped before its end, or ok.
    virtual Status playbackError() const = 0;
};

// Records from the default sound input into a wave file.
class IWaveRecorder {
  public:
    virtual ~IWaveRecorder() = default;
    // Fails, with the reason, when there is no input to record from.
    virtual Status start(const std::string& path) = 0;
    // Ends the recording and writes the whole file.
    virtual Status stop() = 0;
    virtual bool recording() const = 0;
};

}  // namespace keslog
