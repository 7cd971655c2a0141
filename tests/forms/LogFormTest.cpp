#include <gtest/gtest.h>

#include <functional>

#include "entry/Scoring.h"
#include "forms/LogForm.h"
#include "model/Stamp.h"
#include "platform/Files.h"
#include "storage/LogFixtures.h"
#include "storage/LogNames.h"
#include "storage/SettingsFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::TempDir;

class RecordingLogFiles : public ILogFiles {
  public:
    Status newLog(MainMod&) override { return Status::error("no new logs here"); }
    Status openLog(MainMod& state, const std::string& path) override {
        opened.push_back(path);
        if (!openResult) return openResult;
        state.contestNr = contest::Cqww;
        state.ModeFlag = {false, true};
        state.currentLogPath = path;
        state.resetLog();
        return Status::ok();
    }
    Result<SaveOutcome> saveLog(MainMod&) override {
        ++saves;
        if (!saveResult) return saveResult;
        return SaveOutcome::Saved;
    }
    Status backupLog(MainMod&) override { return Status::ok(); }
    Status writeQso(MainMod&, int n) override {
        written.push_back(n);
        return Status::ok();
    }
    Status cutAfterLastQso(MainMod&) override { return Status::ok(); }
    std::vector<int> written;
    std::vector<std::string> opened;
    int saves = 0;
    Status openResult;
    Status saveResult;
};

class RecordingHost : public ILogFormHost {
  public:
    void showWelcome(const std::function<void()>& whileShown) override {
        ++welcomes;
        whileShown();
    }
    void showAbout() override { ++abouts; }
    void setViewWindowVisible(ViewWindow w, bool visible) override {
        shown.emplace_back(w, visible);
    }
    void refreshStatistics() override { ++refreshes; }
    void showChCoForm(ChCoForm& dialog) override {
        if (onChCoForm) onChCoForm(dialog);
    }
    void showBandMode(BandMode& dialog) override {
        if (onBandMode) onBandMode(dialog);
    }
    void showPostContest(PostContestForm& dialog) override {
        ++postContests;
        if (onPostContest) onPostContest(dialog);
    }
    void showSetup(Setup& dialog) override {
        if (onSetup) onSetup(dialog);
    }
    void storeWindowCoordinates(Settings& settings) override {
        settings.WindowCoords[window_row::LogForm] = place;
    }
    void showPartial() override { ++partials; }
    bool editQso(int n) override {
        edited.push_back(n);
        return false;
    }
    int partials = 0;
    std::vector<int> edited;
    std::function<void(ChCoForm&)> onChCoForm;
    std::function<void(BandMode&)> onBandMode;
    std::function<void(PostContestForm&)> onPostContest;
    int postContests = 0;
    std::function<void(Setup&)> onSetup;
    WindowCoordinates place{1500, 900, 11400, 6300};
    int welcomes = 0;
    int abouts = 0;
    int refreshes = 0;
    std::vector<std::pair<ViewWindow, bool>> shown;
};

class LogFormTest : public ::testing::Test {
  protected:
    void SetUp() override { test::copyShippedStartupFiles(dir); }
    TempDir dir;
    FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    RecordingLogFiles logFiles;
    RecordingHost host;
    LogForm form{state, platform, logFiles, host};
};

TEST_F(LogFormTest, StartsInTheNoLogStateWithOnlyFileAndHelp) {
    ASSERT_TRUE(form.startUp(dir.path().substr(0, dir.path().size() - 1)));
    EXPECT_EQ(state.programDir, dir.path());
    EXPECT_EQ(host.welcomes, 1);
    EXPECT_EQ(fakes.busy.history, (std::vector<bool>{true, false}));
    form.checkWorkingFile();
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    form.load();
    const LogFormView& v = form.view();
    EXPECT_FALSE(v.editMenuVisible);
    EXPECT_FALSE(v.viewMenuVisible);
    EXPECT_FALSE(v.saveVisible);
    EXPECT_FALSE(v.setupVisible);
    EXPECT_FALSE(v.backupVisible);
    EXPECT_FALSE(v.entryVisible);
    EXPECT_FALSE(v.separator1dVisible);
}

TEST_F(LogFormTest, StartUpReadsTheSettingsAndTheReferenceData) {
    dir.write("KESLOG90.INI", "[Preferences]\r\nYourCall=N6TR\r\n");
    ASSERT_TRUE(form.startUp(dir.path()));
    EXPECT_EQ(state.settings.YourCall, "N6TR");
    EXPECT_EQ(state.settings.OpenFilePath, dir.path());
    EXPECT_EQ(state.reference.CWCharacters[0], "13");
    // Until a log sets them up, the tables are those of a station outside
    // California: the CQP table holds the counties.
    ASSERT_EQ(state.mults.CQPMults.rows.size(), 58u);
    EXPECT_EQ(state.mults.CQPMults.rows[0].forms[0], "ALAM");
    EXPECT_EQ(state.mults.SSSections.rows.size(), 80u);
}

