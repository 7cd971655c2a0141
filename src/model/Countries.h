#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Text.h"

namespace keslog {

// One country of the country file.
struct Country {
    FixedText<25> CtyName;
    FixedText<3> CtyHeading;    // beam heading in degrees, as written in the file
    FixedText<2> CtyZone;       // CQ zone, as written in the file
    FixedText<5> CtyPrefix;     // upper case, trimmed
    FixedText<2> CtyContinent;  // derived from the zone; blank outside 1..40
};

// One alias as the file lists it, with the number of its country.
struct CountryAlias {
    std::string text;
    int countryNr = 0;
};

// The country and alias tables, filled once at start-up. Countries are
// numbered from 1 in file order; the tables grow with the file, because
// the public country data has more entities and aliases than fixed tables
// would hold.
class CountryTables {
  public:
    // Country numbers fit the 16-bit fields that store them.
    static constexpr int kMaxCountries = 32767;

    int CountryCount() const { return static_cast<int>(countries_.size()); }
    int AliasCount() const { return static_cast<int>(aliases_.size()); }

    // Country nr (1..CountryCount()).
    const Country& country(int nr) const { return countries_[static_cast<std::size_t>(nr - 1)]; }
    bool isCountry(int nr) const { return nr >= 1 && nr <= CountryCount(); }

    // Appends a country and returns its number.
    int addCountry(const Country& country);
    void addAlias(std::string text, int countryNr);
    const std::vector<CountryAlias>& aliases() const { return aliases_; }

    // The country of the first alias, in file order, that equals the text
    // exactly (case-sensitive); 0 when no alias does. One hash look-up, so
    // a call resolves in a few look-ups whatever the size of the file.
    int countryOfAlias(std::string_view text) const;

    // The first country, in file order, whose trimmed CtyPrefix equals the
    // text; 0 when none does, and always for an empty text. Stored QSOs
    // name their country this way.
    int countryOfPrefix(std::string_view prefix) const;

    int USACountryNr = 0;
    int CanadaCountryNr = 0;

  private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    std::vector<Country> countries_;
    std::vector<CountryAlias> aliases_;
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> firstCountryOfAlias_;
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> firstCountryOfPrefix_;
};

}  // namespace keslog
