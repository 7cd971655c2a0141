#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ShippedData.h"
#include "entry/Scoring.h"

namespace keslog::bench {

// The calls of the public MASTER.SCP, as operators type them.
inline const std::vector<std::string>& masterScpCalls() {
    static const std::vector<std::string> calls = [] {
        std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
        std::vector<std::string> out;
        std::string line;
        while (std::getline(in, line))
            if (!line.empty() && line.front() != '#' && line.size() <= 10) out.push_back(line);
        if (out.size() < 50000) throw std::runtime_error("MASTER.SCP missing or short");
        return out;
    }();
    return calls;
}

// A log of that many QSOs over the six bands, logged and scored, calls
// taken every seventh from the list so that later picks find some of them;
// the station in the USA, on 20 m CW.
inline MainMod loggedState(ContestNr nr, int qsos) {
    MainMod state = stateWithShippedData();
    state.contestNr = nr;
    state.ModeFlag = {false, true};
    state.QTHUSAFlag = true;
    state.resetLog();
    replayLog(state);
    const auto& calls = masterScpCalls();
    for (int n = 0; n < qsos; ++n) {
        QSORecName q;
        q.QCall = calls[static_cast<std::size_t>(n * 7) % calls.size()];
        q.QBandMode = static_cast<BandModeCode>(1 + n % 6);
        q.QRcvd = static_cast<std::int16_t>(1 + n % 40);
        q.QNr = static_cast<std::int16_t>(n + 1);
        setMultAndPoints(state, q, {}, false);
        if (!addLoggedQso(state, q)) throw std::runtime_error("log full");
    }
    state.CurrentBandMode = 3;
    return state;
}

}  // namespace keslog::bench