TEST_F(LogFormTest, MissingOrDamagedStartupFileEndsWithTheStartupMessage) {
    struct Case {
        const char* file;
        const char* contents;  // nullptr: missing
        std::string detail;
    };
    TempDir other;
    const Case cases[] = {
        {"KESLOG90.INI", nullptr, other.file("KESLOG90.INI") + " cannot be read."},
        {"arrl.cty", nullptr, other.file("arrl.cty") + " cannot be read."},
        {"KESLOG90.DAT", nullptr, other.file("KESLOG90.DAT") + " cannot be read."},
        {"KESLOG90.DAT", "[SS Short Forms]\r\nEM,WM\r\n",
         other.file("KESLOG90.DAT") +
             ": The reference data file ends inside the section [SS Short Forms] after 2 of its "
             "80 items."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail);
        test::copyShippedStartupFiles(other);
        if (c.contents)
            other.write(c.file, c.contents);
        else
            removeFile(other.file(c.file));
        fakes.messageBox.shown.clear();
        EXPECT_FALSE(form.startUp(other.path()));
        ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
        const MessageRequest& m = fakes.messageBox.shown[0];
        EXPECT_EQ(m.title, "Error Reading Initiation Files");
        EXPECT_EQ(m.icon, MsgIcon::Stop);
        EXPECT_EQ(m.text,
                  "Can't find or Read startup files KESLOG90.INI or KESLOG90.DAT.  Move them to "
                  "same drive/directory used to start program and restart program.\n\n" +
                      c.detail);
    }
}

TEST_F(LogFormTest, CountryFileIsReadAtStartUp) {
    dir.write("arrl.cty", "Japan(330):25:JA:JA;\nCanada(010):05:VE:VE,VA;\n");
    ASSERT_TRUE(form.startUp(dir.path()));
    EXPECT_EQ(state.countries.CountryCount(), 2);
    EXPECT_EQ(state.countries.CanadaCountryNr, 2);
}

TEST_F(LogFormTest, CorruptCountryLineEndsWithTheStartupMessageNamingTheLine) {
    dir.write("arrl.cty", "Japan(330):25:JA:JA;\r\n&JE,JR\r\nCanada(010) 05 VE VE\r\n");
    EXPECT_FALSE(form.startUp(dir.path()));
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "Error Reading Initiation Files");
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "Can't find or Read startup files KESLOG90.INI or KESLOG90.DAT.  Move them to same "
              "drive/directory used to start program and restart program.\n\n" +
                  dir.file("arrl.cty") +
                  " line 3 cannot be read: a country line needs three \":\" "
                  "(name:zone:prefix:aliases).");
}

TEST_F(LogFormTest, SurvivingWorkingFileIsOfferedAndDeletedOnNo) {
    dir.write("!temp%!!.cqb", "header");
    ASSERT_TRUE(form.startUp(dir.path()));
    fakes.messageBox.answer(MsgResult::No);
    form.checkWorkingFile();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "KESLOG has detected a backup file indicating the program was terminated "
              "abnormally.  Do you want to open it as a log file?");
    EXPECT_EQ(fakes.messageBox.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
    EXPECT_TRUE(logFiles.opened.empty());

    // The next start does not ask again.
    form.checkWorkingFile();
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
}

TEST_F(LogFormTest, SurvivingWorkingFileOpensAsTheLogOnYes) {
    dir.write("!temp%!!.cqb", "header");
    ASSERT_TRUE(form.startUp(dir.path()));
    fakes.messageBox.answer(MsgResult::Yes);
    form.checkWorkingFile();
    EXPECT_EQ(logFiles.opened, std::vector<std::string>{dir.file("!temp%!!.cqb")});
    EXPECT_TRUE(state.logOpen);
    EXPECT_TRUE(form.view().entryVisible);
    EXPECT_EQ(form.view().numberLabel, "  Zone");
}

TEST_F(LogFormTest, WorkingFileThatFailsToOpenIsKept) {
    dir.write("!temp%!!.cqb", "header");
    ASSERT_TRUE(form.startUp(dir.path()));
    logFiles.openResult = Status::error("The log file is damaged.");
    fakes.messageBox.answer(MsgResult::Yes);
    form.checkWorkingFile();
    EXPECT_FALSE(state.logOpen);
    EXPECT_TRUE(fileExists(dir.file("!temp%!!.cqb")));
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(fakes.messageBox.shown[1].text, "The log file is damaged.");
}

