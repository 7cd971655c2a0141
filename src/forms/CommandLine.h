#pragma once

#include <string>
#include <vector>

namespace keslog {

// What `keslog [--program-dir DIR] [LOG.KSL]` was asked to do.
struct CommandLine {
    enum class Action { Run, Help, Version, Refused };
    Action action = Action::Run;
    std::string programDir;  // empty: the default program folder
    std::string logPath;     // empty: start with no log open
    // For measuring the start: print the score line the first time an open
    // log's score is painted, then end.
    bool printScoreAndQuit = false;
    std::string error;  // Refused: what was wrong, for stderr
};

// Reads argv[1..]. --help and --version win wherever they stand, so that
// they work before anything else is looked at.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// What `keslog --help` prints.
std::string commandLineHelp();

}  // namespace keslog
