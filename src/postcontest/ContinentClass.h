#pragma once

#include <string>
#include <string_view>

#include "model/Countries.h"

namespace keslog {

// The class a WPX prefix counts under in the continent table: "US", "VE"
// or "JA" for the three big domestic groups, else a continent ("NA", "EU",
// "AS", "AF", "OC", "SA"), or "NONE" when the built-in table cannot tell.
std::string continentClassOf(std::string_view prefix);

// The class of a worked call: its prefix's class, or, when the table gives
// "NONE", the continent of the call's country ("NONE" again when the call
// matches no country or the country has no continent).
std::string continentClassOfCall(const CountryTables& countries, std::string_view call);

}  // namespace keslog
