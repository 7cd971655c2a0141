#pragma once

#include <QColor>
#include <QFont>

#include "model/Settings.h"

class QWidget;

namespace keslog {

// Places and sizes are kept in twips: 15 to the pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

inline int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

// The small font the statistics and multiplier windows print in: 10
// pixels high, so that their lines stand 12 pixels (180 twips) apart.
QFont printFont(QFont::StyleHint hint);

// A colour of the standard sixteen-colour palette, by its index.
QColor paletteColour(int index);

// A window's place as the settings keep it.
WindowCoordinates twipPlace(const QWidget& window);
// Puts a window back where the settings say it was left (and at its size
// when withSize); a place on a screen no longer there keeps only the size.
void restoreTwipPlace(QWidget& window, const WindowCoordinates& place, bool withSize);

}  // namespace keslog
