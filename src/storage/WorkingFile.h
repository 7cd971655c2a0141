#pragma once

#include <string>

#include "model/MainMod.h"
#include "platform/Status.h"

namespace keslog {

// True when a chosen log name ends in "KSL", in any case.
bool hasLogExtension(const std::string& name);

// True when both paths name the same file (an existing one, through links
// and relative parts too).
bool isSameFile(const std::string& a, const std::string& b);

// Gives the unnamed log its name: the whole log is written under target,
// read back and compared, and only then is the working file deleted and
// target made the log that QSOs go to (and the first recent file). On any
// failure the log stays in the working file.
Status saveWorkingLogAs(MainMod& state, const std::string& target);

}  // namespace keslog
