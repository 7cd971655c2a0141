#pragma once

#include <string>

namespace keslog {

// Colours of the standard sixteen-colour palette, by their index.
namespace palette {
inline constexpr int Black = 0;
inline constexpr int Blue = 1;
inline constexpr int Red = 12;
}  // namespace palette

// A text printed directly on a window at a position in the window's own
// units (twips), in a palette colour: the view state of windows drawn by
// printing rather than by controls.
struct PrintedText {
    int x = 0;
    int y = 0;
    std::string text;
    int colour = palette::Black;

    bool operator==(const PrintedText&) const = default;
};

}  // namespace keslog