TEST_F(LogFormTest, ExitQuestions) {
    ASSERT_TRUE(form.startUp(dir.path()));
    // No log open: "Exit KESLOG?", No keeps running.
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(fakes.messageBox.shown.back().text, "Exit KESLOG?");
    EXPECT_EQ(fakes.messageBox.shown.back().title, "Exit KESLOG?");
    fakes.messageBox.answer(MsgResult::Yes);
    EXPECT_TRUE(form.requestExit());

    // A log open: Cancel keeps running, nothing saved or deleted.
    dir.write("!temp%!!.cqb", "header");
    state.logOpen = true;
    state.currentLogPath = state.workingFilePath();
    fakes.messageBox.answer(MsgResult::Cancel);
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(fakes.messageBox.shown.back().text, "Save current log file?");
    EXPECT_EQ(fakes.messageBox.shown.back().title, "Save Log?");
    EXPECT_EQ(fakes.messageBox.shown.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(fileExists(dir.file("!temp%!!.cqb")));

    // A failed save keeps the program running with the log.
    logFiles.saveResult = Status::error("Disk full.");
    fakes.messageBox.answer(MsgResult::Yes);
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(fakes.messageBox.shown.back().text, "Disk full.");
    logFiles.saveResult = Status::ok();
    fakes.messageBox.answer(MsgResult::Yes);
    EXPECT_TRUE(form.requestExit());
    EXPECT_EQ(logFiles.saves, 2);

    // No: the unnamed working log is deleted.
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_TRUE(form.requestExit());
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
}

TEST_F(LogFormTest, ExitWritesTheSettingsWithTheWindowPlace) {
    ASSERT_TRUE(form.startUp(dir.path()));
    state.settings.YourCall = "K6AW";
    fakes.messageBox.answer(MsgResult::Yes);
    ASSERT_TRUE(form.requestExit());
    MainMod reread;
    reread.programDir = dir.path();
    ASSERT_TRUE(ReadSettings(reread));
    EXPECT_EQ(reread.settings.YourCall, "K6AW");
    EXPECT_EQ(reread.settings.WindowCoords[window_row::LogForm],
              (WindowCoordinates{1500, 900, 11400, 6300}));
}

TEST_F(LogFormTest, AFailedSettingsWriteAtExitIsReported) {
    ASSERT_TRUE(form.startUp(dir.path()));
    state.programDir = dir.path() + "unplugged/";
    fakes.messageBox.answer(MsgResult::Yes);     // Exit KESLOG?
    fakes.messageBox.answer(MsgResult::Cancel);  // the file-error dialog
    EXPECT_TRUE(form.requestExit());
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(fakes.messageBox.shown[1].text,
              "Drive unavailable.  If it's a removable disk drive, insert a disk.");
    EXPECT_EQ(fakes.messageBox.shown[1].title, "File or Disk Error");
    EXPECT_EQ(fakes.messageBox.shown[1].buttons, MsgButtons::RetryCancel);
}

TEST_F(LogFormTest, ContestChoiceAndActiveBandsGoThroughTheirDialogs) {
    ASSERT_TRUE(form.startUp(dir.path()));
    host.onChCoForm = [](ChCoForm& dialog) {
        dialog.onList1Click(7);  // SS
        dialog.onButtonMode(0);  // phone
        dialog.onOK();
    };
    EXPECT_TRUE(form.chooseContest());
    EXPECT_EQ(state.contestNr, contest::Ss);
    EXPECT_EQ(state.ModeFlag, (std::array<bool, 2>{true, false}));

    // A dialog closed without OK counts as cancelled.
    host.onChCoForm = [](ChCoForm&) {};
    EXPECT_FALSE(form.chooseContest());
    EXPECT_TRUE(state.CancelFlag);

    // Only 20 and 40 m active: stepping follows the new set at once.
    state.logOpen = true;
    state.CurrentBandMode = bandModeCode(band::B20, true);
    form.load();
    host.onBandMode = [](BandMode& dialog) {
        for (int b : {band::B10, band::B15, band::B80, band::B160}) dialog.onBandBox(b, false);
        dialog.onOK();
    };
    form.onEditSelectBands();
    const auto step = [this](EntryKey key) {
        form.entry().onKeyDown(kCallBox, key, {.ctrl = true});
    };
    step(EntryKey::Down);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B40, true));
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  1    (40m SSB)");
    step(EntryKey::Down);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B20, true));
    step(EntryKey::Up);
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  1    (40m SSB)");
}

