#pragma once

#include <atomic>
#include <cstdint>
#include <span>

namespace keslog {

// A sine tone that follows the key, with a raised-cosine rise and fall of a
// few milliseconds so that it does not click. The key may be set from any
// thread; render() is called by the audio output.
class SidetoneGenerator {
  public:
    struct Shape {
        int sampleRate = 48000;
        double frequency = 700.0;
        double level = 0.4;  // of full scale
        double rampMs = 5.0;
    };

    SidetoneGenerator() : SidetoneGenerator(Shape{}) {}
    explicit SidetoneGenerator(Shape shape);

    void setKeyed(bool keyed) { keyed_.store(keyed, std::memory_order_relaxed); }
    bool keyed() const { return keyed_.load(std::memory_order_relaxed); }
    // The next samples, 16-bit mono.
    void render(std::span<std::int16_t> out);
    const Shape& shape() const { return shape_; }

  private:
    Shape shape_;
    double phaseStep_;
    double envelopeStep_;
    double phase_ = 0.0;
    double envelope_ = 0.0;  // 0 silent .. 1 full level
    std::atomic<bool> keyed_{false};
};

}  // namespace keslog
