#include "forms/ClusterLink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>

#include "cluster/SpotLine.h"
#include "model/Text.h"
#include "rig/RigBands.h"

namespace keslog {

namespace {

constexpr const char* kTitle = "DX Cluster";
// Arrivals held for a user-interface thread that is busy elsewhere (a
// modal dialog, a long message); past this the oldest go.
constexpr std::size_t kInboxLimit = 10000;

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string kHzText(double kHz, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, kHz);
    return text;
}

std::size_t at(int radio) {
    return static_cast<std::size_t>(radio - 1);
}

}  // namespace

struct ClusterLink::Inbox {
    std::mutex mutex;
    std::deque<Arrival> arrivals;

    void push(Arrival arrival) {
        std::lock_guard lock(mutex);
        if (arrivals.size() >= kInboxLimit) arrivals.pop_front();
        arrivals.push_back(std::move(arrival));
    }
};

ClusterLink::ClusterLink(MainMod& state, Platform& platform, EntryLine& entry, RigControl& rig)
    : state_(state),
      platform_(platform),
      entry_(entry),
      rig_(rig),
      now_(steadyMs),
      timer_(platform.timers.createTimer()),
      inbox_(std::make_shared<Inbox>()) {
    timer_->setHandler([this] { poll(); });
    timer_->setInterval(kPollMs);
}

ClusterLink::~ClusterLink() {
    client_.reset();
    for (std::thread& t : retiring_) t.join();
}

ClusterEvents ClusterLink::events() {
    // The inbox outlives a link torn down while its client still talks.
    std::shared_ptr<Inbox> inbox = inbox_;
    return {[inbox](const std::string& line) {
                inbox->push({true, line});
            },
            [inbox](ClusterState state, const std::string& text, std::chrono::milliseconds retry) {
                inbox->push({false, text, state, retry.count()});
            }};
}

void ClusterLink::configure(bool atStart) {
    map_.setMaxAge(std::int64_t{state_.settings.ClusterSpotMinutes} * 60);
    if (atStart && state_.settings.ClusterConnectAtStart) connect();
}

void ClusterLink::connect() {
    const std::optional<ClusterConfig> config = clusterConfigOf(state_.settings);
    if (!config) {
        platform_.messageBox.show(
            {"No cluster is set up.  File, Preferences, Network names its "
             "host and port.",
             kTitle, MsgButtons::Ok, MsgIcon::Exclamation});
        return;
    }
    disconnect();
    host_ = config->host;
    client_ = std::make_unique<ClusterClient>(platform_.streams, *config, events());
    online_ = true;
    linkState_ = ClusterState::Connecting;
    view_.connectEnabled = false;
    view_.disconnectEnabled = true;
    poll();
}

void ClusterLink::disconnect() {
    if (!client_) return;
    retiring_.emplace_back([client = std::move(client_)]() mutable { client.reset(); });
    // What the old client said before it went is still shown; nothing it
    // says while it stops is.
    poll();
    inbox_ = std::make_shared<Inbox>();
    online_ = false;
    view_.connectEnabled = true;
    view_.disconnectEnabled = false;
    addConsole("*** Disconnected from " + host_);
    poll();
}

void ClusterLink::sendCommand(const std::string& line) {
    const std::string command = trim(line);
    if (command.empty()) return;
    addConsole("> " + command);
    const Status sent =
        client_ ? client_->send(command) : Status::error("Not connected to the cluster");
    if (!sent) addConsole("*** " + sent.message());
    changed();
}

std::optional<std::string> ClusterLink::spotDraft() {
    std::string call = trim(entry_.view().InData[kCallBox].text);
    if (call.empty() && !state_.log.CallList.empty()) call = state_.log.CallList.back();
    if (call.empty()) {
        platform_.messageBox.show({"There is no call to spot: type one in the call box.", kTitle,
                                   MsgButtons::Ok, MsgIcon::Exclamation});
        return std::nullopt;
    }
    std::int64_t hz = rig_.frequency(state_.LogRadio);
    if (hz == 0) hz = segmentStartHz(state_.CurrentBandMode);
    return "DX " + kHzText(static_cast<double>(hz) / 1000.0, 1) + " " + call + " ";
}

bool ClusterLink::sendSpot(const std::string& line) {
    const std::string spot = trim(line);
    const Status sent =
        client_ ? client_->send(spot) : Status::error("Not connected to the cluster");
    if (!sent) {
        platform_.messageBox.show({"The spot was not sent: " + sent.message() + ".", kTitle,
                                   MsgButtons::Ok, MsgIcon::Exclamation});
        return false;
    }
    addConsole("> " + spot);
    changed();
    return true;
}

void ClusterLink::qsoLogged() {
    if (state_.log.CallList.empty()) return;
    map_.qsoLogged(state_, state_.log.CallList.back());
    changed();
}

void ClusterLink::logRebuilt() {
    map_.revalue(state_);
    changed();
}

void ClusterLink::poll() {
    std::deque<Arrival> arrivals;
    {
        std::lock_guard lock(inbox_->mutex);
        arrivals.swap(inbox_->arrivals);
    }
    const std::int64_t nowMs = now_();
    bool change = !arrivals.empty();
    for (const Arrival& arrival : arrivals) take(arrival, nowMs);
    const std::size_t before = map_.size();
    map_.expire(nowMs / 1000);
    change = change || map_.size() != before;
    if (std::string status = statusText(nowMs); status != view_.status) {
        view_.status = std::move(status);
        change = true;
    }
    // The ages shown go up by the minute.
    if (nowMs / 60000 != shownMinute_) {
        shownMinute_ = nowMs / 60000;
        change = change || map_.size() != 0;
    }
    // Ticking only while a client talks or spots are to age: an idle
    // timer would keep a scripted session's clock running for ever.
    const bool busy = client_ || map_.size() != 0;
    if (timer_->enabled() != busy) timer_->setEnabled(busy);
    if (change) changed();
}

