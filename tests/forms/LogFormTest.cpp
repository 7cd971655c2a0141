#include <gtest/gtest.h>

#include <functional>

#include "entry/Scoring.h"
#include "forms/LogFormRig.h"
#include "model/Stamp.h"
#include "platform/Files.h"
#include "storage/LogFixtures.h"
#include "storage/LogNames.h"
#include "storage/SettingsFile.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::TempDir;
using P = std::pair<ViewWindow, bool>;

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
    Status writeQso(MainMod&, int) override { return Status::ok(); }
    Status cutAfterLastQso(MainMod&) override { return Status::ok(); }
    std::vector<std::string> opened;
    int saves = 0;
    Status openResult;
    Status saveResult;
};

class RecordingHost : public test::QuietLogFormHost {
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
    void showChCoForm(ChCoForm& dialog) override { onChCoForm(dialog); }
    void showBandMode(BandMode& dialog) override { onBandMode(dialog); }
    void showPostContest(PostContestForm& dialog) override {
        ++postContests;
        onPostContest(dialog);
    }
    void showSetup(Setup& dialog) override { onSetup(dialog); }
    void storeWindowCoordinates(Settings& settings) override {
        settings.WindowCoords[window_row::LogForm] = {1500, 900, 11400, 6300};
    }
    bool editQso(int n) override {
        edited.push_back(n);
        return false;
    }
    std::vector<int> edited;
    std::function<void(ChCoForm&)> onChCoForm = [](ChCoForm&) {};
    std::function<void(BandMode&)> onBandMode = [](BandMode&) {};
    std::function<void(PostContestForm&)> onPostContest = [](PostContestForm&) {};
    std::function<void(Setup&)> onSetup = [](Setup&) {};
    int postContests = 0, welcomes = 0, abouts = 0, refreshes = 0;
    std::vector<P> shown;
};

const std::string kStartupMessage =
    "Can't find or Read startup files KESLOG90.INI or KESLOG90.DAT.  Move them to same "
    "drive/directory used to start program and restart program.\n\n";
const std::vector<P> kLogDisplaysClosed{P(ViewWindow::Log, false), P(ViewWindow::QSOStats, false),
                                        P(ViewWindow::Multipliers, false),
                                        P(ViewWindow::CACounties, false)};

// The main window in a program folder of the shipped start-up files.
struct FormRig {
    FormRig() { test::copyShippedStartupFiles(dir); }
    TempDir dir;
    FakePlatform fakes;
    Platform platform = fakes.services();
    std::vector<MessageRequest>& shown = fakes.messageBox.shown;
    MainMod state;
    RecordingLogFiles logFiles;
    RecordingHost host;
    LogForm form{state, platform, logFiles, host};
};

class LogFormTest : public ::testing::Test, protected FormRig {
  protected:
    bool ticked(ViewWindow w) { return form.view().viewTicked[static_cast<std::size_t>(w)]; }
    void step(EntryKey key) { form.entry().onKeyDown(kCallBox, key, {.ctrl = true}); }
};

TEST_F(LogFormTest, StartUpReadsTheFilesAndShowsTheNoLogState) {
    dir.write("KESLOG90.INI", "[Preferences]\r\nYourCall=N6TR\r\n");
    dir.write("arrl.cty", "Japan(330):25:JA:JA;\nCanada(010):05:VE:VE,VA;\n");
    ASSERT_TRUE(form.startUp(dir.path().substr(0, dir.path().size() - 1)));
    EXPECT_EQ(state.programDir, dir.path());
    EXPECT_EQ(state.settings.YourCall, "N6TR");
    EXPECT_EQ(state.settings.OpenFilePath, dir.path());
    EXPECT_EQ(state.countries.CountryCount(), 2);
    // Until a log sets them up, the tables are those of a station outside
    // California: the CQP table holds the counties.
    ASSERT_EQ(state.mults.CQPMults.rows.size(), 58u);
    EXPECT_EQ(state.mults.CQPMults.rows[0].forms[0], "ALAM");
    EXPECT_EQ(state.mults.SSSections.rows.size(), 80u);
    EXPECT_EQ(host.welcomes, 1);
    EXPECT_EQ(fakes.busy.history, (std::vector<bool>{true, false}));
    form.checkWorkingFile();
    EXPECT_TRUE(shown.empty());
    form.load();
    const LogFormView& v = form.view();
    for (bool visible : {v.editMenuVisible, v.viewMenuVisible, v.saveVisible, v.setupVisible,
                         v.backupVisible, v.entryVisible, v.separator1dVisible})
        EXPECT_FALSE(visible);
}

