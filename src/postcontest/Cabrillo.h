#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// The submission file's lines (no line ends): header, one "QSO:" line per
// QSO of the log in memory, "END-OF-LOG:". The station data and the sent
// exchange come from the settings.
std::vector<std::string> cabrilloLines(const MainMod& state, const RescoredLog& log);

// The file name of the submission file: base name + ".LOG".
std::string cabrilloPath(const RescoredLog& log);

}  // namespace keslog