void ClusterLink::take(const Arrival& arrival, std::int64_t nowMs) {
    if (arrival.isLine) {
        std::optional<Spot> spot = parseSpotLine(arrival.text);
        if (!spot) {
            addConsole(arrival.text);
        } else if (state_.logOpen) {
            map_.place(state_, std::move(*spot), nowMs / 1000);
        }
        return;
    }
    linkState_ = arrival.state;
    retryAtMs_ = nowMs + arrival.retryMs;
    std::string line = "*** " + arrival.text;
    if (arrival.state == ClusterState::Down)
        line += "; reconnecting in " + std::to_string((arrival.retryMs + 999) / 1000) + " s";
    addConsole(std::move(line));
}

std::string ClusterLink::statusText(std::int64_t nowMs) const {
    if (!online_) return "Cluster: offline";
    const std::int64_t waitS = (retryAtMs_ - nowMs + 999) / 1000;
    switch (linkState_) {
        case ClusterState::Connected:
            return "Cluster: connected to " + host_;
        case ClusterState::Down:
            if (waitS > 0) return "Cluster: reconnecting in " + std::to_string(waitS) + " s";
            break;
        case ClusterState::Connecting:
            break;
    }
    return "Cluster: connecting to " + host_;
}

void ClusterLink::addConsole(std::string line) {
    view_.console.push_back(std::move(line));
    ++view_.consoleTotal;
    while (view_.console.size() > kConsoleLines) view_.console.pop_front();
}

BandModeCode ClusterLink::radioBandMode(int radio) const {
    return radio == state_.LogRadio ? state_.CurrentBandMode : state_.RadioBandMode[at(radio)];
}

BandMapView ClusterLink::bandMapView(int radio) const {
    BandMapView view;
    const BandModeCode code = radioBandMode(radio);
    const int band = bandIndexOf(code);
    const std::string name = radio == 2 ? "R2" : "R1";
    view.title = "Band Map " + name + " - " + std::string(BandNameM[at(band)]) +
                 (isCw(code) ? " CW" : " SSB");
    const std::int64_t hz = rig_.frequency(radio);
    const double radioKHz = static_cast<double>(hz) / 1000.0;
    const bool radioHere = hz != 0 && bandOfFrequency(hz) == band;
    const std::int64_t now = nowSeconds();
    for (const BandSpot& s : map_.band(band)) {
        if (radioHere && view.radioRow < 0 && s.spot.kHz > radioKHz) {
            view.radioRow = static_cast<int>(view.rows.size());
            view.rows.push_back({kHzText(radioKHz, 2), name, "", 0, SpotClass::NewQso, true});
        }
        view.rows.push_back({s.spot.frequency, s.spot.dxCall, s.spot.comment,
                             static_cast<int>((now - s.heardAt) / 60), s.spotClass, false,
                             s.spot.dxCall == selected_[at(radio)]});
    }
    if (radioHere && view.radioRow < 0) {
        view.radioRow = static_cast<int>(view.rows.size());
        view.rows.push_back({kHzText(radioKHz, 2), name, "", 0, SpotClass::NewQso, true});
    }
    return view;
}

void ClusterLink::onSpotChosen(int radio, const std::string& call) {
    const auto& spots = map_.band(bandIndexOf(radioBandMode(radio)));
    const auto found = std::find_if(spots.begin(), spots.end(),
                                    [&](const BandSpot& s) { return s.spot.dxCall == call; });
    if (found != spots.end()) choose(radio, *found);
}

void ClusterLink::onNextSpot(int radio, bool up) {
    const auto& spots = map_.band(bandIndexOf(radioBandMode(radio)));
    if (spots.empty()) return;
    const auto selected = std::find_if(spots.begin(), spots.end(), [&](const BandSpot& s) {
        return s.spot.dxCall == selected_[at(radio)];
    });
    if (selected != spots.end()) {
        if (up && selected + 1 != spots.end()) choose(radio, *(selected + 1));
        if (!up && selected != spots.begin()) choose(radio, *(selected - 1));
        return;
    }
    // Nothing chosen yet: from the radio's frequency, else from the band's end.
    const std::int64_t hz = rig_.frequency(radio);
    const double from = static_cast<double>(hz) / 1000.0;
    if (up) {
        const auto next = std::find_if(spots.begin(), spots.end(), [&](const BandSpot& s) {
            return hz == 0 || s.spot.kHz > from;
        });
        if (next != spots.end()) choose(radio, *next);
    } else {
        const auto next = std::find_if(spots.rbegin(), spots.rend(), [&](const BandSpot& s) {
            return hz == 0 || s.spot.kHz < from;
        });
        if (next != spots.rend()) choose(radio, *next);
    }
}

void ClusterLink::choose(int radio, const BandSpot& spot) {
    selected_[at(radio)] = spot.spot.dxCall;
    const auto hz = static_cast<std::int64_t>(spot.spot.kHz * 1000.0 + 0.5);
    rig_.tune(radio, hz, spot.bandMode);
    entry_.onPartialCallChosen(spot.spot.dxCall);
    changed();
}

void ClusterLink::changed() {
    if (onChange_) onChange_();
}

}  // namespace keslog
