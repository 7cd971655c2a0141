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
    const Settings s = read(test::shippedFile("KESLOG90.INI"));
    for (const std::string* off :
         {&s.CWComport, &s.CWPTTComport, &s.SSBPTTComport, &s.F9Comport, &s.BackUpDrive})
        EXPECT_EQ(*off, "[none]");
    EXPECT_FALSE(s.CWActivated);
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

TEST(SettingsFile, WrittenLayout) {
    Settings s;
    s.YourCall = "N6TR";
    s.Radio1Delay = -3;
    s.Weight = "3.50";
    s.WindowCoords[0] = {120, -45, 9000, 6000};
    s.DupeMessage = "QSO B4";
    const std::string text = settingsText(s);
    EXPECT_TRUE(text.starts_with(crlf({"[Preferences]", "DupeBeepFlag=False", "YourCall=N6TR",
                                       "BackUpDrive=[none]", "CWActivated=False"})));
    for (const std::string& part :
         {crlf({"Radio1Delay=-3", "Radio2Delay=0", "RepeatIntervalCW=1000"}),
          crlf({"Weight=3.5", "TimeCorrection=0"}),
          crlf({"Key2Mapping=", "Com1Device=/dev/ttyS0", "Com2Device=/dev/ttyS1",
                "LPT1Device=/dev/parport0", "LPT2Device=/dev/parport1",
                "ScpFile=/usr/share/hamradio-files/MASTER.SCP", "CallHistoryARRL=",
                "CallHistoryCQP=", "CallHistoryCQWW=", "CallHistorySprint=", "CallHistorySS=",
                "CallHistoryWPX=", "CallHistoryAA=", "CallHistoryPAQP=", "CallHistoryNAQP=",
                "CWKeyer1=builtin", "CWKeyer2=builtin", "CWKeyerPot=False", "",
                "[File Information]", "OpenFilePath=", "RecentFile1="}),
          crlf({"RecentFile4=", "", "[CW Macros - CQP, SS, WPX, SPRINT, PA, NA]",
                "[RADIO0][PLAY1]"}),
          crlf({"", "QSO B4", "", "[Window Coordinates - CQP, SS, WPX]", " 120 -45  9000  6000 ",
                " 0  0  0  0 "}),
          crlf({" 0  0  0  0 ", "", "[User Exchange - ARRL]", "ExchangeARRLMult=", "",
                "[User Exchange - AA]"}),
          crlf({"ExchangeSprintMult=", "[User Exchange - NAQP]",
                "ExchangeNAQPName=", "ExchangeNAQPMult=", "[User Information]", "UserCallsign="})})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_TRUE(text.ends_with(crlf({"UserRig=",
                                     "UserAnt=",
                                     "",
                                     "[Submission File]",
                                     "UserState=",
                                     "UserPostalCode=",
                                     "UserEmail=",
                                     "UserGrid=",
                                     "CategoryOperator=SINGLE-OP",
                                     "CategoryAssisted=NON-ASSISTED",
                                     "CategoryBand=ALL",
                                     "CategoryMode=",
                                     "CategoryPower=HIGH",
                                     "CategoryStation=FIXED",
                                     "CategoryTransmitter=ONE",
                                     "CategoryOverlay=",
                                     "",
                                     "[Rig Control]",
                                     "Rig1Control=none",
                                     "Rig1Address=127.0.0.1:4532",
                                     "Rig2Control=none",
                                     "Rig2Address=127.0.0.1:4534",
                                     "RigPollInterval=500",
                                     "Rig1Start=False",
                                     "Rig1Model=",
                                     "Rig1Device=",
                                     "Rig2Start=False",
                                     "Rig2Model=",
                                     "Rig2Device=",
                                     "",
                                     "[DX Cluster]",
                                     "ClusterHost=",
                                     "ClusterPort=",
                                     "ClusterCall=",
                                     "ClusterPassword=",
                                     "ClusterCommands=",
                                     "ClusterConnectAtStart=False",
                                     "ClusterSpotMinutes=30",
                                     "",
                                     "[Broadcast]",
                                     "BroadcastOn=False",
                                     "BroadcastAddress=127.0.0.1",
                                     "BroadcastPort=12060",
                                     ""})));
}

TEST(SettingsFile, CategoriesOutsideTheirSetsReadAndWriteAsTheDefaults) {
    // An older file has no such section: everything stays at the defaults.
    EXPECT_EQ(read("[User Information]\r\nUserCallsign=K6XX\r\n").CategoryPower, "HIGH");
    const Settings s = read(
        "[Submission File]\r\nCategoryOperator=MULTI-OP\r\nCategoryBand=11M\r\n"
        "CategoryMode=MIXED\r\nCategoryPower=low\r\nCategoryOverlay=TB-WIRES\r\n"
        "CategoryStation=\r\nUserGrid=CM87\r\n");
    EXPECT_EQ(s.CategoryOperator, "MULTI-OP");
    EXPECT_EQ(s.CategoryBand, "ALL");
    EXPECT_EQ(s.CategoryMode, "MIXED");
    EXPECT_EQ(s.CategoryPower, "HIGH");  // values are upper case
    EXPECT_EQ(s.CategoryOverlay, "TB-WIRES");
    EXPECT_EQ(s.CategoryStation, "FIXED");  // only mode and overlay may be empty
    EXPECT_EQ(s.UserGrid, "CM87");
    Settings bad;
    bad.CategoryTransmitter = "THREE";
    EXPECT_NE(settingsText(bad).find("\r\nCategoryTransmitter=ONE\r\n"), std::string::npos);
}

