#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// The submission file's lines (no line ends): header, one "QSO:" line per
// QSO of the log in memory, "END-OF-LOG:". The station data, categories
// and the sent exchange come from the settings. Version 3 is today's form
// (QSO lines in time order, columns as the sponsors publish them);
// version 2 the form of 1997, in log order.
std::vector<std::string> cabrilloLines(const MainMod& state, const RescoredLog& log,
                                       int version = 3);

// The CONTEST name sponsors use today, with the mode where it has one.
std::string cabrilloContestName(ContestNr nr, bool cw);

// How many fields follow "QSO:" in a line of the contest of that CONTEST
// name; 0 for a name this program does not write.
int cabrilloQsoFieldCount(std::string_view contestName);

// The file name of the submission file: base name + ".LOG".
std::string cabrilloPath(const RescoredLog& log);

}  // namespace keslog
