#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "forms/RigControl.h"
#include "model/MainMod.h"
#include "platform/Platform.h"

namespace keslog {

// Where station tools (band decoders, scoreboards) listen by default.
inline constexpr int kDefaultBroadcastPort = 12060;

// What a RadioInfo packet tells of one radio.
struct RadioInfo {
    int radioNr = 1;
    std::int64_t hz = 0;
    std::string mode;  // CW, USB, LSB, or the rig's own mode name
    std::string opCall;
    std::string stationName;
    int focusRadioNr = 1;   // the log radio
    int activeRadioNr = 1;  // the transmitting radio
    bool transmitting = false;
    bool connected = false;  // its rig answers
};

std::string radioInfoPacket(const RadioInfo& radio);

enum class ContactEvent { Logged, Edited, Killed };

// What the log record does not hold about a QSO.
struct ContactFacts {
    std::int64_t hz = 0;
    int radioNr = 1;
    bool newMult = false;
    int currentYear = 2000;  // for the record's one-digit year
};

// A QSO's ID for its whole life: the contest and the QSO's place in the log,
// which no edit changes and reopening the log gives back. Nothing is added
// to the log file. A QSO logged after Kill Last Entry takes the killed one's
// place in the file, and its ID.
std::string contactId(const MainMod& state, int n);

// contactinfo, contactreplace or contactdelete for QSO n of the log.
std::string contactPacket(ContactEvent event, const MainMod& state, int n, const QSORecName& q,
                          const ContactFacts& facts);

// Tells the station's tools over UDP what the radios are on and which QSOs
// were logged, edited and killed, when the settings ask for it. Sending
// never waits; a failure shows in the status line until a send goes again.
class StationBroadcast {
  public:
    // Each radio's packet goes at least this often, changed or not.
    static constexpr int kRepeatTicks = 10;
    static constexpr int kTickMs = 1000;

    StationBroadcast(MainMod& state, Platform& platform, const RigControl& rig);
    // Called when the status text changes.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The settings were read or changed.
    void configure();
    // Sends the packet of each radio that changed since it was last sent.
    void radiosChanged();
    void qsoLogged(int n);
    void qsoEdited(int n);
    void qsoKilled(int n, const QSORecName& killed);

    // Why the last send failed; "" while sending works.
    const std::string& statusText() const { return status_; }

  private:
    void tick();
    void send(const std::string& packet);
    void sendContact(ContactEvent event, int n, const QSORecName& q, bool newMult);
    RadioInfo radioInfo(int radio) const;
    // The frequency a QSO is told with.
    std::int64_t qsoFrequencyHz(int n, const QSORecName& q) const;

    MainMod& state_;
    Platform& platform_;
    const RigControl& rig_;
    std::unique_ptr<ITimer> timer_;
    std::function<void()> onChange_;
    bool on_ = false;
    std::string host_;
    int port_ = 0;
    std::array<std::string, 2> lastRadioPacket_;
    int ticksSinceSent_ = 0;
    std::string status_;
};

}  // namespace keslog
