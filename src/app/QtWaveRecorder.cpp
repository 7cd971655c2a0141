#include "app/QtWaveRecorder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>

#include "platform/Files.h"

namespace keslog {

namespace {

// Ten minutes of sound at most; a forgotten recording must not fill memory.
constexpr int kMaxSeconds = 600;

// The wave format of Qt's sample format, or a format tag of 0 when a wave
// file cannot hold it.
WaveFormat waveFormatOf(const QAudioFormat& f) {
    WaveFormat w;
    w.channels = f.channelCount();
    w.sampleRate = f.sampleRate();
    switch (f.sampleFormat()) {
        case QAudioFormat::UInt8:
            w.bitsPerSample = 8;
            break;
        case QAudioFormat::Int16:
            w.bitsPerSample = 16;
            break;
        case QAudioFormat::Int32:
            w.bitsPerSample = 32;
            break;
        case QAudioFormat::Float:
            w.formatTag = kWaveFloat;
            w.bitsPerSample = 32;
            break;
        default:
            w.formatTag = 0;
    }
    return w;
}

}  // namespace

QtWaveRecorder::QtWaveRecorder() = default;
QtWaveRecorder::~QtWaveRecorder() {
    if (source_) source_->stop();
}

Status QtWaveRecorder::start(const std::string& path) {
    if (source_) return Status::error("A recording is already running.");
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull())
        return Status::error(
            "No sound input was found to record from. Connect a microphone (or start the sound "
            "server) and try again.");
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    format_ = waveFormatOf(format);
    if (format_.formatTag == 0 || format_.channels <= 0 || format_.sampleRate <= 0)
        return Status::error("The sound input " + device.description().toStdString() +
                             " gives sound in a form a wave file cannot hold.");

    source_ = std::make_unique<QAudioSource>(device, format);
    samples_.clear();
    input_ = source_->start();
    if (!input_ || source_->error() != QAudio::NoError) {
        source_.reset();
        input_ = nullptr;
        return Status::error("The sound input " + device.description().toStdString() +
                             " would not start recording.");
    }
    QObject::connect(input_, &QIODevice::readyRead, input_, [this] { take(); });
    path_ = path;
    return Status::ok();
}

void QtWaveRecorder::take() {
    if (!input_) return;
    const QByteArray more = input_->readAll();
    const qsizetype limit = static_cast<qsizetype>(kMaxSeconds) * format_.sampleRate *
                            format_.channels * (format_.bitsPerSample / 8);
    samples_.append(more.left(std::max<qsizetype>(0, limit - samples_.size())));
}

Status QtWaveRecorder::stop() {
    if (!source_) return Status::ok();
    take();
    source_->stop();
    source_.reset();
    input_ = nullptr;
    const std::string bytes =
        waveFileBytes(format_, std::string_view(samples_.constData(), samples_.size()));
    samples_.clear();
    return writeFileAtomically(path_, bytes);
}

}  // namespace keslog
