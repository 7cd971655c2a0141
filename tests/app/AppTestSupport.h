#pragma once

#include "forms/LogFiles.h"

namespace keslog::test {

// Log files that never open.
class NoLogFiles : public ILogFiles {
  public:
    Status openLog(MainMod&, const std::string&) override { return Status::error("no"); }
    Status saveLog(MainMod&) override { return Status::ok(); }
};

}  // namespace keslog::test
