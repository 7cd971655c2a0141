#include <gtest/gtest.h>

#include "forms/CommandLine.h"

namespace keslog {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, TakesTheProgramFolderOneLogAndTheMeasuringOption) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string programDir, logPath;
        bool printScore;
    };
    const Case cases[] = {
        {{}, Action::Run, "", "", false},
        {{"/logs/K1AR.KSL"}, Action::Run, "", "/logs/K1AR.KSL", false},
        {{"--program-dir", "/p", "K1AR.KSL", "--print-score-and-quit"},
         Action::Run,
         "/p",
         "K1AR.KSL",
         true},
        {{"K1AR.KSL", "--help"}, Action::Help, "", "", false},
        {{"--bogus", "--version"}, Action::Version, "", "", false},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.programDir, c.programDir);
        EXPECT_EQ(line.logPath, c.logPath);
        EXPECT_EQ(line.printScoreAndQuit, c.printScore);
        EXPECT_EQ(line.error, "");
    }
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--program-dir"}, "--program-dir needs a folder (see --help)"},
        {{"-x", "K1AR.KSL"}, "unknown option '-x' (see --help)"},
        {{"A.KSL", "B.KSL"}, "only one log can be opened, not 'A.KSL' and 'B.KSL' (see --help)"},
    };
    for (const auto& [args, error] : refused) {
        const CommandLine line = parseCommandLine(args);
        EXPECT_EQ(line.action, Action::Refused) << error;
        EXPECT_EQ(line.logPath, "") << error;
        EXPECT_EQ(line.error, error);
    }
}

}  // namespace
}  // namespace keslog
