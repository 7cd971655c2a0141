#include <gtest/gtest.h>

#include "forms/CommandLine.h"

namespace keslog {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, TakesTheProgramFolderOneLogAndTheMeasuringOption) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string programDir;
        std::string logPath;
        bool printScore;
        std::string error;
    };
    const Case cases[] = {
        {{}, Action::Run, "", "", false, ""},
        {{"/logs/K1AR.KSL"}, Action::Run, "", "/logs/K1AR.KSL", false, ""},
        {{"--program-dir", "/p", "K1AR.KSL", "--print-score-and-quit"},
         Action::Run,
         "/p",
         "K1AR.KSL",
         true,
         ""},
        {{"K1AR.KSL", "--help"}, Action::Help, "", "", false, ""},
        {{"--bogus", "--version"}, Action::Version, "", "", false, ""},
        {{"--program-dir"},
         Action::Refused,
         "",
         "",
         false,
         "--program-dir needs a folder (see --help)"},
        {{"-x", "K1AR.KSL"}, Action::Refused, "", "", false, "unknown option '-x' (see --help)"},
        {{"A.KSL", "B.KSL"},
         Action::Refused,
         "",
         "",
         false,
         "only one log can be opened, not 'A.KSL' and 'B.KSL' (see --help)"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        SCOPED_TRACE(testing::PrintToString(c.args));
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.programDir, c.programDir);
        EXPECT_EQ(line.logPath, c.logPath);
        EXPECT_EQ(line.printScoreAndQuit, c.printScore);
        EXPECT_EQ(line.error, c.error);
    }
}

}  // namespace
}  // namespace keslog
