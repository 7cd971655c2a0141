#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "model/Band.h"

namespace keslog {

// QSO counts of one country or zone on 10, 15, 20, 40, 80 and 160 m.
using BandCounts = std::array<int, 6>;

// The running totals of the open log, built QSO by QSO when logging and
// rebuilt from the log tables when a log is opened.
struct ScoreTotals {
    std::int32_t qsoPoints = 0;  // PAQP: in tenths of a point
    int multCount = 0;
    std::int32_t score = 0;
    std::array<int, kBandCount + 1> multsPerBand{};         // by band index 1..8
    std::array<int, 2 * kBandCount + 1> qsosPerBandMode{};  // by band-mode code 1..16
    std::vector<BandCounts> countryQsos;                    // by country number; 0 unused
    std::array<BandCounts, 41> zoneQsos{};                  // by zone 1..40; 0 unused
    BandCounts countriesPerBand{};
    BandCounts zonesPerBand{};
    std::vector<std::string> wpxPrefixes;  // ascending text order
    int sameAreaCount = 0;                 // WPX
    bool prefixNeeded = false;             // WPX, AA: the call being typed has a new prefix

    bool operator==(const ScoreTotals&) const = default;
};

// One logged QSO in the sorted call index.
struct CallIndexEntry {
    std::string call;
    BandModeCode bandMode = 0;
    int qsoNr = 0;

    bool operator==(const CallIndexEntry&) const = default;
};

// Ordered by call, then band-mode, then QSO number, so that all QSOs with
// one call, and all calls beginning with one text, stand together. Looks
// up by call alone as well.
struct CallIndexOrder {
    using is_transparent = void;
    bool operator()(const CallIndexEntry& a, const CallIndexEntry& b) const {
        return std::tie(a.call, a.bandMode, a.qsoNr) < std::tie(b.call, b.bandMode, b.qsoNr);
    }
    bool operator()(const CallIndexEntry& a, std::string_view call) const { return a.call < call; }
    bool operator()(std::string_view call, const CallIndexEntry& b) const { return call < b.call; }
};

using CallIndex = std::set<CallIndexEntry, CallIndexOrder>;

// Portable calls of the log ("W6XYZ/7"), by the call without the
// designator ("W6XYZ"), each listed once in logging order.
using PortableCalls = std::unordered_map<std::string, std::vector<std::string>>;

}  // namespace keslog
