#include <gtest/gtest.h>

#include <algorithm>

#include "support/FakePlatform.h"
#include "transmit/WaveFile.h"

namespace keslog {
namespace {

std::string le32(std::uint32_t v) {
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::string chunk(const std::string& id, const std::string& body) {
    return id + le32(static_cast<std::uint32_t>(body.size())) + body +
           (body.size() % 2 ? std::string(1, '\0') : "");
}

// fmt body: PCM, mono, 8000 Hz, 16 bits.
std::string fmtBody(std::uint32_t byteRate = 16000, int channels = 1) {
    return std::string("\x01\x00", 2) + static_cast<char>(channels) + '\0' + le32(8000) +
           le32(byteRate) + std::string("\x02\x00\x10\x00", 4);
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WaveFile, WrittenHeaderIsTheCanonicalFortyFourBytes) {
    const std::string bytes =
        waveFileBytes({kWavePcm, 1, 8000, 16}, std::string("\x01\x02\x03", 3));
    const std::string expected = std::string("RIFF") + le32(36 + 3 + 1) + "WAVEfmt " + le32(16) +
                                 std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) +
                                 std::string("\x02\x00\x10\x00", 4) + "data" + le32(3) +
                                 std::string("\x01\x02\x03\x00", 4);
    EXPECT_EQ(bytes, expected);
}

TEST(WaveFile, LengthOfWrittenFilesInMilliseconds) {
    struct Case {
        WaveFormat format;
        std::size_t bytes;
        int ms;
    };
    const Case cases[] = {
        {{kWavePcm, 1, 8000, 16}, 4800, 300},  // 300 ms at 16 000 bytes a second
        {{kWavePcm, 2, 44100, 16}, 176400, 1000}, {{kWavePcm, 1, 22050, 8}, 51597, 2340},  // 2.34 s
        {{kWaveFloat, 1, 48000, 32}, 0, 0},  // no sound at all
        {{kWavePcm, 1, 8000, 16}, 1, 0},     // less than a millisecond
    };
    for (const Case& c : cases) {
        const std::string file = waveFileBytes(c.format, std::string(c.bytes, '\x40'));
        const Result<WaveInfo> info = parseWaveHeader(file, file.size());
        ASSERT_TRUE(info) << info.status().message();
        EXPECT_EQ(info->format, c.format);
        EXPECT_EQ(info->dataBytes, c.bytes);
        EXPECT_EQ(info->lengthMs(), c.ms) << c.bytes;
    }
}

TEST(WaveFile, ChunksBeforeTheSoundAreSkippedAndACutShortFileCountsWhatItHolds) {
    const std::string file = riff(chunk("LIST", "odd") + chunk("fmt ", fmtBody()) +
                                  chunk("data", std::string(1600, 'x')));
    const Result<WaveInfo> info = parseWaveHeader(file, file.size());
    ASSERT_TRUE(info) << info.status().message();
    EXPECT_EQ(info->lengthMs(), 100);  // the odd chunk's padding skipped too

    std::string cut = riff(chunk("fmt ", fmtBody()) + chunk("data", std::string(16000, 'x')));
    cut.resize(cut.size() - 8000);
    const Result<WaveInfo> half = parseWaveHeader(cut, cut.size());
    ASSERT_TRUE(half);
    EXPECT_EQ(half->dataBytes, 8000U);
    EXPECT_EQ(half->lengthMs(), 500);
}

TEST(WaveFile, DamagedHeadersAreRefusedWithTheirReason) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const std::string data = chunk("data", std::string(16, 'x'));
    const Case cases[] = {
        {"empty", "", "It is not a wave file."},
        {"text", "Hello, this is no sound at all", "It is not a wave file."},
        {"RIFF of another kind", "RIFF" + le32(4) + "AVI ", "It is not a wave file."},
        {"no chunks", riff(""), "Its sound format is missing."},
        {"data before format", riff(data + chunk("fmt ", fmtBody())),
         "Its sound format is missing."},
        {"short format", riff(chunk("fmt ", fmtBody().substr(0, 10)) + data),
         "Its sound format is damaged."},
        {"no byte rate", riff(chunk("fmt ", fmtBody(0)) + data), "Its sound format is damaged."},
        {"no channels", riff(chunk("fmt ", fmtBody(16000, 0)) + data),
         "Its sound format is damaged."},
        {"format only", riff(chunk("fmt ", fmtBody())), "It holds no sound data."},
        {"header cut in a chunk header", riff(chunk("fmt ", fmtBody())).substr(0, 17),
         "Its sound format is missing."},
    };
    for (const Case& c : cases) {
        const Result<WaveInfo> info = parseWaveHeader(c.bytes, c.bytes.size());
        ASSERT_FALSE(info) << c.name;
        EXPECT_EQ(info.status().message(), c.message) << c.name;
    }
}

TEST(WaveFile, FilesOnDiskAreNamedInTheirErrors) {
    test::TempDir dir;
    const Result<WaveInfo> gone = readWaveInfo(dir.file("gone.wav"));
    ASSERT_FALSE(gone);
    EXPECT_NE(gone.status().message().find("gone.wav"), std::string::npos);

    dir.write("text.wav", "not a wave");
    const Result<WaveInfo> text = readWaveInfo(dir.file("text.wav"));
    ASSERT_FALSE(text);
    EXPECT_EQ(text.status().message(),
              "Cannot play " + dir.file("text.wav") + ": It is not a wave file.");

    dir.write("cq.wav", waveFileBytes({kWavePcm, 1, 8000, 16}, std::string(4800, '\0')));
    const Result<WaveInfo> cq = readWaveInfo(dir.file("cq.wav"));
    ASSERT_TRUE(cq);
    EXPECT_EQ(cq->lengthMs(), 300);

    dir.write("s.wav", waveFileBytes({kWavePcm, 2, 8000, 24}, "abcdefghijkl"));
    const Result<WaveSound> sound = readWaveSound(dir.file("s.wav"));
    ASSERT_TRUE(sound) << sound.status().message();
    EXPECT_EQ(sound->samples, std::string("\0abc\0def\0ghi\0jkl", 16));
    EXPECT_EQ(sound->format, (WaveFormat{kWavePcm, 2, 8000, 32}));
    const Result<WaveSound> missing = readWaveSound(dir.file("gone.wav"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.status().message().find("gone.wav"), std::string::npos);
}

// fmt body of any format: tag, channels, 8000 Hz, bits.
std::string formatBody(int tag, int channels, int bits) {
    const int align = std::max(1, channels * bits / 8);
    return std::string{static_cast<char>(tag), '\0', static_cast<char>(channels), '\0'} +
           le32(8000) + le32(static_cast<std::uint32_t>(8000 * align)) +
           std::string{static_cast<char>(align), '\0', static_cast<char>(bits), '\0'};
}

TEST(WaveFile, SoundIsDecodedIntoWholeFramesOfPlainSamples) {
    struct Case {
        const char* what;
        int tag, channels, bits;
        std::string data;
        int bitsOut;
        std::string samples;
    };
    const Case cases[] = {
        {"16-bit mono", kWavePcm, 1, 16, "abcd", 16, "abcd"},
        {"a cut-off sample is dropped", kWavePcm, 1, 16, "abcde", 16, "abcd"},
        {"8-bit stereo, half a frame dropped", kWavePcm, 2, 8, "abc", 8, "ab"},
        {"24-bit widened, low byte zero", kWavePcm, 1, 24, "abcdef", 32,
         std::string("\0abc\0def", 8)},
        {"24-bit stereo, half a frame dropped", kWavePcm, 2, 24, "abcdefghi", 32,
         std::string("\0abc\0def", 8)},
        {"32-bit float", kWaveFloat, 1, 32, "abcdefg", 32, "abcd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result<WaveSound> sound = decodeWaveSound(
            riff(chunk("fmt ", formatBody(c.tag, c.channels, c.bits)) + chunk("data", c.data)),
            "m.wav");
        ASSERT_TRUE(sound) << sound.status().message();
        EXPECT_EQ(sound->format.bitsPerSample, c.bitsOut);
        EXPECT_EQ(sound->format.channels, c.channels);
        EXPECT_EQ(sound->samples, c.samples);
    }
}

TEST(WaveFile, UnplayableSoundIsRefusedWithItsReason) {
    struct Case {
        std::string bytes;
        const char* message;
    };
    const std::string compressed =
        " its sound is stored in a compressed form. Save it as a plain (PCM) wave file.";
    const Case cases[] = {
        {"RIFF", "Cannot play m.wav: It is not a wave file."},
        {riff(chunk("data", "ab")), "Cannot play m.wav: Its sound format is missing."},
        {riff(chunk("fmt ", formatBody(2, 1, 4)) + chunk("data", "ab")), "Cannot play m.wav:"},
        {riff(chunk("fmt ", formatBody(kWavePcm, 1, 12)) + chunk("data", "ab")),
         "Cannot play m.wav:"},
        {riff(chunk("fmt ", formatBody(kWavePcm, 9, 8)) + chunk("data", "ab")),
         "Cannot play m.wav:"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Result<WaveSound> sound = decodeWaveSound(cases[i].bytes, "m.wav");
        ASSERT_FALSE(sound);
        const std::string expected =
            i < 2 ? cases[i].message : std::string(cases[i].message) + compressed;
        EXPECT_EQ(sound.status().message(), expected);
    }
}

}  // namespace
}  // namespace keslog
