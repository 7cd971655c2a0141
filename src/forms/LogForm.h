#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "entry/EntryLine.h"
#include "forms/BandMode.h"
#include "forms/ChCoForm.h"
#include "forms/ClusterLink.h"
#include "forms/LogFiles.h"
#include "forms/RigControl.h"
#include "forms/Setup.h"
#include "forms/StationBroadcast.h"
#include "transmit/CWKeyer.h"
#include "model/MainMod.h"
#include "model/Transmit.h"
#include "platform/Platform.h"
#include "postcontest/PostContestForm.h"
#include "stats/QSOStats.h"
#include "stats/ViewMult.h"

namespace keslog {

// The windows the View menu shows and hides, each with a tick mark.
enum class ViewWindow { CACounties, CWMessages, DVK, Log, Multipliers, QSOStats };
inline constexpr int kViewWindowCount = 6;

// What the main window shows: the Qt window draws exactly this.
struct LogFormView {
    std::string title = "KESLOG";

    // Menus. In the no-log state only File (New, Open, Post-Contest, Exit,
    // recent files) and Help remain.
    bool editMenuVisible = false;
    bool viewMenuVisible = false;
    bool saveVisible = false;
    bool setupVisible = false;
    bool backupVisible = false;
    bool separator1aVisible = false;
    std::array<std::string, 4> recentFiles;  // empty: item hidden
    bool separator1dVisible = false;
    bool multipliersEnabled = true;
    std::array<bool, kViewWindowCount> viewTicked{};

    // Entry area; hidden as a whole in the no-log state.
    bool entryVisible = false;
    bool wideExchange = false;      // CQP, PAQP: boxes placed for the longer exchange
    bool wpxLabelsVisible = false;  // NeedPfxLabel, LblWpxCountry
    std::string callsignLabel = "Callsign";
    std::string numberLabel = "Number";
    std::string qsoNrLabel;
    std::uint32_t qsoNrColour = colour::Blue;  // the log radio's colour
    std::string scoreLabel = "Score:";
    std::string multsLabel = "Mults: ";
    std::string fileIdLabel;
    std::string activeRadioLabel = "TX R1";
    std::uint32_t activeRadioColour = colour::Blue;
    std::string activeLogLabel = "Log R1";
    std::uint32_t activeLogColour = colour::Blue;
    std::string speedLabel;
    bool speedDisplayEnabled = false;
    bool speedScrollVisible = false;

    // Bottom row.
    std::string timeGmtLabel = "GMT: ";
    std::string timeLocalLabel = "Local Time: ";
};

// What the main window needs from its host (the Qt layer or a test).
class ILogFormHost {
  public:
    virtual ~ILogFormHost() = default;
    // The About box as a welcome screen: whileShown runs while it shows;
    // returns once its timer, a key or a click has closed it.
    virtual void showWelcome(const std::function<void()>& whileShown) = 0;
    virtual void showAbout() = 0;
    virtual void setViewWindowVisible(ViewWindow window, bool visible) = 0;
    // Draws the statistics, multiplier and county windows again from their
    // views: they have changed.
    virtual void refreshStatistics() = 0;
    // Shows a loaded dialog modally until its view says it is closed.
    virtual void showChCoForm(ChCoForm& dialog) = 0;
    virtual void showBandMode(BandMode& dialog) = 0;
    virtual void showPostContest(PostContestForm& dialog) = 0;
    virtual void showSetup(Setup& dialog) = 0;
    // Stores the place of every open window into its coordinate row, just
    // before the settings file is written.
    virtual void storeWindowCoordinates(Settings& settings) = 0;
    // The entry line's search has hits for the search window.
    virtual void showPartial() = 0;
    // The entry editor on QSO n, modal; true when the QSO was rewritten.
    virtual bool editQso(int n) = 0;
};

// The behaviour of the main window LogForm: start-up, the menus it owns,
// the clocks of Timer1, the entry line and the end of the program.
class LogForm : private IEntryHost {
  public:
    LogForm(MainMod& state, Platform& platform, ILogFiles& logFiles, ILogFormHost& host);

    // Start-up steps up to showing the window. False: the start-up files
    // could not be read, the operator was told, and the program ends.
    bool startUp(const std::string& programDir);
    // After the window shows: offers to reopen a working file that survived
    // an abnormal end, or deletes it.
    void checkWorkingFile();
    // After the window shows: the working file's question first, then the
    // log named on the command line (empty: none), opened as File, Open
    // opens a log unless the working file was reopened.
    void openAtStart(const std::string& namedLog);