TEST_F(LogFormTest, DecliningToSaveANamedLogKeepsIt) {
    ASSERT_TRUE(form.startUp(dir.path()));
    dir.write("N6TR.KSL", "log");
    state.logOpen = true;
    state.currentLogPath = dir.file("N6TR.KSL");
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_TRUE(form.requestExit());
    EXPECT_TRUE(fileExists(dir.file("N6TR.KSL")));
}

TEST_F(LogFormTest, RecentFilesShowWhereSetAndMissingOnesAreReported) {
    ASSERT_TRUE(form.startUp(dir.path()));
    dir.write("A.KSL", "log");
    state.settings.RecentFile1 = dir.file("A.KSL");
    state.settings.RecentFile2 = dir.file("gone.KSL");
    state.settings.RecentFile4 = dir.file("D.KSL");
    form.load();
    const LogFormView& v = form.view();
    EXPECT_TRUE(v.separator1dVisible);
    EXPECT_EQ(v.recentFiles[2], "");
    EXPECT_EQ(v.recentFiles[3], dir.file("D.KSL"));

    form.onRecentFile(2);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "The selected data file " + dir.file("gone.KSL") +
                                                  " doesn't exist.  Make another selection.");
    EXPECT_EQ(fakes.messageBox.shown[0].title, "File Opening Error");
    EXPECT_EQ(fakes.messageBox.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(state.logOpen);

    form.onRecentFile(1);
    EXPECT_EQ(logFiles.opened, std::vector<std::string>{dir.file("A.KSL")});
    EXPECT_TRUE(state.logOpen);
}

TEST_F(LogFormTest, LayoutFollowsTheContest) {
    struct Case {
        ContestNr contest;
        std::array<bool, 2> modeFlag;
        BandModeCode bandMode;
        const char* heading;
        bool wpxLabels;
        bool wide;
        bool multipliers;
        bool speed;
    };
    const Case cases[] = {
        {contest::ArrlDx, {false, true}, 3, "Power", false, false, true, true},
        {contest::ArrlDx, {true, false}, 11, "Power", false, false, true, false},
        {contest::Cqww, {false, true}, 3, "  Zone", false, false, true, true},
        {contest::Aa, {false, true}, 3, "   Age", false, false, false, true},
        {contest::Wpx, {false, true}, 4, "Number", true, false, true, true},
        {contest::Cqp, {true, true}, 3, "Exchange", false, true, true, true},
        {contest::Cqp, {true, true}, 11, "Exchange", false, true, true, false},
        {contest::Paqp, {false, false}, 5, "Exchange", false, true, true, true},
        {contest::Naqp, {false, true}, 3, "Exchange", false, false, true, true},
    };
    ASSERT_TRUE(form.startUp(dir.path()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contest);
        state.contestNr = c.contest;
        state.ModeFlag = c.modeFlag;
        state.CurrentBandMode = c.bandMode;
        state.logOpen = true;
        state.currentLogPath = dir.file("TEST.KSL");
        form.load();
        const LogFormView& v = form.view();
        EXPECT_TRUE(v.entryVisible);
        EXPECT_TRUE(v.viewMenuVisible);
        EXPECT_EQ(v.numberLabel, c.heading);
        EXPECT_EQ(v.wpxLabelsVisible, c.wpxLabels);
        EXPECT_EQ(v.wideExchange, c.wide);
        EXPECT_EQ(v.multipliersEnabled, c.multipliers);
        EXPECT_EQ(v.speedScrollVisible, c.speed);
        EXPECT_EQ(v.speedLabel, c.speed ? "CW Speed:" : "");
        EXPECT_EQ(v.activeRadioLabel, "TX R1");
        EXPECT_EQ(v.activeLogLabel, "Log R1");
        EXPECT_EQ(v.qsoNrLabel, qsoNrLabelText(1, c.bandMode));
        EXPECT_EQ(v.fileIdLabel, logCaption(state));
    }
}

TEST_F(LogFormTest, OpeningALogPutsBothRadiosOnItsBandModeOnRadioOne) {
    ASSERT_TRUE(form.startUp(dir.path()));
    state.TXRadio = 2;
    state.LogRadio = 2;
    state.RadioBandMode = {0, 0};
    state.contestNr = contest::Cqww;
    state.ModeFlag = {true, false};
    state.CurrentBandMode = bandModeCode(band::B40, true);
    state.QSONr = 12;
    state.logOpen = true;
    form.load();
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(state.RadioBandMode[0], bandModeCode(band::B40, true));
    EXPECT_EQ(state.RadioBandMode[1], bandModeCode(band::B40, true));
    EXPECT_EQ(form.view().qsoNrColour, colour::Blue);

    form.showLogRadio(2);
    const LogFormView& v = form.view();
    EXPECT_EQ(v.activeLogLabel, "Log R2");
    EXPECT_EQ(v.activeLogColour, colour::Red);
    EXPECT_EQ(v.qsoNrColour, colour::Red);
    EXPECT_EQ(v.qsoNrLabel, "QSO Nr  12    (40m SSB)");
    EXPECT_EQ(v.activeRadioLabel, "TX R1");  // the transmitter is the other label
}

