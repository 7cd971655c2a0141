#include "forms/LogForm.h"

#include <filesystem>

#include "entry/Scoring.h"
#include "model/Stamp.h"
#include "model/Text.h"
#include "model/Version.h"
#include "platform/Files.h"
#include "storage/FileErrors.h"
#include "storage/LogFile.h"
#include "storage/LogNames.h"
#include "storage/SettingsFile.h"
#include "storage/WorkingFile.h"

namespace keslog {

namespace {

const std::string kStartupError =
    std::string("Can't find or Read startup files KESLOG90.INI or KESLOG90.DAT.  ") +
    "Move them to same drive/directory used to start program " + "and restart program.";

const std::string kRecoveryQuestion =
    std::string("KESLOG has detected a backup file indicating the program was") +
    " terminated abnormally.  Do you want to open it as a log file?";

const std::string kOpenAnotherQuestion =
    "A log file is already open.  Do you want to open a different one?";

std::size_t indexOf(ViewWindow w) {
    return static_cast<std::size_t>(w);
}

}  // namespace

LogForm::LogForm(MainMod& state, Platform& platform, ILogFiles& logFiles, ILogFormHost& host)
    : state_(state),
      platform_(platform),
      logFiles_(logFiles),
      host_(host),
      entry_(state, platform, logFiles, *this),
      rig_(state, platform, entry_),
      broadcast_(state, platform, rig_),
      cluster_(state, platform, entry_, rig_) {
    entry_.setRig(rig_);
}

bool LogForm::startUp(const std::string& programDir) {
    state_.logOpen = false;
    state_.settings.RepeatIntervalCW = 1000;
    state_.settings.RepeatIntervalSSB = 1000;
    state_.programDir = withTrailingSlash(programDir);

    // Read while the welcome shows; a failure is told only after it, as
    // it would be had the files been read afterwards.
    Status read;
    host_.showWelcome([&] {
        platform_.busy.setBusy(true);
        read = readStartupFiles(state_);
        platform_.busy.setBusy(false);
    });
    if (!read) {
        platform_.messageBox.show({kStartupError + "\n\n" + read.message(),
                                   "Error Reading Initiation Files", MsgButtons::Ok,
                                   MsgIcon::Stop});
        return false;
    }
    state_.currentLogPath = state_.workingFilePath();
    rig_.configure();
    broadcast_.configure();
    cluster_.configure(true);
    if (keyer_) keyer_->configureDevices();
    return true;
}

void LogForm::checkWorkingFile() {
    const std::string working = state_.workingFilePath();
    if (!fileExists(working)) return;
    const MsgResult answer = platform_.messageBox.show(
        {kRecoveryQuestion, "KESLOG", MsgButtons::YesNo, MsgIcon::Question});
    if (answer == MsgResult::Yes) {
        openLogFile(working);
        return;
    }
    const Status removed = removeLog(working);
    if (!removed)
        platform_.messageBox.show(
            {removed.message(), "File or Disk Error", MsgButtons::Ok, MsgIcon::Exclamation});
}

void LogForm::openAtStart(const std::string& namedLog) {
    checkWorkingFile();
    if (namedLog.empty()) return;
    // By its full name: the recent-file list outlives the folder the
    // program was started in.
    std::error_code noFolder;
    const std::filesystem::path full = std::filesystem::absolute(namedLog, noFolder);
    const std::string path = noFolder ? namedLog : full.lexically_normal().string();
    if (state_.logOpen) {
        platform_.messageBox.show({"The unnamed log was reopened from its working file, so " +
                                       path + " was not opened.  File, Open opens it.",
                                   "Log Not Opened", MsgButtons::Ok, MsgIcon::Information});
        return;
    }
    // The file dialog offers only .KSL files; a name from the command line
    // is checked here.
    if (!hasLogExtension(path)) {
        platform_.messageBox.show(
            {"The file " + path + " is not a .KSL log file.  Nothing was opened.",
             "File Opening Error", MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    openChosenLog(path);
}

void LogForm::openChosenLog(const std::string& path) {
    if (!isReadableFile(path)) {
        platform_.messageBox.show(
            {"The selected data file " + path + " doesn't exist." + "  Make another selection.",
             "File Opening Error", MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    bool discardWorking = false;
    if (!mayReplaceLog(discardWorking, kOpenAnotherQuestion)) return;
    openLogFile(path, discardWorking);
}

void LogForm::openLogFile(const std::string& path, bool discardWorking) {
    const std::string previous = state_.currentLogPath;
    const Status opened = logFiles_.openLog(state_, path);
    if (!opened) {
        platform_.messageBox.show({opened.message(),
                                   opened.title().empty() ? "File Opening Error" : opened.title(),
                                   MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    if (discardWorking && previous == state_.workingFilePath() && !state_.isWorkingFileOpen())
        removeLog(previous);
    state_.logOpen = true;
    if (!state_.isWorkingFileOpen()) writeSettings();  // the recent-file list
    load();
}

bool LogForm::mayReplaceLog(bool& discardWorking, const std::string& namedLogQuestion) {
    discardWorking = false;
    if (!state_.logOpen) return true;
    if (state_.isWorkingFileOpen()) {
        const MsgResult answer =
            platform_.messageBox.show({"Save current log file? ", "Save Current File?",
                                       MsgButtons::YesNoCancel, MsgIcon::Question});
        if (answer == MsgResult::Cancel) return false;
        if (answer == MsgResult::No) {
            discardWorking = true;
            return true;
        }
        // The unnamed log is given up only once it has been saved.
        return saveUnnamedLog();
    }
    if (platform_.messageBox.show({namedLogQuestion, "Log Already Opened", MsgButtons::YesNo,
                                   MsgIcon::Exclamation, 1}) != MsgResult::Yes)
        return false;
    // A named log is on disk already, unless a write failed: the records
    // the file lacks get one more try before the log is given up.
    const Result<SaveOutcome> saved = logFiles_.saveLog(state_);
    if (saved) return true;
    return platform_.messageBox.show(
               {saved.status().message() + "\n\nThe QSOs missing from " + state_.currentLogPath +
                    " are lost if another log replaces this one.  OK gives them up; Cancel "
                    "keeps this log open.",
                "File or Disk Error", MsgButtons::OkCancel, MsgIcon::Exclamation, 1}) ==
           MsgResult::Ok;
}

bool LogForm::saveUnnamedLog() {
    const Result<SaveOutcome> saved = logFiles_.saveLog(state_);
    if (!saved) showFileError(saved.status());
    if (!saved || *saved != SaveOutcome::Saved) return false;
    writeSettings();
    // Only the name changed: the entry line and both radios stay as they are.
    showRecentFiles();
    showLogName();
    return true;
}

void LogForm::showFileError(const Status& error) {
    platform_.messageBox.show({error.message(),
                               error.title().empty() ? "File or Disk Error" : error.title(),
                               MsgButtons::Ok, MsgIcon::Exclamation});
}

void LogForm::onFileNew() {
    bool discardWorking = false;
    if (!mayReplaceLog(discardWorking,
                       "A log file is already open.  Do you want to start a new one? "))
        return;
    // Until a contest is chosen the open log stays as it is.
    if (!chooseContest()) return;
    // The working file is created anew: an unnamed log given up is gone.
    const Status created = logFiles_.newLog(state_);
    state_.logOpen = created.isOk();
    if (!created) showFileError(created);
    load();
}

void LogForm::onFileOpen() {
    bool discardWorking = false;
    if (!mayReplaceLog(discardWorking, kOpenAnotherQuestion)) return;
    const std::optional<std::string> chosen =
        platform_.fileDialog.openFile({"Open Existing KSL Log File", "KSL", "*.KSL",
                                       "KSL logs (*.KSL)|*.KSL", logDialogFolder(state_)});
    if (!chosen) return;
    openLogFile(*chosen, discardWorking);
}

void LogForm::onFilePostContest() {
    bool discardWorking = false;
    if (state_.logOpen && state_.isWorkingFileOpen()) {
        const MsgResult answer =
            platform_.messageBox.show({"Save current log file?", "Save Current Log?",
                                       MsgButtons::YesNoCancel, MsgIcon::Question});
        if (answer == MsgResult::Cancel) return;
        discardWorking = answer == MsgResult::No;
        if (answer == MsgResult::Yes && !saveUnnamedLog()) return;
    } else if (state_.logOpen) {
        // A named log is on disk already, but a QSO whose write failed
        // would be lost with the log state.
        const Result<SaveOutcome> saved = logFiles_.saveLog(state_);
        if (!saved) {
            showFileError(saved.status());
            return;
        }
    }
    const std::optional<std::string> chosen =
        platform_.fileDialog.openFile({"Select KSL Log File to Process", "KSL", "*.KSL",
                                       "KSL logs (*.KSL)|*.KSL", logDialogFolder(state_)});
    if (!chosen) return;

    // The log viewer brings its edits in while the open log still stands.
    if (state_.logOpen) closeDisplays();
    PostContestForm dialog(state_, platform_);
    if (const Status loaded = dialog.load(*chosen); !loaded) {
        platform_.messageBox.show(
            {loaded.message(), loaded.title().empty() ? "Post-Contest Processing" : loaded.title(),
             MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    // The dialog has taken the state over for the chosen log; what the
    // clock's refreshes see meanwhile is that log's contest with no QSOs.
    if (discardWorking) removeLog(state_.workingFilePath());
    state_.logOpen = false;
    state_.resetLog();
    host_.showPostContest(dialog);
    if (!dialog.view().closed) dialog.onCancel();

    closeDisplays();
    state_.resetLog();
    state_.contestNr = contest::None;
    state_.currentLogPath = state_.workingFilePath();
    load();
}

void LogForm::onFileSave() {
    if (!state_.logOpen) return;
    if (state_.isWorkingFileOpen()) {
        saveUnnamedLog();
        return;
    }
    // A named log is on disk already; this writes what a failed write missed.
    const Result<SaveOutcome> saved = logFiles_.saveLog(state_);
    if (!saved) showFileError(saved.status());
}

void LogForm::onFileBackup() {
    if (!state_.logOpen) return;
    for (;;) {
        const Status written = logFiles_.backupLog(state_);
        if (written || FileErrors(platform_.messageBox, written) != FileErrorAction::Retry) return;
    }
}

void LogForm::load() {
    showRecentFiles();
    if (state_.logOpen) {
        layOutOpenLog();
        refreshAfterLoad();
    } else {
        layOutNoLog();
    }
    updateClocks();
}

void LogForm::showRecentFiles() {
    const Settings& s = state_.settings;
    view_.recentFiles = {s.RecentFile1, s.RecentFile2, s.RecentFile3, s.RecentFile4};
    view_.separator1dVisible = false;
    for (const std::string& f : view_.recentFiles)
        if (!f.empty()) view_.separator1dVisible = true;
}

void LogForm::layOutNoLog() {
    view_.title = kProgramName;
    view_.editMenuVisible = false;
    view_.viewMenuVisible = false;
    view_.saveVisible = false;
    view_.setupVisible = false;
    view_.backupVisible = false;
    view_.separator1aVisible = false;
    view_.entryVisible = false;
}

void LogForm::layOutOpenLog() {
    const auto info = findContest(state_.contestNr);
    view_.editMenuVisible = true;
    view_.viewMenuVisible = true;
    view_.saveVisible = true;
    view_.setupVisible = true;
    view_.backupVisible = true;
    view_.separator1aVisible = true;
    view_.entryVisible = true;

    // Radio 2's band-mode would otherwise be whatever was left before.
    state_.resetRadios();
    showTxRadio(1);
    showLogRadio(1);
    view_.multipliersEnabled = state_.contestNr != contest::Aa;
    // The totals as logging or the replay of an opened log left them.
    showSpeedControls();
    showTotals();
    entry_.reset();

    view_.numberLabel = info ? std::string(info->numberHeading) : "Number";
    view_.wideExchange = info && info->mixedMode;
    view_.wpxLabelsVisible = state_.contestNr == contest::Wpx;
    showLogName();
}

void LogForm::showLogName() {
    const auto info = findContest(state_.contestNr);
    const std::string contestName = info ? trim(info->shortName) : "";
    view_.fileIdLabel = logCaption(state_);
    view_.title = std::string(kProgramName) + " - " + contestName;
    if (!state_.rules.name.empty()) view_.title += " - " + state_.rules.name;
}

// The CW speed controls work only where the log can send CW now.
void LogForm::showSpeedControls() {
    const auto info = findContest(state_.contestNr);
    const bool mixed = info && info->mixedMode;
    const bool cwUnavailable = state_.phoneMode() || (!mixed && !state_.ModeFlag[1]);
    view_.speedDisplayEnabled = !cwUnavailable;
    view_.speedScrollVisible = !cwUnavailable;
    view_.speedLabel = cwUnavailable ? "" : "CW Speed:";
}

void LogForm::showTotals() {
    view_.qsoNrLabel = qsoNrLabelText(state_.QSONr, state_.CurrentBandMode);
    view_.multsLabel = multsLabelText(state_.totals);
    view_.scoreLabel = scoreLabelText(state_.totals);
}

void LogForm::bandModeChanged() {
    view_.qsoNrLabel = qsoNrLabelText(state_.QSONr, state_.CurrentBandMode);
    showSpeedControls();
    // NAQP's multiplier window shows the current band.
    if (state_.contestNr == contest::Naqp) redrawMultipliers();
    broadcast_.radiosChanged();
}

void LogForm::qsoLogged() {
    showTotals();
    refreshAfterQso();
    broadcast_.qsoLogged(state_.log.count());
}

void LogForm::logRebuilt() {
    showTotals();
    refreshAfterLoad();
}

void LogForm::qsoKilled(const QSORecName& killed) {
    broadcast_.qsoKilled(state_.log.count() + 1, killed);
}

void LogForm::onQsoEdited(int n) {
    broadcast_.qsoEdited(n);
}

void LogForm::showPartial() {
    host_.showPartial();
}

bool LogForm::editLastEntry() {
    const int n = state_.log.count();
    const bool edited = host_.editQso(n);
    if (edited) onQsoEdited(n);
    return edited;
}

void LogForm::updateClocks() {
    const Settings& s = state_.settings;
    const DateTime now = platform_.clock.now();
    if (!s.isGmt()) {
        view_.timeLocalLabel = "Local Time: " + clockText(now);
        view_.timeGmtLabel = "GMT: " + clockText(gmtOf(now, false, s.TimeCorrection));
    } else {
        view_.timeGmtLabel = "GMT: " + clockText(now);
        view_.timeLocalLabel = "LocalTime: " + clockText(localOf(now, true, s.TimeCorrection));
    }
}

void LogForm::onTimer1Tick() {
    if (++tickCount_ > 10) {
        tickCount_ = 1;
        if (state_.contestNr > contest::None) {
            qsoStats_.refresh(state_, platform_.clock.now(), true);
            host_.refreshStatistics();
        }
    }
    updateClocks();
}

void LogForm::showTxRadio(int radio) {
    view_.activeRadioLabel = txRadioLabel(radio);
    view_.activeRadioColour = radioColour(radio);
    broadcast_.radiosChanged();
}

void LogForm::showLogRadio(int radio) {
    view_.activeLogLabel = logRadioLabel(radio);
    view_.activeLogColour = radioColour(radio);
    view_.qsoNrColour = radioColour(radio);
    view_.qsoNrLabel = qsoNrLabelText(state_.QSONr, state_.CurrentBandMode);
    broadcast_.radiosChanged();
}

bool LogForm::requestExit() {
    if (state_.logOpen) {
        const MsgResult answer = platform_.messageBox.show(
            {"Save current log file?", "Save Log?", MsgButtons::YesNoCancel, MsgIcon::Question});
        if (answer == MsgResult::Cancel) return false;
        if (answer == MsgResult::Yes) {
            // A failed save must not end the program: the log stays open. A
            // cancelled one ends it and the working file stays for next time.
            const Result<SaveOutcome> saved = logFiles_.saveLog(state_);
            if (!saved) {
                showFileError(saved.status());
                return false;
            }
        } else if (state_.isWorkingFileOpen()) {
            removeLog(state_.workingFilePath());
        }
    } else {
        const MsgResult answer = platform_.messageBox.show(
            {"Exit KESLOG?", "Exit KESLOG?", MsgButtons::YesNo, MsgIcon::Question});
        if (answer != MsgResult::Yes) return false;
    }
    // A failed write has been reported and leaves the old file whole; the
    // operator must still be able to end the program.
    writeSettings();
    return true;
}

bool LogForm::chooseContest() {
    ChCoForm dialog(state_);
    dialog.load();
    host_.showChCoForm(dialog);
    if (!dialog.view().closed) dialog.onCancel();
    return !state_.CancelFlag;
}

Status LogForm::writeSettings() {
    host_.storeWindowCoordinates(state_.settings);
    return WriteSettings(state_, platform_.messageBox);
}

void LogForm::onEditSelectBands() {
    BandMode dialog(state_, platform_.messageBox);
    dialog.load();
    host_.showBandMode(dialog);
    if (!dialog.view().closed) dialog.onCancel();
}

void LogForm::onFileSetup(const IPortDevices& devices) {
    Setup dialog(state_, platform_, devices);
    dialog.load();
    host_.showSetup(dialog);
    if (!dialog.view().closed) dialog.onCancel();
    if (!dialog.view().accepted) return;
    writeSettings();
    rig_.configure();
    broadcast_.configure();
    cluster_.configure(false);
    if (keyer_) keyer_->configureDevices();
}

void LogForm::onRecentFile(int index) {
    if (index < 1 || index > 4) return;
    const std::string path = view_.recentFiles[static_cast<std::size_t>(index - 1)];
    if (!path.empty()) openChosenLog(path);
}

void LogForm::onHelpContents() {
    platform_.help.show(HelpCommand::Contents);
}
void LogForm::onHelpUsing() {
    platform_.help.show(HelpCommand::HelpOnHelp);
}
void LogForm::onHelpAbout() {
    host_.showAbout();
}

void LogForm::onViewItem(ViewWindow window) {
    bool& ticked = view_.viewTicked[indexOf(window)];
    ticked = !ticked;
    host_.setViewWindowVisible(window, ticked);
}

void LogForm::onViewWindowClosed(ViewWindow window) {
    view_.viewTicked[indexOf(window)] = false;
}

void LogForm::onEditLogEntries() {
    bool& ticked = view_.viewTicked[indexOf(ViewWindow::Log)];
    ticked = true;
    host_.setViewWindowVisible(ViewWindow::Log, true);
}

void LogForm::refreshAfterQso() {
    cluster_.qsoLogged();
    qsoStats_.refresh(state_, platform_.clock.now(), false);
    viewMult_.draw(state_);
    host_.refreshStatistics();
}

void LogForm::refreshAfterLoad() {
    cluster_.logRebuilt();
    qsoStats_.load(state_);
    qsoStats_.refresh(state_, platform_.clock.now(), false);
    viewMult_.unload();
    viewMult_.draw(state_);
    counties_ = countiesWindow(state_);
    host_.refreshStatistics();
}

void LogForm::redrawMultipliers() {
    viewMult_.draw(state_);
    host_.refreshStatistics();
}

void LogForm::showCountryPanel(int countryNr, int zone) {
    viewMult_.showCountry(state_, countryNr, zone);
    host_.refreshStatistics();
}

void LogForm::onMultScroll(int value) {
    viewMult_.onScroll(state_, value);
    host_.refreshStatistics();
}

void LogForm::closeDisplays() {
    for (ViewWindow w :
         {ViewWindow::Log, ViewWindow::QSOStats, ViewWindow::Multipliers, ViewWindow::CACounties}) {
        onViewWindowClosed(w);
        host_.setViewWindowVisible(w, false);
    }
    qsoStats_ = QSOStats{};
    viewMult_.unload();
    counties_ = CACTYView{};
    host_.refreshStatistics();
}

void LogForm::onResize(bool minimized) {
    for (int i = 0; i < kViewWindowCount; ++i)
        if (view_.viewTicked[static_cast<std::size_t>(i)])
            host_.setViewWindowVisible(static_cast<ViewWindow>(i), !minimized);
}

}  // namespace keslog
