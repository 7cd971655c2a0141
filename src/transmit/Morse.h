#pragma once

#include <array>
#include <string>
#include <string_view>

namespace keslog {

// The characters the keyer can send; position k (from 1) has the Morse
// pattern CWCharacters[k - 1].
inline constexpr std::string_view kKeyerAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890,./? *";
inline constexpr int kBlankPosition = 41;

// Morse patterns, one per alphabet position, made of element codes: "1" dot,
// "3" dash, "2" a pause of 2 dots, "0" a pause of 4 dots.
using CWCharacterTable = std::array<std::string, kKeyerAlphabet.size()>;

// Position of a character in the alphabet (exact, case-sensitive), 0 when
// it is not there.
constexpr int alphabetPosition(char c) {
    const auto at = kKeyerAlphabet.find(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace keslog
