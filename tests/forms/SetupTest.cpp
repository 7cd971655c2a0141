#include <gtest/gtest.h>

#include "entry/CallMatch.h"
#include "forms/Setup.h"
#include "platform/Files.h"
#include "storage/CallFile.h"
#include "storage/LogFixtures.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::TempDir;

// Settings as the dialog would store them back unchanged.
Settings storedSettings() {
    Settings s;
    s.DupeBeepFlag = "True";
    s.YourCall = "N6TR";
    s.BackUpDrive = "/media/stick";
    s.CWActivated = true;
    s.CWComport = "Com1";
    s.CWPTTActivated = true;
    s.CWPTTComport = "LPT1-pin 16";
    s.SSBPTTComport = "Com2";
    s.F9Comport = "LPT2-pin 17";
    s.CWSpeakerEnabled = true;
    s.UseSoundcardSpeaker = true;
    s.Radio1Delay = 3;
    s.Radio2Delay = 5;
    s.RepeatIntervalCW = 2500;
    s.RepeatIntervalSSB = 4000;
    s.DualCQsRepeatInterval = 300;
    s.DualCQsPlayNumber = 6;
    s.Weight = "3.3";
    s.TimeCorrection = "8";
    s.IsGMTFlag = "False";
    s.DVKMessagesEnabled = "True";
    s.LogFirst = true;
    s.Key1IsMapped = true;
    s.Key1Mapping = "uparrow";
    s.Key2Mapping = "[none]";
    s.Com1Device = "/dev/ttyUSB0";
    return s;
}

class SetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.settings = storedSettings();
        state.ModeFlag = {false, true};  // a CW log
        setup.load();
    }
    const SetupView& v() const { return setup.view(); }

    TempDir dir;
    FakePlatform fakes;
    Platform platform = fakes.services();
    test::FakePortDevices devices;
    MainMod state;
    keslog::Setup setup{state, platform, devices};
};

TEST_F(SetupTest, LoadShowsEverySetting) {
    EXPECT_EQ(v().title, "Preferences");
    EXPECT_EQ(v().CallBox, "N6TR");
    EXPECT_EQ(v().ComboBackup, "/media/stick");
    EXPECT_TRUE(v().ticked(SetupBox::DupeBeep));
    EXPECT_TRUE(v().ticked(SetupBox::CurrentCalls));
    EXPECT_FALSE(v().ticked(SetupBox::OldCalls));
    EXPECT_TRUE(v().ticked(SetupBox::DVK));
    EXPECT_FALSE(v().gmt);
    EXPECT_EQ(v().TimeScroll, 8);
    EXPECT_EQ(v().TimeLabel, "8");
    EXPECT_TRUE(v().soundCard);
    EXPECT_EQ(v().WeightScroll, 33);
    EXPECT_EQ(v().Weightlabel, "3.3");
    EXPECT_EQ(v().delay, (std::array<int, 2>{3, 5}));
    EXPECT_TRUE(v().logFirst);
    EXPECT_EQ(v().list, (std::array<int, kSetupListCount>{1, 4, 2, 8, 3, 5, 3, 0, 2, 2}));
    EXPECT_EQ(v().device, (std::array<std::string, 4>{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/parport0",
                                                      "/dev/parport1"}));
    EXPECT_EQ(v().serialDevices, devices.serial);
    EXPECT_EQ(v().parallelDevices, devices.parallel);
    EXPECT_EQ(v().LookbackLabel, "0 calls in the list");
}

