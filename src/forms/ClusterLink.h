#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cluster/BandMap.h"
#include "cluster/ClusterClient.h"
#include "entry/EntryLine.h"
#include "forms/RigControl.h"
#include "model/MainMod.h"
#include "platform/Platform.h"

namespace keslog {

// The console keeps this many lines; older ones scroll away.
inline constexpr std::size_t kConsoleLines = 500;

// One row of a band map, lowest frequency first.
struct BandMapRow {
    std::string frequency;  // kHz as spotted; the radio's row: to 10 Hz
    std::string call;       // the radio's row: "R1", "R2"
    std::string comment;
    int ageMinutes = 0;
    SpotClass spotClass = SpotClass::NewQso;
    bool radio = false;  // the radio's own frequency
    bool selected = false;
    bool operator==(const BandMapRow&) const = default;
};

struct BandMapView {
    std::string title;
    std::vector<BandMapRow> rows;
    int radioRow = -1;  // the row to keep in sight; -1 without a known frequency
};

// What the cluster shows outside the band maps.
struct ClusterView {
    std::string status = "Cluster: offline";  // the status-line field
    bool connectEnabled = true;
    bool disconnectEnabled = false;
    std::deque<std::string> console;  // lines that are no spots, and our own
    std::uint64_t consoleTotal = 0;   // lines ever added, for drawing only the new
};

// The DX cluster on the user-interface side: the client's thread hands its
// lines and states in, a timer takes them over on this thread; spots go to
// the band map, everything else to the console. A spot chosen on a radio's
// band map goes to the call box and, under rig control, tunes the radio.
class ClusterLink {
  public:
    using MonotonicMs = std::function<std::int64_t()>;
    static constexpr int kPollMs = 250;

    ClusterLink(MainMod& state, Platform& platform, EntryLine& entry, RigControl& rig);
    ~ClusterLink();
    ClusterLink(const ClusterLink&) = delete;
    ClusterLink& operator=(const ClusterLink&) = delete;

    void setClock(MonotonicMs now) { now_ = std::move(now); }
    // Called whenever the console, the status or a band map changed.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The settings were read or changed: the spot age limit, and at start a
    // connection when the settings ask for one.
    void configure(bool atStart);
    // Connect and Disconnect of the menu.
    void connect();
    void disconnect();
    // A line typed in the console, sent as it stands.
    void sendCommand(const std::string& line);

    // "DX FREQ CALL " for the call in the box, else the last QSO's call, at
    // the log radio's frequency or, without one, the start of its band's
    // segment; nullopt (the operator told why) when there is no call.
    std::optional<std::string> spotDraft();
    // Sends the spot as edited; false (told) when it could not go.
    bool sendSpot(const std::string& line);

    // The log changed: the spots are classed again.
    void qsoLogged();
    void logRebuilt();

    // Radio 1 or 2.
    BandMapView bandMapView(int radio) const;
    void onSpotChosen(int radio, const std::string& call);
    // The next spot above (up) or below the selected one, else the radio.
    void onNextSpot(int radio, bool up);

    // What the client's thread calls; safe from any thread.
    ClusterEvents events();
    // The timer's tick: arrivals taken over, old spots dropped.
    void poll();

    const ClusterView& view() const { return view_; }
    int spotMinutes() const { return state_.settings.ClusterSpotMinutes; }
    const BandMap& bandMap() const { return map_; }

  private:
    struct Arrival {
        bool isLine = true;
        std::string text;
        ClusterState state = ClusterState::Down;
        std::int64_t retryMs = 0;
    };
    struct Inbox;

    void take(const Arrival& arrival, std::int64_t nowMs);
    void addConsole(std::string line);
    std::string statusText(std::int64_t nowMs) const;
    BandModeCode radioBandMode(int radio) const;
    void choose(int radio, const BandSpot& spot);
    void changed();
    std::int64_t nowSeconds() const { return now_() / 1000; }

    MainMod& state_;
    Platform& platform_;
    EntryLine& entry_;
    RigControl& rig_;
    MonotonicMs now_;
    std::function<void()> onChange_;
    std::unique_ptr<ITimer> timer_;
    BandMap map_;
    ClusterView view_;
    std::string host_;
    bool online_ = false;  // a client is running
    ClusterState linkState_ = ClusterState::Down;
    std::int64_t retryAtMs_ = 0;
    std::int64_t shownMinute_ = 0;
    std::array<std::string, 2> selected_;  // each radio's chosen call
    std::shared_ptr<Inbox> inbox_;
    // Clients being stopped away from this thread: a connect under way
    // may hold one for its timeout.
    std::vector<std::thread> retiring_;
    std::unique_ptr<ClusterClient> client_;
};

}  // namespace keslog
