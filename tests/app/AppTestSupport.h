#pragma once

#include "forms/LogFiles.h"

namespace keslog::test {

// Log files that never open.
class NoLogFiles : public ILogFiles {
  public:
    Status newLog(MainMod&) override { return Status::error("no"); }
    Status openLog(MainMod&, const std::string&) override { return Status::error("no"); }
    Result<SaveOutcome> saveLog(MainMod&) override { return SaveOutcome::Saved; }
    Status backupLog(MainMod&) override { return Status::ok(); }
    Status writeQso(MainMod&, int) override { return Status::ok(); }
    Status cutAfterLastQso(MainMod&) override { return Status::ok(); }
};

}  // namespace keslog::test
