#pragma once

#include <string>

#include "model/MainMod.h"
#include "platform/Status.h"
#include "storage/DataFile.h"
#include "storage/SettingsFile.h"

namespace keslog {

// What the main window asks of the log-file subsystem: opening a log by
// path (recent files, crash recovery) and saving the open one.
class ILogFiles {
  public:
    virtual ~ILogFiles() = default;
    virtual Status openLog(MainMod& state, const std::string& path) = 0;
    virtual Status saveLog(MainMod& state) = 0;
};

// The start-up files every run needs, read under one trap: KESLOG90.INI,
// the country file and KESLOG90.DAT, in that order.
inline constexpr const char* kCountryFileName = "arrl.cty";

Status readStartupFiles(MainMod& state);

}  // namespace keslog
