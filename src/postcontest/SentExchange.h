#pragma once

#include <string>

#include "model/MainMod.h"

namespace keslog {

// The exchange the station sends in the contest of the log, from the
// user-exchange settings: "599 CA", "# BOB CA", "59 #" ... cw picks the
// signal report of the single-mode contests.
std::string sentExchangeText(const MainMod& state, bool cw);

}  // namespace keslog
