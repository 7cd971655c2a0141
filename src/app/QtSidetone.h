#pragma once

#include <QIODevice>
#include <memory>

#include "platform/Keying.h"
#include "transmit/Sidetone.h"

class QAudioSink;

namespace keslog {

// The sound-card sidetone: a generated sine pulled by the audio output.
// The output opens at the first message and stays open; between marks it
// plays silence.
class QtSidetone : public ISidetone {
  public:
    QtSidetone();
    ~QtSidetone() override;

    Status prepare() override;
    void setTone(bool on) override { generator_.setKeyed(on); }
    void stop() override { generator_.setKeyed(false); }

  private:
    class ToneSource : public QIODevice {
      public:
        explicit ToneSource(SidetoneGenerator& generator) : generator_(generator) {}
        bool isSequential() const override { return true; }
        qint64 bytesAvailable() const override { return 1 << 16; }

      protected:
        qint64 readData(char* data, qint64 maxSize) override;
        qint64 writeData(const char*, qint64) override { return -1; }

      private:
        SidetoneGenerator& generator_;
    };

    SidetoneGenerator generator_;
    ToneSource source_{generator_};
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace keslog
