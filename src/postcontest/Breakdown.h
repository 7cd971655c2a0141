#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// Where a contest's hour table starts and how many hour rows it prints.
struct HourRows {
    int startMinute = 0;  // running minute of the first row's hour
    int rows = 48;
};
HourRows hourRowsOf(ContestNr nr);

// The hour row (1..rows) of a QSO's running minute. QSOs before the
// contest's start fall into the first row and QSOs after its last hour
// into the last one, so every QSO is counted in the table.
int hourRowOf(const HourRows& hours, int runningMinute);

// The hourly break-down sheet's lines (no line ends): QSOs per band and
// hour, rates per band, and the continent (WPX) or multiplier (CQP, SS)
// tables.
std::vector<std::string> breakdownLines(const MainMod& state, const RescoredLog& log);

// base name + ".BRK"
std::string breakdownPath(const RescoredLog& log);

}  // namespace keslog