TEST_F(LogFormTest, MissingOrDamagedStartupFileEndsWithTheStartupMessage) {
    TempDir other;
    const std::tuple<const char*, const char*, std::string> cases[] = {
        // file, contents (nullptr: missing), what the message adds
        {"KESLOG90.INI", nullptr, other.file("KESLOG90.INI") + " cannot be read."},
        {"arrl.cty", nullptr, other.file("arrl.cty") + " cannot be read."},
        {"KESLOG90.DAT", nullptr, other.file("KESLOG90.DAT") + " cannot be read."},
        {"KESLOG90.DAT", "[SS Short Forms]\r\nEM,WM\r\n",
         other.file("KESLOG90.DAT") +
             ": The reference data file ends inside the section [SS Short Forms] after 2 of its "
             "80 items."},
        {"arrl.cty", "Japan(330):25:JA:JA;\r\n&JE,JR\r\nCanada(010) 05 VE VE\r\n",
         other.file("arrl.cty") + " line 3 cannot be read: a country line needs three \":\" "
                                  "(name:zone:prefix:aliases)."},
    };
    for (const auto& [file, contents, detail] : cases) {
        SCOPED_TRACE(detail);
        test::copyShippedStartupFiles(other);
        if (contents)
            other.write(file, contents);
        else
            removeFile(other.file(file));
        shown.clear();
        EXPECT_FALSE(form.startUp(other.path()));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].title, "Error Reading Initiation Files");
        EXPECT_EQ(shown[0].icon, MsgIcon::Stop);
        EXPECT_EQ(shown[0].text, kStartupMessage + detail);
    }
}

// A working file left by a crash is offered as the log: kept when it fails
// to open, deleted on No, opened on Yes.
TEST_F(LogFormTest, SurvivingWorkingFileIsOfferedAsTheLog) {
    dir.write("!temp%!!.cqb", "header");
    ASSERT_TRUE(form.startUp(dir.path()));
    logFiles.openResult = Status::error("The log file is damaged.");
    form.checkWorkingFile();  // Yes
    EXPECT_FALSE(state.logOpen);
    EXPECT_TRUE(fileExists(dir.file("!temp%!!.cqb")));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text,
              "KESLOG has detected a backup file indicating the program was terminated "
              "abnormally.  Do you want to open it as a log file?");
    EXPECT_EQ(shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown[1].text, "The log file is damaged.");

    fakes.messageBox.answer(MsgResult::No);
    form.checkWorkingFile();
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
    form.checkWorkingFile();  // nothing left to offer
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(logFiles.opened.size(), 1u);

    dir.write("!temp%!!.cqb", "header");
    logFiles.openResult = Status::ok();
    form.checkWorkingFile();  // Yes
    EXPECT_EQ(logFiles.opened.back(), dir.file("!temp%!!.cqb"));
    EXPECT_TRUE(state.logOpen);
    EXPECT_TRUE(form.view().entryVisible);
    EXPECT_EQ(form.view().numberLabel, "  Zone");
}

