#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Band.h"
#include "model/MainMod.h"
#include "model/OperatingTime.h"
#include "platform/Status.h"
#include "storage/LogOpening.h"

namespace keslog {

// What the re-scoring pass found out about one QSO.
struct RescoredQso {
    bool dupe = false;           // worked before by the contest's dupe rule
    int newMults = 0;            // multipliers this QSO was first to work
    int runningMinute = 0;       // (day index - 1) x 1440 + minute of the day
    std::string continentClass;  // WPX only: "US", "VE", "JA" or a continent
};

// A finished log read back from its file and scored from scratch; every
// post-contest output is written from this and the log in MainMod.
struct RescoredLog {
    std::string path;      // the log file
    std::string baseName;  // the path without ".KSL"; outputs add their extension
    int currentYear = 0;   // the year dates are read against (see calendarDateOf)
    bool cwFlag = false;   // CW exchanges (RST 599); CQP and PAQP set both flags
    bool ssbFlag = false;
    std::string openingNotices;  // an incomplete last record, an unusable frequency file

    int qsoCount = 0;
    std::int32_t qsoPoints = 0;  // PAQP: in tenths of a point
    int multCount = 0;
    std::int32_t claimedScore = 0;
    // Trimmed decimal texts for the summary sheet.
    std::string countText;
    std::string pointsText;
    std::string multsText;

    std::vector<RescoredQso> qsos;                                     // QSO n at index n - 1
    std::array<int, 2 * kBandCount + 1> qsosPerBandMode{};             // band-mode code 1..16
    std::array<int, 2 * kBandCount + 1> dupesPerBandMode{};            // band-mode code 1..16
    std::array<int, kBandCount + 1> qsosPerBand{};                     // band index 1..8
    std::array<std::int32_t, kBandCount + 1> pointsPerBand{};          // PAQP: tenths, as qsoPoints
    std::array<std::int32_t, 2 * kBandCount + 1> pointsPerBandMode{};  // band-mode code 1..16
    std::array<int, kBandCount + 1> multsPerBand{};
    OperatingTime time;  // on-time per band-mode and total operating minutes
};

// CQP and PAQP logs hold both modes.
bool isMixedMode(ContestNr nr);

// The base name of a log path: the path without its ".KSL" (any case).
// Any other name is refused, so no output can land on the log itself.
Result<std::string> outputBaseName(const std::string& logPath);

// Reads the log file at path afresh (converting older layouts as opening
// does, with the same questions), makes it the log in memory and scores it
// from scratch QSO by QSO with the logging rules. currentYear dates the
// QSOs. A refusal leaves the log in memory cleared.
Result<RescoredLog> rescoreLog(MainMod& state, const std::string& path,
                               const OpenServices& services, int currentYear);

}  // namespace keslog
