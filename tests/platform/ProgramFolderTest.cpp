#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/linux/ProgramFolder.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

namespace fs = std::filesystem;

// An installed program: usr/bin without start-up files, the shipped
// files read-only in usr/share/keslog, an empty home.
class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir.file("usr/bin"));
        fs::create_directories(dir.file("usr/share/keslog/help"));
        fs::create_directories(dir.file("home/.local/share"));
        ship("KESLOG90.DAT", "data");
        ship("KESLOG90.INI", "[Preferences]\n");
        ship("arrl.cty", "countries");
        ship("help/contents.html", "<html>");
    }
    void ship(const std::string& name, const std::string& bytes) {
        dir.write("usr/share/keslog/" + name, bytes);
        ::chmod(dir.file("usr/share/keslog/" + name).c_str(), 0444);
    }
    std::string bin() const { return dir.file("usr/bin"); }
    std::string dataHome() const { return dir.file("home/.local/share"); }
    std::string user(const std::string& name) const { return dataHome() + "/keslog/" + name; }

    test::TempDir dir;
};

TEST_F(ProgramFolderTest, AFolderWithTheStartupFilesIsUsedAsItIs) {
    dir.write("usr/bin/KESLOG90.DAT", "build");
    EXPECT_EQ(*programFolderFor(bin(), dataHome()), bin() + "/");
    // Without shipped files the executable's folder is named too.
    fs::remove(dir.file("usr/bin/KESLOG90.DAT"));
    fs::remove_all(dir.file("usr/share/keslog"));
    EXPECT_EQ(*programFolderFor(bin(), dataHome()), bin() + "/");
    EXPECT_FALSE(fs::exists(dataHome() + "/keslog"));
}

TEST_F(ProgramFolderTest, InstalledTheUsersFolderIsMadeFromTheShippedFiles) {
    const Result<std::string> folder = programFolderFor(bin(), dataHome());
    ASSERT_TRUE(folder.isOk()) << folder.status().message();
    EXPECT_EQ(*folder, dataHome() + "/keslog/");
    const std::pair<const char*, const char*> files[] = {{"KESLOG90.DAT", "data"},
                                                         {"KESLOG90.INI", "[Preferences]\n"},
                                                         {"arrl.cty", "countries"},
                                                         {"help/contents.html", "<html>"}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(dir.read("home/.local/share/keslog/" + std::string(name)), bytes);
        // The settings file is rewritten by the logger: the copies are the
        // owner's to write, though the shipped files are read-only.
        EXPECT_NE(fs::status(user(name)).permissions() & fs::perms::owner_write, fs::perms::none);
    }
}

TEST_F(ProgramFolderTest, TheOperatorsOwnFilesAreKeptAndMissingOnesAdded) {
    fs::create_directories(dataHome() + "/keslog");
    dir.write("home/.local/share/keslog/KESLOG90.INI", "[Preferences]\nYourCall=K6XX\n");
    dir.write("home/.local/share/keslog/CONTEST.KSL", "log");
    ASSERT_TRUE(programFolderFor(bin(), dataHome()).isOk());
    EXPECT_EQ(dir.read("home/.local/share/keslog/KESLOG90.INI"), "[Preferences]\nYourCall=K6XX\n");
    EXPECT_EQ(dir.read("home/.local/share/keslog/CONTEST.KSL"), "log");
    EXPECT_EQ(dir.read("home/.local/share/keslog/arrl.cty"), "countries");
    // A second start changes nothing.
    dir.write("home/.local/share/keslog/arrl.cty", "edited");
    ASSERT_TRUE(programFolderFor(bin(), dataHome()).isOk());
    EXPECT_EQ(dir.read("home/.local/share/keslog/arrl.cty"), "edited");
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeIsReported) {
    EXPECT_EQ(programFolderFor(bin(), "").status().message(),
              "No folder for the logger's own files: neither XDG_DATA_HOME nor HOME is set.");
    dir.write("home/.local/share/keslog", "a file in the way");
    const Status made = programFolderFor(bin(), dataHome()).status();
    EXPECT_TRUE(made.message().starts_with("The program folder " + dataHome() +
                                           "/keslog could not be made: "))
        << made.message();
}

// Sets environment variables for one test and puts them back.
class Environment {
  public:
    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            if (it->second)
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                ::unsetenv(it->first.c_str());
    }

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(UserDataHome, XdgDataHomeWhenAbsoluteElseHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/data/me", "/home/me", "/data/me"},
        {"relative/data", "/home/me", "/home/me/.local/share"},
        {"", "/home/me", "/home/me/.local/share"},
        {nullptr, "/home/me", "/home/me/.local/share"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Environment env;
        env.set("XDG_DATA_HOME", c.xdg);
        env.set("HOME", c.home);
        EXPECT_EQ(userDataHome(), c.expected);
    }
}

}  // namespace
}  // namespace keslog
