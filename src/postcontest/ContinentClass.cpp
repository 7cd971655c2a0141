#include "postcontest/ContinentClass.h"

#include <initializer_list>

#include "callsign/CountryLookup.h"
#include "callsign/Prefix.h"
#include "model/Text.h"

namespace keslog {
namespace {

// One entry of a class rule: a single text, or a range from..to in
// character-code order when `to` is given.
struct Span {
    std::string_view from;
    std::string_view to = {};

    bool holds(std::string_view text) const {
        if (to.empty()) return text == from;
        return text >= from && text <= to;
    }
};

bool anyOf(std::string_view text, std::initializer_list<Span> spans) {
    for (const Span& s : spans)
        if (s.holds(text)) return true;
    return false;
}

std::string twoCharacterClass(std::string_view p) {
    const char p1 = p[0];
    if (p1 == 'K' || p1 == 'W' || p1 == 'N') return "US";
    if (p1 == 'F' || p1 == 'G' || p1 == 'I' || p1 == 'M') return "EU";
    if (p1 == 'B') return "AS";
    if (anyOf(p, {{"C6"}, {"J3"}, {"J6", "J8"}, {"V2", "V4"}})) return "NA";
    if (p == "S5") return "EU";
    if (anyOf(p, {{"C4"}, {"E2"}, {"H2"}, {"P3"}})) return "AS";
    return "NONE";
}

std::string longerClass(std::string_view p) {
    const std::string_view p3 = p.substr(0, 3);
    const std::string_view p2 = p.substr(0, 2);
    const char p1 = p[0];
    if (anyOf(p3, {{"PJ5", "PJ8"}, {"VP2"}, {"VP5"}, {"VP9"}})) return "NA";
    if (p3 == "9M2") return "AS";
    if (p3 == "9M6" || p3 == "9M8") return "OC";
    if (anyOf(p3, {{"CQ3"},
                   {"CR3"},
                   {"CS3"},
                   {"CT3"},
                   {"CQ9"},
                   {"CR9"},
                   {"CS9"},
                   {"CT9"},
                   {"EA8"},
                   {"EA9"}}))
        return "AF";
    if (anyOf(p2, {{"AA", "AG"}, {"AI", "AK"}})) return "US";
    if (anyOf(p2, {{"6D", "6J"}, {"6Y"},       {"8P"}, {"C6"}, {"CM"}, {"CO"}, {"FG"},
                   {"FJ"},       {"FM"},       {"FP"}, {"FS"}, {"HH"}, {"HI"}, {"HO"},
                   {"HP"},       {"HQ"},       {"HR"}, {"OX"}, {"TG"}, {"TD"}, {"TI"},
                   {"TE"},       {"XA", "XI"}, {"YN"}, {"YS"}, {"ZF"}, {"KP"}, {"NP"},
                   {"WP"},       {"AL"},       {"KL"}, {"NL"}, {"WL"}, {"J3"}, {"J6", "J8"},
                   {"V2", "V4"}, {"HT"},       {"HU"}}))
        return "NA";
    if (anyOf(p2,
              {{"CF", "CK"}, {"CY"}, {"CZ"}, {"VA", "VG"}, {"VO"}, {"VX"}, {"VY"}, {"XJ", "XO"}}))
        return "VE";
    if (anyOf(p2, {{"JA", "JS"}, {"7J", "7N"}, {"8K", "8N"}})) return "JA";
    if (anyOf(p2, {{"3Z"}, {"4N"},       {"4O"},       {"5P"},       {"7S"},       {"8S"},
                   {"9A"}, {"AM", "AO"}, {"CQ", "CU"}, {"DA", "DR"}, {"EA", "EI"}, {"EM", "EO"},
                   {"ER"}, {"ES"},       {"EU", "EW"}, {"GA", "GZ"}, {"HA"},       {"HB"},
                   {"HG"}, {"LA"},       {"LX", "LZ"}, {"OE"},       {"OF", "OJ"}, {"OK"},
                   {"OL"}, {"OM"},       {"ON", "OT"}, {"OY"},       {"OZ"},       {"PA", "PI"},
                   {"S5"}, {"SA", "SM"}, {"SN", "SR"}, {"SV"},       {"TF"},       {"TM"},
                   {"T9"}, {"U5"},       {"UR", "UZ"}, {"YL"},       {"YO"},       {"YT"},
                   {"YU"}, {"YZ"},       {"Z3"}}))
        return "EU";
    if (anyOf(p2, {{"5B"},
                   {"4X"},
                   {"4Z"},
                   {"9V"},
                   {"BY"},
                   {"BV"},
                   {"DT"},
                   {"DS"},
                   {"E4"},
                   {"HL"},
                   {"HM"},
                   {"HS"},
                   {"HZ"},
                   {"JY"},
                   {"OD"},
                   {"UJ", "UQ"},
                   {"VU"}}))
        return "AS";
    if (anyOf(p2, {{"4D", "4I"},
                   {"DU", "DZ"},
                   {"AH"},
                   {"KH"},
                   {"NH"},
                   {"WH"},
                   {"FO"},
                   {"P2"},
                   {"VK"},
                   {"YB", "YH"},
                   {"ZK", "ZM"}}))
        return "OC";
    if (anyOf(p2, {{"CE"},
                   {"CP"},
                   {"CV", "CX"},
                   {"FY"},
                   {"HC"},
                   {"HK"},
                   {"L2", "L9"},
                   {"LO", "LW"},
                   {"OA"},
                   {"P4"},
                   {"PJ"},
                   {"PP", "PZ"},
                   {"XQ"},
                   {"YV", "YY"},
                   {"ZP"},
                   {"ZV", "ZZ"}}))
        return "SA";
    if (anyOf(p2, {{"3V"}, {"5N"}, {"5V"}, {"6V"}, {"6W"}, {"9G"}, {"CN"}, {"SU"}, {"ZR", "ZU"}}))
        return "AF";
    if (p1 == 'K' || p1 == 'N' || p1 == 'W') return "US";
    if (p1 == 'I' || p1 == 'M' || p1 == '2') return "EU";
    if (p1 == 'B') return "AS";
    if (p1 == 'U' || p1 == 'R') {
        const double area = leadingNumber(p.substr(2, 1));
        return area >= 1 && area <= 6 ? "EU" : "AS";
    }
    return "NONE";
}

}  // namespace

std::string continentClassOf(std::string_view prefix) {
    if (prefix.size() < 2) return "NONE";
    if (prefix.size() == 2) return twoCharacterClass(prefix);
    return longerClass(prefix);
}

std::string continentClassOfCall(const CountryTables& countries, std::string_view call) {
    std::string cls = continentClassOf(WPXPrefixOf(call));
    if (cls != "NONE") return cls;
    const int nr = CountryOfCall(countries, call);
    if (!countries.isCountry(nr)) return cls;
    const std::string continent = countries.country(nr).CtyContinent.trimmed();
    return continent.empty() ? cls : continent;
}

}  // namespace keslog
