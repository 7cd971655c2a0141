#pragma once

#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "model/MainMod.h"

namespace keslog::cli {

// What every command gets: its own arguments (options already taken out),
// the program folder and the output streams.
struct Context {
    std::vector<std::string> args;
    std::string programDir;  // ends in "/"
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
};

struct Command {
    std::string name;
    std::string usage;    // e.g. "lookup CALL..."
    std::string summary;  // one line for --help
    std::function<int(Context&)> run;
};

// Takes "--name VALUE..." out of the arguments; false when values are
// missing.
bool takeOption(std::vector<std::string>& args, const std::string& name,
                std::vector<std::string>& values, std::size_t count);

// The lines "keslog-cli score" prints for the open log.
void printScore(std::ostream& out, const MainMod& state);

// A contest as the commands name it (ARRLDX, CQP, ...; any case);
// contest::None for any other name.
ContestNr contestNamed(const std::string& name);
inline constexpr const char* kContestNames = "ARRLDX, CQP, CQWW, SPRINT, SS, WPX, AA, PAQP, NAQP";

// The command table; later capabilities add their rows here.
const std::vector<Command>& commands();

// Runs keslog-cli with argv[1..]; returns the exit code. defaultProgramDir
// is the folder of the shipped data files next to the executable.
int runCli(const std::vector<std::string>& args, const std::string& defaultProgramDir,
           std::ostream& out, std::ostream& err, std::istream& in = std::cin);

}  // namespace keslog::cli
