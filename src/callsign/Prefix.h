#pragma once

#include <string>
#include <string_view>

namespace keslog {

// The WPX prefix of a callsign (upper case, as typed, possibly with one
// "/"): the multiplier of the WPX contest and the fallback key of the
// country lookup. A pure function; any text gives some prefix.
std::string WPXPrefixOf(std::string_view call);

}  // namespace keslog
