#include <gtest/gtest.h>

#include <sstream>

#include "Cli.h"
#include "storage/DataFile.h"

namespace keslog::cli {
namespace {

TEST(Cli, ShowDataPrintsTheTablesInTheFilesOwnForm) {
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"show", "data"}, KESLOG_DATA_DIR, out, err), 0);
    const std::string shown = out.str();
    EXPECT_TRUE(shown.starts_with("[CQP, SS Mults]\nAK/ALASKA\nAL/ALABAMA/ALA\n"));
    EXPECT_NE(shown.find("\n\n[CW Characters]\n13\n3111\n"), std::string::npos);
    // What it prints is a data file that loads the same tables.
    MainMod shipped;
    shipped.programDir = std::string(KESLOG_DATA_DIR) + "/";
    ASSERT_TRUE(ReadDataFile(shipped));
    ReferenceData reread;
    ASSERT_TRUE(ReadDataFile(shown, reread));
    EXPECT_EQ(reread, shipped.reference);
}

TEST(Cli, SpotsFromStandardInput) {
    std::istringstream in("garbage\nDX de K1TTT: 14025.0 JA1ABC 2400Z\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"spots"}, "/nonexistent", out, err, in), 0);
    EXPECT_EQ(out.str(), "not spots: 2\n");
}

}  // namespace
}  // namespace keslog::cli
