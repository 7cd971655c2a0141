#include "callsign/CtyDat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <unordered_map>

#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"
#include "model/Text.h"

namespace keslog {

namespace {

// ---- Reading CTY.DAT ----

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimSpace(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

template <typename T>
std::optional<T> numberOf(std::string_view s) {
    s = trimSpace(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::string atLine(int line) {
    return "line " + std::to_string(line) + ": ";
}

Result<CtyDatAlias> parseAlias(std::string_view item, int line) {
    CtyDatAlias alias;
    if (item.front() == '=') {
        alias.exactCall = true;
        item.remove_prefix(1);
    }
    static constexpr std::string_view kOpen = "([<{~";
    static constexpr std::string_view kClose = ")]>}~";
    for (std::size_t i = 0; i < item.size(); ++i) {
        // Line breaks and blanks inside an entry are no part of it.
        if (isSpace(item[i])) continue;
        const std::size_t kind = kOpen.find(item[i]);
        if (kind == std::string_view::npos) {
            alias.text += item[i];
            continue;
        }
        const std::size_t close = item.find(kClose[kind], i + 1);
        if (close == std::string_view::npos)
            return Status::error(atLine(line) + "unclosed \"" + item[i] + "\" in " +
                                 std::string(item) + ".");
        const std::string_view value = item.substr(i + 1, close - i - 1);
        if (item[i] == '(') {
            alias.cqZone = numberOf<int>(value);
            if (!alias.cqZone)
                return Status::error(atLine(line) + "bad zone in " + std::string(item) + ".");
        } else if (item[i] == '{') {
            alias.continent = std::string(value);
        } else if (item[i] == '<') {
            alias.ownPosition = true;
        }
        i = close;
    }
    if (alias.text.empty()) return Status::error(atLine(line) + "an entry without a call.");
    return alias;
}

Result<CtyDatEntity> parseEntity(std::string_view record, int line) {
    std::array<std::string_view, 8> field;
    for (std::string_view& f : field) {
        const std::size_t colon = record.find(':');
        if (colon == std::string_view::npos)
            return Status::error(atLine(line) + "an entity needs eight fields ended by \":\".");
        f = trimSpace(record.substr(0, colon));
        record.remove_prefix(colon + 1);
    }
    CtyDatEntity e;
    e.line = line;
    e.name = std::string(field[0]);
    e.continent = std::string(field[3]);
    e.primaryPrefix = std::string(field[7]);
    const auto cq = numberOf<int>(field[1]);
    const auto itu = numberOf<int>(field[2]);
    const auto lat = numberOf<double>(field[4]);
    const auto lon = numberOf<double>(field[5]);
    const auto utc = numberOf<double>(field[6]);
    const auto within = [](const std::optional<double>& v, double limit) {
        return v && std::abs(*v) <= limit;  // false for NaN as well
    };
    if (e.name.empty() || e.primaryPrefix.empty() || !cq || !itu || !within(lat, 90) ||
        !within(lon, 180) || !utc)
        return Status::error(atLine(line) + "bad name, zone, position or prefix of an entity.");
    e.cqZone = *cq;
    e.ituZone = *itu;
    e.latitude = *lat;
    e.longitudeWest = *lon;
    e.utcOffset = *utc;

    while (true) {
        const std::size_t comma = record.find(',');
        const std::string_view item = trimSpace(record.substr(0, comma));
        if (!item.empty()) {
            Result<CtyDatAlias> alias = parseAlias(item, line);
            if (!alias) return alias.status();
            e.aliases.push_back(std::move(*alias));
        }
        if (comma == std::string_view::npos) break;
        record.remove_prefix(comma + 1);
    }
    return e;
}

// ---- What the country file's lookup can express ----

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the lookup's keys can begin with a prefix entry: keys are WPX
// prefixes, which end at a call's last digit after its first character
// and hold no "/", or the fixed search keys.
bool canLeadAKey(std::string_view prefix) {
    for (std::string_view key : kCountrySearchKeys)
        if (key.starts_with(prefix)) return true;
    if (prefix.find('/') != std::string_view::npos) return false;
    std::size_t lastDigit = 0;
    for (std::size_t i = 1; i < prefix.size(); ++i)
        if (isDigit(prefix[i])) lastDigit = i;
    return lastDigit == 0 || lastDigit + 1 == prefix.size();
}

// Whether a full call is also the search key of other calls ("EF6" of
// "EF6ABC"). The lookup cannot tell a whole-call alias from a prefix, so
// such a call would act as a prefix too. (A call could in theory also lead
// longer keys, as "4UNR" leads "4UNR1"; no real call has that form.)
bool isSearchKeyOfOtherCalls(const std::string& call) {
    return countrySearchKeyOf(call + "A") == call;
}

// CTY.DAT's own rule for a call's leading part: the longest prefix entry
// that begins it; the first entity listing it wins.
class PrefixReference {
  public:
    explicit PrefixReference(const std::vector<CtyDatEntity>& entities) {
        for (std::size_t i = 0; i < entities.size(); ++i)
            for (const CtyDatAlias& a : entities[i].aliases) {
                if (!a.exactCall) entityOf_.try_emplace(a.text, static_cast<int>(i));
                entries_.emplace(a.text, static_cast<int>(i));
            }
    }
    // Whether an entry of another entity than `entity`, a whole call or a
    // prefix, begins with text.
    bool othersListBeginning(const std::string& text, int entity) const {
        for (auto e = entries_.lower_bound(text); e != entries_.end() && e->first.starts_with(text);
             ++e)
            if (e->second != entity) return true;
        return false;
    }
    // Entity index, or -1.
    int resolve(std::string_view text) const {
        for (std::size_t n = text.size(); n > 0; --n) {
            const auto found = entityOf_.find(std::string(text.substr(0, n)));
            if (found != entityOf_.end()) return found->second;
        }
        return -1;
    }

  private:
    std::unordered_map<std::string, int> entityOf_;
    std::multimap<std::string, int> entries_;
};

// ---- Writing the country file ----

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}
std::string threeDigits(int n) {
    return std::string(n < 100 ? (n < 10 ? "00" : "0") : "") + std::to_string(n);
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < ' ';
}

// The name may not hold the characters that end it or open the heading,
// nor break its line.
std::string countryName(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != '(' && c != ')' && c != ':' && !isControl(c)) out += c;
    while (!out.empty() && out.front() == '&') out.erase(0, 1);
    return trim(out);
}

constexpr std::size_t kLineWidth = 78;

void writeCountry(std::string& out, const std::string& head,
                  const std::vector<std::string>& aliases) {
    std::string line = head;
    for (std::size_t i = 0; i < aliases.size(); ++i) {
        line += aliases[i];
        line += i + 1 == aliases.size() ? ";" : ",";
        if (i + 1 < aliases.size() && line.size() + aliases[i + 1].size() + 1 > kLineWidth) {
            out += line + "\n";
            line = "&";
        }
    }
    if (aliases.empty()) line += ";";
    out += line + "\n";
}

class Converter {
  public:
    Converter(const std::vector<CtyDatEntity>& entities, GeoPosition home)
        : entities(entities), home(home), reference(entities) {}

    Result<CountryFileConversion> run();

  private:
    const std::vector<CtyDatEntity>& entities;
    GeoPosition home;
    PrefixReference reference;
    std::vector<std::string> prefixes;              // our prefix of each entity
    std::vector<std::vector<std::string>> aliases;  // our aliases of each entity
    std::set<std::string> listed;                   // every alias written
    std::vector<std::string> notes;

    std::string entityName(int i) const {
        return i < 0 ? std::string("no entity") : entities[static_cast<std::size_t>(i)].name;
    }

    void note(std::string text) { notes.push_back(std::move(text)); }

    void list(std::size_t entity, const std::string& alias) {
        aliases[entity].push_back(alias);
        listed.insert(alias);
    }

    Status choosePrefixes() {
        std::set<std::string> seen;
        for (const CtyDatEntity& e : entities) {
            std::string_view p = e.primaryPrefix;
            if (p.front() == '*') p.remove_prefix(1);
            std::string prefix = toUpper(p);
            if (prefix.empty() || prefix.size() > 5 ||
                prefix.find_first_of(":,;") != std::string::npos ||
                std::any_of(prefix.begin(), prefix.end(), isControl))
                return Status::error(atLine(e.line) + "prefix " + e.primaryPrefix +
                                     " does not fit the country file's five characters.");
            if (!seen.insert(prefix).second)
                return Status::error(atLine(e.line) + "prefix " + prefix + " of " + e.name +
                                     " is already another entity's.");
            prefixes.push_back(std::move(prefix));
        }
        return Status::ok();
    }

    void convertAliases(std::size_t i) {
        const CtyDatEntity& e = entities[i];
        for (const CtyDatAlias& a : e.aliases) {
            if (a.cqZone && *a.cqZone != e.cqZone)
                note(a.text + " (" + e.name + "): its own CQ zone " + std::to_string(*a.cqZone) +
                     " is not kept; the country's zone " + twoDigits(e.cqZone) + " is used.");
            if (a.continent && *a.continent != e.continent)
                note(a.text + " (" + e.name + "): its own continent " + *a.continent +
                     " is not kept; the country's continent is used.");
            if (a.ownPosition)
                note(a.text + " (" + e.name +
                     "): its own position is not kept; the country's heading is used.");

            if (a.exactCall) {
                const int prefixOwner = reference.resolve(a.text);
                if (isSearchKeyOfOtherCalls(a.text) && prefixOwner != static_cast<int>(i)) {
                    note("=" + a.text + " (" + e.name + ") is left out: as an alias it would " +
                         "also take calls beginning " + a.text + " from " +
                         entityName(prefixOwner) + ".");
                    continue;
                }
            } else if (!canLeadAKey(a.text)) {
                // Longer calls fall back to a shorter key; that matters
                // only where the key belongs to another entity.
                const std::string key = countrySearchKeyOf(a.text + "AA");
                const int keyOwner = reference.resolve(key);
                if (keyOwner != static_cast<int>(i))
                    note(a.text + " (" + e.name + ") matches only the call " + a.text +
                         " itself: longer calls are looked up by their WPX prefix " + key +
                         ", which CTY.DAT gives to " + entityName(keyOwner) + ".");
            }
            list(i, a.text);
        }
    }

    // The country's own prefix is listed too, unless CTY.DAT gives calls
    // beginning with it to another entity. Where CTY.DAT lists only this
    // entity's calls under it (4U1I, VK0H, R1FJ), the prefix is the
    // country's: the lookup's fixed search keys exist for such calls.
    void listOwnPrefix(std::size_t i) {
        const std::string& prefix = prefixes[i];
        if (std::find(aliases[i].begin(), aliases[i].end(), prefix) != aliases[i].end()) return;
        const int owner = reference.resolve(prefix);
        const bool onlyOwnCalls =
            std::all_of(prefix.begin(), prefix.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }) &&
            !reference.othersListBeginning(prefix, static_cast<int>(i));
        if (owner == static_cast<int>(i) || (owner >= 0 && onlyOwnCalls)) {
            list(i, prefix);
        } else if (owner < 0) {
            list(i, prefix);
            note(prefix + " (" + entities[i].name + "): the country's prefix is listed; " +
                 "CTY.DAT gives calls beginning " + prefix + " no entity.");
        } else {
            note(prefix + " (" + entities[i].name + "): the country's prefix is not listed; " +
                 "CTY.DAT gives calls beginning " + prefix + " to " + entityName(owner) + ".");
        }
    }

    // Each fixed search key of the lookup has an alias of its own, given to
    // the entity CTY.DAT gives it.
    void listSearchKeys() {
        for (std::string_view key : kCountrySearchKeys) {
            const std::string k(key);
            if (listed.count(k)) continue;
            const int owner = reference.resolve(k);
            if (owner < 0) {
                note(k + ": no entity for this search key of the lookup.");
                continue;
            }
            list(static_cast<std::size_t>(owner), k);
        }
    }

    void checkContinent(std::size_t i) {
        const CtyDatEntity& e = entities[i];
        const std::string derived = continentOfZone(twoDigits(e.cqZone), prefixes[i]);
        if (derived != e.continent)
            note(prefixes[i] + " (" + e.name + "): the continent from zone " + twoDigits(e.cqZone) +
                 " is " + (derived.empty() ? "blank" : derived) + "; CTY.DAT says " + e.continent +
                 ".");
    }
};

Result<CountryFileConversion> Converter::run() {
    if (entities.empty()) return Status::error("no entity in the file.");
    if (const Status s = choosePrefixes(); !s) return s;
    aliases.resize(entities.size());
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (entities[i].cqZone < 1 || entities[i].cqZone > 99)
            return Status::error(atLine(entities[i].line) + "CQ zone out of range.");
        convertAliases(i);
    }
    for (std::size_t i = 0; i < entities.size(); ++i) listOwnPrefix(i);
    listSearchKeys();

