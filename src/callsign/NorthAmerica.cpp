#include "callsign/NorthAmerica.h"

#include <array>

namespace keslog {

namespace {

// Two leading characters, compared as text; an inclusive range of them.
struct Range {
    std::string_view first;
    std::string_view last;
    bool holds(std::string_view two) const { return two >= first && two <= last; }
};

template <std::size_t N>
bool inAny(std::string_view text, const std::array<Range, N>& ranges) {
    for (const Range& r : ranges)
        if (r.holds(text)) return true;
    return false;
}

constexpr std::array<Range, 2> kUsaRanges{{{"AA", "AG"}, {"AI", "AK"}}};
constexpr std::array<Range, 33> kOtherNA{
    {{"6D", "6J"}, {"6Y", "6Y"}, {"8P", "8P"}, {"C6", "C6"}, {"CM", "CM"}, {"CO", "CO"},
     {"FG", "FG"}, {"FJ", "FJ"}, {"FM", "FM"}, {"FP", "FP"}, {"FS", "FS"}, {"HH", "HH"},
     {"HI", "HI"}, {"HO", "HO"}, {"HP", "HP"}, {"HQ", "HQ"}, {"HR", "HR"}, {"OX", "OX"},
     {"TG", "TG"}, {"TD", "TD"}, {"TI", "TI"}, {"TE", "TE"}, {"XA", "XI"}, {"YN", "YN"},
     {"YS", "YS"}, {"ZF", "ZF"}, {"KP", "KP"}, {"NP", "NP"}, {"WP", "WP"}, {"AL", "AL"},
     {"KL", "KL"}, {"NL", "NL"}, {"WL", "WL"}}};
// Hawaii and the Pacific: US prefixes that are not North America.
constexpr std::array<Range, 4> kPacific{{{"AH", "AH"}, {"KH", "KH"}, {"NH", "NH"}, {"WH", "WH"}}};
constexpr std::array<Range, 5> kCaribbean{
    {{"J3", "J3"}, {"J6", "J8"}, {"V2", "V4"}, {"HT", "HT"}, {"HU", "HU"}}};
constexpr std::array<Range, 8> kCanada{{{"CF", "CK"},
                                        {"VA", "VG"},
                                        {"XJ", "XO"},
                                        {"CY", "CY"},
                                        {"CZ", "CZ"},
                                        {"VO", "VO"},
                                        {"VX", "VX"},
                                        {"VY", "VY"}}};
constexpr std::array<Range, 4> kTwoCharacterOtherNA{
    {{"C6", "C6"}, {"J3", "J3"}, {"J6", "J8"}, {"V2", "V4"}}};
constexpr std::array<Range, 4> kThreeCharacterOtherNA{
    {{"PJ5", "PJ8"}, {"VP2", "VP2"}, {"VP5", "VP5"}, {"VP9", "VP9"}}};

bool isUsaLetter(char c) {
    return c == 'K' || c == 'N' || c == 'W';
}

bool isHighBand(BandModeCode code) {
    const int band = bandIndexOf(code);
    return band == band::B10 || band == band::B15 || band == band::B20;
}

}  // namespace

NAClass NAClassOf(std::string_view p) {
    if (p.size() < 2) return NAClass::None;
    const std::string_view two = p.substr(0, 2);
    if (p.size() == 2) {
        if (isUsaLetter(p[0])) return NAClass::USA;
        return inAny(two, kTwoCharacterOtherNA) ? NAClass::OtherNA : NAClass::None;
    }
    // The order matters: "AL" and "KL" are North America before "K" is USA,
    // and "KH" ends the tests before it.
    if (inAny(two, kUsaRanges)) return NAClass::USA;
    if (inAny(two, kOtherNA)) return NAClass::OtherNA;
    if (inAny(two, kPacific)) return NAClass::None;
    if (inAny(two, kCaribbean)) return NAClass::OtherNA;
    if (inAny(two, kCanada)) return NAClass::Canada;
    if (isUsaLetter(p[0])) return NAClass::USA;
    if (inAny(p.substr(0, 3), kThreeCharacterOtherNA)) return NAClass::OtherNA;
    return NAClass::None;
}

std::string_view NAClassName(NAClass c) {
    switch (c) {
        case NAClass::USA:
            return "USA";
        case NAClass::Canada:
            return "CANADA";
        case NAClass::OtherNA:
            return "NA";
        case NAClass::None:
            break;
    }
    return "-";
}

std::string NAPoints(std::string_view workedPrefix, ContestNr contest, OwnStation own,
                     BandModeCode bandMode) {
    if (contest != contest::Wpx && contest != contest::Cqww) return {};
    if (!own.QTHUSAFlag && !own.QTHCanadaFlag) return {};
    const NAClass home = own.QTHUSAFlag ? NAClass::USA : NAClass::Canada;
    const NAClass worked = NAClassOf(workedPrefix);
    const bool high = isHighBand(bandMode);
    if (contest == contest::Cqww) {
        if (worked == home) return "0";
        return worked == NAClass::None ? "3" : "2";
    }
    if (worked == home) return "1";
    if (worked == NAClass::None) return high ? "3" : "6";
    return high ? "2" : "4";
}

}  // namespace keslog
