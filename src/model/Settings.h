#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Contest.h"

namespace keslog {

// Where Debian's hamradio-files puts the database of active contest calls,
// and the setting that turns the database off.
inline constexpr const char* kDefaultScpFile = "/usr/share/hamradio-files/MASTER.SCP";
inline constexpr const char* kNoScpFile = "none";

inline constexpr int kMacroCount = 54;  // six sets of nine function-key messages
inline constexpr int kMacrosPerSet = 9;
inline constexpr int kExchangeCount = 18;  // two per contest, in ContestNr order
inline constexpr int kWindowRowCount = 16;

// The values the Preferences offer for the numeric settings; a settings file
// edited by hand is brought into the same ranges when it is read.
inline constexpr std::array<int, 6> kRepeatIntervals{1000, 1500, 2000, 2500, 3000, 4000};
inline constexpr std::array<int, 6> kDualCQsNumbers{2, 4, 6, 8, 10, 12};
inline constexpr std::array<int, 6> kDualCQsIntervals{100, 200, 300, 500, 1000, 2000};
inline constexpr int kMaxRadioDelay = 9;  // units of one 28-wpm dot
inline constexpr int kMaxTimeCorrection = 12;
// Milliseconds between two questions to a rig: often enough to follow the
// tuning knob, seldom enough for a slow serial rig.
inline constexpr int kMinRigPollInterval = 100;
inline constexpr int kMaxRigPollInterval = 5000;
inline constexpr int kMinClusterSpotMinutes = 1;
inline constexpr int kMaxClusterSpotMinutes = 240;
// Rig<n>Control: how the logger reads radio n.
inline constexpr const char* kRigControlNone = "none";
inline constexpr const char* kRigControlRigctld = "rigctld";

// Every stored function-key message begins with this prefix: no radio
// change, played once.
inline constexpr const char* kDefaultMacroPrefix = "[RADIO0][PLAY1]";

struct Settings;

// A category tag of the submission file, the values the format allows
// and the setting that keeps the operator's choice. An empty value, where
// allowed, stands for "the log's mode" or "none" and is never written.
struct CategoryChoice {
    std::string_view tag;
    std::string_view key;    // in the settings file
    std::string_view label;  // in the User Information dialog
    std::vector<std::string_view> values;
    std::string Settings::*setting;
    std::string_view emptyText;  // how the dialog shows the empty value; none when not allowed
};

const std::vector<CategoryChoice>& categoryChoices();

// Whether value is one the choice allows.
bool isCategoryValue(const CategoryChoice& choice, std::string_view value);
// The operator's choice, or the default when the setting holds a value
// outside the set.
std::string chosenCategory(const CategoryChoice& choice, const Settings& settings);

// A window's place on the screen in twips (15 twips are one pixel at 96 dpi).
struct WindowCoordinates {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const WindowCoordinates&) const = default;
};

// Which window-coordinate row belongs to which window; rows 8..15 are kept
// as read for windows that do not store a place.
namespace window_row {
inline constexpr int LogForm = 0;
inline constexpr int Viewlog = 1;
inline constexpr int ViewMult = 2;
inline constexpr int CACTY = 3;
inline constexpr int QSOStats = 4;
inline constexpr int ViewMac = 5;
inline constexpr int Audio = 6;
inline constexpr int Partial = 7;
}  // namespace window_row

// The settings of KESLOG90.INI as the program holds them for the whole run.
// Some flags are kept as the texts "True"/"False" because that is how every
// user of them compares them.
struct Settings {
    // [Preferences]
    std::string DupeBeepFlag = "False";
    std::string YourCall;
    std::string BackUpDrive = "[none]";  // folder for the backup copy, or "[none]"
    bool CWActivated = false;
    bool CWPTTActivated = false;
    bool SSBPTTActivated = false;
    bool F9Activated = false;
    bool TypingEnabled = false;
    std::string AutoDupeFlag = "False";
    std::string CWComport = "[none]";
    std::string CWPTTComport = "[none]";
    std::string SSBPTTComport = "[none]";
    std::string F9Comport = "[none]";
    bool CWSpeakerEnabled = false;
    bool UsePCSpeaker = false;
    bool UseSoundcardSpeaker = false;
    std::int16_t Radio1Delay = 0;
    std::int16_t Radio2Delay = 0;
    std::int16_t RepeatIntervalCW = 1000;
    std::int16_t RepeatIntervalSSB = 1000;
    std::int16_t DualCQsRepeatInterval = 0;
    std::int16_t DualCQsPlayNumber = 0;
    std::string Weight;
    std::string TimeCorrection = "0";
    std::string IsGMTFlag = "False";
    std::string DVKMessagesEnabled = "False";
    bool SendF1Enabled = false;
    bool LogandSendF5Enabled = false;
    bool LogFirst = false;
    bool Key1IsMapped = false;
    bool Key2IsMapped = false;
    std::string Key1Mapping;
    std::string Key2Mapping;
    // Linux device files behind the port names "Com1", "Com2", "LPT1-..." and
    // "LPT2-...": USB serial adapters are the common case today.
    std::string Com1Device = "/dev/ttyS0";
    std::string Com2Device = "/dev/ttyS1";
    std::string LPT1Device = "/dev/parport0";
    std::string LPT2Device = "/dev/parport1";
    // The database of active contest calls, or "none"; the call-history
    // file of each contest, empty for none.
    std::string ScpFile = kDefaultScpFile;
    std::string CallHistoryARRL;
    std::string CallHistoryCQP;
    std::string CallHistoryCQWW;
    std::string CallHistorySprint;
    std::string CallHistorySS;
    std::string CallHistoryWPX;
    std::string CallHistoryAA;
    std::string CallHistoryPAQP;
    std::string CallHistoryNAQP;
    // The CW keying device of radio 1 and 2: "builtin" (the keying line),
    // "winkeyer:DEVICE" or "cwdaemon:HOST:PORT"; a WinKeyer's speed knob
    // moves the logger's speed when CWKeyerPot is set.
    std::string CWKeyer1 = "builtin";
    std::string CWKeyer2 = "builtin";
    bool CWKeyerPot = false;

