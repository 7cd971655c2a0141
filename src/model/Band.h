#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace keslog {

// Band and mode in one code: 1..8 CW on band index 1..8, 9..16 phone on
// band index code - 8. Bands in index order: 10, 15, 20, 40, 80, 160, 6m, 2m.
using BandModeCode = std::int16_t;

inline constexpr int kBandCount = 8;
inline constexpr int kPhoneOffset = 8;

namespace band {
inline constexpr int B10 = 1;
inline constexpr int B15 = 2;
inline constexpr int B20 = 3;
inline constexpr int B40 = 4;
inline constexpr int B80 = 5;
inline constexpr int B160 = 6;
inline constexpr int B6 = 7;
inline constexpr int B2 = 8;
}  // namespace band

// Texts indexed by band index - 1. BandName is always three characters
// (file headers, band columns); BandNameM is used in the QSO-number label.
inline constexpr std::array<std::string_view, kBandCount> BandName{"10 ", "15 ", "20 ", "40 ",
                                                                   "80 ", "160", "6m ", "2m "};
inline constexpr std::array<std::string_view, kBandCount> BandNameM{"10m", "15m", "20m", "40m",
                                                                    "80m", "160", "6m ", "2m "};

constexpr bool isValidBandMode(int code) {
    return code >= 1 && code <= 2 * kBandCount;
}
constexpr int bandIndexOf(int code) {
    return ((code - 1) % kBandCount) + 1;
}
constexpr bool isCw(int code) {
    return code < 9;
}
constexpr BandModeCode bandModeCode(int bandIndex, bool phone) {
    return static_cast<BandModeCode>(bandIndex + (phone ? kPhoneOffset : 0));
}
// Scoring's band class: 1..6 for 10..160 m, 7 for 6 m, 0 for 2 m.
constexpr int bandClass(int code) {
    return code & 7;
}

// One flag per band index 1..8 (element 0 unused).
using BandActiveSet = std::array<bool, kBandCount + 1>;

// Step to the next (or previous) active band, keeping the mode. With no band
// active the code is kept, so the step always ends.
BandModeCode nextActiveBand(BandModeCode current, const BandActiveSet& active);
BandModeCode previousActiveBand(BandModeCode current, const BandActiveSet& active);

}  // namespace keslog
