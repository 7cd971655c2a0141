#pragma once

#include <array>
#include <string>

#include "model/ReferenceData.h"

namespace keslog::test {

// International Morse for the keyer's 42 characters, in element codes ("1"
// dot, "3" dash): the blank is a pause of 4 dots ("0"), "*" one of 2 ("2").
std::array<std::string, kCWCharacterCount> standardMorse();

}  // namespace keslog::test