// Values an edited or damaged settings file may hold are shown as the
// nearest value the dialog offers, and stored so on OK.
TEST_F(SetupTest, SettingsOutsideTheOfferedRangesAreClamped) {
    Settings expected = storedSettings();
    const auto clamped = [&](auto Settings::*field, auto read, auto stored) {
        state.settings.*field = read;
        expected.*field = stored;
    };
    clamped(&Settings::Radio1Delay, 12, 9);
    clamped(&Settings::Radio2Delay, -3, 0);
    clamped(&Settings::RepeatIntervalCW, 30000, 4000);
    clamped(&Settings::RepeatIntervalSSB, -5, 1000);
    clamped(&Settings::DualCQsPlayNumber, 0, 2);
    clamped(&Settings::DualCQsRepeatInterval, 9999, 2000);
    clamped(&Settings::Weight, "5", "3");
    clamped(&Settings::TimeCorrection, "-20", "-12");
    clamped(&Settings::CWComport, "COM3", "[none]");  // names the dialog does not know
    clamped(&Settings::Key1Mapping, "F12", "[none]");
    clamped(&Settings::BackUpDrive, "", "[none]");
    setup.load();
    EXPECT_EQ(v().delay, (std::array<int, 2>{9, 0}));
    EXPECT_EQ(v().Weightlabel, "3.0");
    EXPECT_EQ(v().TimeLabel, "-12");
    EXPECT_EQ(v().position(SetupList::CWPort), 0);
    EXPECT_EQ(v().ComboBackup, "[none]");
    setup.onOK();
    ASSERT_TRUE(v().closed);
    EXPECT_EQ(state.settings, expected);

    // Between two offered values, and a half-hour zone.
    Settings& s = state.settings;
    s = storedSettings();
    s.RepeatIntervalCW = 1200;
    s.RepeatIntervalSSB = 2300;
    s.Weight = "2";
    s.TimeCorrection = "5.5";
    setup.load();
    EXPECT_EQ(v().WeightScroll, 30);
    EXPECT_EQ(v().TimeScroll, 6);
    setup.onOK();
    EXPECT_EQ(s.RepeatIntervalCW, 1000);
    EXPECT_EQ(s.RepeatIntervalSSB, 2500);
}

TEST_F(SetupTest, DependentControlsFollowTheirSwitches) {
    struct Case {
        const char* what;
        std::vector<std::pair<SetupBox, bool>> clicks;
        const char* enabled;  // CW, speaker, CW PTT, SSB PTT, delays, F9, lookback
    };
    using B = SetupBox;
    const std::vector<Case> cases{
        {"as loaded", {}, "1110100"},
        {"CW off", {{B::CWActivate, false}}, "0010100"},
        {"speaker off", {{B::Speaker, false}}, "1010100"},
        {"no PTT", {{B::CWPTT, false}}, "1100000"},
        {"SSB PTT alone", {{B::CWPTT, false}, {B::SSBPTT, true}}, "1101100"},
        {"SO2R", {{B::F9, true}}, "1110110"},
        {"former logs", {{B::OldCalls, true}}, "1110101"},
    };
    const auto enabled = [this] {
        std::string flags;
        for (bool on : {v().cwControlsEnabled, v().speakerOptionsEnabled, v().cwPttPortEnabled,
                        v().ssbPttPortEnabled, v().delaysEnabled, v().f9PortEnabled,
                        v().lookbackButtonsEnabled})
            flags += on ? '1' : '0';
        return flags;
    };
    for (const Case& c : cases) {
        setup.load();
        for (const auto& [box, ticked] : c.clicks) setup.onBox(box, ticked);
        EXPECT_EQ(enabled(), c.enabled) << c.what;
    }

    // Loaded from settings with everything off.
    state.settings = Settings{};
    state.lookbackCalls.loaded = true;
    setup.load();
    EXPECT_FALSE(v().cwControlsEnabled);
    EXPECT_FALSE(v().speakerOptionsEnabled);
    EXPECT_FALSE(v().delaysEnabled);
    EXPECT_TRUE(v().lookbackButtonsEnabled);
}

TEST_F(SetupTest, SpinnersAndListsStayInsideTheirRanges) {
    for (int i = 0; i < 12; ++i) setup.onDelaySpin(1, 1);
    EXPECT_EQ(v().delay[0], 9);
    for (int i = 0; i < 12; ++i) setup.onDelaySpin(2, -1);
    EXPECT_EQ(v().delay[1], 0);
    setup.onDelaySpin(2, 1);
    setup.onDelaySpin(3, 1);  // no such radio
    EXPECT_EQ(v().delay, (std::array<int, 2>{9, 1}));
    // Out-of-range positions change nothing.
    setup.onList(SetupList::RepeatCW, 6);
    setup.onList(SetupList::CWPort, -1);
    setup.onList(SetupList::Key1, 4);
    setup.onTimeScroll(13);
    EXPECT_EQ(v().position(SetupList::RepeatCW), 3);
    EXPECT_EQ(v().position(SetupList::CWPort), 1);
    EXPECT_EQ(v().position(SetupList::Key1), 3);
    EXPECT_EQ(v().TimeScroll, 12);
}

