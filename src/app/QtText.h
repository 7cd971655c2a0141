#pragma once

#include <QString>
#include <string>

namespace keslog {

// The program's texts are single-byte strings; Qt draws QStrings.
inline QString q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace keslog
