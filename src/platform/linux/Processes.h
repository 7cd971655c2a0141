#pragma once

#include "platform/Processes.h"

namespace keslog {

// Programs started with posix_spawnp. Their standard error comes back
// through a non-blocking pipe; an ended program is reaped by a short-lived
// thread, so stopping one never holds up the caller.
class PosixProcessLauncher : public IProcessLauncher {
  public:
    Result<std::unique_ptr<IChildProcess>> start(const std::vector<std::string>& argv) override;
};

}  // namespace keslog
