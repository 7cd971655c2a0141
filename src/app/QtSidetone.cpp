#include "app/QtSidetone.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <cstdint>
#include <span>

namespace keslog {

namespace {
constexpr const char* kTitle = "CW Sidetone";
constexpr int kBufferMs = 20;  // the sidetone's delay behind the key
}  // namespace

QtSidetone::QtSidetone() = default;
QtSidetone::~QtSidetone() {
    if (sink_) sink_->stop();
}

qint64 QtSidetone::ToneSource::readData(char* data, qint64 maxSize) {
    const auto samples = static_cast<std::size_t>(maxSize) / sizeof(std::int16_t);
    generator_.render(std::span<std::int16_t>(reinterpret_cast<std::int16_t*>(data), samples));
    return static_cast<qint64>(samples * sizeof(std::int16_t));
}

Status QtSidetone::prepare() {
    if (sink_ && sink_->error() == QAudio::NoError) return Status::ok();
    sink_.reset();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return Status::error(
            "No sound output was found for the CW sidetone; CW is sent without it. Connect "
            "the sound card (or start the sound server), or choose the PC speaker in the "
            "Preferences.",
            kTitle);
    QAudioFormat format;
    format.setSampleRate(generator_.shape().sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return Status::error("The sound output " + device.description().toStdString() +
                                 " cannot play the CW sidetone (48 kHz, 16-bit mono); CW is "
                                 "sent without it.",
                             kTitle);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    if (!source_.isOpen()) source_.open(QIODevice::ReadOnly);
    sink_->start(&source_);
    if (sink_->error() != QAudio::NoError) {
        sink_.reset();
        return Status::error("The sound output " + device.description().toStdString() +
                                 " would not start the CW sidetone; CW is sent without it.",
                             kTitle);
    }
    return Status::ok();
}

}  // namespace keslog