TEST_F(SetupTest, WeightScrollShowsTenthsAndOkStoresThem) {
    struct Case {
        int scroll;
        const char* label;
        const char* setting;
        float weight;
    };
    const Case cases[] = {{27, "2.7", "2.7", 2.7F},
                          {40, "4.0", "4", 4.0F},
                          {45, "4.5", "4.5", 4.5F},
                          {20, "2.5", "2.5", 2.5F},
                          {50, "4.5", "4.5", 4.5F}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scroll);
        setup.load();
        setup.onWeightScroll(c.scroll);
        EXPECT_EQ(v().Weightlabel, c.label);
        setup.onOK();
        EXPECT_EQ(state.settings.Weight, c.setting);
        EXPECT_EQ(state.cw.CWWeight, c.weight);
    }
    // The dash follows the new weight at once: 28 wpm, 2.5 dots of 42.5 ms.
    setup.load();
    setup.onWeightScroll(25);
    setup.onOK();
    EXPECT_EQ(state.cw.DashCount, 106'250'000);
}

TEST_F(SetupTest, CancelAndOkWithNothingChangedKeepTheSettingsAsTheyWere) {
    setup.onCallBox("K6AAA");
    setup.onList(SetupList::CWPort, 2);
    setup.onBox(SetupBox::CWActivate, false);
    setup.onBox(SetupBox::CurrentCalls, false);
    setup.onWeightScroll(41);
    setup.onCancel();
    EXPECT_TRUE(v().closed);
    EXPECT_FALSE(v().accepted);
    EXPECT_EQ(state.settings, storedSettings());
    EXPECT_TRUE(state.matchCurrentLog);
    EXPECT_EQ(state.cw.CWWeight, 3.0F);

    setup.load();
    setup.onOK();
    EXPECT_TRUE(v().closed && v().accepted);
    EXPECT_EQ(state.settings, storedSettings());
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(SetupTest, OkStoresExactlyWhatChanged) {
    setup.onCallBox("  k6aaa ");
    setup.onBox(SetupBox::DupeBeep, false);
    setup.onBox(SetupBox::SSBPTT, true);
    setup.onList(SetupList::SSBPTTPort, 6);
    setup.onList(SetupList::RepeatCW, 0);
    setup.onList(SetupList::Key2, 1);
    setup.onBox(SetupBox::Key2, true);
    setup.onSpeakerOption(false);
    setup.onTimeSet(true);
    setup.onTimeScroll(-5);
    setup.onLogOption(false);
    setup.onBackup(" /media/other ");
    setup.onDevice(PortDevice::LPT2, " /dev/parport2 ");
    setup.onBox(SetupBox::CurrentCalls, false);
    setup.onBox(SetupBox::OldCalls, true);
    setup.onOK();
    ASSERT_TRUE(v().closed);

    Settings expected = storedSettings();
    expected.YourCall = "K6AAA";
    expected.DupeBeepFlag = "False";
    expected.SSBPTTActivated = true;
    expected.SSBPTTComport = "LPT2-pin 14";
    expected.RepeatIntervalCW = 1000;
    expected.Key2Mapping = "backslash";
    expected.Key2IsMapped = true;
    expected.UsePCSpeaker = true;
    expected.UseSoundcardSpeaker = false;
    expected.IsGMTFlag = "True";
    expected.TimeCorrection = "-5";
    expected.LogFirst = false;
    expected.BackUpDrive = "/media/other";
    expected.LPT2Device = "/dev/parport2";
    EXPECT_EQ(state.settings, expected);
    EXPECT_FALSE(state.matchCurrentLog);
    EXPECT_TRUE(state.lookbackCalls.loaded);
}

TEST_F(SetupTest, RigControlIsStoredOnlyWithAnAddressItCanUse) {
    EXPECT_EQ(v().rigControlled, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(v().rigAddress, (std::array<std::string, 2>{"127.0.0.1:4532", "127.0.0.1:4534"}));
    setup.onRigControl(2, true);
    setup.onRigAddress(2, "rigs.local:4534");
    setup.onRigPollInterval(20);
    setup.onOK();
    EXPECT_FALSE(v().closed);
    EXPECT_EQ(v().tab, SetupTab::Devices);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "The rigctld address of radio 2 must be an IPv4 address and a port, such as "
              "127.0.0.1:4532.");
    EXPECT_EQ(state.settings, storedSettings());

    setup.onRigAddress(2, " 192.168.1.20:4540 ");
    setup.onRigStart(2, true);
    setup.onRigModel(2, " 3073 ");
    setup.onRigDevice(2, "/dev/ttyUSB0 ");
    setup.onBroadcast(true);
    setup.onBroadcastAddress(" 192.168.1.255");
    setup.onBroadcastPort("12061 ");
    setup.onOK();
    ASSERT_TRUE(v().closed);
    Settings expected = storedSettings();
    expected.Rig2Control = "rigctld";
    expected.Rig2Address = "192.168.1.20:4540";
    expected.RigPollInterval = 100;
    expected.Rig2Start = true;
    expected.Rig2Model = "3073";
    expected.Rig2Device = "/dev/ttyUSB0";
    expected.BroadcastOn = true;
    expected.BroadcastAddress = "192.168.1.255";
    expected.BroadcastPort = "12061";
    EXPECT_EQ(state.settings, expected);
}

TEST_F(SetupTest, TheNetworkTabStoresTheClusterWithAPortItCanUse) {
    state.settings.ClusterCommands = "set/skimmer; ;sh/dx 5;";
    setup.load();
    EXPECT_EQ(v().clusterCommands, "set/skimmer\nsh/dx 5");
    EXPECT_EQ(v().stationCall, "N6TR");  // shown in the empty login-call box
    setup.onClusterHost(" dxc.example.net ");
    setup.onClusterPort("73OO");
    setup.onClusterCall("n6tr-2");
    setup.onClusterCommands("set/skimmer\n\n  set/nofilter \nsh/dx 5\n");
    setup.onClusterConnectAtStart(true);
    setup.onClusterSpotMinutes(0);
    setup.onOK();
    EXPECT_FALSE(v().closed);
    EXPECT_EQ(v().tab, SetupTab::Network);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "The cluster port must be a number from 1 to 65535, such as 7300.");

    setup.onClusterPort("7300");
    setup.onOK();
    ASSERT_TRUE(v().closed);
    Settings expected = storedSettings();
    expected.ClusterHost = "dxc.example.net";
    expected.ClusterPort = "7300";
    expected.ClusterCall = "N6TR-2";
    expected.ClusterCommands = "set/skimmer;set/nofilter;sh/dx 5";
    expected.ClusterConnectAtStart = true;
    expected.ClusterSpotMinutes = 1;
    EXPECT_EQ(state.settings, expected);
}

