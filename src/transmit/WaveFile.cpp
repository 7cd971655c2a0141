#include "transmit/WaveFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/Files.h"

namespace keslog {

namespace {

// Chunk headers before the sound data lie well within this.
constexpr std::size_t kHeadBytes = 64 * 1024;
// Ten minutes of CD-quality stereo; a voice message is seconds long.
constexpr std::uint64_t kMaxSoundBytes = 106'000'000;

std::uint32_t le32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

int le16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

}  // namespace

int WaveInfo::lengthMs() const {
    if (byteRate == 0) return 0;
    const std::uint64_t ms = dataBytes * 1000 / byteRate;
    return static_cast<int>(std::min<std::uint64_t>(ms, 0x7FFFFFFF));
}

Result<WaveInfo> parseWaveHeader(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE")
        return Status::error("It is not a wave file.");
    WaveInfo info;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= head.size()) {
        const std::string_view id = head.substr(at, 4);
        const std::uint64_t size = le32(head, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > head.size())
                return Status::error("Its sound format is damaged.");
            info.format.formatTag = le16(head, body);
            if (info.format.formatTag == kWaveExtensible && size >= 40 && body + 40 <= head.size())
                info.format.formatTag = le16(head, body + 24);
            info.format.channels = le16(head, body + 2);
            info.format.sampleRate = static_cast<int>(le32(head, body + 4) & 0x7FFFFFFF);
            info.byteRate = le32(head, body + 8);
            info.format.bitsPerSample = le16(head, body + 14);
            if (info.byteRate == 0 || info.format.channels == 0)
                return Status::error("Its sound format is damaged.");
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return Status::error("Its sound format is missing.");
            const std::uint64_t there = fileSize > body ? fileSize - body : 0;
            info.dataOffset = body;
            info.dataBytes = std::min(size, there);
            return info;
        }
        at = body +
             static_cast<std::size_t>(std::min<std::uint64_t>(size + (size & 1), head.size()));
    }
    return Status::error(haveFormat ? "It holds no sound data." : "Its sound format is missing.");
}

Result<WaveInfo> readWaveInfo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::systemError(errno, "Cannot open " + path + ": " + std::strerror(errno));
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(path, ec);
    if (ec) return Status::error("Cannot open " + path + ": " + ec.message());
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, kHeadBytes)), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    Result<WaveInfo> info = parseWaveHeader(head, size);
    if (!info) return Status::error("Cannot play " + path + ": " + info.status().message());
    return info;
}

namespace {

bool plainSamples(const WaveFormat& f) {
    if (f.formatTag == kWaveFloat) return f.bitsPerSample == 32;
    return f.formatTag == kWavePcm && (f.bitsPerSample == 8 || f.bitsPerSample == 16 ||
                                       f.bitsPerSample == 24 || f.bitsPerSample == 32);
}

// Little-endian 24-bit samples as 32-bit ones, the low byte zero.
std::string widened(std::string_view samples) {
    std::string out;
    out.reserve(samples.size() / 3 * 4);
    for (std::size_t i = 0; i + 3 <= samples.size(); i += 3) {
        out += '\0';
        out += samples.substr(i, 3);
    }
    return out;
}

}  // namespace

namespace {

Status checkPlayable(const WaveInfo& info, const std::string& path) {
    if (!plainSamples(info.format) || info.format.channels > 8)
        return Status::error("Cannot play " + path +
                             ": its sound is stored in a compressed form. Save it as a plain "
                             "(PCM) wave file.");
    if (info.dataBytes > kMaxSoundBytes)
        return Status::error("Cannot play " + path + ": it is too long for a voice message.");
    return Status::ok();
}

}  // namespace

Result<WaveSound> decodeWaveSound(std::string_view fileBytes, const std::string& path) {
    const Result<WaveInfo> info = parseWaveHeader(fileBytes, fileBytes.size());
    if (!info) return Status::error("Cannot play " + path + ": " + info.status().message());
    if (Status s = checkPlayable(*info, path); !s) return s;
    WaveSound sound{info->format,
                    std::string(fileBytes.substr(static_cast<std::size_t>(info->dataOffset),
                                                 static_cast<std::size_t>(info->dataBytes)))};
    if (sound.format.bitsPerSample == 24) {
        sound.samples = widened(sound.samples);
        sound.format.bitsPerSample = 32;
    }
    // Only whole frames go to the sound card.
    const std::size_t frame =
        static_cast<std::size_t>(sound.format.channels) * (sound.format.bitsPerSample / 8);
    sound.samples.resize(sound.samples.size() / frame * frame);
    return sound;
}

Result<WaveSound> readWaveSound(const std::string& path) {
    // The header alone decides whether the whole file is worth reading.
    const Result<WaveInfo> info = readWaveInfo(path);
    if (!info) return info.status();
    if (Status s = checkPlayable(*info, path); !s) return s;
    const Result<std::string> bytes = readWholeFile(path);
    if (!bytes) return Status::error("Cannot play " + path + ": it could not be read to its end.");
    return decodeWaveSound(*bytes, path);
}

std::string waveFileBytes(const WaveFormat& format, std::string_view samples) {
    const int blockAlign = format.channels * (format.bitsPerSample / 8);
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = dataSize & 1;
    std::string out;
    out.reserve(44 + samples.size() + pad);
    out += "RIFF";
    put32(out, 36 + dataSize + pad);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, format.formatTag);
    put16(out, format.channels);
    put32(out, static_cast<std::uint32_t>(format.sampleRate));
    put32(out, static_cast<std::uint32_t>(format.sampleRate * blockAlign));
    put16(out, blockAlign);
    put16(out, format.bitsPerSample);
    out += "data";
    put32(out, dataSize);
    out += samples;
    if (pad) out += '\0';
    return out;
}

}  // namespace keslog
