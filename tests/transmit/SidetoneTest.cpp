#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "transmit/Sidetone.h"

namespace keslog {
namespace {

// 20 ms of silence, a 60 ms mark, 40 ms of silence, rendered in uneven
// buffers as an audio output would ask for them.
std::vector<std::int16_t> renderMark(SidetoneGenerator& tone) {
    const int rate = tone.shape().sampleRate;
    const int ms = rate / 1000;
    std::vector<std::int16_t> out(static_cast<std::size_t>(120 * ms));
    std::span<std::int16_t> all(out);
    const auto renderRange = [&](int fromMs, int toMs) {
        for (int at = fromMs * ms; at < toMs * ms;) {
            const int n = std::min(37, toMs * ms - at);
            tone.render(all.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(n)));
            at += n;
        }
    };
    renderRange(0, 20);
    tone.setKeyed(true);
    renderRange(20, 80);
    tone.setKeyed(false);
    renderRange(80, 120);
    return out;
}

int peak(const std::vector<std::int16_t>& s, int fromMs, int toMs, int ms) {
    int p = 0;
    for (int i = fromMs * ms; i < toMs * ms; ++i)
        p = std::max(p, std::abs(static_cast<int>(s[static_cast<std::size_t>(i)])));
    return p;
}

TEST(Sidetone, LevelInsideTheMarkSilenceOutsideAndNoStepAtTheEdges) {
    SidetoneGenerator tone;
    const auto s = renderMark(tone);
    const int ms = tone.shape().sampleRate / 1000;
    const int full = static_cast<int>(std::lround(32767 * tone.shape().level));
    EXPECT_EQ(peak(s, 0, 20, ms), 0);
    EXPECT_GE(peak(s, 30, 80, ms), full - 2);  // after the rise, full level
    EXPECT_LE(peak(s, 30, 80, ms), full);
    EXPECT_EQ(peak(s, 86, 120, ms), 0);  // after the fall, silence again
    EXPECT_GT(peak(s, 80, 85, ms), 0);   // the fall takes its few milliseconds
    // No sample moves further than the full-level sine itself does between
    // two samples: the rise and fall add no click.
    const SidetoneGenerator::Shape& shape = tone.shape();
    const double sineStep =
        32767 * shape.level * 2 * std::numbers::pi * shape.frequency / shape.sampleRate;
    int largest = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        largest = std::max(largest, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(largest, sineStep + 2);
    // The first sample of the mark starts from silence, not from the level.
    EXPECT_LE(std::abs(s[static_cast<std::size_t>(20 * ms)]), 1);
}

}  // namespace
}  // namespace keslog
