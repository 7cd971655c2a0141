#pragma once

#include "forms/LogFiles.h"
#include "platform/Platform.h"
#include "storage/LogConversion.h"

namespace keslog {

// The log files on disk behind the main window's File menu.
class StoredLogFiles : public ILogFiles {
  public:
    // wpxPrefixOf converts WPX logs of the older layout; without it they
    // are refused.
    StoredLogFiles(Platform& platform, CallPrefixFn wpxPrefixOf);

    Status openLog(MainMod& state, const std::string& path) override;
    Result<SaveOutcome> saveLog(MainMod& state) override;
    Status backupLog(MainMod& state) override;

  private:
    Platform& platform_;
    CallPrefixFn wpxPrefixOf_;
};

}  // namespace keslog