TEST_F(SetupTest, KeyingDevicesAreStoredOnlyWithADeviceOrAddressTheyCanUse) {
    using Kind = KeyerChoice::Kind;
    EXPECT_EQ(v().keyerKind, (std::array<Kind, 2>{Kind::Builtin, Kind::Builtin}));
    EXPECT_EQ(v().keyerAddress[1], "127.0.0.1:6789");
    const struct {
        Kind kind;
        const char* entered;
        const char* refusal;  // "" when OK stores `stored`
        const char* stored;
    } cases[] = {
        {Kind::WinKeyer, " ", "needs the WinKeyer's serial device, such as /dev/ttyUSB0.", ""},
        {Kind::CwDaemon, "daemon.local:6789",
         "needs cwdaemon's IPv4 address and port, such as 127.0.0.1:6789.", ""},
        {Kind::WinKeyer, " /dev/ttyUSB1 ", "", "winkeyer:/dev/ttyUSB1"},
        {Kind::CwDaemon, "127.0.0.1:7000", "", "cwdaemon:127.0.0.1:7000"},
    };
    for (const auto& c : cases) {
        keslog::Setup dialog{state, platform, devices};
        dialog.load();
        fakes.messageBox.shown.clear();
        dialog.onKeyer(2, c.kind);
        (c.kind == Kind::WinKeyer ? dialog.onKeyerDevice(2, c.entered)
                                  : dialog.onKeyerAddress(2, c.entered));
        dialog.onKeyerPot(true);
        dialog.onOK();
        Settings expected = storedSettings();
        if (*c.refusal) {
            ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
            EXPECT_EQ(fakes.messageBox.shown[0].text,
                      std::string("The CW keying device of radio 2 ") + c.refusal);
        } else {
            expected.CWKeyer2 = c.stored;
            expected.CWKeyerPot = true;
        }
        EXPECT_EQ(state.settings, expected) << c.entered;
        state.settings = storedSettings();
    }
}