TEST_F(LogFormTest, ClocksFromALocalClock) {
    ASSERT_TRUE(form.startUp(dir.path()));
    fakes.clock.time = {2026, 12, 31, 23, 34, 56};
    state.settings.IsGMTFlag = "False";
    state.settings.TimeCorrection = "+2";
    form.onTimer1Tick();
    EXPECT_EQ(form.view().timeLocalLabel, "Local Time: 23:34:56");
    EXPECT_EQ(form.view().timeGmtLabel, "GMT: 01:34:56");
}

TEST_F(LogFormTest, ClocksFromAGmtClock) {
    ASSERT_TRUE(form.startUp(dir.path()));
    fakes.clock.time = {2026, 12, 31, 3, 4, 5};
    state.settings.IsGMTFlag = "True";
    state.settings.TimeCorrection = "8";
    form.onTimer1Tick();
    EXPECT_EQ(form.view().timeGmtLabel, "GMT: 03:04:05");
    EXPECT_EQ(form.view().timeLocalLabel, "LocalTime: 19:04:05");
}

TEST_F(LogFormTest, StatisticsRefreshEveryTenthTickWithAContest) {
    ASSERT_TRUE(form.startUp(dir.path()));
    for (int i = 0; i < 25; ++i) form.onTimer1Tick();
    EXPECT_EQ(host.refreshes, 0);
    state.contestNr = contest::Ss;
    for (int i = 0; i < 25; ++i) form.onTimer1Tick();
    EXPECT_EQ(host.refreshes, 2);  // ticks 31 and 41 overall
}

TEST_F(LogFormTest, HelpViewAndAbout) {
    form.onHelpContents();
    form.onHelpUsing();
    EXPECT_EQ(fakes.help.shown,
              (std::vector<HelpCommand>{HelpCommand::Contents, HelpCommand::HelpOnHelp}));
    form.onHelpAbout();
    EXPECT_EQ(host.abouts, 1);

    form.onViewItem(ViewWindow::QSOStats);
    form.onViewItem(ViewWindow::Multipliers);
    form.onViewItem(ViewWindow::QSOStats);
    EXPECT_FALSE(form.view().viewTicked[static_cast<std::size_t>(ViewWindow::QSOStats)]);
    EXPECT_TRUE(form.view().viewTicked[static_cast<std::size_t>(ViewWindow::Multipliers)]);
    host.shown.clear();
    form.onResize(true);
    form.onResize(false);
    using P = std::pair<ViewWindow, bool>;
    EXPECT_EQ(host.shown, (std::vector<P>{P{ViewWindow::Multipliers, false},
                                          P{ViewWindow::Multipliers, true}}));
}

// A log of the contest, open, with its multiplier tables set up.
void openEmptyLog(MainMod& state, ContestNr nr) {
    state.contestNr = nr;
    state.ModeFlag = {false, true};
    state.logOpen = true;
    state.settings.IsGMTFlag = "True";
    state.resetLog();
    replayLog(state);
}

void logAt(MainMod& state, int hhmm) {
    QSORecName q;
    q.QDate = dateCode(2026, 11, 28);  // the fake clock's day
    q.QTime = static_cast<std::int16_t>(hhmm);
    q.QBandMode = 3;
    q.QCall = "DL1ABC";
    q.QMult = "DL";
    q.QPoints = "3";
    ASSERT_TRUE(addLoggedQso(state, q).isOk());
}

TEST_F(LogFormTest, StatisticsAfterEachQsoAndLiveFromTheClock) {
    ASSERT_TRUE(form.startUp(dir.path()));
    openEmptyLog(state, contest::ArrlDx);
    form.load();
    EXPECT_EQ(form.statsView().LabelAll.text, "All\n--\n--\n--\n--");
    logAt(state, 1100);
    for (int i = 2; i <= 10; ++i) logAt(state, 1200);
    logAt(state, 1210);
    const int before = host.refreshes;
    form.refreshAfterQso();
    EXPECT_EQ(host.refreshes, before + 1);
    EXPECT_EQ(form.statsView().Last10Label.text, "Last 10: 60");
    EXPECT_EQ(form.statsView().LabelAll.text, "All\n11\n0:10\n66\n1");

    // The clock timer: the rates fall while the operator waits, until the
    // wait is off time.
    const auto tickUntilRefreshed = [this] {
        const int refreshes = host.refreshes;
        for (int i = 0; i < 11 && host.refreshes == refreshes; ++i) form.onTimer1Tick();
        EXPECT_EQ(host.refreshes, refreshes + 1);
    };
    fakes.clock.time = {2026, 11, 28, 12, 14, 0};
    tickUntilRefreshed();
    EXPECT_EQ(form.statsView().Last10Label.text, "Last 10: 43");
    fakes.clock.time = {2026, 11, 28, 12, 25, 0};
    tickUntilRefreshed();
    EXPECT_EQ(form.statsView().Last10Label.text, "Last 10: 60");
    // The country panel of the last QSO.
    EXPECT_EQ(form.multView().caption, "ARRL DX Multipliers");
    EXPECT_EQ(form.multView().texts.size(), 4u);
}

