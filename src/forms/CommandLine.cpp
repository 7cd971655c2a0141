#include "forms/CommandLine.h"

#include <algorithm>

namespace keslog {

namespace {

CommandLine refused(const std::string& why) {
    CommandLine line;
    line.action = CommandLine::Action::Refused;
    line.error = why + " (see --help)";
    return line;
}

bool has(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (has(args, "--help") || has(args, "-h")) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (has(args, "--version")) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--program-dir") {
            if (i + 1 >= args.size()) return refused("--program-dir needs a folder");
            line.programDir = args[++i];
        } else if (a == "--print-score-and-quit") {
            line.printScoreAndQuit = true;
        } else if (a.starts_with("-")) {
            return refused("unknown option '" + a + "'");
        } else if (!line.logPath.empty()) {
            return refused("only one log can be opened, not '" + line.logPath + "' and '" + a +
                           "'");
        } else {
            line.logPath = a;
        }
    }
    return line;
}

std::string commandLineHelp() {
    return "usage: keslog [--program-dir DIR] [LOG.KSL]\n"
           "       keslog --version | --help\n\n"
           "Opens LOG.KSL as File, Open does; a double-click on a log in a file manager\n"
           "starts keslog this way.\n\n"
           "--program-dir DIR        reads KESLOG90.INI, KESLOG90.DAT and arrl.cty from\n"
           "                         DIR and keeps the settings there\n"
           "--print-score-and-quit   for measuring the start: prints the score line the\n"
           "                         first time an open log's score is painted, then ends\n";
}

}  // namespace keslog
