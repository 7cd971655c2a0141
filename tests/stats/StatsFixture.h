#pragma once

#include <initializer_list>
#include <string>

#include "entry/EntryFixture.h"
#include "model/Stamp.h"

namespace keslog::test {

inline constexpr std::int16_t kDay1 = 31041;  // 11-04-2001
inline constexpr std::int16_t kDay2 = 31051;

// One QSO at a given time; points, when given, replace what scoring made.
struct TimedQso {
    std::string call;
    int hhmm;
    int bandMode = 3;
    const char* points = nullptr;
    std::int16_t date = kDay1;
    ReceivedExchange exchange{};
    int rcvd = 0;
};

inline void logTimed(MainMod& state, std::initializer_list<TimedQso> qsos) {
    for (const TimedQso& q : qsos) {
        QSORecName record;
        record.QDate = q.date;
        record.QTime = static_cast<std::int16_t>(q.hhmm);
        record.QBandMode = static_cast<BandModeCode>(q.bandMode);
        record.QCall = q.call;
        record.QNr = static_cast<std::int16_t>(state.QSONr);
        record.QRcvd = static_cast<std::int16_t>(q.rcvd);
        state.CurrentBandMode = record.QBandMode;
        setMultAndPoints(state, record, q.exchange, false);
        if (q.points) record.QPoints = q.points;
        ASSERT_TRUE(addLoggedQso(state, record).isOk());
    }
}

// The computer clock at hh:mm on the date of kDay1 (or kDay2), running on GMT.
inline DateTime clockAt(int hhmm, int day = 4) {
    return {2001, 11, day, hhmm / 100, hhmm % 100, 0};
}

inline MainMod gmtLog(ContestNr nr, bool cw = true, const Location& where = {}) {
    MainMod state = newLog(nr, cw, where);
    state.settings.IsGMTFlag = "True";
    return state;
}

}  // namespace keslog::test
