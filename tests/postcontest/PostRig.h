#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/LogFiles.h"
#include "platform/Files.h"
#include "postcontest/CabrilloCheck.h"
#include "postcontest/Rescore.h"
#include "storage/LogFile.h"
#include "storage/LogFixtures.h"
#include "support/FakePlatform.h"

namespace keslog::test {

// A program folder with the shipped start-up files read into a MainMod,
// the station's user information and its sent exchange in every contest
// filled in, and log files written there.
struct PostRig {
    TempDir dir;
    MainMod state;
    FakePlatform fakes;
    Platform platform = fakes.services();
    FakeMessageBox& messages = fakes.messageBox;

    PostRig() {
        copyShippedStartupFiles(dir);
        state.programDir = dir.path();
        EXPECT_TRUE(readStartupFiles(state));
        Settings& s = state.settings;
        s.UserCallsign = "K6XX";
        s.UserClub = "NCCC";
        s.UserName = "Bob Smith";
        s.UserAddress = "1 Main St";
        s.UserCity = "Town";
        s.UserState = "CA";
        s.UserPostalCode = "95000";
        s.UserCountry = "USA";
        s.UserEmail = "k6xx@example.com";
        s.UserGrid = "CM87";
        s.ExchangeARRLMult = s.ExchangeSprintMult = s.ExchangeNAQPMult = "CA";
        s.ExchangePAQPMult = "CA";
        s.ExchangeCQPMult = "OR";
        s.ExchangeCQWWMult = "3";
        s.ExchangeSprintName = s.ExchangeNAQPName = "BOB";
        s.ExchangeSSPrec = "A";
        s.ExchangeSSCall = "K6XX";
        s.ExchangeSSCheck = "72";
        s.ExchangeSSSection = "SV";
        s.ExchangeAAMult = "45";
    }

    // Writes a log file of the contest holding the QSOs, as logging does,
    // with the frequencies given (Hz, 0: none).
    std::string writeLog(const std::string& name, ContestNr contest, bool cw,
                         const std::vector<QSORecName>& qsos, bool inState = false,
                         const std::vector<std::int64_t>& hz = {}) {
        MainMod log = logFor(contest, dir.file(name), cw);
        log.InStateFlag = inState;
        EXPECT_TRUE(createLogFile(log));
        for (std::size_t i = 0; i < qsos.size(); ++i)
            EXPECT_TRUE(logQso(log, qsos[i], i < hz.size() ? hz[i] : 0));
        return dir.file(name);
    }

    OpenServices services() { return openServicesOf(state, messages); }

    // Such a log read back and scored as post-contest processing does.
    RescoredLog rescore(const std::string& name, ContestNr contest, bool cw,
                        const std::vector<QSORecName>& qsos, bool inState = false,
                        int year = 2026) {
        const std::string path = writeLog(name, contest, cw, qsos, inState);
        Result<RescoredLog> log = rescoreLog(state, path, services(), year);
        EXPECT_TRUE(log) << log.status().message();
        return log ? *log : RescoredLog();
    }
};

// What the checker finds in a submission file as written (CR LF lines).
inline std::vector<std::string> cabrilloFileProblems(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return cabrilloProblems(lines);
}

// A QSO of the given fields on 2021-11-04 (date code 31041) at 12:34.
inline QSORecName postQso(const std::string& call, BandModeCode bandMode, int nr, int rcvd,
                          const std::string& mult, const std::string& points,
                          const std::string& name = "") {
    QSORecName q;
    q.QDate = 31041;
    q.QTime = 1234;
    q.QBandMode = bandMode;
    q.QCall = call;
    q.QNr = static_cast<std::int16_t>(nr);
    q.QRcvd = static_cast<std::int16_t>(rcvd);
    q.QMult = mult;
    q.QPoints = points;
    q.QName = name;
    return q;
}

// The same QSO at another date code and time.
inline QSORecName at(QSORecName q, std::int16_t date, std::int16_t time) {
    q.QDate = date;
    q.QTime = time;
    return q;
}

}  // namespace keslog::test
