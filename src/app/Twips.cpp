#include "app/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <array>

namespace keslog {

QFont printFont(QFont::StyleHint hint) {
    QFont font(hint == QFont::TypeWriter ? "DejaVu Sans Mono" : "DejaVu Sans");
    font.setStyleHint(hint);
    font.setPixelSize(10);
    return font;
}

QColor paletteColour(int index) {
    static const std::array<QColor, 16> colours{
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return colours[static_cast<std::size_t>(index & 15)];
}

WindowCoordinates twipPlace(const QWidget& window) {
    const QRect place = window.geometry();
    return {place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel, place.width() * kTwipsPerPixel,
            place.height() * kTwipsPerPixel};
}

void restoreTwipPlace(QWidget& window, const WindowCoordinates& c, bool withSize) {
    if (c.width <= 0 || c.height <= 0) return;
    const QRect place(pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height));
    if (!QGuiApplication::screenAt(place.center())) {
        if (withSize) window.resize(place.size());
        return;
    }
    if (withSize)
        window.setGeometry(place);
    else
        window.move(place.topLeft());
}

}  // namespace keslog
