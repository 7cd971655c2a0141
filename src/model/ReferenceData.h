#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace keslog {

// Sizes of the fixed lists of the reference data file.
inline constexpr int kCQPSSMultCount = 196;  // 58 states/provinces, 58 counties, 80 SS sections
inline constexpr int kCQPStatesFirst = 1;
inline constexpr int kCQPCountiesFirst = 59;
inline constexpr int kSSSectionsFirst = 117;
inline constexpr int kCQPRows = 58;
inline constexpr int kSSRows = 80;
inline constexpr int kSprintRows = 72;
inline constexpr int kPAQPRows = 67;
inline constexpr int kNAQPRows = 72;
inline constexpr int kCQPLabelPositions = 72;  // CQP uses the first 58, NAQP all 72
inline constexpr int kNAQPLabelOffset = 120;   // NAQP labels stand this far right of the stored X
inline constexpr int kCWCharacterCount = 42;

// The keyer alphabet: CWCharacters[k] is the Morse pattern of character k.
inline constexpr std::string_view kKeyerAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890,./? *";

// The fixed lists of KESLOG90.DAT, read once at start-up and never changed.
// Index 0 holds list entry 1.
struct ReferenceData {
    // Each entry: up to three accepted forms separated by "/", the first the
    // abbreviation that is logged and displayed.
    std::array<std::string, kCQPSSMultCount> CQPSSMults{};
    // The two-character form of each SS section, stored in a logged QSO.
    std::array<std::string, kSSRows> SSShortForms{};
    std::array<std::string, kSprintRows> SprintMults{};
    std::array<std::string, kPAQPRows> PAQPMults{};
    std::array<std::string, kNAQPRows> NAQPMults{};
    // One entry per California county, in county order; kept for reference.
    std::array<std::string, kCQPRows> CQPCountyNeighbors{};
    // Label positions of the multiplier display, in twips.
    std::array<std::int16_t, kCQPLabelPositions> CQPXCoord{};
    std::array<std::int16_t, kCQPLabelPositions> CQPYCoord{};
    std::array<std::int16_t, kSSRows> SSXCoord{};
    std::array<std::int16_t, kSSRows> SSYCoord{};
    // Element codes per character: "1" dot, "3" dash, "2" and "0" pauses.
    std::array<std::string, kCWCharacterCount> CWCharacters{};

    bool operator==(const ReferenceData&) const = default;
};

}  // namespace keslog
