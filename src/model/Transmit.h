#pragma once

#include <cstdint>
#include <string>

namespace keslog {

// Window colours as the program stores them: &HBBGGRR values.
namespace colour {
inline constexpr std::uint32_t Black = 0x000000;
inline constexpr std::uint32_t Blue = 0xFF0000;
inline constexpr std::uint32_t Red = 0x0000FF;
inline constexpr std::uint32_t DarkRed = 0x0000C0;
inline constexpr std::uint32_t Orange = 0x0080FF;
}  // namespace colour

// Radio 1 is blue and radio 2 red everywhere.
constexpr std::uint32_t radioColour(int radio) {
    return radio == 2 ? colour::Red : colour::Blue;
}
inline std::string txRadioLabel(int radio) {
    return radio == 2 ? "TX R2" : "TX R1";
}
inline std::string logRadioLabel(int radio) {
    return radio == 2 ? "Log R2" : "Log R1";
}

// One dot at 28 words per minute: the unit of the keyer's timing and of the
// PTT lead (Radio1Delay, Radio2Delay).
inline constexpr std::int64_t kBaseCountNs = 42'500'000;

// The keyer's timing and sending state, shared by the keyer, the speed
// controls, message repetition and the entry line. The counts are durations
// in nanoseconds on the monotonic clock.
struct CWState {
    std::int16_t CWSpeed = 28;  // words per minute, 18..50
    std::int64_t BaseCount = kBaseCountNs;
    std::int64_t DotCount = kBaseCountNs;
    std::int64_t DashCount = 3 * kBaseCountNs;
    float CWWeight = 3.0F;
    bool CWCalibrated = false;

    bool CWAbortFlag = false;    // Esc (or a failed line) ended the last message
    bool CWSendingFlag = false;  // a message is being keyed
    bool CallSentFlag = false;   // the last message contained the worked call
};

}  // namespace keslog
