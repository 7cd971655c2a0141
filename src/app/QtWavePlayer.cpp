#include "app/QtWavePlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include "transmit/WaveFile.h"

namespace keslog {

namespace {

constexpr int kPositionIntervalMs = 50;
// What the sound output may still hold when the sink has taken the last
// sample: the message has not ended before that is heard too.
constexpr qint64 kMaxOutputLagMs = 500;
constexpr qint64 kOutputBufferMs = 100;

QAudioFormat audioFormatOf(const WaveFormat& w) {
    QAudioFormat f;
    f.setSampleRate(w.sampleRate);
    f.setChannelCount(w.channels);
    if (w.formatTag == kWaveFloat)
        f.setSampleFormat(QAudioFormat::Float);
    else if (w.bitsPerSample == 8)
        f.setSampleFormat(QAudioFormat::UInt8);
    else if (w.bitsPerSample == 16)
        f.setSampleFormat(QAudioFormat::Int16);
    else
        f.setSampleFormat(QAudioFormat::Int32);
    return f;
}

}  // namespace

QtWavePlayer::QtWavePlayer() {
    ticks_.setInterval(kPositionIntervalMs);
    QObject::connect(&ticks_, &QTimer::timeout, [this] { onTick(); });
}

QtWavePlayer::~QtWavePlayer() {
    close();
}

Status QtWavePlayer::open(const std::string& path) {
    close();
    Result<WaveSound> sound = readWaveSound(path);
    if (!sound) return sound.status();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return Status::error(
            "No sound output was found for the voice keyer. Connect the sound card (or start "
            "the sound server) and try again.");
    const QAudioFormat format = audioFormatOf(sound->format);
    if (!device.isFormatSupported(format))
        return Status::error("The sound output " + device.description().toStdString() +
                             " cannot play " + path + " (" +
                             std::to_string(sound->format.sampleRate) + " Hz, " +
                             std::to_string(sound->format.bitsPerSample) + " bits, " +
                             std::to_string(sound->format.channels) + " channels).");
    sound_.setData(
        QByteArray(sound->samples.data(), static_cast<qsizetype>(sound->samples.size())));
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A short output buffer: the PTT line goes off soon after the last word.
    sink_->setBufferSize(format.bytesForDuration(kOutputBufferMs * 1000));
    length_ = static_cast<int>(format.durationForBytes(sound_.size()) / 1000);
    error_ = Status::ok();
    return Status::ok();
}

void QtWavePlayer::play() {
    if (!sink_) return;
    if (sink_->state() == QAudio::SuspendedState) {
        sink_->resume();
    } else {
        sound_.close();
        sound_.open(QIODevice::ReadOnly);
        earlierMs_ = 0;
        sink_->start(&sound_);
        if (sink_->error() != QAudio::NoError)
            error_ = Status::error("The sound output would not start.");
    }
    started_ = true;
    stopped_ = false;
    clock_.start();
    ticks_.start();
}

void QtWavePlayer::pause() {
    if (!sink_ || mode() != WaveMode::Playing) return;
    earlierMs_ = playedMs();
    clock_.invalidate();
    sink_->suspend();
}

void QtWavePlayer::stop() {
    if (!sink_) return;
    sink_->stop();
    stopped_ = true;
}

void QtWavePlayer::rewind() {
    if (!sink_) return;
    sink_->stop();
    sound_.close();
    started_ = false;
}

void QtWavePlayer::close() {
    ticks_.stop();
    if (sink_) sink_->stop();
    sink_.reset();
    sound_.close();
    sound_.setData(QByteArray());
    started_ = false;
    stopped_ = false;
    length_ = 0;
}

qint64 QtWavePlayer::playedMs() const {
    return earlierMs_ + (clock_.isValid() ? clock_.elapsed() : 0);
}

WaveMode QtWavePlayer::mode() const {
    if (!sink_) return WaveMode::NotReady;
    if (!started_ || stopped_) return WaveMode::Stopped;
    switch (sink_->state()) {
        case QAudio::ActiveState:
            return WaveMode::Playing;
        case QAudio::SuspendedState:
            return WaveMode::Paused;
        case QAudio::IdleState: {
            // A sound server that falls behind leaves the sink idle with
            // samples still to take.
            if (!sound_.atEnd()) return WaveMode::Playing;
            // Every sample is taken; the output still sounds the last of them.
            const qint64 lag = std::min(
                kMaxOutputLagMs, sink_->format().durationForBytes(sink_->bufferSize()) / 1000);
            return playedMs() < length_ + lag ? WaveMode::Playing : WaveMode::Stopped;
        }
        case QAudio::StoppedState:
            break;
    }
    return WaveMode::Stopped;
}

// The handler sees the tick after playback stops too: that is how it learns
// of the end. It may close this file and start the next one.
void QtWavePlayer::onTick() {
    if (!sink_) {
        ticks_.stop();
        return;
    }
    if (started_ && !stopped_ && sink_->state() == QAudio::StoppedState &&
        sink_->error() != QAudio::NoError)
        error_ = Status::error("The sound output stopped playing (the sound card went away?).");
    if (onPosition_) onPosition_(static_cast<int>(playedMs()));
    const WaveMode now = mode();
    if (now != WaveMode::Playing && now != WaveMode::Paused) ticks_.stop();
}

}  // namespace keslog
