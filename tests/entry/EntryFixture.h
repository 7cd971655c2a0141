#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "callsign/CountryFile.h"
#include "entry/Dupes.h"
#include "entry/Scoring.h"
#include "model/MainMod.h"
#include "storage/DataFile.h"
#include "support/FakePlatform.h"

namespace keslog::test {

// A small country file whose countries are easy to follow by hand:
// 1 K (NA), 2 VE (NA), 3 KH6 (OC), 4 KL (NA), 5 DL (EU), 6 G (EU),
// 7 JA (AS), 8 PY (SA), 9 BY (AS), 10 UA9 (AS).
inline constexpr const char* kTestCountries =
    "United States(111):05:K:AA,AB,AC,AD,AE,AF,AG,AI,AJ,AK,K,N,W;\n"
    "Canada(066):05:VE:VA,VE,VY;\n"
    "Hawaii(268):31:KH6:KH6,AH6,NH6,WH6;\n"
    "Alaska(322):01:KL:KL,AL,NL,WL;\n"
    "Germany(043):14:DL:DA,DB,DC,DD,DE,DF,DG,DH,DI,DJ,DK,DL;\n"
    "England(042):14:G:G,M,2E;\n"
    "Japan(318):25:JA:JA,JE,JF,JG,JH,JI,JJ,JK,JL,JM,JN,JO,JP,JQ,JR,JS,7J;\n"
    "Brazil(129):11:PY:PP,PQ,PR,PS,PT,PU,PV,PW,PX,PY;\n"
    "China(343):24:BY:BA,BD,BG,BH,BI,BY;\n"
    "Asiatic Russia(359):17:UA9:UA9,UA0,RA9,RA0;\n";

// Where the station is, as the contest-choice dialog sets it.
struct Location {
    bool inState = false;
    bool usa = false;
    bool canada = false;
    std::string continent = "NA";
};

// The program's state for a new log of the contest: the shipped reference
// data, the small country file above, empty totals.
inline MainMod newLog(ContestNr nr, bool cw = true, const Location& where = {}) {
    MainMod state;
    EXPECT_TRUE(ReadDataFile(shippedFile("KESLOG90.DAT"), state.reference).isOk());
    Result<CountryTables> countries = parseCountryFile(kTestCountries, "arrl.cty");
    EXPECT_TRUE(countries.isOk());
    state.countries = std::move(*countries);
    state.contestNr = nr;
    state.ModeFlag = {!cw, cw};
    state.InStateFlag = where.inState;
    state.QTHUSAFlag = where.usa;
    state.QTHCanadaFlag = where.canada;
    state.MyContinent = where.continent;
    state.resetLog();
    replayLog(state);
    return state;
}

// One QSO as the operator logs it, with what scoring must make of it.
struct LoggedQso {
    std::string call;
    int bandMode = 3;
    int rcvd = 0;
    std::string qmult{};   // QMult as stored, trailing blanks dropped
    std::string points{};  // QPoints
    int newMults = 0;      // multipliers this QSO is first to work
    ReceivedExchange exchange{};
    std::string name{};
    bool dupe = false;  // the dupe check finds it a dupe; it is logged anyway
};

// Logs the QSOs one after another as the entry line does: dupe check on
// the band-mode in use, QMult and points, into the log, marked.
inline void logQsos(MainMod& state, const std::vector<LoggedQso>& qsos) {
    for (const LoggedQso& q : qsos) {
        SCOPED_TRACE("QSO " + std::to_string(state.QSONr) + " " + q.call);
        state.CurrentBandMode = static_cast<BandModeCode>(q.bandMode);
        const DupeCheck check = checkDupe(state, q.call);
        EXPECT_EQ(check.dupe, q.dupe);
        QSORecName record;
        record.QDate = 31041;
        record.QTime = static_cast<std::int16_t>(1200 + state.QSONr);
        record.QBandMode = static_cast<BandModeCode>(q.bandMode);
        record.QCall = q.call;
        record.QNr = static_cast<std::int16_t>(state.QSONr);
        record.QRcvd = static_cast<std::int16_t>(q.rcvd);
        record.QName = q.name;
        setMultAndPoints(state, record, q.exchange, check.dupe);
        EXPECT_EQ(trimRight(record.QMult.raw()), q.qmult);
        EXPECT_EQ(record.QPoints.trimmed(), q.points);
        const int multsBefore = state.totals.multCount;
        ASSERT_TRUE(addLoggedQso(state, record).isOk());
        EXPECT_EQ(state.totals.multCount - multsBefore, q.newMults);
        EXPECT_EQ(state.NewMultFlag, q.newMults > 0);
    }
}

// Puts QSOs into the log without scoring concerns: only call and band-mode.
inline void logCalls(MainMod& state, const std::vector<std::pair<std::string, int>>& qsos) {
    for (const auto& [call, bandMode] : qsos) {
        QSORecName q;
        q.QCall = call;
        q.QBandMode = static_cast<BandModeCode>(bandMode);
        q.QNr = static_cast<std::int16_t>(state.QSONr);
        ASSERT_TRUE(addLoggedQso(state, q).isOk());
    }
}

inline ReceivedExchange mult(std::string text) {
    ReceivedExchange exchange;
    exchange.multText = std::move(text);
    return exchange;
}

inline ReceivedExchange ss(std::string precedence, std::string check, std::string section) {
    ReceivedExchange exchange;
    exchange.ssPrecedence = std::move(precedence);
    exchange.ssCheck = std::move(check);
    exchange.ssSection = std::move(section);
    return exchange;
}

// Band-mode codes.
namespace bm {
inline constexpr int CW10 = 1, CW15 = 2, CW20 = 3, CW40 = 4, CW80 = 5, CW160 = 6, CW6 = 7, CW2 = 8;
inline constexpr int PH10 = 9, PH15 = 10, PH20 = 11, PH40 = 12, PH80 = 13, PH160 = 14, PH6 = 15,
                     PH2 = 16;
}  // namespace bm

}  // namespace keslog::test