TEST_F(LogFormTest, ViewWindowsCloseByTheirCloseBoxAndWithTheLog) {
    ASSERT_TRUE(form.startUp(dir.path()));
    openEmptyLog(state, contest::Cqp);
    form.load();
    const auto ticked = [this](ViewWindow w) {
        return form.view().viewTicked[static_cast<std::size_t>(w)];
    };
    form.onViewItem(ViewWindow::QSOStats);
    EXPECT_TRUE(ticked(ViewWindow::QSOStats));
    form.onViewWindowClosed(ViewWindow::QSOStats);
    EXPECT_FALSE(ticked(ViewWindow::QSOStats));
    // Shown again, its figures are intact.
    form.onViewItem(ViewWindow::QSOStats);
    EXPECT_EQ(form.statsView().width, 8100);

    form.onViewItem(ViewWindow::Multipliers);
    form.onViewItem(ViewWindow::CACounties);
    EXPECT_EQ(form.countiesView().lines.size(), 10u);
    host.shown.clear();
    form.closeDisplays();
    using P = std::pair<ViewWindow, bool>;
    EXPECT_EQ(host.shown, (std::vector<P>{P(ViewWindow::Log, false), P(ViewWindow::QSOStats, false),
                                          P(ViewWindow::Multipliers, false),
                                          P(ViewWindow::CACounties, false)}));
    for (ViewWindow w :
         {ViewWindow::Log, ViewWindow::QSOStats, ViewWindow::Multipliers, ViewWindow::CACounties})
        EXPECT_FALSE(ticked(w));
    EXPECT_TRUE(form.countiesView().lines.empty());
    EXPECT_TRUE(form.multView().texts.empty());
}

TEST_F(LogFormTest, NaqpGridFollowsTheBand) {
    ASSERT_TRUE(form.startUp(dir.path()));
    openEmptyLog(state, contest::Naqp);
    form.load();
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 20m");
    const auto step = [this](EntryKey key) {
        form.entry().onKeyDown(kCallBox, key, {.ctrl = true});
    };
    step(EntryKey::Down);
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 40m");
    step(EntryKey::Up);
    step(EntryKey::Up);
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 15m");
}

}  // namespace
}  // namespace keslog

namespace keslog {
namespace {

TEST_F(LogFormTest, LastEntryOpensTheEditorOnTheLastQsoAndNeverOnAnEmptyLog) {
    ASSERT_TRUE(form.startUp(dir.path()));
    state.contestNr = contest::Cqww;
    state.ModeFlag = {false, true};
    state.resetLog();
    form.entry().onLastEntry();
    EXPECT_TRUE(host.edited.empty());
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "No Entries in Log, so can't edit last entry.");

