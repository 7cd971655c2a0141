#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace keslog {

inline constexpr int kWavePcm = 1;
inline constexpr int kWaveFloat = 3;
inline constexpr int kWaveExtensible = 0xFFFE;  // the real tag follows in the header

struct WaveFormat {
    int formatTag = kWavePcm;
    int channels = 1;
    int sampleRate = 8000;
    int bitsPerSample = 16;

    bool operator==(const WaveFormat&) const = default;
};

// What the header of a wave file says about its sound.
struct WaveInfo {
    WaveFormat format;
    std::uint32_t byteRate = 0;  // bytes per second
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;

    // Whole milliseconds of sound; 0 for a file without any.
    int lengthMs() const;
};

// The header is read from the first bytes of the file (`head`); a data chunk
// longer than the file holds counts only what is there.
Result<WaveInfo> parseWaveHeader(std::string_view head, std::uint64_t fileSize);
// The header of a wave file on disk; the error names the file.
Result<WaveInfo> readWaveInfo(const std::string& path);

// The sound of a wave file as plain samples of 8, 16 or 32 bits (24-bit
// ones widened to 32), or why it cannot be played: compressed sound, or
// more than a voice message could ever need.
struct WaveSound {
    WaveFormat format;
    std::string samples;
};
Result<WaveSound> readWaveSound(const std::string& path);
// The same from a whole file's bytes; path names the file in messages.
Result<WaveSound> decodeWaveSound(std::string_view fileBytes, const std::string& path);

// A whole wave file: header and the given samples.
std::string waveFileBytes(const WaveFormat& format, std::string_view samples);

}  // namespace keslog
