#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/Settings.h"
#include "platform/ByteLinks.h"
#include "platform/MessageBox.h"

namespace keslog {

// How a message starts on an external keyer: the logger's speed, weight
// (dash-to-dot ratio) and PTT settings.
struct KeyingStart {
    int wpm = 28;
    float weight = 3.0F;
    bool ptt = false;
    int pttLeadMs = 0;
    bool sidetone = false;
};

enum class DeviceProgress { Sending, Finished, BrokenIn, Failed };

// A keyer outside the logger that takes text and times the elements
// itself. The CW keyer hands it each message's characters and speed steps
// where the built-in keyer would switch the lines, and waits on it.
class IKeyingDevice {
  public:
    virtual ~IKeyingDevice() = default;
    // "cwdaemon at 127.0.0.1:6789", "WinKeyer on /dev/ttyUSB0".
    virtual const std::string& name() const = 0;
    virtual Status begin(const KeyingStart& start) = 0;
    // Characters of the keyer alphabet, queued behind those sent before.
    virtual void send(std::string_view text) = 0;
    // Hands what is queued to the keyer now.
    virtual void flush() = 0;
    // An in-message step: keys the text queued after it at wpm.
    virtual void stepSpeed(int wpm) = 0;
    // The operator's speed change while sending: at once.
    virtual void setSpeed(int wpm) = 0;
    // No more text: the device is to report when the last of it is keyed.
    virtual void endText() = 0;
    // Waits at most waitMs for the device.
    virtual DeviceProgress poll(int waitMs) = 0;
    virtual const Status& failure() const = 0;
    // Esc: the rest of the message is dropped and the key goes up.
    virtual void abort() = 0;
    // After the message: PTT off.
    virtual void end() = 0;
    // Between messages, from a timer: the speed the keyer's own knob set,
    // when it moved.
    virtual std::optional<int> idlePoll() { return std::nullopt; }
    // For the status line ("WK 3.1"); empty when there is nothing to show.
    virtual std::string status() const { return {}; }

    // The operator hears of a device's trouble once: later it comes back
    // without a text, still failing the message.
    Status once(const Status& problem) {
        if (problem.isOk()) return problem;
        const bool told = std::exchange(told_, true);
        return told ? Status::error("") : problem;
    }

  private:
    bool told_ = false;
};

// CWKeyer1 and CWKeyer2: "builtin", "winkeyer:DEVICE", "cwdaemon:HOST:PORT".
struct KeyerChoice {
    enum class Kind { Builtin, WinKeyer, CwDaemon } kind = Kind::Builtin;
    std::string device;  // WinKeyer
    std::string host;    // cwdaemon
    int port = 0;

    bool operator==(const KeyerChoice&) const = default;
};

inline constexpr std::string_view kBuiltinKeyer = "builtin";
inline constexpr std::string_view kWinKeyerPrefix = "winkeyer:";
inline constexpr std::string_view kCwDaemonPrefix = "cwdaemon:";
inline constexpr int kCwDaemonPort = 6789;

// nullopt for a damaged value.
std::optional<KeyerChoice> parseKeyerChoice(std::string_view value);
std::string keyerChoiceText(const KeyerChoice& choice);

// The keying devices of the two radios, made from the settings. Two radios
// naming the same device share it; a radio on the built-in keyer has none.
class KeyingDevices {
  public:
    KeyingDevices(IByteLinks& links, IMessageBox& messageBox);
    ~KeyingDevices();

    // The settings were read or changed: devices no longer named are
    // closed, new ones opened; a damaged value is told and keys built-in.
    void configure(const Settings& s);
    // nullptr: the built-in keyer.
    IKeyingDevice* forRadio(int radio) const;
    // The speed a keyer's knob set, when the operator lets it.
    std::optional<int> idlePoll();
    std::string status() const;

  private:
    std::unique_ptr<IKeyingDevice> open(const KeyerChoice& choice);

    IByteLinks& links_;
    IMessageBox& messageBox_;
    bool potSetsSpeed_ = false;
    std::array<KeyerChoice, 2> choices_;
    std::array<std::shared_ptr<IKeyingDevice>, 2> devices_;
};

}  // namespace keslog