    QSORecName qso;
    qso.QCall = "DL1ABC";
    qso.QBandMode = 3;
    ASSERT_TRUE(state.log.append(qso));
    qso.QCall = "JA1XYZ";
    ASSERT_TRUE(state.log.append(qso));
    form.entry().onLastEntry();
    EXPECT_EQ(host.edited, std::vector<int>{2});
}

// An unnamed log open with one QSO in memory.
void openWorkingLog(MainMod& state, const TempDir& dir, ContestNr contest = contest::Cqp) {
    dir.write("!temp%!!.cqb", "header");
    state.contestNr = contest;
    state.currentLogPath = state.workingFilePath();
    state.resetLog();
    ASSERT_TRUE(state.log.append(test::qsoOf("K6XX", "SCLA")));
    state.QSONr = 2;
    state.logOpen = true;
}

TEST_F(LogFormTest, PostContestAsksAboutTheOpenLogAndCancelsCleanly) {
    const std::string working = "!temp%!!.cqb";
    struct Case {
        const char* name;
        bool workingLog;     // else no log is open
        MsgResult answer;    // to "Save current log file?"
        Status saved;        // what saving the unnamed log gives
        bool dialogShown;    // the file dialog
        const char* chosen;  // nullptr: the file dialog is cancelled
        const char* message;
    };
    const Case cases[] = {
        {"no log, file dialog cancelled", false, MsgResult::Ok, {}, true, nullptr, nullptr},
        {"Cancel", true, MsgResult::Cancel, {}, false, nullptr, nullptr},
        {"No, file dialog cancelled", true, MsgResult::No, {}, true, nullptr, nullptr},
        {"Yes, save fails", true, MsgResult::Yes, Status::error("Disk full."), false, nullptr,
         "Disk full."},
        {"No, a file that is no log",
         true,
         MsgResult::No,
         {},
         true,
         "N6TR.TXT",
         "The file {dir}N6TR.TXT is not a .KSL log file.  Nothing was processed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        test::copyShippedStartupFiles(folder);
        FakePlatform fakes;
        Platform platform = fakes.services();
        MainMod state;
        RecordingLogFiles files;
        RecordingHost windows;
        LogForm logForm(state, platform, files, windows);
        ASSERT_TRUE(logForm.startUp(folder.path()));
        if (c.workingLog) openWorkingLog(state, folder);
        logForm.load();
        files.saveResult = c.saved;
        fakes.messageBox.answer(c.answer);
        fakes.fileDialog.answers.push_back(c.chosen ? std::optional(folder.file(c.chosen))
                                                    : std::nullopt);
        if (c.chosen) folder.write(c.chosen, "text");

        logForm.onFilePostContest();

        std::vector<std::string> texts;
        for (const MessageRequest& m : fakes.messageBox.shown) texts.push_back(m.text);
        std::vector<std::string> expected;
        if (c.workingLog) expected.emplace_back("Save current log file?");
        if (c.message) {
            std::string text = c.message;
            if (const auto at = text.find("{dir}"); at != std::string::npos)
                text.replace(at, 5, folder.path());
            expected.push_back(text);
        }
        EXPECT_EQ(texts, expected);
        if (c.workingLog) {
            EXPECT_EQ(fakes.messageBox.shown[0].title, "Save Current Log?");
            EXPECT_EQ(fakes.messageBox.shown[0].buttons, MsgButtons::YesNoCancel);
            EXPECT_EQ(fakes.messageBox.shown[0].icon, MsgIcon::Question);
        }
        if (c.message && c.chosen) {
            EXPECT_EQ(fakes.messageBox.shown.back().title, "Post-Contest Processing");
        }
        EXPECT_EQ(fakes.fileDialog.requests.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(windows.postContests, 0);
        // The unnamed log and its file are as they were.
        EXPECT_EQ(state.logOpen, c.workingLog);
        EXPECT_EQ(fileExists(folder.file(working)), c.workingLog);
        EXPECT_EQ(state.log.count(), c.workingLog ? 1 : 0);
        EXPECT_EQ(logForm.view().entryVisible, c.workingLog);
    }
}

TEST_F(LogFormTest, PostContestProcessesTheChosenLogAndLeavesNoLog) {
    ASSERT_TRUE(form.startUp(dir.path()));
    MainMod written = test::logFor(contest::Cqww, dir.file("WW.KSL"));
    ASSERT_TRUE(createLogFile(written));
    ASSERT_TRUE(test::logQso(written, test::qsoOf("DL1ABC", "", 3)));

    openWorkingLog(state, dir, contest::Naqp);
    form.load();
    form.onViewItem(ViewWindow::QSOStats);
    form.onViewItem(ViewWindow::CWMessages);
    host.shown.clear();
    fakes.messageBox.answer(MsgResult::No);
    fakes.fileDialog.answers.push_back(dir.file("WW.KSL"));
    fakes.clock.time.year = 2027;
    host.onPostContest = [this](PostContestForm& dialog) {
        // The open log's windows are gone before the dialog shows.
        EXPECT_FALSE(form.view().viewTicked[static_cast<std::size_t>(ViewWindow::QSOStats)]);
        EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
        EXPECT_EQ(state.log.count(), 0);                        // the unnamed log is given up
        EXPECT_EQ(state.log.variant(), RecordVariant::QSORec);  // CQWW's records
        EXPECT_EQ(dialog.view().contestLabel, " Contest: CQWW DX CW");
        dialog.setElectronic(true);
        dialog.onOK();
        ASSERT_TRUE(dialog.report() && *dialog.report());
        EXPECT_EQ(dialog.report()->value().log.qsoCount, 1);
    };

    form.onFilePostContest();

    const FileDialogRequest& request = fakes.fileDialog.requests.at(0);
    EXPECT_EQ(request.title, "Select KSL Log File to Process");
    EXPECT_EQ(request.defaultExtension, "KSL");
    EXPECT_EQ(request.fileName, "*.KSL");
    EXPECT_EQ(request.filter, "KSL logs (*.KSL)|*.KSL");
    EXPECT_EQ(host.postContests, 1);
    EXPECT_TRUE(fileExists(dir.file("WW.LOG")));
    EXPECT_NE(readWholeFile(dir.file("WW.LOG"))->find("DL1ABC"), std::string::npos);
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);  // the save question only

    // No log: the state as for a new log, the window in its no-log state.
    EXPECT_FALSE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::None);
    EXPECT_EQ(state.QSONr, 1);
    EXPECT_EQ(state.log.count(), 0);
    EXPECT_EQ(state.totals.multCount, 0);
    EXPECT_EQ(state.currentLogPath, state.workingFilePath());
    EXPECT_FALSE(form.view().entryVisible);
    EXPECT_FALSE(form.view().editMenuVisible);
    EXPECT_EQ(form.view().title, "KESLOG");
    using P = std::pair<ViewWindow, bool>;
    EXPECT_EQ(
        host.shown,
        (std::vector<P>{P(ViewWindow::Log, false), P(ViewWindow::QSOStats, false),
                        P(ViewWindow::Multipliers, false), P(ViewWindow::CACounties, false),
                        P(ViewWindow::Log, false), P(ViewWindow::QSOStats, false),
                        P(ViewWindow::Multipliers, false), P(ViewWindow::CACounties, false)}));
    // The CW messages are no display of the log: they stay.
    EXPECT_TRUE(form.view().viewTicked[static_cast<std::size_t>(ViewWindow::CWMessages)]);
    EXPECT_TRUE(fileExists(dir.file("WW.KSL")));

    // From the no-log state, with the dialog closed by its close box.
    host.onPostContest = [](PostContestForm&) {};
    fakes.fileDialog.answers.push_back(dir.file("WW.KSL"));
    removeFile(dir.file("WW.LOG"));
    form.onFilePostContest();
    EXPECT_EQ(host.postContests, 2);
    EXPECT_FALSE(fileExists(dir.file("WW.LOG")));
    EXPECT_FALSE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::None);
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
}

