#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Status.h"

namespace keslog {

// A program the logger started and owns (a rigctld for a radio). No call
// waits for it.
class IChildProcess {
  public:
    // Asks the program to end and leaves the waiting for it to others.
    virtual ~IChildProcess() = default;
    // False once the program has ended.
    virtual bool running() = 0;
    // What the program has written to its standard error so far.
    virtual std::string errorOutput() = 0;
};

class IProcessLauncher {
  public:
    virtual ~IProcessLauncher() = default;
    // Starts argv[0], looked up on the PATH, with argv as its arguments and
    // no shell in between; its input and output go nowhere.
    virtual Result<std::unique_ptr<IChildProcess>> start(const std::vector<std::string>& argv) = 0;
};

}  // namespace keslog