    // [File Information]
    std::string OpenFilePath;
    std::string RecentFile1;
    std::string RecentFile2;
    std::string RecentFile3;
    std::string RecentFile4;

    // CW macros and their display forms: entry k (0-based) is slot
    // (k % 9) + 1 of set k / 9, the sets in the order CQP, SS, WPX, Sprint,
    // PAQP, NAQP.
    std::array<std::string, kMacroCount> CWMacros = defaultMacros();
    std::array<std::string, kMacroCount> CWMacroLabels{};
    // Entry 2c - 2 is the CQ-mode exchange of contest c, 2c - 1 the S/P one.
    std::array<std::string, kExchangeCount> CWExchanges{};
    std::string DupeMessage;
    std::array<WindowCoordinates, kWindowRowCount> WindowCoords{};

    // [User Exchange - ...]
    std::string ExchangeARRLMult;
    std::string ExchangeAAMult;
    std::string ExchangeCQPMult;
    std::string ExchangePAQPMult;
    std::string ExchangeCQWWMult;
    std::string ExchangeSSPrec;
    std::string ExchangeSSCall;
    std::string ExchangeSSCheck;
    std::string ExchangeSSSection;
    std::string ExchangeSprintName;
    std::string ExchangeSprintMult;
    std::string ExchangeNAQPName;
    std::string ExchangeNAQPMult;

    // [User Information], for the post-contest files.
    std::string UserCallsign;
    std::string UserOperator;
    std::string UserName;
    std::string UserAddress;
    std::string UserCity;
    std::string UserCountry;
    std::string UserClub;
    std::string UserRig;
    std::string UserAnt;

    // [Submission File]: the address parts, contact and categories the
    // sponsors' robots read. UserCity holds the city alone once state or
    // postal code are filled in; older files keep the whole line there.
    std::string UserState;
    std::string UserPostalCode;
    std::string UserEmail;
    std::string UserGrid;
    // Until the operator chooses, what a single-operator station is; an
    // empty mode is the log's own, an empty overlay none.
    std::string CategoryOperator = "SINGLE-OP";
    std::string CategoryAssisted = "NON-ASSISTED";
    std::string CategoryBand = "ALL";
    std::string CategoryMode;
    std::string CategoryPower = "HIGH";
    std::string CategoryStation = "FIXED";
    std::string CategoryTransmitter = "ONE";
    std::string CategoryOverlay;

    // The "City/State/Zip" line of the summary sheet and the old
    // submission file.
    std::string cityLine() const;
    // The call the station signs: "Callsign Used", else the Preferences' call.
    const std::string& stationCall() const {
        return UserCallsign.empty() ? YourCall : UserCallsign;
    }

    // [Rig Control]: a rig under control of rigctld at HOST:PORT, or none.
    std::string Rig1Control = kRigControlNone;
    std::string Rig1Address = "127.0.0.1:4532";
    std::string Rig2Control = kRigControlNone;
    std::string Rig2Address = "127.0.0.1:4534";
    std::int16_t RigPollInterval = 500;
    // The logger starts `rigctld -m Model -r Device` for a radio with Start
    // on; an empty device is left out (the dummy rig needs none).
    bool Rig1Start = false;
    std::string Rig1Model;
    std::string Rig1Device;
    bool Rig2Start = false;
    std::string Rig2Model;
    std::string Rig2Device;

    // [DX Cluster]: no host, no cluster. An empty call logs in with YourCall;
    // the commands sent after the login are separated by ";".
    std::string ClusterHost;
    std::string ClusterPort;
    std::string ClusterCall;
    std::string ClusterPassword;
    std::string ClusterCommands;
    bool ClusterConnectAtStart = false;
    std::int16_t ClusterSpotMinutes = 30;  // band-map spots older than this drop off

    // [Broadcast]: radio and contact packets over UDP for the station's tools.
    bool BroadcastOn = false;
    std::string BroadcastAddress = "127.0.0.1";
    std::string BroadcastPort = "12060";

    bool isGmt() const { return IsGMTFlag == "True"; }
    // The call-history file setting of a contest; null outside 1..9.
    std::string* callHistoryFile(ContestNr nr);
    const std::string* callHistoryFile(ContestNr nr) const {
        return const_cast<Settings*>(this)->callHistoryFile(nr);
    }

    bool operator==(const Settings&) const = default;

  private:
    static std::array<std::string, kMacroCount> defaultMacros() {
        std::array<std::string, kMacroCount> macros;
        macros.fill(kDefaultMacroPrefix);
        return macros;
    }
};

}  // namespace keslog