TEST_F(LogFormTest, PostContestWritesANamedLogOutWithoutAsking) {
    ASSERT_TRUE(form.startUp(dir.path()));
    MainMod written = test::logFor(contest::Cqww, dir.file("WW.KSL"));
    ASSERT_TRUE(createLogFile(written));
    dir.write("N6TR.KSL", "log");
    state.contestNr = contest::Cqww;
    state.currentLogPath = dir.file("N6TR.KSL");
    state.logOpen = true;
    form.load();
    fakes.fileDialog.answers.push_back(dir.file("WW.KSL"));
    form.onFilePostContest();
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_EQ(logFiles.saves, 1);
    EXPECT_EQ(host.postContests, 1);
    EXPECT_FALSE(state.logOpen);

    // A named log whose QSOs cannot all be written stays open.
    logFiles.saveResult = Status::error("Disk full.");
    state.currentLogPath = dir.file("N6TR.KSL");
    state.logOpen = true;
    form.onFilePostContest();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "Disk full.");
    EXPECT_EQ(fakes.fileDialog.requests.size(), 1u);
    EXPECT_EQ(host.postContests, 1);
    EXPECT_TRUE(state.logOpen);
}

TEST_F(LogFormTest, PreferencesRewriteTheSettingsFileOnOkOnly) {
    ASSERT_TRUE(form.startUp(dir.path()));
    test::FakePortDevices devices;
    const std::string before = dir.read("KESLOG90.INI");
    host.onSetup = [](keslog::Setup& dialog) {
        dialog.onCallBox(" k6aaa");
        dialog.onCancel();
    };
    form.onFileSetup(devices);
    EXPECT_EQ(dir.read("KESLOG90.INI"), before);
    EXPECT_EQ(state.settings.YourCall, "");

    // A dialog closed without OK or Cancel counts as cancelled.
    host.onSetup = [](keslog::Setup& dialog) { dialog.onCallBox("k6aaa"); };
    form.onFileSetup(devices);
    EXPECT_EQ(dir.read("KESLOG90.INI"), before);

    host.onSetup = [](keslog::Setup& dialog) {
        dialog.onCallBox(" k6aaa");
        dialog.onOK();
    };
    form.onFileSetup(devices);
    EXPECT_EQ(state.settings.YourCall, "K6AAA");
    EXPECT_NE(dir.read("KESLOG90.INI").find("\r\nYourCall=K6AAA\r\n"), std::string::npos);
}

}  // namespace
}  // namespace keslog