TEST_F(LogFormTest, ExitQuestionsAndTheSettingsWrittenAtExit) {
    ASSERT_TRUE(form.startUp(dir.path()));
    // No log open: "Exit KESLOG?", No keeps running.
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(shown.back().text, "Exit KESLOG?");
    EXPECT_EQ(shown.back().title, "Exit KESLOG?");
    // Yes writes the settings with the window's place.
    state.settings.YourCall = "K6AW";
    EXPECT_TRUE(form.requestExit());
    MainMod reread;
    reread.programDir = dir.path();
    ASSERT_TRUE(ReadSettings(reread));
    EXPECT_EQ(reread.settings.YourCall, "K6AW");
    EXPECT_EQ(reread.settings.WindowCoords[window_row::LogForm],
              (WindowCoordinates{1500, 900, 11400, 6300}));

    // A log open: Cancel keeps running, nothing saved or deleted.
    dir.write("!temp%!!.cqb", "header");
    state.logOpen = true;
    state.currentLogPath = state.workingFilePath();
    fakes.messageBox.answer(MsgResult::Cancel);
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(shown.back().text, "Save current log file?");
    EXPECT_EQ(shown.back().title, "Save Log?");
    EXPECT_EQ(shown.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(shown.back().defaultButton, 0);  // Enter saves
    EXPECT_TRUE(fileExists(dir.file("!temp%!!.cqb")));

    // A failed save keeps the program running with the log.
    logFiles.saveResult = Status::error("Disk full.");
    EXPECT_FALSE(form.requestExit());
    EXPECT_EQ(shown.back().text, "Disk full.");
    logFiles.saveResult = Status::ok();
    EXPECT_TRUE(form.requestExit());
    EXPECT_EQ(logFiles.saves, 2);

    // No: the unnamed working log is deleted, a named one kept.
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_TRUE(form.requestExit());
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
    dir.write("N6TR.KSL", "log");
    state.currentLogPath = dir.file("N6TR.KSL");
    fakes.messageBox.answer(MsgResult::No);
    EXPECT_TRUE(form.requestExit());
    EXPECT_TRUE(fileExists(dir.file("N6TR.KSL")));

    // A settings file that cannot be written is reported.
    state.programDir = dir.path() + "unplugged/";
    fakes.messageBox.answer(MsgResult::No);
    fakes.messageBox.answer(MsgResult::Cancel);  // the file-error dialog
    shown.clear();
    EXPECT_TRUE(form.requestExit());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Drive unavailable.  If it's a removable disk drive, insert a disk.");
    EXPECT_EQ(shown[1].title, "File or Disk Error");
    EXPECT_EQ(shown[1].buttons, MsgButtons::RetryCancel);
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
    step(EntryKey::Down);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B40, true));
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  1    (40m SSB)");
    step(EntryKey::Down);
    EXPECT_EQ(state.CurrentBandMode, bandModeCode(band::B20, true));
    step(EntryKey::Up);
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  1    (40m SSB)");
}

