#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace keslog::fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property every input must keep; a broken one is a finding like a crash.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "Broken: %s\n", what);
    std::abort();
}

// The shipped start-up files, read from the source tree.
inline constexpr const char* kShippedDataDir = KESLOG_SOURCE_DIR "/data/";

}  // namespace keslog::fuzz