    CountryFileConversion result;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const CtyDatEntity& e = entities[i];
        checkContinent(i);
        const int heading = beamHeading(home, {e.latitude, -e.longitudeWest});
        writeCountry(result.countryFile,
                     countryName(e.name) + "(" + threeDigits(heading) + "):" + twoDigits(e.cqZone) +
                         ":" + prefixes[i] + ":",
                     aliases[i]);
    }
    for (const char* homeCountry : {"K", "VE"})
        if (std::count(prefixes.begin(), prefixes.end(), homeCountry) != 1)
            note(std::string("no single entity with the prefix ") + homeCountry + ".");
    result.notes = std::move(notes);
    return result;
}

}  // namespace

Result<std::vector<CtyDatEntity>> parseCtyDat(std::string_view text) {
    std::vector<CtyDatEntity> entities;
    std::size_t pos = 0;
    int line = 1;
    const auto advance = [&](std::size_t to) {
        for (; pos < to; ++pos)
            if (text[pos] == '\n') ++line;
    };
    while (true) {
        std::size_t start = pos;
        while (start < text.size() && isSpace(text[start])) ++start;
        advance(start);
        if (pos == text.size()) break;
        const std::size_t end = text.find(';', pos);
        if (end == std::string_view::npos)
            return Status::error(atLine(line) + "the entity is not ended by \";\".");
        Result<CtyDatEntity> entity = parseEntity(text.substr(pos, end - pos), line);
        if (!entity) return entity.status();
        entities.push_back(std::move(*entity));
        advance(end + 1);
    }
    return entities;
}

int beamHeading(GeoPosition from, GeoPosition to) {
    constexpr double kRad = std::numbers::pi / 180.0;
    const double phi1 = from.latitude * kRad;
    const double phi2 = to.latitude * kRad;
    const double dLambda = (to.longitude - from.longitude) * kRad;
    const double y = std::sin(dLambda) * std::cos(phi2);
    const double x =
        std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLambda);
    double degrees = std::atan2(y, x) / kRad;
    if (degrees < 0) degrees += 360.0;
    const long rounded = roundHalfEven(degrees);
    return static_cast<int>(rounded % 360);
}

Result<CountryFileConversion> convertCtyDat(std::string_view ctyDat, GeoPosition home) {
    Result<std::vector<CtyDatEntity>> entities = parseCtyDat(ctyDat);
    if (!entities) return entities.status();
    return Converter(*entities, home).run();
}

}  // namespace keslog
