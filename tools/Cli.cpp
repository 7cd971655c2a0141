#include "Cli.h"

#include <ostream>

#include "forms/LogFiles.h"
#include "model/MainMod.h"
#include "model/Version.h"

namespace keslog::cli {

namespace {

int checkStartupFiles(Context& ctx) {
    MainMod state;
    state.programDir = ctx.programDir;
    const Status read = readStartupFiles(state);
    if (!read) {
        ctx.err << "keslog-cli: " << read.message() << "\n";
        return 1;
    }
    ctx.out << "start-up files read from " << ctx.programDir << "\n";
    return 0;
}

void printHelp(std::ostream& out) {
    out << "usage: keslog-cli [--program-dir DIR] COMMAND [ARGS...]\n"
           "       keslog-cli --version | --help\n\n"
           "--program-dir DIR reads KESLOG90.INI, KESLOG90.DAT and arrl.cty from DIR\n"
           "instead of the shipped data folder.\n\ncommands:\n";
    for (const Command& c : commands()) {
        out << "  " << c.usage;
        for (std::size_t i = c.usage.size(); i < 28; ++i) out << ' ';
        out << ' ' << c.summary << "\n";
    }
}

}  // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> table{
        {"check", "check", "read the start-up files as the logger does", checkStartupFiles},
    };
    return table;
}

int runCli(const std::vector<std::string>& args, const std::string& defaultProgramDir,
           std::ostream& out, std::ostream& err) {
    std::string programDir = defaultProgramDir;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--version") {
            out << kProgramName << " " << kProgramVersion << "\n";
            return 0;
        }
        if (a == "--help" || a == "-h") {
            printHelp(out);
            return 0;
        }
        if (a == "--program-dir") {
            if (i + 1 >= args.size()) {
                err << "keslog-cli: --program-dir needs a folder\n";
                return 2;
            }
            programDir = args[++i];
            continue;
        }
        rest.push_back(a);
    }
    if (rest.empty()) {
        printHelp(err);
        return 2;
    }
    for (const Command& c : commands()) {
        if (c.name != rest.front()) continue;
        Context ctx{{rest.begin() + 1, rest.end()}, withTrailingSlash(programDir), out, err};
        return c.run(ctx);
    }
    err << "keslog-cli: unknown command '" << rest.front() << "' (see --help)\n";
    return 2;
}

}  // namespace keslog::cli
