#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace keslog {

// One prefix or "=CALL" entry of the widely used public CTY.DAT format,
// with the values it overrides for its own calls.
struct CtyDatAlias {
    std::string text;  // without "=" and without the overrides
    bool exactCall = false;
    std::optional<int> cqZone;             // "(n)"
    std::optional<std::string> continent;  // "{XX}"
    bool ownPosition = false;              // "<lat/long>"
};

// One entity of CTY.DAT: eight ":"-separated fields, then its entries
// separated by "," and ended by ";".
struct CtyDatEntity {
    std::string name;
    int cqZone = 0;
    int ituZone = 0;
    std::string continent;
    double latitude = 0;       // north positive
    double longitudeWest = 0;  // west positive, as the format writes it
    double utcOffset = 0;
    std::string primaryPrefix;  // "*" in front: not a DXCC entity
    std::vector<CtyDatAlias> aliases;
    int line = 0;  // where the entity starts in the file
};

Result<std::vector<CtyDatEntity>> parseCtyDat(std::string_view text);

// A position on the earth, degrees, north and east positive.
struct GeoPosition {
    double latitude = 0;
    double longitude = 0;
};

// The geographic centre of the continental USA.
inline constexpr GeoPosition kDefaultHome{39.83, -98.58};

// The great-circle beam heading from `from` to `to`, whole degrees 0..359.
int beamHeading(GeoPosition from, GeoPosition to);

// The country file made from CTY.DAT, and what it could not carry over
// (one line each, for the operator to read).
struct CountryFileConversion {
    std::string countryFile;
    std::vector<std::string> notes;
};

// One country per entity, in the file's order, with the heading from
// `home`. The aliases resolve every call as CTY.DAT's own rule does
// (exact call first, then the longest leading prefix) wherever the
// country file's lookup can express it; each case where it cannot is a
// note.
Result<CountryFileConversion> convertCtyDat(std::string_view ctyDat, GeoPosition home);

}  // namespace keslog
