#pragma once

#include <optional>
#include <string>

#include "model/MainMod.h"
#include "platform/Status.h"

namespace keslog {

// Where the backup copy goes: the BackUpDrive folder and the log's file
// name; nullopt when backups are off ("[none]" or no folder set).
std::optional<std::string> backupPath(const MainMod& state);

// Writes the whole log (header copy, then every QSO) to the backup path.
// The old backup is replaced only once the new one is complete; a backup
// folder that would put the copy over the open log itself is refused.
Status backupLog(const MainMod& state);

}  // namespace keslog