// Each text is read and written again: the written lines show what was read.
TEST(SettingsFile, KeyLineRules) {
    struct Case {
        const char* name;
        std::string text;  // "|" ends a line
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"exact True sets a flag", "[Preferences]|CWActivated=True", {"CWActivated=True"}},
        {"lower-case true clears it",
         "[Preferences]|CWActivated=True|CWActivated=true",
         {"CWActivated=False"}},
        {"blanks around key and value",
         "[Preferences]|  CWActivated  =   True  ",
         {"CWActivated=True"}},
        {"last value wins", "[Preferences]|YourCall=N6TR|YourCall=K6AW", {"YourCall=K6AW"}},
        {"value with =", "[Preferences]|Key1Mapping=a=b", {"Key1Mapping=a=b"}},
        {"unknown keys ignored", "[Preferences]|Frobnicate=1|yourcall=X", {"YourCall="}},
        {"line without =", "[Preferences]|YourCall", {"YourCall="}},
        {"lines before the first header", "YourCall=N6TR|[Preferences]", {"YourCall="}},
        {"key of another section", "[File Information]|YourCall=N6TR", {"YourCall="}},
        {"header in other letter case", "[preferences]|YourCall=N6TR", {"YourCall="}},
        {"LF line ends", "[Preferences]\nYourCall=N6TR\n", {"YourCall=N6TR"}},
        {"whole part",
         "[Preferences]|Radio1Delay=7.7|Radio2Delay=0.5",
         {"Radio1Delay=7", "Radio2Delay=0"}},
        {"rounded, halves to even",
         "[Preferences]|RepeatIntervalCW=2500.5|RepeatIntervalSSB=3499.5|"
         "DualCQsRepeatInterval=1500.4|DualCQsPlayNumber=6.5",
         {"RepeatIntervalCW=2500", "RepeatIntervalSSB=3500", "DualCQsRepeatInterval=1500",
          "DualCQsPlayNumber=6"}},
        {"leading number",
         "[Preferences]|Radio1Delay=7abc|Radio2Delay=abc",
         {"Radio1Delay=7", "Radio2Delay=0"}},
        {"numbers outside what the Preferences offer take the nearer end",
         "[Preferences]|RepeatIntervalCW=30000|RepeatIntervalSSB=-99999999999999999999|"
         "Radio1Delay=-40000|Radio2Delay=12|DualCQsRepeatInterval=9000|DualCQsPlayNumber=-3|"
         "TimeCorrection=30",
         {"RepeatIntervalCW=4000", "RepeatIntervalSSB=1000", "Radio1Delay=0", "Radio2Delay=9",
          "DualCQsRepeatInterval=2000", "DualCQsPlayNumber=0", "TimeCorrection=12"}},
        {"a time correction within the range is kept as written",
         "[Preferences]|TimeCorrection=-5.5",
         {"TimeCorrection=-5.5"}},
        {"repeat intervals keep 1000 when absent",
         "[Preferences]",
         {"RepeatIntervalCW=1000", "RepeatIntervalSSB=1000"}},
        // The weight is kept as typed and written as its number.
        {"weight 3.0", "[Preferences]|Weight=3.0", {"Weight=3"}},
        {"weight 3.25", "[Preferences]|Weight=3.25", {"Weight=3.25"}},
        {"weight empty", "[Preferences]|Weight=", {"Weight=0"}},
        {"weight abc", "[Preferences]|Weight=abc", {"Weight=0"}},
        {"weight 4.5x", "[Preferences]|Weight=4.5x", {"Weight=4.5"}},
        {"empty start folder is the program folder",
         "[File Information]|OpenFilePath=",
         {"OpenFilePath=" + kProgramDir}},
        {"start folder kept",
         "[File Information]|OpenFilePath=/home/op/logs/",
         {"OpenFilePath=/home/op/logs/"}},
        {"user exchange and information",
         "[User Exchange - SS]|ExchangeSSCheck=72|[User Exchange - NAQP]|ExchangeNAQPName=TREE|"
         "[User Information]|UserAnt=KT34XA",
         {"ExchangeSSCheck=72", "ExchangeNAQPName=TREE", "UserAnt=KT34XA"}},
        {"a file from before rig control reads as none",
         "[User Information]|UserAnt=KT34XA",
         {"Rig1Control=none", "Rig2Control=none", "RigPollInterval=500", "Rig1Start=False",
          "Rig2Start=False", "BroadcastOn=False", "BroadcastPort=12060"}},
        {"rigctld started by the logger, and the broadcast",
         "[Rig Control]|Rig2Start=True|Rig2Model=3073|Rig2Device=/dev/ttyUSB0|"
         "[Broadcast]|BroadcastOn=True|BroadcastAddress=192.168.1.255|BroadcastPort=12061",
         {"Rig1Start=False", "Rig2Start=True", "Rig2Model=3073", "Rig2Device=/dev/ttyUSB0",
          "BroadcastOn=True", "BroadcastAddress=192.168.1.255", "BroadcastPort=12061"}},
        {"rig control kept, its poll interval brought into range",
         "[Rig Control]|Rig2Control=rigctld|Rig2Address=192.168.1.9:4540|RigPollInterval=20",
         {"Rig2Control=rigctld", "Rig2Address=192.168.1.9:4540", "RigPollInterval=100"}},
        {"a poll interval too long",
         "[Rig Control]|RigPollInterval=60000",
         {"RigPollInterval=5000"}},
        {"cluster",
         "[DX Cluster]|ClusterHost=dxc.example.net|ClusterPort=7300|ClusterCommands=set/skimmer; "
         "sh/dx 5|ClusterConnectAtStart=True|ClusterSpotMinutes=999",
         {"ClusterHost=dxc.example.net", "ClusterPort=7300", "ClusterCall=",
          "ClusterCommands=set/skimmer; sh/dx 5", "ClusterConnectAtStart=True",
          "ClusterSpotMinutes=240"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        if (!text.ends_with('\n')) text += '|';
        for (std::size_t at; (at = text.find('|')) != std::string::npos;)
            text.replace(at, 1, "\r\n");
        const std::string written = settingsText(read(text));
        for (const std::string& line : c.written)
            EXPECT_NE(written.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    }
    EXPECT_EQ(read(crlf({"[Preferences]", "Weight=3.0"})).Weight, "3.0");
}

TEST(SettingsFile, ListSectionsAreReadByPosition) {
    const std::string text =
        crlf({"[CW Macros - CQP, SS, WPX, SPRINT, PA, NA]", "CQ TEST $ $ TEST", "",
              "[RADIO2][PLAY3]CQ $", "[CW Macros Display Forms - CQP, SS, WPX, SPRINT, PA, NA]", "",
              "", "Third"});
    const Settings s = read(text);
    EXPECT_EQ(s.CWMacros[0], "[RADIO0][PLAY1]CQ TEST $ $ TEST");
    EXPECT_EQ(s.CWMacros[1], "[RADIO0][PLAY1]");  // the empty line is entry 2
    EXPECT_EQ(s.CWMacros[2], "[RADIO2][PLAY3]CQ $");
    EXPECT_EQ(s.CWMacroLabels[0], "");
    EXPECT_EQ(s.CWMacroLabels[2], "Third");
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

TEST(SettingsFile, ExchangeLinesAfterTheEighteenthSetTheDupeMessage) {
    std::vector<std::string> lines{
        "[CW Exchanges - ARRL, CQP, CQWW, SPRINT, SS, WPX, AA, PA, NA, Dupe]"};
    for (int k = 1; k <= 18; ++k) lines.push_back("E" + std::to_string(k));
    lines.push_back("FIRST DUPE");
    lines.push_back("QSO B4");  // the 20th line wins
    lines.push_back("");        // the blank before the next section does not
    lines.push_back("[Window Coordinates - CQP, SS, WPX]");
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    const Settings s = read(text);
    EXPECT_EQ(s.CWExchanges[0], "E1");
    EXPECT_EQ(s.CWExchanges[17], "E18");
    EXPECT_EQ(s.DupeMessage, "QSO B4");
}

TEST(SettingsFile, WindowCoordinateLines) {
    struct Case {
        const char* line;
        WindowCoordinates expected;
    };
    const Case cases[] = {
        {"120 450 3000 2000", {120, 450, 3000, 2000}},
        {" 120   450   3000   2000 ", {120, 450, 3000, 2000}},
        {"-15 -30  9000  6000", {-15, -30, 9000, 6000}},
        {"120", {120, 0, 0, 0}},  // no blank: the missing numbers are 0
        {"120 450", {120, 450, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"1 2 3 4 5", {1, 2, 3, 4}},
        {"x 7.6 y 99999999999", {0, 8, 0, 2147483647}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Settings s = read(crlf({"[Window Coordinates - CQP, SS, WPX]", "1 1 1 1", c.line}));
        EXPECT_EQ(s.WindowCoords[0], (WindowCoordinates{1, 1, 1, 1}));
        EXPECT_EQ(s.WindowCoords[1], c.expected);
    }
    // Lines beyond the table are ignored.
    std::string text = "[Window Coordinates - CQP, SS, WPX]\r\n";
    for (int k = 1; k <= 20; ++k) text += std::to_string(k) + " 0 0 0\r\n";
    EXPECT_EQ(read(text).WindowCoords[15].left, 16);
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

TEST_F(SettingsWriteTest, ReadingAMissingFileIsAnError) {
    MainMod state;
    state.programDir = dir.path();
    const Status read = ReadSettings(state);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.message(), path + " cannot be read.");
}

}  // namespace
}  // namespace keslog
