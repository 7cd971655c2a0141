#pragma once

#include <QByteArray>
#include <memory>
#include <string>

#include "platform/WavePlayer.h"
#include "transmit/WaveFile.h"

class QAudioSource;
class QIODevice;

namespace keslog {

// Records the default sound input into memory and writes the wave file
// whole when the recording stops.
class QtWaveRecorder : public IWaveRecorder {
  public:
    QtWaveRecorder();
    ~QtWaveRecorder() override;

    Status start(const std::string& path) override;
    Status stop() override;
    bool recording() const override { return source_ != nullptr; }

  private:
    void take();

    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    QByteArray samples_;
    WaveFormat format_;
    std::string path_;
};

}  // namespace keslog
