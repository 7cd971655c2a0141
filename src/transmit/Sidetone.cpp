#include "transmit/Sidetone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace keslog {

SidetoneGenerator::SidetoneGenerator(Shape shape)
    : shape_(shape),
      phaseStep_(2.0 * std::numbers::pi * shape.frequency / shape.sampleRate),
      envelopeStep_(1.0 / std::max(1.0, shape.rampMs * shape.sampleRate / 1000.0)) {}

void SidetoneGenerator::render(std::span<std::int16_t> out) {
    const double target = keyed() ? 1.0 : 0.0;
    for (std::int16_t& sample : out) {
        envelope_ = target > envelope_ ? std::min(target, envelope_ + envelopeStep_)
                                       : std::max(target, envelope_ - envelopeStep_);
        const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * envelope_);
        sample = static_cast<std::int16_t>(
            std::lround(32767.0 * shape_.level * gain * std::sin(phase_)));
        phase_ += phaseStep_;
        if (phase_ >= 2.0 * std::numbers::pi) phase_ -= 2.0 * std::numbers::pi;
    }
}

}  // namespace keslog
