#include "transmit/Audio.h"

#include <filesystem>

#include "model/Text.h"
#include "platform/Files.h"

namespace keslog {

namespace {

constexpr const char* kTitle = "DVK";
constexpr const char* kWaveFilter = "WAV files (*.WAV)|*.WAV|All files (*.*)|*.*";
constexpr const char* kSetupFilter = "DVK logs (*.DVK)|*.DVK|All files (*.*)|*.*";
// The player's events come every 50 ms; each counts for 55 ms of the
// message, so the bar is full a little before the sound ends.
constexpr double kElapsedPerUpdate = 55;
// How long a message may play past its length before the sound output is
// taken to have stalled.
constexpr int kStallMarginMs = 1000;

bool validIndex(int index) {
    return index >= 0 && index < kSlotCount;
}

bool hasExtension(const std::string& path, std::string_view extension) {
    return toUpper(std::filesystem::path(path).extension().string()) == extension;
}

// The folder and the file name of a path; either separator splits it, so
// setup files written elsewhere still start the dialog at the right name.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return {{}, path};
    return {path.substr(0, cut), path.substr(cut + 1)};
}

std::uint32_t radioColourOf(char radio) {
    return radio == '1' ? colour::Blue : radio == '2' ? colour::Red : colour::Black;
}

}  // namespace

