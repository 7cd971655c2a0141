#pragma once

#include "model/ReferenceData.h"

namespace keslog {

// Characters outside the alphabet go as the blank.
inline constexpr int kBlankPosition = 41;

// Position of a character in the keyer alphabet (exact, case-sensitive),
// from 1; 0 when it is not there.
constexpr int alphabetPosition(char c) {
    const auto at = kKeyerAlphabet.find(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace keslog
