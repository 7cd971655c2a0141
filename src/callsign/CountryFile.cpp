#include "callsign/CountryFile.h"

#include <array>
#include <cmath>
#include <utility>

#include "platform/Files.h"

namespace keslog {

namespace {

struct ContinentException {
    std::string_view prefix;
    std::string_view continent;
};

// Countries whose continent is not the one of their zone.
constexpr std::array<ContinentException, 9> kEuropeanZoneExceptions{{{"4X", "AS"},
                                                                     {"5B", "AS"},
                                                                     {"E4", "AS"},
                                                                     {"JY", "AS"},
                                                                     {"OD", "AS"},
                                                                     {"TA", "AS"},
                                                                     {"YK", "AS"},
                                                                     {"ZC4", "AS"},
                                                                     {"OX", "NA"}}};
constexpr std::array<std::string_view, 3> kAsianOceaniaPrefixes{"9M2", "9V", "JD/O"};

std::string lineError(const std::string& path, int lineNr, std::string_view why) {
    return path + " line " + std::to_string(lineNr) + " cannot be read: " + std::string(why);
}

void storeAliases(std::string_view text, int countryNr, CountryTables& tables) {
    // The last alias may carry the ";" that ends a country; without one a
    // terminator is implied, and a trailing "," leaves an empty last item.
    if (!text.empty() && text.back() == ';') text.remove_suffix(1);
    while (true) {
        const std::size_t comma = text.find(',');
        std::string alias = trim(text.substr(0, comma));
        if (!alias.empty()) tables.addAlias(std::move(alias), countryNr);
        if (comma == std::string_view::npos) return;
        text.remove_prefix(comma + 1);
    }
}

// Name(heading):zone:prefix:aliases
Status readCountryLine(std::string_view line, CountryTables& tables) {
    std::array<std::size_t, 3> colon{};
    std::size_t from = 0;
    for (std::size_t& c : colon) {
        c = line.find(':', from);
        if (c == std::string_view::npos)
            return Status::error("a country line needs three \":\" (name:zone:prefix:aliases).");
        from = c + 1;
    }

    Country country;
    const std::string_view namePart = line.substr(0, colon[0]);
    const std::size_t paren = namePart.find('(');
    country.CtyName = trim(namePart.substr(0, paren));
    if (paren != std::string_view::npos) country.CtyHeading = namePart.substr(paren + 1, 3);
    // The zone is the two characters in front of the second ":".
    const std::size_t zoneStart = colon[1] >= 2 ? colon[1] - 2 : 0;
    country.CtyZone = line.substr(zoneStart, colon[1] - zoneStart);
    country.CtyPrefix = toUpper(trim(line.substr(colon[1] + 1, colon[2] - colon[1] - 1)));
    country.CtyContinent = continentOfZone(country.CtyZone.raw(), country.CtyPrefix.trimmed());

    const int nr = tables.addCountry(country);
    storeAliases(line.substr(colon[2] + 1), nr, tables);
    return Status::ok();
}

}  // namespace

std::string continentOfZone(std::string_view zone, std::string_view prefix) {
    const double z = leadingNumber(zone);
    if (z != std::floor(z)) return {};
    if (z >= 1 && z <= 8) return "NA";
    if (z >= 9 && z <= 13) return "SA";
    if (z == 14 || z == 15 || z == 16 || z == 20 || z == 40) {
        for (const ContinentException& e : kEuropeanZoneExceptions)
            if (prefix == e.prefix) return std::string(e.continent);
        return "EU";
    }
    if ((z >= 17 && z <= 19) || (z >= 21 && z <= 26)) return "AS";
    if (z >= 27 && z <= 32) {
        for (std::string_view p : kAsianOceaniaPrefixes)
            if (prefix == p) return "AS";
        return "OC";
    }
    if (z >= 33 && z <= 39) return "AF";
    return {};
}

Result<CountryTables> parseCountryFile(std::string_view text, const std::string& path) {
    CountryTables tables;
    int lineNr = 0;
    while (!text.empty()) {
        ++lineNr;
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        const std::string line = trim(raw);
        if (line.empty()) continue;
        if (line.front() == '&') {
            if (tables.CountryCount() == 0)
                return Status::error(lineError(path, lineNr, "aliases before the first country."));
            storeAliases(trim(std::string_view(line).substr(1)), tables.CountryCount(), tables);
            continue;
        }
        if (tables.CountryCount() == CountryTables::kMaxCountries)
            return Status::error(lineError(path, lineNr, "too many countries."));
        const Status read = readCountryLine(line, tables);
        if (!read) return Status::error(lineError(path, lineNr, read.message()));
    }

    for (int nr = 1; nr <= tables.CountryCount(); ++nr) {
        const std::string prefix = tables.country(nr).CtyPrefix.trimmed();
        if (prefix == "K") tables.USACountryNr = nr;
        if (prefix == "VE") tables.CanadaCountryNr = nr;
    }
    return tables;
}

Status ReadCountryFile(const std::string& path, CountryTables& tables) {
    const Result<std::string> text = readWholeFile(path);
    if (!text) return Status::error(path + " cannot be read.");
    Result<CountryTables> read = parseCountryFile(*text, path);
    if (!read) return read.status();
    tables = std::move(*read);
    return Status::ok();
}

}  // namespace keslog