TEST_F(LogFormTest, RecentFilesShowWhereSetAndMissingOnesAreReported) {
    ASSERT_TRUE(form.startUp(dir.path()));
    dir.write("A.KSL", "log");
    state.settings.RecentFile1 = dir.file("A.KSL");
    state.settings.RecentFile2 = dir.file("gone.KSL");
    state.settings.RecentFile4 = dir.file("D.KSL");
    form.load();
    EXPECT_TRUE(form.view().separator1dVisible);
    EXPECT_EQ(form.view().recentFiles[2], "");
    EXPECT_EQ(form.view().recentFiles[3], dir.file("D.KSL"));

    form.onRecentFile(2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "The selected data file " + dir.file("gone.KSL") +
                                 " doesn't exist.  Make another selection.");
    EXPECT_EQ(shown[0].title, "File Opening Error");
    EXPECT_EQ(shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(state.logOpen);

    form.onRecentFile(1);
    EXPECT_EQ(logFiles.opened, std::vector<std::string>{dir.file("A.KSL")});
    EXPECT_TRUE(state.logOpen);
}

TEST_F(LogFormTest, LayoutFollowsTheContestAndBothRadiosTheLogsBandMode) {
    struct Case {
        ContestNr contest;
        std::array<bool, 2> modeFlag;
        BandModeCode bandMode;
        const char* heading;
        bool wpxLabels, wide, multipliers, speed;
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
        {contest::Sprint, {false, true}, 3, "Exchange", false, false, true, true},
        {contest::Ss, {false, true}, 3, "Exchange", false, false, true, true},
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
        EXPECT_TRUE(v.entryVisible && v.viewMenuVisible);
        EXPECT_EQ(v.numberLabel, c.heading);
        EXPECT_EQ(v.wpxLabelsVisible, c.wpxLabels);
        EXPECT_EQ(v.wideExchange, c.wide);
        EXPECT_EQ(v.multipliersEnabled, c.multipliers);
        EXPECT_EQ(v.speedScrollVisible, c.speed);
        EXPECT_EQ(v.speedLabel, c.speed ? "CW Speed:" : "");
        EXPECT_EQ(v.activeRadioLabel, "TX R1");
        EXPECT_EQ(v.activeLogLabel, "Log R1");
        EXPECT_EQ(v.qsoNrLabel, qsoNrLabelText(1, c.bandMode));
    }

    // Opening a log puts both radios on its band-mode, on radio 1.
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
    EXPECT_EQ(state.RadioBandMode, (std::array<BandModeCode, 2>{12, 12}));
    EXPECT_EQ(form.view().qsoNrColour, colour::Blue);

    form.showLogRadio(2);
    const LogFormView& v = form.view();
    EXPECT_EQ(v.activeLogLabel, "Log R2");
    EXPECT_EQ(v.activeLogColour, colour::Red);
    EXPECT_EQ(v.qsoNrColour, colour::Red);
    EXPECT_EQ(v.qsoNrLabel, "QSO Nr  12    (40m SSB)");
    EXPECT_EQ(v.activeRadioLabel, "TX R1");  // the transmitter is the other label
}

TEST_F(LogFormTest, ClocksAndStatisticsFollowTheTimer) {
    ASSERT_TRUE(form.startUp(dir.path()));
    struct Case {
        DateTime now;
        const char *gmtClock, *correction, *local, *gmt;
    };
    const Case cases[] = {
        {{2026, 12, 31, 23, 34, 56}, "False", "+2", "Local Time: 23:34:56", "GMT: 01:34:56"},
        {{2026, 12, 31, 3, 4, 5}, "True", "8", "LocalTime: 19:04:05", "GMT: 03:04:05"},
    };
    for (const Case& c : cases) {
        fakes.clock.time = c.now;
        state.settings.IsGMTFlag = c.gmtClock;
        state.settings.TimeCorrection = c.correction;
        form.onTimer1Tick();
        EXPECT_EQ(form.view().timeLocalLabel, c.local);
        EXPECT_EQ(form.view().timeGmtLabel, c.gmt);
    }
    // The statistics refresh every tenth tick once there is a contest.
    for (int i = 0; i < 23; ++i) form.onTimer1Tick();
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
    EXPECT_FALSE(ticked(ViewWindow::QSOStats));
    EXPECT_TRUE(ticked(ViewWindow::Multipliers));
    host.shown.clear();
    form.onResize(true);
    form.onResize(false);
    EXPECT_EQ(host.shown,
              (std::vector<P>{{ViewWindow::Multipliers, false}, {ViewWindow::Multipliers, true}}));
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
    QSORecName q = test::qsoOf("DL1ABC", "DL", 3);
    q.QDate = dateCode(2026, 11, 28);  // the fake clock's day
    q.QTime = static_cast<std::int16_t>(hhmm);
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
    EXPECT_EQ(host.shown, kLogDisplaysClosed);
    for (const auto& [w, visible] : kLogDisplaysClosed) EXPECT_FALSE(ticked(w));
    EXPECT_TRUE(form.countiesView().lines.empty());
    EXPECT_TRUE(form.multView().texts.empty());
}

TEST_F(LogFormTest, NaqpGridFollowsTheBand) {
    ASSERT_TRUE(form.startUp(dir.path()));
    openEmptyLog(state, contest::Naqp);
    form.load();
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 20m");
    step(EntryKey::Down);
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 40m");
    step(EntryKey::Up);
    step(EntryKey::Up);
    EXPECT_EQ(form.multView().caption, "NAQP Multipliers on 15m");
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
    struct Case {
        const char* name;
        bool workingLog;     // else no log is open
        MsgResult answer;    // to "Save current log file?"
        Status saved;        // what saving the unnamed log gives
        bool dialogShown;    // the file dialog
        const char* chosen;  // nullptr: the file dialog is cancelled
    };
    const Case cases[] = {
        {"no log, file dialog cancelled", false, MsgResult::Ok, {}, true, nullptr},
        {"Cancel", true, MsgResult::Cancel, {}, false, nullptr},
        {"No, file dialog cancelled", true, MsgResult::No, {}, true, nullptr},
        {"Yes, save fails", true, MsgResult::Yes, Status::error("Disk full."), false, nullptr},
        {"No, a file that is no log", true, MsgResult::No, {}, true, "N6TR.TXT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormRig r;
        ASSERT_TRUE(r.form.startUp(r.dir.path()));
        if (c.workingLog) openWorkingLog(r.state, r.dir);
        r.form.load();
        r.logFiles.saveResult = c.saved;
        r.fakes.messageBox.answer(c.answer);
        r.fakes.fileDialog.answers.push_back(c.chosen ? std::optional(r.dir.file(c.chosen))
                                                      : std::nullopt);
        if (c.chosen) r.dir.write(c.chosen, "text");

        r.form.onFilePostContest();

        std::vector<std::string> texts;
        for (const MessageRequest& m : r.fakes.messageBox.shown) texts.push_back(m.text);
        std::vector<std::string> expected;
        if (c.workingLog) expected.emplace_back("Save current log file?");
        if (!c.saved) expected.emplace_back("Disk full.");
        if (c.chosen)
            expected.push_back("The file " + r.dir.file(c.chosen) +
                               " is not a .KSL log file.  Nothing was processed.");
        EXPECT_EQ(texts, expected);
        if (c.workingLog) {
            EXPECT_EQ(r.fakes.messageBox.shown[0].title, "Save Current Log?");
            EXPECT_EQ(r.fakes.messageBox.shown[0].buttons, MsgButtons::YesNoCancel);
            EXPECT_EQ(r.fakes.messageBox.shown[0].icon, MsgIcon::Question);
        }
        if (c.chosen && !texts.empty()) {
            EXPECT_EQ(r.fakes.messageBox.shown.back().title, "Post-Contest Processing");
        }
        EXPECT_EQ(r.fakes.fileDialog.requests.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(r.host.postContests, 0);
        // The unnamed log and its file are as they were.
        EXPECT_EQ(r.state.logOpen, c.workingLog);
        EXPECT_EQ(fileExists(r.dir.file("!temp%!!.cqb")), c.workingLog);
        EXPECT_EQ(r.state.log.count(), c.workingLog ? 1 : 0);
        EXPECT_EQ(r.form.view().entryVisible, c.workingLog);
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
        EXPECT_FALSE(ticked(ViewWindow::QSOStats));
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
    EXPECT_EQ(shown.size(), 1u);  // the save question only

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
    std::vector<P> twice = kLogDisplaysClosed;
    twice.insert(twice.end(), kLogDisplaysClosed.begin(), kLogDisplaysClosed.end());
    EXPECT_EQ(host.shown, twice);
    // The CW messages are no display of the log: they stay.
    EXPECT_TRUE(ticked(ViewWindow::CWMessages));
    EXPECT_TRUE(fileExists(dir.file("WW.KSL")));

    // From the no-log state.
    host.onPostContest = [](PostContestForm&) {};  // closed by its close box
    fakes.fileDialog.answers.push_back(dir.file("WW.KSL"));
    removeFile(dir.file("WW.LOG"));
    form.onFilePostContest();
    EXPECT_EQ(host.postContests, 2);
    EXPECT_FALSE(fileExists(dir.file("WW.LOG")));
    EXPECT_FALSE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::None);
    EXPECT_EQ(shown.size(), 1u);
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
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(logFiles.saves, 1);
    EXPECT_EQ(host.postContests, 1);
    EXPECT_FALSE(state.logOpen);

    // A named log whose QSOs cannot all be written stays open.
    logFiles.saveResult = Status::error("Disk full.");
    state.currentLogPath = dir.file("N6TR.KSL");
    state.logOpen = true;
    form.onFilePostContest();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Disk full.");
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
