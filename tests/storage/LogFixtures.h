#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <string>

#include "model/MainMod.h"
#include "model/QsoRecord.h"
#include "rig/RigBands.h"
#include "storage/LogFile.h"

namespace keslog::test {

// A log in memory for a contest, writing to path.
inline MainMod logFor(ContestNr contest, const std::string& path, bool cw = true) {
    MainMod state;
    state.contestNr = contest;
    state.ModeFlag = {!cw, cw};
    state.currentLogPath = path;
    state.resetLog();
    return state;
}

// Logs a QSO as the entry line does, without scoring: into the log tables
// with its frequency (Hz, 0: none), then onto the disk.
inline Status logQso(MainMod& state, const QSORecName& qso, std::int64_t hz = 0) {
    if (Status added = state.log.append(qso, hz); !added) return added;
    state.QSONr = state.log.count() + 1;
    return writeQso(state, state.log.count());
}

// A QSO worth one point of a call, band-mode and multiplier text.
inline QSORecName qsoOf(const std::string& call, const std::string& mult,
                        BandModeCode bandMode = 3) {
    QSORecName q;
    q.QDate = 31041;
    q.QTime = 1234;
    q.QBandMode = bandMode;
    q.QCall = call;
    q.QMult = mult;
    q.QPoints = "1";
    return q;
}

// QSO number n of a test log: every field depends on n, so a record in the
// wrong place or with a wrong field shows.
inline QSORecName sampleQso(int n) {
    QSORecName q;
    q.QDate = 31041;
    q.QTime = static_cast<std::int16_t>(1200 + n % 60);
    q.QBandMode = static_cast<std::int16_t>(1 + n % 16);
    q.QCall = "K" + std::to_string(n) + "ABC";
    q.QNr = static_cast<std::int16_t>(n);
    q.QRcvd = static_cast<std::int16_t>(n % 40 + 1);
    q.QMult = " " + std::to_string(n % 72 + 1);
    q.QPoints = std::to_string(n % 7);
    q.QName = "NAME" + std::to_string(n);
    return q;
}

// The frequency QSO n of a test log was made on: every third has none,
// the others lie on its band and differ by n.
inline std::int64_t sampleHz(int n) {
    return n % 3 == 0 ? 0 : segmentStartHz(sampleQso(n).QBandMode) + 10 * n;
}

// A header record as a file holds it: date, time and band-mode 0, a blank
// call, format marker 0, received number 0, then identifier, qualifier and
// location digit.
inline std::string header26(const std::string& mult, char location) {
    return std::string(6, '\0') + std::string(10, ' ') + std::string(4, '\0') + mult + location;
}

// The same QSO as a 26-byte log keeps it (no name).
inline QSORecName withoutName(QSORecName q) {
    q.QName = "";
    return q;
}

// A disk that fills up: while this lives, no file of the process may grow
// beyond the given size, and writes past it fail as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    sighandler_t oldHandler_ = nullptr;
};

}  // namespace keslog::test
