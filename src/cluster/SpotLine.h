#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keslog {

// One spot as a cluster announces it:
// "DX de SPOTTER: FREQ DXCALL COMMENT HHMMZ [LOCATOR]".
struct Spot {
    std::string frequency;  // kHz, the text as sent ("14025.0")
    double kHz = 0;
    std::string dxCall;   // upper case
    std::string spotter;  // as sent, skimmers with "-#" ("VE7CC-#")
    std::string comment;  // trimmed, inner blanks as sent
    int time = 0;         // HHMM, UTC
    std::string locator;  // the locator or state after the time; may be empty

    bool operator==(const Spot&) const = default;
};

// The spot of one cleaned line, in the column layout, with the spotter and
// frequency glued together, with or without a locator; nullopt for any line
// that is no spot (greetings, prompts, talk, announcements, damaged spots).
std::optional<Spot> parseSpotLine(std::string_view line);

}  // namespace keslog
