#include "postcontest/Rescore.h"

#include <algorithm>
#include <cctype>

#include "entry/Dupes.h"
#include "entry/Scoring.h"
#include "postcontest/ContinentClass.h"
#include "storage/DataFile.h"

namespace keslog {

bool isMixedMode(ContestNr nr) {
    return nr == contest::Cqp || nr == contest::Paqp;
}

Result<std::string> outputBaseName(const std::string& logPath) {
    std::string ext = logPath.size() >= 4 ? logPath.substr(logPath.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (ext != ".KSL" || logPath.size() == 4 || logPath.back() == '/')
        return Status::error("The file " + logPath +
                             " is not a .KSL log file.  Nothing was processed.");
    return logPath.substr(0, logPath.size() - 4);
}

Result<RescoredLog> rescoreLog(MainMod& state, const std::string& path,
                               const OpenServices& services, int currentYear) {
    state.resetLog();
    state.clearWorked();
    Result<std::string> base = outputBaseName(path);
    if (!base) return base.status();
    Result<OpenedLog> opened = readLogForOpening(path, services);
    if (!opened) return opened.status();
    RescoredLog out;
    out.openingNotices = openingNotices(*opened);
    adoptOpenedLog(state, std::move(*opened));
    state.currentLogPath = path;

    out.path = path;
    out.baseName = std::move(*base);
    out.currentYear = currentYear;
    const bool mixed = isMixedMode(state.contestNr);
    out.cwFlag = mixed || state.ModeFlag[1];
    out.ssbFlag = mixed || !state.ModeFlag[1];
    out.time = OperatingTime(state.contestNr);

    // The per-QSO steps of replayLog, with what each QSO did kept on the way.
    ExpandMultTables(state.reference, state.contestNr == contest::Cqp && state.InStateFlag,
                     state.mults, state.rules);
    state.clearWorked();
    const int count = state.log.count();
    out.qsos.resize(static_cast<std::size_t>(count));
    const BandModeCode openedBandMode = state.CurrentBandMode;
    for (int n = 1; n <= count; ++n) {
        const QSORecName record = state.log.at(n);
        RescoredQso& q = out.qsos[static_cast<std::size_t>(n - 1)];
        const std::string call = record.QCall.trimmed();
        // The dupe rule looks at the band-mode in use: the QSO's own.
        state.CurrentBandMode = record.QBandMode;
        q.dupe = checkDupe(state, call).dupe;
        const int multsBefore = state.totals.multCount;
        markQso(state, n, record);
        q.newMults = state.totals.multCount - multsBefore;
        q.runningMinute = out.time.add(record.QDate, record.QTime, record.QBandMode);
        if (state.contestNr == contest::Wpx)
            q.continentClass = continentClassOfCall(state.countries, call);
        if (isValidBandMode(record.QBandMode)) {
            const auto code = static_cast<std::size_t>(record.QBandMode);
            const auto band = static_cast<std::size_t>(bandIndexOf(record.QBandMode));
            ++out.qsosPerBandMode[code];
            if (q.dupe) ++out.dupesPerBandMode[code];
            ++out.qsosPerBand[band];
            const int points = pointValue(state.contestNr, record);
            out.pointsPerBand[band] += points;
            out.pointsPerBandMode[code] += points;
            out.multsPerBand[band] += q.newMults;
        }
    }
    state.CurrentBandMode = openedBandMode;
    state.QSONr = count + 1;
    state.NewMultFlag = false;
    state.MultIndex = 0;

    out.qsoCount = count;
    out.qsoPoints = state.totals.qsoPoints;
    out.multCount = state.totals.multCount;
    out.claimedScore = state.totals.score;
    out.countText = std::to_string(out.qsoCount);
    out.pointsText = pointsText(state);
    out.multsText = std::to_string(out.multCount);
    return out;
}

}  // namespace keslog
