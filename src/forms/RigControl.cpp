#include "forms/RigControl.h"

#include <chrono>

#include "rig/RigBands.h"

namespace keslog {

namespace {

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct RigSetting {
    const std::string& control;
    const std::string& address;
    bool start;
    const std::string& model;
    const std::string& device;
};

RigSetting rigSetting(const Settings& s, int radio) {
    return radio == 1
               ? RigSetting{s.Rig1Control, s.Rig1Address, s.Rig1Start, s.Rig1Model, s.Rig1Device}
               : RigSetting{s.Rig2Control, s.Rig2Address, s.Rig2Start, s.Rig2Model, s.Rig2Device};
}

}  // namespace

RigControl::RigControl(MainMod& state, Platform& platform, EntryLine& entry)
    : state_(state),
      entry_(entry),
      timer_(platform.timers.createTimer()),
      network_(platform.network),
      processes_(platform.processes),
      messageBox_(platform.messageBox),
      now_(steadyMs) {
    timer_->setHandler([this] { poll(); });
}

void RigControl::configure() {
    const Settings& s = state_.settings;
    bool any = false;
    for (int radio = 1; radio <= 2; ++radio) {
        const RigSetting setting = rigSetting(s, radio);
        auto& client = clients_[index(radio)];
        client.reset();
        state_.RadioHz[index(radio)] = 0;
        const bool controlled = setting.control == kRigControlRigctld;
        runDaemon(radio, controlled && setting.start);
        if (controlled) {
            // A bad address is left to the connect to refuse, with the reason.
            const auto address = parseRigAddress(setting.address);
            client = address ? std::make_unique<RigClient>(network_, address->host, address->port)
                             : std::make_unique<RigClient>(network_, setting.address, 0);
            any = true;
        }
        showLabel(radio);
    }
    timer_->setInterval(s.RigPollInterval);
    timer_->setEnabled(any);
    if (any) poll();
}

void RigControl::poll() {
    bool changed = false;
    for (int radio = 1; radio <= 2; ++radio) {
        checkDaemon(radio);
        RigClient* client = clients_[index(radio)].get();
        if (!client) continue;
        const RigChanges changes = client->poll(now_());
        // Back online, the rig may be where the keys did not put it.
        const bool backOnline = changes.link && client->link() == RigLink::Online;
        if (changes.reading || backOnline) report(radio, client->reading());
        // Where an offline rig is tuned to is not known.
        if (client->link() == RigLink::Offline) state_.RadioHz[index(radio)] = 0;
        if (changes.reading || changes.link) {
            showLabel(radio);
            changed = true;
        }
    }
    if (changed && onChange_) onChange_();
}

const RigReading* RigControl::onlineReading(int radio) const {
    const RigClient* client = clients_[index(radio)].get();
    return client && client->link() == RigLink::Online ? &client->reading() : nullptr;
}

void RigControl::runDaemon(int radio, bool wanted) {
    auto& daemon = daemons_[index(radio)];
    auto& running = daemonCommands_[index(radio)];
    if (!wanted) {
        daemon.reset();
        running.clear();
        return;
    }
    const RigSetting setting = rigSetting(state_.settings, radio);
    const auto command = rigctldCommand(setting.model, setting.device, setting.address);
    const std::string who = "rigctld for radio " + std::to_string(radio);
    if (!command) {
        daemon.reset();
        running.clear();
        tellDaemonFault("KESLOG cannot start " + who + ": " + command.status().message() + ".");
        return;
    }
    if (daemon && *command == running) return;
    daemon.reset();  // the old one goes before the new one takes its port
    running = *command;
    auto started = processes_.start(running);
    if (!started) {
        tellDaemonFault("KESLOG cannot start " + who + ": " + started.status().message() + ".");
        return;
    }
    daemon = std::move(*started);
}

void RigControl::checkDaemon(int radio) {
    auto& daemon = daemons_[index(radio)];
    if (!daemon || daemon->running()) return;
    const std::string said = lastLineOf(daemon->errorOutput());
    // Gone before the message shows: the timer's next tick must not tell it again.
    daemon.reset();
    tellDaemonFault("rigctld for radio " + std::to_string(radio) + " has ended" +
                    (said.empty() ? "." : ": " + said));
}

void RigControl::tellDaemonFault(const std::string& text) {
    messageBox_.show({text, "Rig Control", MsgButtons::Ok, MsgIcon::Exclamation});
}

void RigControl::report(int radio, const RigReading& reading) {
    state_.RadioHz[index(radio)] = reading.hz;
    const bool logRadio = radio == state_.LogRadio;
    BandModeCode& other = state_.RadioBandMode[index(radio)];
    const BandModeCode code = bandModeOfReading(logRadio ? state_.CurrentBandMode : other, reading);
    if (bandOfFrequency(reading.hz) != 0) lastHz_[index(radio)][code] = reading.hz;
    if (logRadio)
        entry_.followRig(code);
    else
        other = code;
}

void RigControl::showLabel(int radio) {
    RigStatusLabel& label = labels_[index(radio)];
    const RigClient* client = clients_[index(radio)].get();
    const std::string name = radio == 1 ? "R1 " : "R2 ";
    if (!client) {
        label = {};
    } else if (client->link() == RigLink::Offline) {
        label = {name + "offline", colour::Orange};
    } else if (client->reading().hz == 0) {
        label = {name + "connecting", radioColour(radio)};
    } else {
        const RigReading& r = client->reading();
        label = {name + frequencyText(r.hz) + (r.mode.empty() ? "" : " " + r.mode),
                 radioColour(radio)};
    }
}

std::int64_t RigControl::frequency(int radio) const {
    const RigClient* client = clients_[index(radio)].get();
    return client && client->link() == RigLink::Online ? client->reading().hz : 0;
}

void RigControl::tune(int radio, std::int64_t hz, BandModeCode code) {
    RigClient* client = clients_[index(radio)].get();
    if (!client) return;
    client->setFrequency(hz, now_());
    client->setMode(rigModeOf(code), now_());
}

bool RigControl::tuneToTyped(const std::string& callBox) {
    RigClient* client = clients_[index(state_.LogRadio)].get();
    const auto hz = typedFrequencyHz(callBox);
    if (!client || !hz) return false;
    client->setFrequency(*hz, now_());
    return true;
}

void RigControl::bandModeKeyed(BandModeCode from) {
    RigClient* client = clients_[index(state_.LogRadio)].get();
    if (!client) return;
    const BandModeCode code = state_.CurrentBandMode;
    const bool bandMoved = bandIndexOf(from) != bandIndexOf(code);
    if (bandMoved) {
        const std::int64_t last = lastHz_[index(state_.LogRadio)][code];
        client->setFrequency(last != 0 ? last : segmentStartHz(code), now_());
    }
    // On another band the sideband may change as well.
    if (bandMoved || isCw(from) != isCw(code)) client->setMode(rigModeOf(code), now_());
}

}  // namespace keslog
