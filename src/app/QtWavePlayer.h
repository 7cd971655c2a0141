#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/WavePlayer.h"

class QAudioSink;

namespace keslog {

// Wave files through the sound output of Qt Multimedia. The whole file is
// read and checked at open, so a missing, unreadable, damaged or
// compressed file fails there, while the transmitter is still unkeyed.
// The samples go to an audio sink directly: no media framework in between
// that could hang the program when one of its parts is not installed.
class QtWavePlayer : public IWavePlayer {
  public:
    QtWavePlayer();
    ~QtWavePlayer() override;

    Status open(const std::string& path) override;
    void play() override;
    void pause() override;
    void stop() override;
    void rewind() override;
    void close() override;
    WaveMode mode() const override;
    int lengthMs() const override { return length_; }
    void setPositionHandler(std::function<void(int)> onPosition) override {
        onPosition_ = std::move(onPosition);
    }
    Status playbackError() const override { return error_; }

  private:
    qint64 playedMs() const;
    void onTick();

    std::unique_ptr<QAudioSink> sink_;
    QBuffer sound_;
    QTimer ticks_;
    QElapsedTimer clock_;   // runs while the sound plays
    qint64 earlierMs_ = 0;  // played before a pause
    std::function<void(int)> onPosition_;
    bool started_ = false;
    bool stopped_ = false;
    int length_ = 0;
    Status error_;
};

}  // namespace keslog
