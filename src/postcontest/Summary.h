#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// The summary sheet's lines (no line ends): station data, the band table,
// the final score, the operating time and the declaration.
std::vector<std::string> summaryLines(const MainMod& state, const RescoredLog& log);

// base name + ".SUM"
std::string summaryPath(const RescoredLog& log);

// The date of the log's first QSO as MM/DD/YY; empty for an empty log.
std::string contestDateText(const MainMod& state, const RescoredLog& log);

// Whole hours (none under one hour) and two-digit minutes: "2:05", ":45".
std::string operatingTimeText(int minutes);

}  // namespace keslog
