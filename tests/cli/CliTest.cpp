#include <gtest/gtest.h>

#include <sstream>

#include "Cli.h"
#include "support/FakePlatform.h"

namespace keslog::cli {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& args, const std::string& programDir = "/nonexistent") {
    std::ostringstream out, err;
    const int code = runCli(args, programDir, out, err);
    return {code, out.str(), err.str()};
}

TEST(Cli, VersionAndHelp) {
    EXPECT_EQ(run({"--version"}).out, "KESLOG 9.0a\n");
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--program-dir DIR"), std::string::npos);
    for (const Command& c : commands()) EXPECT_NE(help.out.find(c.usage), std::string::npos);
}

TEST(Cli, BadCallsSayWhatIsWrong) {
    EXPECT_EQ(run({}).code, 2);
    const CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "keslog-cli: unknown command 'frobnicate' (see --help)\n");
    const CliRun noDir = run({"check", "--program-dir"});
    EXPECT_EQ(noDir.code, 2);
    EXPECT_EQ(noDir.err, "keslog-cli: --program-dir needs a folder\n");
}

TEST(Cli, ProgramDirReplacesTheShippedFolder) {
    test::TempDir dir;
    const CliRun missing = run({"--program-dir", dir.path(), "check"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "keslog-cli: " + dir.file("KESLOG90.INI") + " cannot be read.\n");

    for (const char* f : {"KESLOG90.INI", "KESLOG90.DAT", "arrl.cty"}) dir.write(f, "x");
    const std::string noSlash = dir.path().substr(0, dir.path().size() - 1);
    const CliRun ok = run({"check", "--program-dir", noSlash});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "start-up files read from " + dir.path() + "\n");
}

TEST(Cli, ShippedDataFolderPassesTheStartupCheck) {
    EXPECT_EQ(run({"check"}, KESLOG_DATA_DIR).code, 0);
}

}  // namespace
}  // namespace keslog::cli
