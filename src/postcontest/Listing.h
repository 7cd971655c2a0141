#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// The log listing's lines (no line ends): one per QSO of the log in
// memory, with its new multiplier marked and the first QSO after each
// break marked "*ON".
std::vector<std::string> listingLines(const MainMod& state, const RescoredLog& log);

// base name + ".ASC"
std::string listingPath(const RescoredLog& log);

}  // namespace keslog
