#include "transmit/KeyingDevice.h"

#include "rig/RigClient.h"
#include "transmit/CwDaemon.h"
#include "transmit/WinKeyer.h"

namespace keslog {

std::optional<KeyerChoice> parseKeyerChoice(std::string_view value) {
    using Kind = KeyerChoice::Kind;
    // A file written before there was a choice keys as it always did.
    if (value.empty() || value == kBuiltinKeyer) return KeyerChoice{};
    if (value.starts_with(kWinKeyerPrefix) && value.size() > kWinKeyerPrefix.size())
        return KeyerChoice{Kind::WinKeyer, std::string(value.substr(kWinKeyerPrefix.size())), {}, 0};
    if (value.starts_with(kCwDaemonPrefix))
        if (const auto address = parseRigAddress(value.substr(kCwDaemonPrefix.size())))
            return KeyerChoice{Kind::CwDaemon, {}, address->host, address->port};
    return std::nullopt;
}

std::string keyerChoiceText(const KeyerChoice& choice) {
    switch (choice.kind) {
        case KeyerChoice::Kind::WinKeyer:
            return std::string(kWinKeyerPrefix) + choice.device;
        case KeyerChoice::Kind::CwDaemon:
            return std::string(kCwDaemonPrefix) + choice.host + ":" + std::to_string(choice.port);
        case KeyerChoice::Kind::Builtin:
            break;
    }
    return std::string(kBuiltinKeyer);
}

KeyingDevices::KeyingDevices(IByteLinks& links, IMessageBox& messageBox)
    : links_(links), messageBox_(messageBox) {}

KeyingDevices::~KeyingDevices() = default;

std::unique_ptr<IKeyingDevice> KeyingDevices::open(const KeyerChoice& choice) {
    using Kind = KeyerChoice::Kind;
    const bool winKeyer = choice.kind == Kind::WinKeyer;
    const std::string name = winKeyer ? "WinKeyer on " + choice.device
                                      : "cwdaemon at " + choice.host + ":" +
                                            std::to_string(choice.port);
    auto link = winKeyer ? links_.serial(choice.device) : links_.udp(choice.host, choice.port);
    if (!link) {
        messageBox_.show({name + ": " + link.status().message() +
                              " CW goes out through the built-in keyer until it is mended.",
                          "CW Keyer", MsgButtons::Ok, MsgIcon::Exclamation});
        return nullptr;
    }
    if (winKeyer) return std::make_unique<WinKeyer>(std::move(*link), choice.device);
    return std::make_unique<CwDaemonKeyer>(std::move(*link), name);
}

void KeyingDevices::configure(const Settings& s) {
    potSetsSpeed_ = s.CWKeyerPot;
    const std::array<const std::string*, 2> values{&s.CWKeyer1, &s.CWKeyer2};
    std::array<KeyerChoice, 2> wanted;
    for (std::size_t i = 0; i < 2; ++i) {
        const auto choice = parseKeyerChoice(*values[i]);
        if (!choice)
            messageBox_.show({"CWKeyer" + std::to_string(i + 1) + "=" + *values[i] +
                                  " in KESLOG90.INI names no keying device: radio " +
                                  std::to_string(i + 1) +
                                  " keys through the built-in keyer. Choose its device on the "
                                  "Devices tab of the Preferences.",
                              "CW Keyer", MsgButtons::Ok, MsgIcon::Exclamation});
        wanted[i] = choice.value_or(KeyerChoice{});
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (wanted[i] == choices_[i] && devices_[i] && devices_[i]->failure().isOk()) continue;
        devices_[i].reset();  // the last holder closes the old device first
        choices_[i] = wanted[i];
        if (wanted[i].kind == KeyerChoice::Kind::Builtin) continue;
        const std::size_t other = 1 - i;
        if (wanted[other] == wanted[i] && devices_[other] && choices_[other] == wanted[i])
            devices_[i] = devices_[other];
        else
            devices_[i] = open(wanted[i]);
    }
}

IKeyingDevice* KeyingDevices::forRadio(int radio) const {
    return devices_[radio == 2 ? 1 : 0].get();
}

std::optional<int> KeyingDevices::idlePoll() {
    std::optional<int> wpm;
    for (std::size_t i = 0; i < 2; ++i) {
        IKeyingDevice* d = devices_[i].get();
        if (!d || (i == 1 && d == devices_[0].get())) continue;
        if (const auto pot = d->idlePoll(); pot && potSetsSpeed_) wpm = pot;
        if (const Status told = d->once(d->failure()); !told.message().empty())
            messageBox_.show({told.message(), "CW Keyer", MsgButtons::Ok, MsgIcon::Exclamation});
    }
    return wpm;
}

std::string KeyingDevices::status() const {
    std::string text;
    for (std::size_t i = 0; i < 2; ++i) {
        const IKeyingDevice* d = devices_[i].get();
        if (!d || (i == 1 && d == devices_[0].get())) continue;
        const std::string s = d->status();
        if (!s.empty()) text += (text.empty() ? "" : " ") + s;
    }
    return text;
}

}  // namespace keslog
