#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/SettingsFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

const std::string kProgramDir = "/opt/keslog/";

Settings read(const std::string& text) {
    Settings s;
    ReadSettings(text, kProgramDir, s);
    return s;
}

// Lines joined with CR LF, as the program writes them.
std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (std::string_view l : lines) out.append(l).append("\r\n");
    return out;
}

TEST(SettingsFile, ShippedFileRoundTripsByteForByte) {
    const std::string shipped = test::shippedFile("KESLOG90.INI");
    const Settings first = read(shipped);
    const std::string written = settingsText(first);
    // Only the empty start folder of the log dialogs is filled in on reading.
    std::string expected = shipped;
    const std::string empty = "\r\nOpenFilePath=\r\n";
    expected.replace(expected.find(empty), empty.size(),
                     "\r\nOpenFilePath=" + kProgramDir + "\r\n");
    EXPECT_EQ(written, expected);

    const Settings second = read(written);
    EXPECT_EQ(second, first);
    EXPECT_EQ(settingsText(second), written);
}

TEST(SettingsFile, ShippedFileStartsCleanly) {
    // Its other values are the defaults: WrittenLayout.
    const Settings s = read(test::shippedFile("KESLOG90.INI"));
    // Every macro carries its prefix and has a text and a display form.
    for (std::size_t k = 0; k < s.CWMacros.size(); ++k) {
        EXPECT_TRUE(s.CWMacros[k].starts_with("[RADIO0][PLAY1]")) << k;
        EXPECT_GT(s.CWMacros[k].size(), 15u) << k;
        EXPECT_FALSE(s.CWMacroLabels[k].empty()) << k;
    }
    for (const std::string& exchange : s.CWExchanges) EXPECT_FALSE(exchange.empty());
    EXPECT_FALSE(s.DupeMessage.empty());
    // The SS CQ-mode exchange is entry 9, the WPX S/P one entry 12.
    EXPECT_EQ(s.CWExchanges[8], "@ # A $");
    EXPECT_EQ(s.CWExchanges[11], "TU 5NN #");
}

// Default settings write the shipped file's every line, but for the lists
// (taken over here) and the values set below.
TEST(SettingsFile, WrittenLayout) {
    const std::string shipped = test::shippedFile("KESLOG90.INI");
    const Settings lists = read(shipped);
    Settings s;
    s.CWMacros = lists.CWMacros;
    s.CWMacroLabels = lists.CWMacroLabels;
    s.CWExchanges = lists.CWExchanges;
    s.DupeMessage = lists.DupeMessage;
    s.YourCall = "N6TR";
    s.Radio1Delay = -3;
    s.Weight = "3.50";
    s.WindowCoords[0] = {120, -45, 9000, 6000};
    std::string expected = shipped;
    for (const auto& [from, to] :
         {std::pair{"DupeBeepFlag=True", "DupeBeepFlag=False"},
          {"YourCall=", "YourCall=N6TR"},
          {"Radio1Delay=0", "Radio1Delay=-3"},
          {"DualCQsRepeatInterval=1000", "DualCQsRepeatInterval=0"},
          {"DualCQsPlayNumber=1", "DualCQsPlayNumber=0"},
          {"Weight=3", "Weight=3.5"},
          {"[Window Coordinates - CQP, SS, WPX]\r\n 0  0  0  0 ",
           "[Window Coordinates - CQP, SS, WPX]\r\n 120 -45  9000  6000 "}}) {
        const std::string line = "\n" + std::string(from) + "\r";
        ASSERT_NE(expected.find(line), std::string::npos) << from;
        expected.replace(expected.find(line), line.size(), "\n" + std::string(to) + "\r");
    }
    EXPECT_EQ(settingsText(s), expected);
}

// How each line is read: golden session SettingsLines. A weight is kept as
// typed; a category outside its set is written as the default.
TEST(SettingsFile, WeightKeptAsTypedCategoriesWrittenInTheirSets) {
    EXPECT_EQ(read(crlf({"[Preferences]", "Weight=3.0"})).Weight, "3.0");
    Settings bad;
    bad.CategoryTransmitter = "THREE";
    EXPECT_NE(settingsText(bad).find("\r\nCategoryTransmitter=ONE\r\n"), std::string::npos);
}

TEST(SettingsFile, EveryListRoundTripsWithEmptyEntries) {
    Settings s;
    for (int k = 0; k < kMacroCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        s.CWMacros[i] = k % 3 == 0 ? "[RADIO1][PLAY6]" : "[RADIO0][PLAY1]M" + std::to_string(k);
        s.CWMacroLabels[i] = k % 4 == 1 ? "" : "L" + std::to_string(k);
    }
    for (int k = 0; k < kExchangeCount; ++k)
        s.CWExchanges[static_cast<std::size_t>(k)] = k % 5 == 2 ? "" : "X" + std::to_string(k);
    s.DupeMessage = "";
    for (int k = 0; k < kWindowRowCount; ++k)
        s.WindowCoords[static_cast<std::size_t>(k)] = {k * 15, -k, 0, k * 1000};
    s.OpenFilePath = "/logs/";
    s.Weight = "3.5";  // a weight is written as its number

    EXPECT_EQ(read(settingsText(s)), s);
}

class SettingsWriteTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    test::FakeMessageBox box;
    std::string path = dir.file("KESLOG90.INI");
};

TEST_F(SettingsWriteTest, AFailedWriteLeavesTheOldFileWhole) {
    dir.write("KESLOG90.INI", "[Preferences]\r\nYourCall=OLD\r\n");
    Status written;
    {
        test::FileSizeLimit limit(64);
        written = WriteSettings(Settings{}, path, box);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(dir.read("KESLOG90.INI"), "[Preferences]\r\nYourCall=OLD\r\n");
    // Told once, with the reason, and given up: never passed as success.
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, "File or Disk Error");
    EXPECT_NE(box.shown[0].text.find("File too large"), std::string::npos);
    EXPECT_EQ(box.shown[0].buttons, MsgButtons::Ok);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // With room again the whole file is written.
    Settings s;
    s.YourCall = "N6TR";
    ASSERT_TRUE(WriteSettings(s, path, box));
    EXPECT_EQ(dir.read("KESLOG90.INI"), settingsText(s));
}

class ActingMessageBox : public IMessageBox {
  public:
    MsgResult show(const MessageRequest& request) override {
        shown.push_back(request);
        return onShow();
    }
    std::function<MsgResult()> onShow;
    std::vector<MessageRequest> shown;
};

TEST_F(SettingsWriteTest, RetryWritesAgainAndCancelGivesUp) {
    const std::string folder = dir.path() + "stick/";
    ActingMessageBox acting;
    // The operator plugs the disk in and presses Retry.
    acting.onShow = [&] {
        std::filesystem::create_directory(folder);
        return MsgResult::Retry;
    };
    ASSERT_TRUE(WriteSettings(Settings{}, folder + "KESLOG90.INI", acting));
    ASSERT_EQ(acting.shown.size(), 1u);
    EXPECT_EQ(acting.shown[0].text,
              "Drive unavailable.  If it's a removable disk drive, insert a disk.");
    EXPECT_TRUE(fileExists(folder + "KESLOG90.INI"));

    box.answer(MsgResult::Retry);
    box.answer(MsgResult::Cancel);
    EXPECT_FALSE(WriteSettings(Settings{}, dir.path() + "gone/KESLOG90.INI", box));
    EXPECT_EQ(box.shown.size(), 2u);
}

}  // namespace
}  // namespace keslog
