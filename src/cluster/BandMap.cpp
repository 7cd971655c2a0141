#include "cluster/BandMap.h"

#include <algorithm>

#include "callsign/CountryLookup.h"
#include "entry/CallMatch.h"
#include "entry/Dupes.h"
#include "entry/ExchangeParsers.h"
#include "entry/Scoring.h"
#include "model/Text.h"

namespace keslog {

namespace {

struct BandEdges {
    int bandIndex;
    double low, phoneFrom, high;  // kHz
};

constexpr std::array<BandEdges, kBandCount> kBands{{
    {band::B160, 1800, 1840, 2000},
    {band::B80, 3500, 3600, 4000},
    {band::B40, 7000, 7050, 7300},
    {band::B20, 14000, 14100, 14350},
    {band::B15, 21000, 21150, 21450},
    {band::B10, 28000, 28300, 29700},
    {band::B6, 50000, 50100, 54000},
    {band::B2, 144000, 144100, 148000},
}};

enum class ModeWord { None, Cw, Phone, Digital };

ModeWord modeWordOf(std::string_view word) {
    static constexpr std::array<std::string_view, 4> kPhone{"SSB", "USB", "LSB", "PH"};
    static constexpr std::array<std::string_view, 8> kDigital{"FT8",   "FT4",  "RTTY", "PSK31",
                                                              "PSK63", "JT65", "JT9",  "MSK144"};
    const std::string upper = toUpper(word);
    if (upper == "CW") return ModeWord::Cw;
    if (std::find(kPhone.begin(), kPhone.end(), upper) != kPhone.end()) return ModeWord::Phone;
    if (std::find(kDigital.begin(), kDigital.end(), upper) != kDigital.end())
        return ModeWord::Digital;
    return ModeWord::None;
}

// The first word of the comment that names a mode.
ModeWord modeWordIn(std::string_view comment) {
    std::size_t at = 0;
    while (at < comment.size()) {
        const std::size_t end = std::min(comment.find(' ', at), comment.size());
        const ModeWord word = modeWordOf(comment.substr(at, end - at));
        if (word != ModeWord::None) return word;
        at = end + 1;
    }
    return ModeWord::None;
}

// The exchange the entry line would be given for the call: from the former
// logs or the call history, for CQWW the zone of its country. Blanks in
// front stand for the serial number typed first.
std::string expectedExchange(const MainMod& state, std::string_view call) {
    std::string exchange = exchangePrefill(state, call, "").value_or("");
    if (exchange.empty()) exchange = historyPrefill(state, call, "").value_or("");
    if (exchange.empty() && state.contestNr == contest::Cqww) {
        const int nr = CountryOfCall(state.countries, call);
        if (state.countries.isCountry(nr)) exchange = state.countries.country(nr).CtyZone.trimmed();
    }
    if (!exchange.empty() && exchange.front() == ' ') exchange = "1" + exchange;
    return exchange;
}

// The QSO a contact with the spotted station would log: an earlier QSO with
// the call tells its multiplier best; otherwise what the entry line would
// fill in. Unknown exchanges value the call alone (its country, its prefix).
QSORecName spottedQso(const MainMod& state, std::string_view call, BandModeCode bandMode) {
    const DupeCheck check = checkDupe(state, call);
    if (check.lastContact >= 1 && check.lastContact <= state.log.count()) {
        QSORecName earlier = state.log.at(check.lastContact);
        earlier.QBandMode = bandMode;
        return earlier;
    }
    const ExchangeRules rules{state.contestNr, state.InStateFlag, &state.mults};
    const ExchangeCheck checked = checkExchange(rules, expectedExchange(state, call));
    return scoredQso(state, call, bandMode, checked.accepted() ? *checked.parsed : ParsedExchange{},
                     false);
}

SpotClass classOf(const MainMod& state, const BandSpot& spot) {
    if (isDupe(state, spot.spot.dxCall, spot.bandMode)) return SpotClass::Dupe;
    return multMarks(state, spot.qso).count != 0 ? SpotClass::NewMult : SpotClass::NewQso;
}

}  // namespace

BandModeCode spotBandMode(double kHz, std::string_view comment) {
    const auto edges = std::find_if(kBands.begin(), kBands.end(), [kHz](const BandEdges& b) {
        return kHz >= b.low && kHz <= b.high;
    });
    if (edges == kBands.end()) return 0;
    const ModeWord word = modeWordIn(comment);
    if (word == ModeWord::Digital) return 0;
    const bool phone = word == ModeWord::None ? kHz >= edges->phoneFrom : word == ModeWord::Phone;
    return bandModeCode(edges->bandIndex, phone);
}

bool BandMap::place(const MainMod& state, Spot spot, std::int64_t now) {
    const BandModeCode bandMode = spotBandMode(spot.kHz, spot.comment);
    if (bandMode == 0) return false;
    std::vector<BandSpot>& spots = bands_[static_cast<std::size_t>(bandIndexOf(bandMode) - 1)];
    std::erase_if(spots, [&](const BandSpot& s) { return s.spot.dxCall == spot.dxCall; });

    BandSpot placed;
    placed.bandMode = bandMode;
    placed.heardAt = now;
    placed.qso = spottedQso(state, spot.dxCall, bandMode);
    placed.spot = std::move(spot);
    placed.spotClass = classOf(state, placed);
    const auto at =
        std::upper_bound(spots.begin(), spots.end(), placed.spot.kHz,
                         [](double kHz, const BandSpot& s) { return kHz < s.spot.kHz; });
    spots.insert(at, std::move(placed));
    return true;
}

void BandMap::expire(std::int64_t now) {
    for (std::vector<BandSpot>& spots : bands_)
        std::erase_if(spots, [&](const BandSpot& s) { return now - s.heardAt > maxAge_; });
}

void BandMap::qsoLogged(const MainMod& state, std::string_view call) {
    for (std::vector<BandSpot>& spots : bands_)
        for (BandSpot& s : spots) {
            if (s.spot.dxCall == call) s.qso = spottedQso(state, call, s.bandMode);
            s.spotClass = classOf(state, s);
        }
}

void BandMap::revalue(const MainMod& state) {
    for (std::vector<BandSpot>& spots : bands_)
        for (BandSpot& s : spots) {
            s.qso = spottedQso(state, s.spot.dxCall, s.bandMode);
            s.spotClass = classOf(state, s);
        }
}

std::size_t BandMap::size() const {
    std::size_t count = 0;
    for (const std::vector<BandSpot>& spots : bands_) count += spots.size();
    return count;
}

}  // namespace keslog