    // Lays the window out for the open log or for the no-log state.
    void load();
    const LogFormView& view() const { return view_; }
    EntryLine& entry() { return entry_; }
    RigControl& rig() { return rig_; }
    StationBroadcast& broadcast() { return broadcast_; }
    ClusterLink& cluster() { return cluster_; }
    // The keyer whose external devices follow the settings.
    void setKeyer(CWKeyer& keyer) { keyer_ = &keyer; }

    // File, Exit and closing the window: true when the program may end.
    bool requestExit();
    // The contest-choice dialog of a new log: false when it was cancelled,
    // else the contest, mode and location choices are in the state.
    bool chooseContest();
    // Rewrites the settings file with the windows' places; a failure has
    // been shown to the operator when this returns.
    Status writeSettings();
    void onEditSelectBands();
    // File, Preferences: the settings file is rewritten when OK took them over.
    void onFileSetup(const IPortDevices& devices);
    void onFileNew();
    void onFileOpen();
    void onFileSave();
    void onFileBackup();
    // Post-contest processing of a log chosen on disk; afterwards no log is
    // open.
    void onFilePostContest();
    void onRecentFile(int index);  // 1..4
    void onHelpContents();
    void onHelpUsing();
    void onHelpAbout();
    void onViewItem(ViewWindow window);
    // The window was closed by its close box: it is hidden, its tick goes.
    void onViewWindowClosed(ViewWindow window);
    void onEditLogEntries();
    // The log viewer's entry editor rewrote QSO n.
    void onQsoEdited(int n);
    void onResize(bool minimized);
    void onTimer1Tick();
    // ActiveRadioLabel for the transmitting radio.
    void showTxRadio(int radio);
    // ActiveLogLabel and QSONrLabel for the log radio, QSONrLabel rewritten.
    void showLogRadio(int radio);

    // The statistics and multiplier windows. After each logged QSO the
    // entry line calls refreshAfterQso(); opening or reloading a log calls
    // refreshAfterLoad() (load() does it for an open log).
    void refreshAfterQso();
    void refreshAfterLoad();
    // The multiplier window anew, as NAQP needs on F10, Insert and a band
    // change.
    void redrawMultipliers() override;
    // ARRL DX and CQWW, while a call is typed: its country (and, in CQWW,
    // the received zone, 0 for the country's own) in the multiplier window.
    void showCountryPanel(int countryNr, int zone) override;
    void onMultScroll(int value);
    // Clearing the log: the log viewer (its edits brought in first), the
    // statistics, multiplier and county windows go.
    void closeDisplays();
    const QSOStatsView& statsView() const { return qsoStats_.view(); }
    const ViewMultView& multView() const { return viewMult_.view(); }
    const CACTYView& countiesView() const { return counties_; }

  private:
    void layOutNoLog();
    void layOutOpenLog();
    void showRecentFiles();
    // The caption and title, which follow the log's name.
    void showLogName();
    void updateClocks();
    // Asks what becomes of the open log before another replaces it; false
    // ends the command. discardWorking is set when the operator declined
    // to save the unnamed log.
    bool mayReplaceLog(bool& discardWorking, const std::string& namedLogQuestion);
    // Save As for the unnamed log: true once it has its name.
    bool saveUnnamedLog();
    void openLogFile(const std::string& path, bool discardWorking = false);
    // A log chosen without the file dialog (a recent file, the command
    // line): refused with a message when it cannot be read.
    void openChosenLog(const std::string& path);
    void showFileError(const Status& error);
    void showSpeedControls();
    void showTotals();

    // IEntryHost
    void bandModeChanged() override;
    void qsoLogged() override;
    void logRebuilt() override;
    void qsoKilled(const QSORecName& killed) override;
    void showPartial() override;
    bool editLastEntry() override;

    MainMod& state_;
    Platform& platform_;
    ILogFiles& logFiles_;
    ILogFormHost& host_;
    LogFormView view_;
    EntryLine entry_;
    RigControl rig_;
    StationBroadcast broadcast_;
    ClusterLink cluster_;
    CWKeyer* keyer_ = nullptr;
    int tickCount_ = 0;
    QSOStats qsoStats_;
    ViewMult viewMult_;
    CACTYView counties_;
};

}  // namespace keslog
