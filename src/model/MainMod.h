#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/Band.h"
#include "model/Contest.h"
#include "model/Countries.h"
#include "model/LogTables.h"
#include "model/LookbackCalls.h"
#include "model/Multipliers.h"
#include "model/QsoRecord.h"
#include "model/ReferenceData.h"
#include "model/RuleList.h"
#include "model/Settings.h"
#include "model/Transmit.h"
#include "model/WorkedState.h"

namespace keslog {

class ScpDatabase;
class CallHistory;

// The working file that holds a log until it is saved under a name.
inline constexpr const char* kWorkingFileName = "!temp%!!.cqb";

// The run-time state of the whole program: one object, created once by the
// application (or a test) and passed by reference.
struct MainMod {
    // Contest choice of the open log.
    ContestNr contestNr = contest::None;
    // ModeFlag[0]: phone selected, ModeFlag[1]: CW selected.
    std::array<bool, 2> ModeFlag{false, false};
    bool InStateFlag = false;
    bool QTHUSAFlag = false;
    bool QTHCanadaFlag = false;
    std::string MyContinent = "NA";
    bool CancelFlag = false;  // the contest-choice dialog was cancelled

    BandModeCode CurrentBandMode = bandModeCode(band::B20, false);
    BandActiveSet BandActive{false, true, true, true, true, true, true, false, false};

    LogTables log;
    int QSONr = 1;  // the number the next QSO will get
    // The open log's header record as it stands in the file; whole-log
    // writes (backup, Save As) put it first.
    QSORec logHeader;
    // 97 for SS logs of the current section list; 95 or 96 after an older
    // SS log was converted.
    std::int16_t SSYear = 97;
    // The multiplier list the open log follows; kind None: the lists of
    // the reference data file, as in every log made before rule lists.
    RuleList rules;
    std::string CurrentCall;
    bool NewMultFlag = false;
    int MultIndex = 0;
    MultTables mults;
    // What the log has worked: totals, the sorted call index and the
    // portable calls. Kept by logging, rebuilt by replaying the log.
    ScoreTotals totals;
    CallIndex callIndex;
    PortableCalls portableCalls;
    LookbackCalls lookbackCalls;  // former logs, for call matching
    // Read in the background after start-up and when the preferences or the
    // contest change them; null until then, or when there is none.
    std::shared_ptr<const ScpDatabase> scp;          // check partial
    std::shared_ptr<const CallHistory> callHistory;  // the open log's contest
    CountryTables countries;                         // the country file, read at start-up
    ReferenceData reference;                         // KESLOG90.DAT
    // The partial-match switch: typed calls are matched against this log
    // ("Current Log" in the preferences); lookbackCalls.loaded is the
    // same for the former logs.
    bool matchCurrentLog = true;

    bool logOpen = false;
    std::string programDir;      // always ends in "/"
    std::string currentLogPath;  // the open log file
    Settings settings;

    // Transmit side: the keyer and the two radios. TXRadio transmits;
    // LogRadio's band-mode is CurrentBandMode, RadioBandMode keeps the other's.
    CWState cw;
    std::int16_t TXRadio = 1;
    std::int16_t LogRadio = 1;
    std::array<BandModeCode, 2> RadioBandMode{bandModeCode(band::B20, false),
                                              bandModeCode(band::B20, false)};
    // Each radio's frequency in Hz as its rig last reported it; 0 while
    // none is known (no rig control, rig offline). A QSO keeps the log
    // radio's.
    std::array<std::int64_t, 2> RadioHz{};

    std::string workingFilePath() const { return programDir + kWorkingFileName; }
    bool isWorkingFileOpen() const { return currentLogPath == workingFilePath(); }
    bool phoneMode() const { return !isCw(CurrentBandMode); }
    RecordVariant recordVariant() const;

    // Clears the log and its totals for a new or opened log of the
    // current contest.
    void resetLog();
    // Clears what the log has worked (totals, worked flags, call index,
    // portable calls) and sizes the country counts by the country file.
    void clearWorked();
    // A log was opened or created: radio 1 transmits and logs, and both
    // radios start on the log's band-mode.
    void resetRadios();
};

// "QSO Nr " + QSONr with its leading blank + "    (" + band + " CW"/" SSB" + ")".
std::string qsoNrLabelText(int qsoNr, BandModeCode bandMode);

// Program folder as the rest of the program uses it: ending in "/".
std::string withTrailingSlash(std::string folder);

}  // namespace keslog
