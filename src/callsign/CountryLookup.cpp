#include "callsign/CountryLookup.h"

#include "callsign/Prefix.h"

namespace keslog {

std::string countrySearchKeyOf(std::string_view call) {
    for (std::string_view key : kCountrySearchKeys)
        if (call.starts_with(key)) return std::string(key);
    return WPXPrefixOf(call);
}

int CountryOfCall(const CountryTables& tables, std::string_view call) {
    if (const int exact = tables.countryOfAlias(call)) return exact;
    const std::string key = countrySearchKeyOf(call);
    for (std::string_view k = key; !k.empty(); k.remove_suffix(1))
        if (const int nr = tables.countryOfAlias(k)) return nr;
    return 0;
}

}  // namespace keslog
