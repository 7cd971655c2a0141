#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entry/EntryLine.h"
#include "model/MainMod.h"
#include "platform/Platform.h"
#include "rig/RigClient.h"

namespace keslog {

// One radio's place in the status line; an empty text is not shown.
struct RigStatusLabel {
    std::string text;
    std::uint32_t colour = colour::Black;
    bool operator==(const RigStatusLabel&) const = default;
};

// The radios under rig control: each poll brings the band-mode of a radio
// to its rig's, as Ctrl+arrows would; the keys and a frequency typed into
// the call box steer the log radio's rig. All talk is non-blocking.
class RigControl : public IEntryRig {
  public:
    using MonotonicMs = std::function<std::int64_t()>;

    RigControl(MainMod& state, Platform& platform, EntryLine& entry);
    // Tests run on their own clock; the default is the steady clock.
    void setClock(MonotonicMs now) { now_ = std::move(now); }
    // Called after each poll that changed what the main window shows.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The settings were read or changed: a client for each radio with rig
    // control on, the poll timer running while there is one, and the
    // rigctld the logger starts for a radio (again when its command changed).
    void configure();
    void poll();

    // A reading of a radio's rig, as a poll brings it: the radio's band-mode
    // follows it and its frequency goes to the QSOs logged on it. Scripted
    // sessions report readings here too.
    void report(int radio, const RigReading& reading);

    const std::array<RigStatusLabel, 2>& labels() const { return labels_; }
    // The radio's frequency as its rig last told it; 0 when not known.
    std::int64_t frequency(int radio) const;
    // Puts the radio's rig on a frequency in the mode of the band-mode;
    // nothing without rig control of the radio.
    void tune(int radio, std::int64_t hz, BandModeCode code);
    bool controlled(int radio) const { return clients_[index(radio)] != nullptr; }
    // What the rig of a radio under control last said while it answers; null otherwise.
    const RigReading* onlineReading(int radio) const;

    // IEntryRig
    bool tuneToTyped(const std::string& callBox) override;
    void bandModeKeyed(BandModeCode from) override;

  private:
    static std::size_t index(int radio) { return static_cast<std::size_t>(radio - 1); }
    void showLabel(int radio);
    // Starts, keeps or stops radio's rigctld for its settings.
    void runDaemon(int radio, bool wanted);
    // Tells the operator, once, that the rigctld of a radio has ended.
    void checkDaemon(int radio);
    void tellDaemonFault(const std::string& text);

    MainMod& state_;
    EntryLine& entry_;
    std::unique_ptr<ITimer> timer_;
    ITcpConnector& network_;
    IProcessLauncher& processes_;
    IMessageBox& messageBox_;
    MonotonicMs now_;
    std::function<void()> onChange_;
    std::array<std::unique_ptr<RigClient>, 2> clients_;
    std::array<RigStatusLabel, 2> labels_;
    std::array<std::unique_ptr<IChildProcess>, 2> daemons_;
    std::array<std::vector<std::string>, 2> daemonCommands_;
    // Each radio's last frequency on each band-mode, for the keys to return
    // to; 0: none yet.
    std::array<std::array<std::int64_t, 2 * kBandCount + 1>, 2> lastHz_{};
};

}  // namespace keslog
