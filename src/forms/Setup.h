#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/MainMod.h"
#include "platform/Platform.h"
#include "platform/PortDevices.h"
#include "transmit/KeyingDevice.h"
#include "transmit/Ports.h"

namespace keslog {

// The lists the dialog offers besides the port names (kPortNames) and the
// numbers of the settings (model/Settings.h).
inline constexpr std::array<const char*, 4> kKeyMappingCaptions{"[none]", " \\  Key", " ]   Key",
                                                                "UP Arrow"};
inline constexpr std::array<const char*, 4> kKeyMappingWords{"[none]", "backslash", "rightbracket",
                                                             "uparrow"};
inline constexpr int kMinWeightScroll = 25;  // tenths: what the settings keep on restart
inline constexpr int kMaxWeightScroll = 45;

// The CW keying device of a radio, in KeyerChoice::Kind order; the second
// and third are followed by the device or the address.
inline constexpr std::array<const char*, 3> kKeyerCaptions{
    "built-in (serial DTR / parallel pin, as today)", "WinKeyer on", "cwdaemon at"};
inline constexpr const char* kKeyerPotCaption = "pot sets speed";

// The tabs of SSTab1; Devices holds the device files behind the port names.
enum class SetupTab {
    General,
    Lookback,
    CwDvk1,
    Radio,
    KeyMappings,
    Enter,
    CwDvk2,
    Devices,
    Network
};
inline constexpr int kSetupTabCount = 9;

// The check boxes, each editing one switch.
enum class SetupBox {
    DupeBeep,
    CurrentCalls,
    OldCalls,
    CWActivate,
    Speaker,
    TypingOK,
    Autodupe,
    DVK,
    CWPTT,
    SSBPTT,
    F9,
    Key1,
    Key2,
    SendF1,
    LogandSendF5,
};
inline constexpr int kSetupBoxCount = 15;

// The drop-down lists; the value is the list position.
enum class SetupList {
    CWPort,
    CWPTTPort,
    SSBPTTPort,
    F9Port,
    RepeatCW,
    RepeatSSB,
    Key1,
    Key2,
    CQsNumber,
    CQsInterval,
};
inline constexpr int kSetupListCount = 10;

// The four ports whose device files the Devices tab names.
enum class PortDevice { Com1, Com2, LPT1, LPT2 };

// What the Preferences dialog shows: the controls' values and which of them
// are enabled.
struct SetupView {
    std::string title = "Preferences";
    std::array<std::string, kSetupTabCount> tabCaptions{"General",   "Lookback",     "CW/DVK[1]",
                                                        "Radio",     "Key Mappings", "ENTER Key",
                                                        "CW/DVK[2]", "Devices",      "Network"};
    SetupTab tab = SetupTab::General;

    std::array<bool, kSetupBoxCount> box{};
    std::array<int, kSetupListCount> list{};

    // General
    std::string CallBox;
    std::string ComboBackup;  // a folder, or "[none]"
    bool gmt = false;         // ButtonTimeSet(0) "GMT", else (1) "Local time"
    int TimeScroll = 0;
    std::string TimeLabel = "0";

    // Lookback
    std::string LookbackLabel;                   // how many calls the former-logs list holds
    std::string ScpFile;                         // the check-partial database, or "none"
    std::array<std::string, 9> CallHistoryFile;  // per contest, ContestNr order
    int historyContest = 0;                      // whose call-history file is shown: ContestNr - 1

    // CW/DVK[1]
    bool soundCard = true;  // OptionSpeaker(0) "Sound Card", else (1) "PC Speaker"
    int WeightScroll = 30;
    std::string Weightlabel = "3.0";

    // Radio
    std::array<int, 2> delay{};  // LabelR1Delay, LabelR2Delay: 0..9

    // ENTER Key
    bool logFirst = true;  // OptionLog(0) "Log first then send F5", else (1)

    // Devices: the device file behind each port, and what the machine has.
    std::array<std::string, 4> device;
    std::vector<std::string> serialDevices;
    std::vector<std::string> parallelDevices;
    // Devices: rig control of radio 1 and 2 through rigctld at HOST:PORT.
    std::array<bool, 2> rigControlled{};
    std::array<std::string, 2> rigAddress;
    int rigPollInterval = 500;  // ms
    // Devices: rigctld started by the logger for radio 1 and 2.
    std::array<bool, 2> rigStart{};
    std::array<std::string, 2> rigModel;   // hamlib model number
    std::array<std::string, 2> rigDevice;  // serial device, may be empty
    // Devices: radio and QSO packets for the station's tools.
    bool broadcastOn = false;
    std::string broadcastAddress;
    std::string broadcastPort;

