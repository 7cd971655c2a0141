#pragma once

#include <QString>
#include <cstdint>
#include <string>

namespace keslog {

// The program's texts are single-byte strings; Qt draws QStrings.
inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The program's &HBBGGRR colours as a style sheet colour.
inline QString cssColour(std::uint32_t bgr) {
    return QString("rgb(%1, %2, %3)")
        .arg(bgr & 0xFF)
        .arg((bgr >> 8) & 0xFF)
        .arg((bgr >> 16) & 0xFF);
}

}  // namespace keslog
