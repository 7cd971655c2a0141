#pragma once

namespace keslog {
inline constexpr const char* kProgramName = "KESLOG";
inline constexpr const char* kProgramVersion = "9.0a";
}  // namespace keslog