    // Network: the DX cluster. The commands one a line; the login call's
    // box shows the station call while empty.
    std::string clusterHost;
    std::string clusterPort;
    std::string clusterCall;
    std::string stationCall;
    std::string clusterPassword;
    std::string clusterCommands;
    bool clusterConnectAtStart = false;
    int clusterSpotMinutes = 30;
    // Devices: the CW keying device of radio 1 and 2.
    std::array<KeyerChoice::Kind, 2> keyerKind{};
    std::array<std::string, 2> keyerDevice;   // a WinKeyer's serial device
    std::array<std::string, 2> keyerAddress;  // cwdaemon's HOST:PORT
    bool keyerPot = false;                    // a WinKeyer's knob sets the speed

    // Enabled by their switches.
    bool cwControlsEnabled = false;  // port, speaker, typing, autodupe, weight
    bool speakerOptionsEnabled = false;
    bool cwPttPortEnabled = false;
    bool ssbPttPortEnabled = false;
    bool f9PortEnabled = false;
    bool delaysEnabled = false;
    bool lookbackButtonsEnabled = false;  // SelectButton, SaveButton

    bool closed = false;
    bool accepted = false;  // closed by OK: the settings were taken over

    bool ticked(SetupBox b) const { return box[static_cast<std::size_t>(b)]; }
    int position(SetupList l) const { return list[static_cast<std::size_t>(l)]; }
};

// The behaviour of Setup, the Preferences dialog. Every control works on a
// copy; OK checks all of it first and only then takes it over, so a refusal
// or Cancel leaves the settings as they were. Select and Save build and
// write the former-logs call list, which is not a setting: it changes at
// once.
class Setup {
  public:
    Setup(MainMod& state, Platform& platform, const IPortDevices& devices);

    void load();
    const SetupView& view() const { return view_; }

    void onTab(SetupTab tab);
    void onBox(SetupBox box, bool ticked);
    void onList(SetupList list, int position);
    void onCallBox(const std::string& text);
    void onBackup(const std::string& folder);
    void onTimeSet(bool gmt);
    void onTimeScroll(int hours);
    void onSpeakerOption(bool soundCard);
    void onWeightScroll(int tenths);
    // A delay spinner moved up (+1) or down (-1); radio 1 or 2.
    void onDelaySpin(int radio, int step);
    void onLogOption(bool logFirst);
    void onDevice(PortDevice port, const std::string& path);
    // Radio 1 or 2.
    void onRigControl(int radio, bool on);
    void onRigAddress(int radio, const std::string& address);
    void onRigPollInterval(int ms);
    void onRigStart(int radio, bool on);
    void onRigModel(int radio, const std::string& model);
    void onRigDevice(int radio, const std::string& device);
    void onBroadcast(bool on);
    void onBroadcastAddress(const std::string& address);
    void onBroadcastPort(const std::string& port);
    void onClusterHost(const std::string& text) { view_.clusterHost = text; }
    void onClusterPort(const std::string& text) { view_.clusterPort = text; }
    void onClusterCall(const std::string& text) { view_.clusterCall = text; }
    void onClusterPassword(const std::string& text) { view_.clusterPassword = text; }
    void onClusterCommands(const std::string& text) { view_.clusterCommands = text; }
    void onClusterConnectAtStart(bool on) { view_.clusterConnectAtStart = on; }
    void onClusterSpotMinutes(int minutes);
    // Radio 1 or 2.
    void onKeyer(int radio, KeyerChoice::Kind kind);
    void onKeyerDevice(int radio, const std::string& path);
    void onKeyerAddress(int radio, const std::string& address);
    void onKeyerPot(bool on);
    void onSelect();
    void onSave();
    void onScpFile(const std::string& path);
    void onChooseScpFile();
    void onHistoryContest(int index);
    void onHistoryFile(const std::string& path);
    void onChooseHistoryFile();
    void onOK();
    void onCancel();

  private:
    void enableControls();
    void showListSize();
    std::string portAt(SetupList list) const;
    std::optional<std::string> keyerSetting(std::size_t radio) const;
    // The first conflict among the chosen ports, or "".
    std::string portConflict() const;
    void store();
    void addLogFile(const std::string& path);
    void loadCallFile(const std::string& path);
    void tell(const std::string& text, const std::string& title);

    MainMod& state_;
    Platform& platform_;
    const IPortDevices& devices_;
    SetupView view_;
};

// The weight as the Weight setting keeps it: "2.7", or "3" for 3.0.
std::string weightText(int tenths);

}  // namespace keslog
