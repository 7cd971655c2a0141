#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "model/Transmit.h"
#include "platform/Platform.h"
#include "transmit/Ports.h"
#include "transmit/Radios.h"
#include "transmit/Repetition.h"
#include "transmit/VoiceSetup.h"

namespace keslog {

struct AudioLabel {
    std::string caption;
    std::uint32_t colour = colour::Black;  // the message's radio

    bool operator==(const AudioLabel&) const = default;
};

// What the "DVK" window shows.
struct AudioView {
    std::string title = "DVK";
    std::array<std::string, kSlotCount> Button;  // "F1".."F7", "F11", "F12"
    std::array<AudioLabel, kSlotCount> ButtonLabel;
    std::string note = "(Right Click to Change)";
    std::string blueKey = "Blue - Radio 1";
    std::string redKey = "Red - Radio 2";

    std::string lblNotPlaying = "[Not Playing]";
    bool notPlayingVisible = true;
    std::string Label1;  // the length of the playing message
    bool progressVisible = false;
    int progress = 0;  // 0..100

    // Text1: the label of a slot just given a sound file, over its row.
    bool text1Visible = false;
    int text1Row = 0;
    std::string Text1;

    std::string recordingLabel;  // while recording: which key, how to end
};

// The items of the right-click menu, in their order.
enum class AudioMenuItem { Radio1, Radio2, NoRadio, Play3, Play6, NoRepeats };
inline constexpr int kAudioMenuItemCount = 6;
inline constexpr std::array<std::string_view, kAudioMenuItemCount> kAudioMenuCaptions{
    "Radio 1",   "Radio 2", "No Radio Selection", "Play Message 3 Times", "Play Message 6 Times",
    "No Repeats"};

// What the window does for the voice keyer.
class IAudioHost {
  public:
    virtual ~IAudioHost() = default;
    virtual void audioChanged() = 0;  // draw the view again
    // The focus goes back to LogForm when it is visible and enabled.
    virtual void returnFocus() = 0;
};

// The voice keyer: nine recorded messages played with SSB PTT, their
// labels, radios and play counts, and the setup files that hold a set.
// The wave file is opened before the PTT line goes on, and every way a
// message ends (played out, Stop, Esc, a failure) releases the line.
class Audio : public IVoiceMessages {
  public:
    Audio(MainMod& state, Platform& platform, PortLines& lines, RadioSwitch& radios,
          IWaveRecorder& recorder);
    ~Audio() override;
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    void setHost(IAudioHost& host) { host_ = &host; }
    void clearHost() { host_ = &noHost_; }
    // The function keys' repetitions wait on this keyer's messages.
    void setRepeater(MessageRepeater& repeater);

    const AudioView& view() const { return view_; }
    const VoiceSet& voices() const { return slots_; }
    const std::string& DVKSetupFile() const { return setupFile_; }
    bool DVKPlaying() const { return playing_; }
    double DVKElapsed() const { return elapsed_; }

    // Plays slot `index` (0..8) and returns at once; false when it could
    // not start (the operator has been told).
    bool PlayVoiceMessage(int index, bool noRadioSwitch);
    // Button(i) and a left click on ButtonLabel(i).
    void onButton(int index) { PlayVoiceMessage(index, false); }
    // CmdStop: ends the playing message, or the recording.
    void CmdStop();
    // The player's periodic event, with the time played so far.
    void onPosition(int positionMs);

    // "Assign Sound Files", the item of slot `index`.
    void onAssign(int index);
    // "Record Sound Files": records from the sound input into a wave file.
    void onRecord(int index);
    void onText1Changed(const std::string& text) { view_.Text1 = text; }
    // Enter or Esc in Text1.
    void onText1Done();

    // The ticks of the right-click menu as it opens on ButtonLabel(index).
    std::array<bool, kAudioMenuItemCount> menuTicks(int index) const;
    void onMenuItem(int index, AudioMenuItem item);

    void onOpenSetupFile();
    void onSaveSetupFile();

    // IVoiceMessages
    int playCount(int slot) const override;
    bool play(int slot, bool noRadioSwitch) override;
    bool playing() const override { return playing_; }
    void stop() override { CmdStop(); }

  private:
    class NoHost : public IAudioHost {
      public:
        void audioChanged() override {}
        void returnFocus() override {}
    };

    bool refuseStart(const std::string& problem);
    Status keyPtt();
    Status releasePtt();
    // A failed message ends the repetition; `problem` is told when not empty.
    void endMessage(bool failed, std::string problem);
    void finishRecording();
    void openText1(int index);
    void refreshLabels();
    bool askOverwrite(const std::string& path);
    void tell(const std::string& text);
    void changed() { host_->audioChanged(); }

    MainMod& state_;
    Platform& platform_;
    PortLines& lines_;
    RadioSwitch& radios_;
    IWaveRecorder& recorder_;
    NoHost noHost_;
    IAudioHost* host_ = &noHost_;
    MessageRepeater* repeater_ = nullptr;

    VoiceSet slots_;
    std::string setupFile_;               // DVKSetupFile
    bool playing_ = false;                // DVKPlaying
    double elapsed_ = 0;                  // DVKElapsed
    bool updates_ = false;                // position updates on
    std::optional<std::string> pttPort_;  // the SSB PTT line while keyed
    std::optional<int> recordingSlot_;
    std::string recordingPath_;
    AudioView view_;
};

// Label1: the length in seconds with one decimal, "2.3s" for 2340 ms.
std::string messageLengthText(int milliseconds);

}  // namespace keslog
