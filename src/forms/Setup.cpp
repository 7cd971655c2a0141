#include "forms/Setup.h"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "cluster/ClusterClient.h"
#include "entry/CallMatch.h"
#include "model/Text.h"
#include "platform/Files.h"
#include "rig/RigClient.h"
#include "storage/CallFile.h"
#include "storage/LogFile.h"
#include "transmit/CWKeyer.h"

namespace keslog {

namespace {

constexpr const char* kPortConflictTitle = "Port Conflict";
constexpr const char* kLookbackTitle = "Lookback";
constexpr const char* kScpFilter = "Check-partial databases (*.scp)|*.scp;*.SCP|All Files|*";
constexpr const char* kHistoryFilter =
    "Call history files (*.txt;*.csv)|*.txt;*.csv;*.TXT;*.CSV|All Files|*";
constexpr const char* kSelectFilter =
    ".ksl and .ksc Files|*.ksl;*.ksc|Callsign Files (*.ksc)|*.ksc|KSL Log files (.ksl)|*.ksl";
// Far beyond any call file of real logs (500,000 calls take about 10 MB);
// a larger file was chosen by mistake and is not read into memory.
constexpr std::uint64_t kLargestCallFile = 64U << 20U;

std::size_t at(SetupBox b) {
    return static_cast<std::size_t>(b);
}

std::size_t at(SetupList l) {
    return static_cast<std::size_t>(l);
}

const char* flagText(bool on) {
    return on ? "True" : "False";
}

template <typename T, std::size_t N>
int positionOf(const std::array<T, N>& entries, std::string_view value) {
    for (std::size_t i = 0; i < N; ++i)
        if (value == entries[i]) return static_cast<int>(i);
    return 0;
}

// The list entry nearest to a stored number: a setting outside the list's
// range (an edited or damaged settings file) takes the nearer end.
int nearestPosition(std::span<const int> entries, int value) {
    int best = 0;
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (std::abs(entries[i] - value) <
            std::abs(entries[static_cast<std::size_t>(best)] - value))
            best = static_cast<int>(i);
    return best;
}

std::string lastThreeUpper(const std::string& path) {
    return toUpper(path.size() < 3 ? path : path.substr(path.size() - 3));
}

std::string weightLabel(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string& deviceSetting(Settings& s, PortDevice port) {
    switch (port) {
        case PortDevice::Com1:
            return s.Com1Device;
        case PortDevice::Com2:
            return s.Com2Device;
        case PortDevice::LPT1:
            return s.LPT1Device;
        case PortDevice::LPT2:
            break;
    }
    return s.LPT2Device;
}

constexpr std::array<PortDevice, 4> kPortDevices{PortDevice::Com1, PortDevice::Com2,
                                                 PortDevice::LPT1, PortDevice::LPT2};

// The setting keeps the cluster commands ";"-separated, the box one a line.
std::string joined(const std::vector<std::string>& commands, char separator) {
    std::string text;
    for (const std::string& command : commands)
        text += (text.empty() ? "" : std::string(1, separator)) + command;
    return text;
}

std::string commandLines(const std::string& setting) {
    return joined(clusterCommands(setting), '\n');
}

std::string commandSetting(std::string lines) {
    std::replace(lines.begin(), lines.end(), '\n', ';');
    return joined(clusterCommands(lines), ';');
}

}  // namespace

std::string weightText(int tenths) {
    return tenths % 10 == 0 ? std::to_string(tenths / 10) : weightLabel(tenths);
}

Setup::Setup(MainMod& state, Platform& platform, const IPortDevices& devices)
    : state_(state), platform_(platform), devices_(devices) {}

void Setup::load() {
    const Settings& s = state_.settings;
    view_ = SetupView{};
    auto& box = view_.box;
    box[at(SetupBox::DupeBeep)] = s.DupeBeepFlag == "True";
    box[at(SetupBox::CurrentCalls)] = state_.matchCurrentLog;
    box[at(SetupBox::OldCalls)] = state_.lookbackCalls.loaded;
    box[at(SetupBox::CWActivate)] = s.CWActivated;
    box[at(SetupBox::Speaker)] = s.CWSpeakerEnabled;
    box[at(SetupBox::TypingOK)] = s.TypingEnabled;
    box[at(SetupBox::Autodupe)] = s.AutoDupeFlag == "True";
    box[at(SetupBox::DVK)] = s.DVKMessagesEnabled == "True";
    box[at(SetupBox::CWPTT)] = s.CWPTTActivated;
    box[at(SetupBox::SSBPTT)] = s.SSBPTTActivated;
    box[at(SetupBox::F9)] = s.F9Activated;
    box[at(SetupBox::Key1)] = s.Key1IsMapped;
    box[at(SetupBox::Key2)] = s.Key2IsMapped;
    box[at(SetupBox::SendF1)] = s.SendF1Enabled;
    box[at(SetupBox::LogandSendF5)] = s.LogandSendF5Enabled;

    auto& list = view_.list;
    list[at(SetupList::CWPort)] = positionOf(kPortNames, s.CWComport);
    list[at(SetupList::CWPTTPort)] = positionOf(kPortNames, s.CWPTTComport);
    list[at(SetupList::SSBPTTPort)] = positionOf(kPortNames, s.SSBPTTComport);
    list[at(SetupList::F9Port)] = positionOf(kPortNames, s.F9Comport);
    list[at(SetupList::RepeatCW)] = nearestPosition(kRepeatIntervals, s.RepeatIntervalCW);
    list[at(SetupList::RepeatSSB)] = nearestPosition(kRepeatIntervals, s.RepeatIntervalSSB);
    list[at(SetupList::Key1)] = positionOf(kKeyMappingWords, s.Key1Mapping);
    list[at(SetupList::Key2)] = positionOf(kKeyMappingWords, s.Key2Mapping);
    list[at(SetupList::CQsNumber)] = nearestPosition(kDualCQsNumbers, s.DualCQsPlayNumber);
    list[at(SetupList::CQsInterval)] = nearestPosition(kDualCQsIntervals, s.DualCQsRepeatInterval);

    view_.CallBox = s.YourCall;
    view_.ComboBackup = trim(s.BackUpDrive).empty() ? "[none]" : s.BackUpDrive;
    view_.gmt = s.isGmt();
    onTimeScroll(static_cast<int>(roundHalfEven(leadingNumber(s.TimeCorrection))));
    view_.soundCard = !s.UsePCSpeaker;
    onWeightScroll(static_cast<int>(roundHalfEven(weightFromSetting(s.Weight) * 10.0)));
    view_.delay = {std::clamp<int>(s.Radio1Delay, 0, kMaxRadioDelay),
                   std::clamp<int>(s.Radio2Delay, 0, kMaxRadioDelay)};
    view_.logFirst = s.LogFirst;

    for (const PortDevice port : kPortDevices)
        view_.device[static_cast<std::size_t>(port)] = deviceSetting(state_.settings, port);
    view_.ScpFile = s.ScpFile;
    for (ContestNr nr = contest::First; nr <= contest::Last; ++nr)
        view_.CallHistoryFile[static_cast<std::size_t>(nr - contest::First)] =
            *s.callHistoryFile(nr);
    view_.historyContest = isValidContest(state_.contestNr) ? state_.contestNr - contest::First : 0;
    view_.serialDevices = devices_.serialDevices();
    view_.parallelDevices = devices_.parallelDevices();
    view_.rigControlled = {s.Rig1Control == kRigControlRigctld,
                           s.Rig2Control == kRigControlRigctld};
    view_.rigAddress = {s.Rig1Address, s.Rig2Address};
    view_.rigPollInterval = s.RigPollInterval;
    view_.rigStart = {s.Rig1Start, s.Rig2Start};
    view_.rigModel = {s.Rig1Model, s.Rig2Model};
    view_.rigDevice = {s.Rig1Device, s.Rig2Device};
    view_.broadcastOn = s.BroadcastOn;
    view_.broadcastAddress = s.BroadcastAddress;
    view_.broadcastPort = s.BroadcastPort;
    view_.clusterHost = s.ClusterHost;
    view_.clusterPort = s.ClusterPort;
    view_.clusterCall = s.ClusterCall;
    view_.stationCall = s.YourCall;
    view_.clusterPassword = s.ClusterPassword;
    view_.clusterCommands = commandLines(s.ClusterCommands);
    view_.clusterConnectAtStart = s.ClusterConnectAtStart;
    view_.clusterSpotMinutes = s.ClusterSpotMinutes;
    const std::array<const std::string*, 2> keyers{&s.CWKeyer1, &s.CWKeyer2};
    for (std::size_t r = 0; r < 2; ++r) {
        // A damaged value shows as the built-in keyer, as it keys.
        const KeyerChoice choice = parseKeyerChoice(*keyers[r]).value_or(KeyerChoice{});
        view_.keyerKind[r] = choice.kind;
        view_.keyerDevice[r] = choice.device;
        view_.keyerAddress[r] = choice.kind == KeyerChoice::Kind::CwDaemon
                                    ? choice.host + ":" + std::to_string(choice.port)
                                    : "127.0.0.1:" + std::to_string(kCwDaemonPort);
    }
    view_.keyerPot = s.CWKeyerPot;

    enableControls();
    showListSize();
}

void Setup::enableControls() {
    const SetupView& v = view_;
    view_.cwControlsEnabled = v.ticked(SetupBox::CWActivate);
    view_.speakerOptionsEnabled = v.cwControlsEnabled && v.ticked(SetupBox::Speaker);
    view_.cwPttPortEnabled = v.ticked(SetupBox::CWPTT);
    view_.ssbPttPortEnabled = v.ticked(SetupBox::SSBPTT);
    view_.delaysEnabled = v.cwPttPortEnabled || v.ssbPttPortEnabled;
    view_.f9PortEnabled = v.ticked(SetupBox::F9);
    view_.lookbackButtonsEnabled = v.ticked(SetupBox::OldCalls);
}

void Setup::showListSize() {
    const std::size_t n = state_.lookbackCalls.rows.size();
    view_.LookbackLabel = n == 1 ? "1 call in the list" : std::to_string(n) + " calls in the list";
}

void Setup::onTab(SetupTab tab) {
    view_.tab = tab;
}

void Setup::onBox(SetupBox b, bool ticked) {
    if (at(b) >= view_.box.size()) return;
    view_.box[at(b)] = ticked;
    enableControls();
}

void Setup::onList(SetupList l, int position) {
    std::size_t size = kPortNames.size();
    switch (l) {
        case SetupList::RepeatCW:
        case SetupList::RepeatSSB:
            size = kRepeatIntervals.size();
            break;
        case SetupList::Key1:
        case SetupList::Key2:
            size = kKeyMappingWords.size();
            break;
        case SetupList::CQsNumber:
            size = kDualCQsNumbers.size();
            break;
        case SetupList::CQsInterval:
            size = kDualCQsIntervals.size();
            break;
        default:
            break;
    }
    if (at(l) >= view_.list.size() || position < 0 || static_cast<std::size_t>(position) >= size)
        return;
    view_.list[at(l)] = position;
}

void Setup::onCallBox(const std::string& text) {
    view_.CallBox = text;
}

void Setup::onBackup(const std::string& folder) {
    view_.ComboBackup = folder;
}

void Setup::onTimeSet(bool gmt) {
    view_.gmt = gmt;
}

void Setup::onTimeScroll(int hours) {
    view_.TimeScroll = std::clamp(hours, -kMaxTimeCorrection, kMaxTimeCorrection);
    view_.TimeLabel = std::to_string(view_.TimeScroll);
}

void Setup::onSpeakerOption(bool soundCard) {
    view_.soundCard = soundCard;
}

void Setup::onWeightScroll(int tenths) {
    view_.WeightScroll = std::clamp(tenths, kMinWeightScroll, kMaxWeightScroll);
    view_.Weightlabel = weightLabel(view_.WeightScroll);
}

void Setup::onDelaySpin(int radio, int step) {
    if (radio != 1 && radio != 2) return;
    int& delay = view_.delay[static_cast<std::size_t>(radio - 1)];
    delay = std::clamp(delay + (step > 0 ? 1 : -1), 0, kMaxRadioDelay);
}

void Setup::onLogOption(bool logFirst) {
    view_.logFirst = logFirst;
}

void Setup::onDevice(PortDevice port, const std::string& path) {
    view_.device[static_cast<std::size_t>(port)] = path;
}

void Setup::onRigControl(int radio, bool on) {
    view_.rigControlled[static_cast<std::size_t>(radio - 1)] = on;
}

void Setup::onRigAddress(int radio, const std::string& address) {
    view_.rigAddress[static_cast<std::size_t>(radio - 1)] = address;
}

void Setup::onRigPollInterval(int ms) {
    view_.rigPollInterval = std::clamp(ms, kMinRigPollInterval, kMaxRigPollInterval);
}

void Setup::onRigStart(int radio, bool on) {
    view_.rigStart[static_cast<std::size_t>(radio - 1)] = on;
}

void Setup::onRigModel(int radio, const std::string& model) {
    view_.rigModel[static_cast<std::size_t>(radio - 1)] = model;
}

void Setup::onRigDevice(int radio, const std::string& device) {
    view_.rigDevice[static_cast<std::size_t>(radio - 1)] = device;
}

void Setup::onBroadcast(bool on) {
    view_.broadcastOn = on;
}

void Setup::onBroadcastAddress(const std::string& address) {
    view_.broadcastAddress = address;
}

void Setup::onBroadcastPort(const std::string& port) {
    view_.broadcastPort = port;
}

void Setup::onClusterSpotMinutes(int minutes) {
    view_.clusterSpotMinutes = std::clamp(minutes, kMinClusterSpotMinutes, kMaxClusterSpotMinutes);
}

void Setup::onKeyer(int radio, KeyerChoice::Kind kind) {
    view_.keyerKind[static_cast<std::size_t>(radio - 1)] = kind;
}

void Setup::onKeyerDevice(int radio, const std::string& path) {
    view_.keyerDevice[static_cast<std::size_t>(radio - 1)] = path;
}

void Setup::onKeyerAddress(int radio, const std::string& address) {
    view_.keyerAddress[static_cast<std::size_t>(radio - 1)] = address;
}

void Setup::onKeyerPot(bool on) {
    view_.keyerPot = on;
}

// The keying device of radio r as the settings keep it; nullopt when its
// device or address is not usable.
std::optional<std::string> Setup::keyerSetting(std::size_t r) const {
    using Kind = KeyerChoice::Kind;
    const Kind kind = view_.keyerKind[r];
    const std::string text =
        kind == Kind::WinKeyer   ? std::string(kWinKeyerPrefix) + trim(view_.keyerDevice[r])
        : kind == Kind::CwDaemon ? std::string(kCwDaemonPrefix) + trim(view_.keyerAddress[r])
                                 : std::string(kBuiltinKeyer);
    const auto choice = parseKeyerChoice(text);
    if (!choice || choice->kind != kind) return std::nullopt;
    return keyerChoiceText(*choice);
}

std::string Setup::portAt(SetupList l) const {
    return std::string(kPortNames[static_cast<std::size_t>(view_.position(l))]);
}

std::string Setup::portConflict() const {
    const std::string cw = portAt(SetupList::CWPort);
    const std::string cwPtt = portAt(SetupList::CWPTTPort);
    const std::string ssbPtt = portAt(SetupList::SSBPTTPort);
    const std::string f9 = portAt(SetupList::F9Port);
    auto same = [](const std::string& a, const std::string& b) { return a != "[none]" && a == b; };
    const bool so2r = view_.ticked(SetupBox::F9);
    if (view_.ticked(SetupBox::CWActivate) && state_.ModeFlag[1]) {
        if (same(cw, cwPtt))
            return "You have selected the same port for CW Sending and CW PTT.  Change one of "
                   "them.";
        if (so2r && same(cw, f9))
            return "You have selected the same port for CW Sending and SO2R control.  Change one "
                   "of them.";
        if (so2r && view_.ticked(SetupBox::CWPTT) && same(cwPtt, f9))
            return "You have selected the same port for CW PTT and SO2R control.  Change one of "
                   "them.";
    }
    if (state_.ModeFlag[0] && so2r && view_.ticked(SetupBox::SSBPTT) && same(ssbPtt, f9))
        return "You have selected the same port for SSB PTT and SO2R control.  Change one of them.";
    return {};
}

void Setup::onOK() {
    if (const std::string conflict = portConflict(); !conflict.empty()) {
        platform_.messageBox.show({conflict, kPortConflictTitle, MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    const int key1 = view_.position(SetupList::Key1);
    if (key1 != 0 && key1 == view_.position(SetupList::Key2)) {
        platform_.messageBox.show({"You have selected duplicate key mappings.  Change one of them.",
                                   "Key Mapping Conflict", MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    for (std::size_t r = 0; r < 2; ++r) {
        if (!view_.rigControlled[r] || parseRigAddress(trim(view_.rigAddress[r]))) continue;
        view_.tab = SetupTab::Devices;
        platform_.messageBox.show({"The rigctld address of radio " + std::to_string(r + 1) +
                                       " must be an IPv4 address and a port, such as "
                                       "127.0.0.1:4532.",
                                   "Rig Control", MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    for (std::size_t r = 0; r < 2; ++r) {
        if (keyerSetting(r)) continue;
        view_.tab = SetupTab::Devices;
        platform_.messageBox.show(
            {"The CW keying device of radio " + std::to_string(r + 1) +
                 (view_.keyerKind[r] == KeyerChoice::Kind::WinKeyer
                      ? " needs the WinKeyer's serial device, such as /dev/ttyUSB0."
                      : " needs cwdaemon's IPv4 address and port, such as 127.0.0.1:6789."),
             "CW Keyer", MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    Settings cluster;
    cluster.ClusterHost = view_.clusterHost;
    cluster.ClusterPort = view_.clusterPort;
    if (!trim(cluster.ClusterHost).empty() && !clusterConfigOf(cluster)) {
        view_.tab = SetupTab::Network;
        platform_.messageBox.show(
            {"The cluster port must be a number from 1 to 65535, such as "
             "7300.",
             "DX Cluster", MsgButtons::Ok, MsgIcon::Stop});
        return;
    }
    store();
    view_.accepted = true;
    view_.closed = true;
}

void Setup::store() {
    Settings& s = state_.settings;
    const SetupView& v = view_;
    auto ticked = [&v](SetupBox b) { return v.ticked(b); };
    auto listed = [&v](const auto& entries, SetupList l) {
        return entries[static_cast<std::size_t>(v.position(l))];
    };

    s.CWComport = portAt(SetupList::CWPort);
    s.CWPTTComport = portAt(SetupList::CWPTTPort);
    s.SSBPTTComport = portAt(SetupList::SSBPTTPort);
    s.F9Comport = portAt(SetupList::F9Port);

    s.DupeBeepFlag = flagText(ticked(SetupBox::DupeBeep));
    s.YourCall = toUpper(trim(v.CallBox));
    const std::string backup = trim(v.ComboBackup);
    s.BackUpDrive = backup.empty() ? "[none]" : backup;
    s.CWActivated = ticked(SetupBox::CWActivate);
    s.CWSpeakerEnabled = ticked(SetupBox::Speaker);
    s.UseSoundcardSpeaker = v.soundCard;
    s.UsePCSpeaker = !v.soundCard;
    s.TypingEnabled = ticked(SetupBox::TypingOK);
    s.AutoDupeFlag = flagText(ticked(SetupBox::Autodupe));

    // The weight just chosen is heard from the next dash on: left until the
    // next speed change, OK would seem to have been ignored.
    state_.cw.CWWeight = static_cast<float>(v.WeightScroll / 10.0);
    s.Weight = weightText(v.WeightScroll);
    recomputeCWCounts(state_.cw);
    s.TimeCorrection = std::to_string(v.TimeScroll);

    s.CWPTTActivated = ticked(SetupBox::CWPTT);
    s.SSBPTTActivated = ticked(SetupBox::SSBPTT);
    s.F9Activated = ticked(SetupBox::F9);
    s.Radio1Delay = static_cast<std::int16_t>(v.delay[0]);
    s.Radio2Delay = static_cast<std::int16_t>(v.delay[1]);
    s.RepeatIntervalCW = static_cast<std::int16_t>(listed(kRepeatIntervals, SetupList::RepeatCW));
    s.RepeatIntervalSSB = static_cast<std::int16_t>(listed(kRepeatIntervals, SetupList::RepeatSSB));

    s.IsGMTFlag = flagText(v.gmt);
    s.DVKMessagesEnabled = flagText(ticked(SetupBox::DVK));
    state_.matchCurrentLog = ticked(SetupBox::CurrentCalls);
    state_.lookbackCalls.loaded = ticked(SetupBox::OldCalls);
    s.SendF1Enabled = ticked(SetupBox::SendF1);
    s.LogandSendF5Enabled = ticked(SetupBox::LogandSendF5);
    s.LogFirst = v.logFirst;
    s.Key1IsMapped = ticked(SetupBox::Key1);
    s.Key2IsMapped = ticked(SetupBox::Key2);
    s.Key1Mapping = listed(kKeyMappingWords, SetupList::Key1);
    s.Key2Mapping = listed(kKeyMappingWords, SetupList::Key2);

    s.DualCQsPlayNumber = static_cast<std::int16_t>(listed(kDualCQsNumbers, SetupList::CQsNumber));
    s.DualCQsRepeatInterval =
        static_cast<std::int16_t>(listed(kDualCQsIntervals, SetupList::CQsInterval));

    for (const PortDevice port : kPortDevices)
        deviceSetting(s, port) = trim(v.device[static_cast<std::size_t>(port)]);
    s.Rig1Control = v.rigControlled[0] ? kRigControlRigctld : kRigControlNone;
    s.Rig2Control = v.rigControlled[1] ? kRigControlRigctld : kRigControlNone;
    s.Rig1Address = trim(v.rigAddress[0]);
    s.Rig2Address = trim(v.rigAddress[1]);
    s.RigPollInterval = static_cast<std::int16_t>(v.rigPollInterval);
    s.Rig1Start = v.rigStart[0];
    s.Rig2Start = v.rigStart[1];
    s.Rig1Model = trim(v.rigModel[0]);
    s.Rig2Model = trim(v.rigModel[1]);
    s.Rig1Device = trim(v.rigDevice[0]);
    s.Rig2Device = trim(v.rigDevice[1]);
    s.BroadcastOn = v.broadcastOn;
    s.BroadcastAddress = trim(v.broadcastAddress);
    s.BroadcastPort = trim(v.broadcastPort);
    s.ClusterHost = trim(v.clusterHost);
    s.ClusterPort = trim(v.clusterPort);
    s.ClusterCall = toUpper(trim(v.clusterCall));
    s.ClusterPassword = v.clusterPassword;
    s.ClusterCommands = commandSetting(v.clusterCommands);
    s.ClusterConnectAtStart = v.clusterConnectAtStart;
    s.ClusterSpotMinutes = static_cast<std::int16_t>(v.clusterSpotMinutes);
    s.CWKeyer1 = *keyerSetting(0);
    s.CWKeyer2 = *keyerSetting(1);
    s.CWKeyerPot = v.keyerPot;
    s.ScpFile = trim(v.ScpFile);
    for (ContestNr nr = contest::First; nr <= contest::Last; ++nr)
        *s.callHistoryFile(nr) =
            trim(v.CallHistoryFile[static_cast<std::size_t>(nr - contest::First)]);
}

void Setup::onScpFile(const std::string& path) {
    view_.ScpFile = path;
}

void Setup::onChooseScpFile() {
    const auto chosen = platform_.fileDialog.openFile(
        {"Choose Check-Partial Database", "", "", kScpFilter, state_.settings.OpenFilePath});
    if (chosen) view_.ScpFile = *chosen;
}

void Setup::onHistoryContest(int index) {
    view_.historyContest = std::clamp(index, 0, static_cast<int>(view_.CallHistoryFile.size()) - 1);
}

void Setup::onHistoryFile(const std::string& path) {
    view_.CallHistoryFile[static_cast<std::size_t>(view_.historyContest)] = path;
}

void Setup::onChooseHistoryFile() {
    const auto chosen = platform_.fileDialog.openFile(
        {"Choose Call History File", "", "", kHistoryFilter, state_.settings.OpenFilePath});
    if (chosen) onHistoryFile(*chosen);
}

void Setup::onCancel() {
    view_.closed = true;
}

void Setup::tell(const std::string& text, const std::string& title) {
    platform_.messageBox.show({text, title, MsgButtons::Ok, MsgIcon::Exclamation});
}

void Setup::onSelect() {
    const std::optional<std::string> chosen =
        platform_.fileDialog.openFile({"Open Existing Calls File or KSL Log File", "", "",
                                       kSelectFilter, state_.settings.OpenFilePath});
    if (!chosen) return;
    const std::string kind = lastThreeUpper(*chosen);
    platform_.busy.setBusy(true);
    if (kind == "KSC")
        loadCallFile(*chosen);
    else if (kind == "KSL")
        addLogFile(*chosen);
    platform_.busy.setBusy(false);
    if (kind != "KSC" && kind != "KSL")
        tell("Choose a .ksl log file or a .ksc call file.", kLookbackTitle);
    showListSize();
}

void Setup::addLogFile(const std::string& path) {
    Result<std::string> bytes = readLogBytes(path);
    Result<LogFileContents> log =
        bytes ? parseLogFile(*bytes, path) : Result<LogFileContents>(bytes.status());
    if (!log) {
        const Status& failed = log.status();
        tell(failed.message(), failed.title().empty() ? kLookbackTitle : failed.title());
        return;
    }
    addOldCalls(state_.lookbackCalls, oldCallsOfLog(*log));
}

void Setup::loadCallFile(const std::string& path) {
    const Result<std::uint64_t> size = fileSize(path);
    if (size && *size > kLargestCallFile) {
        tell("The file " + path + " is too large to be a call file.  The list was not changed.",
             kLookbackTitle);
        return;
    }
    const Result<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        tell("The call file " + path + " could not be read.  The list was not changed.\n\n" +
                 bytes.status().message(),
             kLookbackTitle);
        return;
    }
    CallFileContents file = parseCallFile(*bytes);
    const bool wasLoaded = state_.lookbackCalls.loaded;
    loadOldCalls(state_.lookbackCalls, std::move(file.rows));
    // Whether the entry line matches against the list is the Former Logs box's.
    state_.lookbackCalls.loaded = wasLoaded;
    if (file.skippedLines > 0)
        tell(std::to_string(file.skippedLines) + (file.skippedLines == 1 ? " line" : " lines") +
                 " of the call file " + path + " did not hold a call and " +
                 (file.skippedLines == 1 ? "was" : "were") + " left out.",
             kLookbackTitle);
}

void Setup::onSave() {
    const std::optional<std::string> chosen = platform_.fileDialog.saveFile(
        {"Save Lookback File As", "ksc", "", "Lookback files (*.ksc)|*.ksc",
         state_.settings.OpenFilePath});
    if (!chosen) return;
    if (lastThreeUpper(*chosen) != "KSC") {
        tell("Output file must have the extension .ksc", kLookbackTitle);
        return;
    }
    if (fileExists(*chosen) &&
        platform_.messageBox.show(
            {"The selected output file " + *chosen + " already exists." + " OK to overwrite it?",
             kLookbackTitle, MsgButtons::YesNo, MsgIcon::Question, 1}) != MsgResult::Yes)
        return;
    if (const Status written =
            writeFileAtomically(*chosen, callFileText(state_.lookbackCalls.rows));
        !written)
        tell("The call file " + *chosen + " was not saved.\n\n" + written.message(),
             kLookbackTitle);
}

}  // namespace keslog