TEST_F(SetupTest, CallDataFilesPerContestStoredOnOk) {
    state.settings.CallHistoryNAQP = "/data/naqp.txt";
    state.contestNr = contest::Naqp;
    setup.load();
    EXPECT_EQ(v().ScpFile, "/usr/share/hamradio-files/MASTER.SCP");
    EXPECT_EQ(v().historyContest, contest::Naqp - 1);
    EXPECT_EQ(v().CallHistoryFile[contest::Naqp - 1], "/data/naqp.txt");

    setup.onScpFile(" none ");
    setup.onHistoryContest(contest::Ss - 1);
    fakes.fileDialog.answers = {"/data/ss.csv", std::nullopt};
    setup.onChooseHistoryFile();
    setup.onChooseScpFile();  // cancelled: the typed name stays
    setup.onHistoryContest(contest::Naqp - 1);
    setup.onHistoryFile("");
    setup.onOK();
    ASSERT_TRUE(v().accepted);
    Settings expected = storedSettings();
    expected.ScpFile = "none";
    expected.CallHistorySS = "/data/ss.csv";
    EXPECT_EQ(state.settings, expected);
}

TEST_F(SetupTest, PortAndKeyConflictsKeepTheDialogOpenAndStoreNothing) {
    struct Case {
        const char* what;
        bool cwLog;
        std::vector<std::pair<SetupBox, bool>> boxes;
        std::vector<std::pair<SetupList, int>> ports;
        std::string message{};  // empty: accepted
        const char* title = "Port Conflict";
    };
    const auto same = [](const std::string& a, const std::string& b) {
        return "You have selected the same port for " + a + " and " + b + ".  Change one of them.";
    };
    using B = SetupBox;
    using enum SetupList;
    const std::string so2r = "SO2R control";
    const std::pair<SetupBox, bool> f9{B::F9, true}, ssbPtt{B::SSBPTT, true};
    const char* keys = "You have selected duplicate key mappings.  Change one of them.";
    const std::vector<Case> cases{
        {"CW, CW PTT", true, {}, {{CWPort, 1}, {CWPTTPort, 1}}, same("CW Sending", "CW PTT")},
        {"CW off", true, {{B::CWActivate, false}}, {{CWPort, 1}, {CWPTTPort, 1}}},
        {"phone log", false, {}, {{CWPort, 1}, {CWPTTPort, 1}}},
        {"both [none]", true, {}, {{CWPort, 0}, {CWPTTPort, 0}}},
        {"CW, SO2R", true, {f9}, {{F9Port, 1}}, same("CW Sending", so2r)},
        {"CW, SO2R, F9 off", true, {}, {{F9Port, 1}}},
        {"CW PTT, SO2R", true, {f9}, {{F9Port, 4}}, same("CW PTT", so2r)},
        {"CW PTT off", true, {f9, {B::CWPTT, false}}, {{F9Port, 4}}},
        {"SSB PTT, SO2R", false, {f9, ssbPtt}, {{F9Port, 2}}, same("SSB PTT", so2r)},
        {"SSB PTT off", false, {f9}, {{F9Port, 2}}},
        {"SSB PTT, CW log", true, {f9, ssbPtt}, {{F9Port, 2}}},
        {"key 2 as key 1", true, {}, {{Key2, 3}}, keys, "Key Mapping Conflict"},
        {"both keys [none]", true, {}, {{Key1, 0}, {Key2, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state.settings = storedSettings();
        state.ModeFlag = {!c.cwLog, c.cwLog};
        fakes.messageBox.shown.clear();
        setup.load();
        setup.onCallBox("K6AAA");
        for (const auto& [box, ticked] : c.boxes) setup.onBox(box, ticked);
        for (const auto& [list, position] : c.ports) setup.onList(list, position);
        setup.onOK();
        if (c.message.empty()) {
            EXPECT_TRUE(v().closed);
            EXPECT_TRUE(fakes.messageBox.shown.empty());
            continue;
        }
        ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
        EXPECT_EQ(fakes.messageBox.shown[0].text, c.message);
        EXPECT_EQ(fakes.messageBox.shown[0].title, c.title);
        EXPECT_EQ(fakes.messageBox.shown[0].icon, MsgIcon::Stop);
        EXPECT_FALSE(v().closed);
        // Not even the ports are taken over, so Cancel leaves all as it was.
        EXPECT_EQ(state.settings, storedSettings());
        setup.onCancel();
        EXPECT_EQ(state.settings, storedSettings());
    }
}

// Select and Save of the former-logs call list.
class LookbackTest : public SetupTest {
  protected:
    void choose(const std::string& path) { fakes.fileDialog.answers.push_back(path); }
    const MessageRequest& lastMessage() const { return fakes.messageBox.shown.back(); }
};

TEST_F(LookbackTest, SelectAsksForALogOrACallFileAndRefusesOthers) {
    addOldCalls(state.lookbackCalls, {{"K1AR", "AR100"}});
    const std::vector<OldCall> before = state.lookbackCalls.rows;
    fakes.fileDialog.answers.push_back(std::nullopt);
    setup.onSelect();
    ASSERT_EQ(fakes.fileDialog.requests.size(), 1U);
    const FileDialogRequest& r = fakes.fileDialog.requests[0];
    EXPECT_EQ(r.title, "Open Existing Calls File or KSL Log File");
    EXPECT_EQ(r.filter,
              ".ksl and .ksc Files|*.ksl;*.ksc|Callsign Files (*.ksc)|*.ksc|KSL Log files "
              "(.ksl)|*.ksl");
    EXPECT_TRUE(fakes.messageBox.shown.empty());

    dir.write("calls.txt", "W1AW AR100\r\n");
    choose(dir.file("calls.txt"));
    setup.onSelect();
    EXPECT_EQ(lastMessage().text, "Choose a .ksl log file or a .ksc call file.");

    dir.write("SHORT.KSL", "not a log");
    choose(dir.file("SHORT.KSL"));
    setup.onSelect();
    EXPECT_EQ(lastMessage().text, "The file " + dir.file("SHORT.KSL") +
                                      " is not a KESLOG log: it is too short to hold a log "
                                      "header.  Nothing was opened.");
    EXPECT_EQ(lastMessage().title, "File Opening Error");
    EXPECT_EQ(state.lookbackCalls.rows, before);
}

TEST_F(LookbackTest, ACallFileReplacesTheListAndADamagedOneKeepsItsGoodLines) {
    addOldCalls(state.lookbackCalls, {{"ZZ9ZZ", "WW5"}});
    dir.write("old.KSC", "W1AW AR100\r\nK1AR AR1000\r\nW1AW WW5\r\n");
    choose(dir.file("old.KSC"));
    setup.onSelect();
    EXPECT_EQ(state.lookbackCalls.rows,
              (std::vector<OldCall>{{"K1AR", "AR1000"}, {"W1AW", "AR100"}}));
    EXPECT_EQ(v().LookbackLabel, "2 calls in the list");
    EXPECT_TRUE(fakes.messageBox.shown.empty());

    using namespace std::string_literals;
    dir.write("bad.ksc", "K1AR AR100\r\n\x01\x02\x03\r\nW1AW\0AR5\r\n"s);
    choose(dir.file("bad.ksc"));
    setup.onSelect();
    EXPECT_EQ(state.lookbackCalls.rows, (std::vector<OldCall>{{"K1AR", "AR100"}}));
    EXPECT_EQ(lastMessage().text, "2 lines of the call file " + dir.file("bad.ksc") +
                                      " did not hold a call and were left out.");
    EXPECT_EQ(lastMessage().title, "Lookback");

    choose(dir.file("missing.ksc"));
    setup.onSelect();
    EXPECT_TRUE(lastMessage().text.starts_with("The call file " + dir.file("missing.ksc") +
                                               " could not be read.  The list was not changed."))
        << lastMessage().text;
    EXPECT_EQ(state.lookbackCalls.rows, (std::vector<OldCall>{{"K1AR", "AR100"}}));

    // Matching against it is the Former Logs box's choice, taken on OK.
    EXPECT_FALSE(state.lookbackCalls.loaded);
    setup.onBox(SetupBox::OldCalls, true);
    setup.onOK();
    EXPECT_TRUE(state.lookbackCalls.loaded);
}

// A real log adds its calls to the list; each contest's exchange: CallFileFromLog.
TEST_F(LookbackTest, ALogAddsItsCalls) {
    MainMod wpx = test::logFor(contest::Wpx, dir.file("WPX.KSL"));
    ASSERT_TRUE(createLogFile(wpx));
    for (const char* call : {"OH2BH", "K1AR", "OH2BH"})
        ASSERT_TRUE(test::logQso(wpx, test::qsoOf(call, "OH2")));
    addOldCalls(state.lookbackCalls, {{"N6TR", "NATREE05"}});
    choose(dir.file("WPX.KSL"));
    setup.onSelect();
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_EQ(state.lookbackCalls.rows,
              (std::vector<OldCall>{{"K1AR", "WP"}, {"N6TR", "NATREE05"}, {"OH2BH", "WP"}}));
    EXPECT_EQ(v().LookbackLabel, "3 calls in the list");
}

TEST_F(LookbackTest, SaveWritesEveryCallAsksBeforeReplacingAndLoadReadsThemBack) {
    loadOldCalls(state.lookbackCalls, {{"AA1A", "WW5"}, {"K1AR", "AR100"}, {"N6TR", "NATREE05"}});
    choose(dir.file("calls.ksc"));
    setup.onSave();
    ASSERT_EQ(fakes.fileDialog.requests.size(), 1U);
    EXPECT_EQ(fakes.fileDialog.requests[0].title, "Save Lookback File As");
    EXPECT_EQ(fakes.fileDialog.requests[0].defaultExtension, "ksc");
    EXPECT_EQ(fakes.fileDialog.requests[0].filter, "Lookback files (*.ksc)|*.ksc");
    EXPECT_EQ(dir.read("calls.ksc"), "AA1A WW5\r\nK1AR AR100\r\nN6TR NATREE05\r\n");

    const std::vector<OldCall> saved = state.lookbackCalls.rows;
    state.lookbackCalls = {};
    choose(dir.file("calls.ksc"));
    setup.onSelect();
    EXPECT_EQ(state.lookbackCalls.rows, saved);

    loadOldCalls(state.lookbackCalls, {{"K1AR", "AR100"}});
    choose(dir.file("calls.txt"));
    setup.onSave();
    EXPECT_EQ(lastMessage().text, "Output file must have the extension .ksc");
    EXPECT_FALSE(fileExists(dir.file("calls.txt")));

    dir.write("old.KSC", "W1AW AR5\r\n");
    choose(dir.file("old.KSC"));
    fakes.messageBox.answer(MsgResult::No);
    setup.onSave();
    EXPECT_EQ(lastMessage().text, "The selected output file " + dir.file("old.KSC") +
                                      " already exists. OK to overwrite it?");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::YesNo);
    EXPECT_EQ(dir.read("old.KSC"), "W1AW AR5\r\n");

    choose(dir.file("old.KSC"));
    fakes.messageBox.answer(MsgResult::Yes);
    setup.onSave();
    EXPECT_EQ(dir.read("old.KSC"), "K1AR AR100\r\n");

    fakes.fileDialog.answers.push_back(std::nullopt);
    setup.onSave();
    EXPECT_EQ(dir.read("old.KSC"), "K1AR AR100\r\n");
}

}  // namespace
}  // namespace keslog
