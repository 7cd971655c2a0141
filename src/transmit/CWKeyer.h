#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "model/MainMod.h"
#include "platform/Keying.h"
#include "platform/Platform.h"
#include "transmit/KeyingDevice.h"
#include "transmit/Morse.h"
#include "transmit/Ports.h"

namespace keslog {

// The devices the keyer times and sounds through.
struct KeyerDevices {
    IKeyingScheduler& scheduler;
    ISidetone& soundCard;  // generated tone through the sound card
    ISidetone& pcSpeaker;  // the PC speaker, where the machine has one
};

// What the keyer reads from and shows in the main window.
class ICWKeyerHost {
  public:
    virtual ~ICWKeyerHost() = default;
    virtual std::string callBoxText() const = 0;      // InData(0)
    virtual std::string exchangeBoxText() const = 0;  // InData(1)
    virtual bool callBoxActive() const = 0;
    virtual void showTxRadio(int radio) = 0;  // ActiveRadioLabel
    virtual void showSpeed(int wpm) = 0;      // SpeedDisplayLabel and SpeedScroll
    // While a message is keyed the window holds back every key but Esc and
    // keypad plus and minus, and hands them on after it.
    virtual void sendingChanged(bool sending) = 0;
    // The notice "Please Wait..." / "Initializing CW keying".
    virtual void showCalibrationNotice(bool shown) = 0;
    // The external keyers' word for the status line ("WK 3.1"), or "".
    virtual void showKeyerStatus(const std::string&) {}
};

inline constexpr int kMinCWSpeed = 18;
inline constexpr int kMaxCWSpeed = 50;

// The CW weight the Weight setting gives: its value when it lies between
// 2.5 and 4.5, else 3.0.
float weightFromSetting(const std::string& weight);
// DotCount and DashCount for the current speed and weight.
void recomputeCWCounts(CWState& cw);

// The CW keying engine: every CW transmission goes through SendCW.
class CWKeyer {
  public:
    CWKeyer(MainMod& state, Platform& platform, PortLines& lines, KeyerDevices devices);

    void setHost(ICWKeyerHost& host) { host_ = &host; }
    // The external keyers; without them every radio keys the lines.
    void setDevices(KeyingDevices& devices) { keyingDevices_ = &devices; }
    // The settings were read or changed: the keyers follow them.
    void configureDevices();
    // Between messages, from a timer: a keyer's speed knob, its status.
    void pollDevices();

    // Sends one message; the caller looks at CWAbortFlag afterwards. A call
    // made while a message is being sent (from events processed during it)
    // is dropped: messages never interleave.
    void SendCW(std::string message, bool noRadioSwitch);

    // A step refused whole when it would leave 18..50 words per minute.
    void ChangeCWSpeed(int delta);
    void CalibrateCWTiming();
    // Opening a log: the first CW log calibrates, a log without CW sets the
    // uncalibrated timing.
    void prepareTiming(bool cwLog);
    // SpeedScroll moved to `wpm`.
    void onSpeedScroll(int wpm);

  private:
    struct Run;

    void substitute(Run& run);
    void selectRadio(char radioDigit, Run& run);
    bool prepareLines(Run& run);
    void keyCharacters(Run& run);
    bool keyCharacter(int position, Run& run);
    bool keyPattern(const std::string& pattern, Run& run);
    // Waits on the external keyer until `until` on the message's timeline,
    // or with `toEnd` until it reports the message keyed (`until` is then
    // the latest it may take); false when the message must end.
    bool awaitDevice(Run& run, KeyTime until, bool toEnd);
    void pollSpeedKeys(Run& run);
    bool extendCall(Run& run);
    void endKeying(Run& run);
    void onEdge(bool keyDown);
    void note(Run& run, const Status& status);
    ISidetone& sidetone();

    MainMod& state_;
    Platform& platform_;
    PortLines& lines_;
    KeyerDevices devices_;
    ICWKeyerHost* host_ = nullptr;
    KeyingDevices* keyingDevices_ = nullptr;
    bool busy_ = false;
    bool sidetoneFailureShown_ = false;

    // Shared with the edge handler, which runs on the scheduler's thread.
    std::mutex edgeMutex_;
    std::string edgePort_;
    ISidetone* edgeSidetone_ = nullptr;
    Status edgeFailure_;
    std::atomic<bool> edgeFailed_{false};
};

// The worked station's call in an SS exchange box, or "" when the box does
// not hold one that differs from the call box.
std::string ssExchangeCall(const std::string& exchangeBox, const std::string& callBox,
                           const MultTable& sections);

}  // namespace keslog