std::string messageLengthText(int milliseconds) {
    const int tenths = (std::max(milliseconds, 0) + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "s";
}

Audio::Audio(MainMod& state, Platform& platform, PortLines& lines, RadioSwitch& radios,
             IWaveRecorder& recorder)
    : state_(state), platform_(platform), lines_(lines), radios_(radios), recorder_(recorder) {
    for (int i = 0; i < kSlotCount; ++i)
        view_.Button[static_cast<std::size_t>(i)] = "F" + std::to_string(keyNumberOfSlot(i + 1));
    refreshLabels();
    platform_.wavePlayer.setPositionHandler([this](int positionMs) { onPosition(positionMs); });
}

// The transmitter is never left keyed when the program ends.
Audio::~Audio() {
    IWavePlayer& player = platform_.wavePlayer;
    player.setPositionHandler({});
    player.close();
    releasePtt();
    if (recorder_.recording()) recorder_.stop();
}

void Audio::setRepeater(MessageRepeater& repeater) {
    repeater_ = &repeater;
    repeater.setVoice(*this);
}

int Audio::playCount(int slot) const {
    return validIndex(slot) ? slots_[static_cast<std::size_t>(slot)].plays : 1;
}

bool Audio::play(int slot, bool noRadioSwitch) {
    return PlayVoiceMessage(slot, noRadioSwitch);
}

bool Audio::PlayVoiceMessage(int index, bool noRadioSwitch) {
    if (!validIndex(index)) return false;
    if (recorder_.recording()) {
        // The transmitter would send the room.
        platform_.beep.beep();
        return false;
    }
    IWavePlayer& player = platform_.wavePlayer;
    updates_ = false;
    player.close();
    const VoiceSlot& slot = slots_[static_cast<std::size_t>(index)];
    const std::string key = voiceKeyName(index);
    if (slot.file.empty()) return refuseStart("No sound file is assigned to " + key + ".");
    // The file first: a file that cannot play must never key the transmitter.
    if (const Status opened = player.open(slot.file); !opened)
        return refuseStart("The message of " + key + " cannot be played.\n\n" + opened.message());
    const int length = player.lengthMs();
    if (length <= 0) {
        // Nothing to send: the message ends at once.
        player.close();
        endMessage(false, {});
        return true;
    }

    if (!noRadioSwitch) {
        const int radio = slot.radio == '1' && state_.TXRadio == 2   ? 1
                          : slot.radio == '2' && state_.TXRadio == 1 ? 2
                                                                     : 0;
        if (radio != 0 && !radios_.transmitOn(radio)) return refuseStart({});
    }
    if (const Status keyed = keyPtt(); !keyed)
        return refuseStart("The SSB PTT line " + state_.settings.SSBPTTComport +
                           " could not be keyed; the message of " + key + " was not sent.\n\n" +
                           keyed.message());

    player.play();
    playing_ = true;
    updates_ = true;
    elapsed_ = 0;
    view_.Label1 = messageLengthText(length);
    view_.notPlayingVisible = false;
    view_.progressVisible = true;
    view_.progress = 0;
    changed();
    host_->returnFocus();
    return true;
}

bool Audio::refuseStart(const std::string& problem) {
    platform_.wavePlayer.close();
    endMessage(true, problem);
    return false;
}

Status Audio::keyPtt() {
    const Settings& s = state_.settings;
    if (!s.SSBPTTActivated) return Status::ok();
    const std::string& port = s.SSBPTTComport;
    // A line keyed for the message this one replaces, before the port changed.
    if (pttPort_ && *pttPort_ != port)
        if (const Status off = releasePtt(); !off) return off;
    const Status prepared =
        isSerialPortName(port) ? lines_.OpenSerialPort(port) : lines_.PrepareParallelPort(port);
    if (!prepared) return prepared;
    // From here the line may be on: every end of the message releases it.
    pttPort_ = port;
    return lines_.LineOn(port);
}

Status Audio::releasePtt() {
    if (!pttPort_) return Status::ok();
    const std::string port = *pttPort_;
    pttPort_.reset();
    const Status off = lines_.LineOff(port);
    lines_.CloseSerialPort(port);
    return off;
}

void Audio::onPosition(int positionMs) {
    if (!updates_) return;
    IWavePlayer& player = platform_.wavePlayer;
    const int length = player.lengthMs();
    if (player.mode() == WaveMode::Playing && positionMs > length + kStallMarginMs) {
        // A sound output that stopped taking samples would hold the
        // transmitter keyed for good.
        updates_ = false;
        player.stop();
        player.rewind();
        endMessage(true,
                   "The sound output made no progress with the message for more than a second "
                   "past its end, so the message was broken off and the SSB PTT line released.");
        return;
    }
    if (player.mode() == WaveMode::Playing) {
        elapsed_ += kElapsedPerUpdate;
        const long percent = length > 0 ? roundHalfEven(elapsed_ / length * 100) : 100;
        view_.progress = percent >= 95 ? 100 : static_cast<int>(percent);
        changed();
        return;
    }
    if (!view_.progressVisible) return;
    const Status played = player.playbackError();
    if (played)
        endMessage(false, {});
    else
        endMessage(true, "The message stopped before its end.\n\n" + played.message());
}

void Audio::CmdStop() {
    if (recordingSlot_) {
        finishRecording();
        return;
    }
    updates_ = false;
    IWavePlayer& player = platform_.wavePlayer;
    player.stop();
    player.rewind();
    endMessage(false, {});
}

// Every end of a message: played out, stopped, refused or broken off.
void Audio::endMessage(bool failed, std::string problem) {
    updates_ = false;
    playing_ = false;
    view_.progress = 100;
    view_.progressVisible = false;
    view_.notPlayingVisible = true;
    view_.Label1.clear();
    const std::string port = pttPort_.value_or("");
    if (const Status off = releasePtt(); !off) {
        failed = true;
        if (!problem.empty()) problem += "\n\n";
        problem += "The SSB PTT line " + port +
                   " could not be released: check that the transmitter is not keyed.\n\n" +
                   off.message();
    }
    changed();
    // A failure ends the repetition too, before the operator reads of it.
    if (repeater_) {
        if (failed)
            repeater_->cancel();
        else
            repeater_->onVoiceMessageEnded();
    }
    if (!problem.empty()) tell(problem);
}

void Audio::onAssign(int index) {
    if (!validIndex(index)) return;
    if (playing_ || recordingSlot_) CmdStop();
    onText1Done();
    const auto [folder, name] = splitPath(slots_[static_cast<std::size_t>(index)].file);
    const std::optional<std::string> chosen = platform_.fileDialog.openFile(
        {"Choose a .WAV file", "WAV", name.empty() ? "*.WAV" : name, kWaveFilter, folder});
    if (!chosen) return;
    platform_.wavePlayer.close();
    slots_[static_cast<std::size_t>(index)].file = *chosen;
    openText1(index);
}

void Audio::onRecord(int index) {
    if (!validIndex(index) || recordingSlot_) return;
    if (playing_) CmdStop();
    onText1Done();
    const auto [folder, name] = splitPath(slots_[static_cast<std::size_t>(index)].file);
    const std::optional<std::string> chosen =
        platform_.fileDialog.saveFile({"Record " + voiceKeyName(index) + " into a .WAV file", "WAV",
                                       name.empty() ? "*.WAV" : name, kWaveFilter, folder});
    if (!chosen || !askOverwrite(*chosen)) return;
    platform_.wavePlayer.close();
    if (const Status started = recorder_.start(*chosen); !started) {
        tell(started.message());
        return;
    }
    recordingSlot_ = index;
    recordingPath_ = *chosen;
    view_.notPlayingVisible = false;
    view_.recordingLabel = "[Recording " + voiceKeyName(index) + " - Stop ends it]";
    changed();
}

void Audio::finishRecording() {
    const int index = *recordingSlot_;
    recordingSlot_.reset();
    view_.recordingLabel.clear();
    view_.notPlayingVisible = true;
    const Status written = recorder_.stop();
    if (!written) {
        changed();
        tell("The recording of " + voiceKeyName(index) + " was not saved.\n\n" + written.message());
        return;
    }
    slots_[static_cast<std::size_t>(index)].file = recordingPath_;
    openText1(index);
}

void Audio::openText1(int index) {
    view_.text1Visible = true;
    view_.text1Row = index;
    view_.Text1 = slots_[static_cast<std::size_t>(index)].label;
    changed();
}

void Audio::onText1Done() {
    if (!view_.text1Visible) return;
    VoiceSlot& slot = slots_[static_cast<std::size_t>(view_.text1Row)];
    // The typed text becomes the whole caption: no play tag any more.
    slot.label = view_.Text1;
    for (char& c : slot.label)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    slot.plays = 1;
    view_.text1Visible = false;
    refreshLabels();
    changed();
}

std::array<bool, kAudioMenuItemCount> Audio::menuTicks(int index) const {
    std::array<bool, kAudioMenuItemCount> ticks{};
    if (!validIndex(index)) return ticks;
    const VoiceSlot& slot = slots_[static_cast<std::size_t>(index)];
    ticks[static_cast<std::size_t>(AudioMenuItem::Radio1)] = slot.radio == '1';
    ticks[static_cast<std::size_t>(AudioMenuItem::Radio2)] = slot.radio == '2';
    ticks[static_cast<std::size_t>(AudioMenuItem::NoRadio)] =
        slot.radio != '1' && slot.radio != '2';
    ticks[static_cast<std::size_t>(AudioMenuItem::Play3)] = slot.plays == 3;
    ticks[static_cast<std::size_t>(AudioMenuItem::Play6)] = slot.plays == 6;
    ticks[static_cast<std::size_t>(AudioMenuItem::NoRepeats)] = slot.plays != 3 && slot.plays != 6;
    return ticks;
}

void Audio::onMenuItem(int index, AudioMenuItem item) {
    if (!validIndex(index)) return;
    VoiceSlot& slot = slots_[static_cast<std::size_t>(index)];
    switch (item) {
        case AudioMenuItem::Radio1:
            slot.radio = '1';
            break;
        case AudioMenuItem::Radio2:
            slot.radio = '2';
            break;
        case AudioMenuItem::NoRadio:
            slot.radio = '0';
            break;
        case AudioMenuItem::Play3:
            slot.plays = 3;
            break;
        case AudioMenuItem::Play6:
            slot.plays = 6;
            break;
        case AudioMenuItem::NoRepeats:
            slot.plays = 1;
            break;
    }
    refreshLabels();
    changed();
}

void Audio::onOpenSetupFile() {
    const std::optional<std::string> chosen = platform_.fileDialog.openFile(
        {"Open Existing Setup File", "DVK", "*.DVK", kSetupFilter, splitPath(setupFile_).first});
    if (!chosen) return;
    if (!hasExtension(*chosen, ".DVK")) {
        tell("Input file must have the extension DVK");
        return;
    }
    const Result<std::string> text = readWholeFile(*chosen);
    if (!text) {
        tell("The setup file " + *chosen + " could not be read.\n\n" + text.status().message());
        return;
    }
    onText1Done();
    const SetupFileContents read = parseSetupFile(*text);
    slots_ = read.voices;
    setupFile_ = *chosen;
    refreshLabels();
    changed();

    std::string notes;
    if (read.tooMany)
        notes += "The setup file " + *chosen +
                 " holds more than nine messages; only the first nine were read.";
    if (read.truncated)
        notes += "The setup file " + *chosen +
                 " ends in the middle of a message; the messages before it were read.";
    std::string missing;
    for (int i = 0; i < kSlotCount; ++i) {
        const std::string& file = slots_[static_cast<std::size_t>(i)].file;
        if (!file.empty() && !isReadableFile(file)) missing += "\n" + voiceKeyName(i) + ": " + file;
    }
    if (!missing.empty()) {
        if (!notes.empty()) notes += "\n\n";
        notes += "These sound files of the setup file were not found:\n" + missing;
    }
    if (!notes.empty()) tell(notes);
}

void Audio::onSaveSetupFile() {
    onText1Done();
    const auto [folder, name] = splitPath(setupFile_);
    const std::optional<std::string> chosen = platform_.fileDialog.saveFile(
        {"Save Setup File As", "DVK", name.empty() ? "*.DVK" : name, kSetupFilter, folder});
    if (!chosen) return;
    if (!hasExtension(*chosen, ".DVK")) {
        tell("Output file must have the extension DVK");
        return;
    }
    if (!askOverwrite(*chosen)) return;
    if (const Status written = writeFileAtomically(*chosen, setupFileText(slots_)); !written) {
        tell("The setup file " + *chosen + " was not saved.\n\n" + written.message());
        return;
    }
    setupFile_ = *chosen;
}

bool Audio::askOverwrite(const std::string& path) {
    if (!fileExists(path)) return true;
    return platform_.messageBox.show(
               {"The selected output file " + path + " already exists. OK to overwrite it?", kTitle,
                MsgButtons::YesNo, MsgIcon::Question, 1}) == MsgResult::Yes;
}

void Audio::refreshLabels() {
    for (std::size_t i = 0; i < slots_.size(); ++i)
        view_.ButtonLabel[i] = {voiceCaption(slots_[i]), radioColourOf(slots_[i].radio)};
}

void Audio::tell(const std::string& text) {
    platform_.messageBox.show({text, kTitle, MsgButtons::Ok, MsgIcon::Exclamation});
}

}  // namespace keslog
