#include "model/Countries.h"

namespace keslog {

int CountryTables::addCountry(const Country& country) {
    countries_.push_back(country);
    const std::string prefix = country.CtyPrefix.trimmed();
    if (!prefix.empty()) firstCountryOfPrefix_.try_emplace(prefix, CountryCount());
    return CountryCount();
}

void CountryTables::addAlias(std::string text, int countryNr) {
    // The first listing of an alias decides its country.
    firstCountryOfAlias_.try_emplace(text, countryNr);
    aliases_.push_back({std::move(text), countryNr});
}

int CountryTables::countryOfAlias(std::string_view text) const {
    const auto found = firstCountryOfAlias_.find(text);
    return found == firstCountryOfAlias_.end() ? 0 : found->second;
}

int CountryTables::countryOfPrefix(std::string_view prefix) const {
    const auto found = firstCountryOfPrefix_.find(prefix);
    return found == firstCountryOfPrefix_.end() ? 0 : found->second;
}

}  // namespace keslog
