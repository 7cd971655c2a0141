#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/MainMod.h"
#include "model/Transmit.h"
#include "platform/Platform.h"
#include "transmit/CWKeyer.h"
#include "transmit/Radios.h"

namespace keslog {

// What the main window shows while a repetition runs.
struct RepeatView {
    bool running = false;  // LabelSendingMsg shown and TimeLocalLabel hidden
    std::string label;     // LabelSendingMsg
    std::uint32_t colour = colour::Black;

    bool operator==(const RepeatView&) const = default;
};

class IRepeatDisplay {
  public:
    virtual ~IRepeatDisplay() = default;
    virtual void showRepeat(const RepeatView& view) = 0;
};

// The recorded messages of the voice keyer, slots 0..8 (F1..F7, F11, F12).
class IVoiceMessages {
  public:
    virtual ~IVoiceMessages() = default;
    // Plays per key press: 3 or 6 by the slot's label tag, else 1.
    virtual int playCount(int slot) const = 0;
    // Starts the slot's message with SSB PTT and returns at once; false when
    // it could not start (PTT released, the operator told).
    virtual bool play(int slot, bool noRadioSwitch) = 0;
    virtual bool playing() const = 0;  // DVKPlaying
    // Stops playback and releases the SSB PTT line.
    virtual void stop() = 0;
};

// Sends a function-key message once, several times with pauses, or as a
// dual CQ alternately on both radios. A repetition runs from the event
// loop: a pause is the one-shot Timer2, a voice message ends with
// onVoiceMessageEnded, and in between the entry line stays usable.
class MessageRepeater {
  public:
    MessageRepeater(MainMod& state, Platform& platform, CWKeyer& keyer, RadioSwitch& radios);
    ~MessageRepeater();

    void setDisplay(IRepeatDisplay& display) { display_ = &display; }
    void setVoice(IVoiceMessages& voice) { voice_ = &voice; }

    // F1..F7, F11, F12 by key code (112..118, 122, 123); `dual` with Shift.
    // A new key replaces a repetition that is pausing or waiting on a
    // voice message; one pressed while a message is being sent is dropped.
    void SendFunctionKeyMessage(int keyCode, bool dual);
    // Esc: ends any repetition and stops a playing voice message. True when
    // the Esc ended a CW message, in which case the entry line is kept.
    bool cancel();
    // The voice keyer's message has ended (played out or stopped).
    void onVoiceMessageEnded();

    bool running() const { return plan_.has_value(); }
    const RepeatView& view() const { return view_; }

  private:
    struct Plan {
        int slot = 0;
        bool dual = false;
        std::string message;    // the slot's CW message, prefix included
        int total = 0;          // plays, or passes of the dual CQ
        int transmissions = 0;  // total, or twice the passes
        int sent = 0;
    };
    enum class Wait { None, Pause, Voice };
    enum class Sent { Done, Playing, Ended };

    bool voiceEnabled() const;
    void run();
    Sent transmit();
    bool afterTransmission();
    bool pause(int milliseconds);
    void showProgress();
    void finish();
    void show();
    void onTimer2Tick();

    MainMod& state_;
    Platform& platform_;
    CWKeyer& keyer_;
    RadioSwitch& radios_;
    IRepeatDisplay* display_;
    IVoiceMessages* voice_ = nullptr;
    std::unique_ptr<ITimer> Timer2;

    std::optional<Plan> plan_;
    Wait wait_ = Wait::None;
    bool RepeatStop = false;
    bool transmitting_ = false;
    RepeatView view_;
};

}  // namespace keslog
