#pragma once

#include "forms/LogFiles.h"
#include "platform/Platform.h"

namespace keslog {

// Starts the log of the contest chosen in the state at path: the file is
// created anew with its header, the totals are empty, the band is 20 m.
Status startLog(MainMod& state, const std::string& path);

// The log files on disk behind the main window's File menu.
class StoredLogFiles : public ILogFiles {
  public:
    explicit StoredLogFiles(Platform& platform);

    Status newLog(MainMod& state) override;
    Status openLog(MainMod& state, const std::string& path) override;
    Result<SaveOutcome> saveLog(MainMod& state) override;
    Status backupLog(MainMod& state) override;
    Status writeQso(MainMod& state, int n) override;
    Status cutAfterLastQso(MainMod& state) override;

  private:
    Platform& platform_;
};

}  // namespace keslog
