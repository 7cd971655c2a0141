#pragma once

#include <string>
#include <string_view>

#include "model/Countries.h"
#include "platform/Status.h"

namespace keslog {

// The continent of a country from its CQ zone text and its trimmed prefix;
// empty outside zones 1..40.
std::string continentOfZone(std::string_view zone, std::string_view prefix);

// The country and alias tables of a country file's text. A country line
// that cannot be taken apart is an error naming `path` and the line.
Result<CountryTables> parseCountryFile(std::string_view text, const std::string& path);

// Reads the country file at `path` into `tables`; on an error the tables
// are left as they were.
Status ReadCountryFile(const std::string& path, CountryTables& tables);

}  // namespace keslog
