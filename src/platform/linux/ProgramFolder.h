#pragma once

#include <string>

#include "platform/Status.h"

namespace keslog {

// The program folder the logger reads its start-up files from and rewrites
// KESLOG90.INI in (ends in "/").
//
// A folder holding the start-up files next to the executable (a build's
// bin/ folder, or a copied program folder) is used as it is. An installed
// program finds its shipped files read-only in ../share/keslog beside its
// bin/ folder; it then works in the user's own folder, dataHome/keslog
// ($XDG_DATA_HOME or ~/.local/share), made on the first start and given
// each shipped file it lacks. The operator's own files there are never
// replaced.
Result<std::string> programFolderFor(const std::string& executableDir, const std::string& dataHome);

// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share; empty when neither is known.
std::string userDataHome();

// programFolderFor the running executable's folder and the user's data
// folder.
Result<std::string> defaultProgramFolder(const std::string& executableDir);

}  // namespace keslog
