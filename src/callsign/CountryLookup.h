#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/Countries.h"

namespace keslog {

// Leading parts of calls that are looked up as they stand instead of by
// the call's WPX prefix: countries that share a WPX prefix with another.
inline constexpr std::array<std::string_view, 33> kCountrySearchKeys{
    "3DA",  "4U1I", "4U1U", "BV9P", "CE0A", "CE0X", "CE0Z", "FT8W", "FT8X", "FT8Z", "KH5K",
    "AH5K", "NH5K", "KH7K", "AH7K", "NH7K", "PY0F", "PY0S", "PY0T", "ZX0F", "R1FJ", "R1MV",
    "VK0H", "VK0M", "VK9C", "VK9L", "VK9M", "VK9N", "VK9W", "VK9X", "VP2E", "VP2M", "VP2V"};

// The leading part of a call that the country lookup shortens: one of the
// keys above, or else the call's WPX prefix.
std::string countrySearchKeyOf(std::string_view call);

// The country of an upper-case callsign, 0 when none matches: an alias
// equal to the whole call wins; otherwise the longest alias that is a
// leading part of the search key. Where several countries list the same
// alias, the first in the file wins; comparisons are case-sensitive.
int CountryOfCall(const CountryTables& tables, std::string_view call);

}  // namespace keslog
