#include "transmit/Radios.h"

namespace keslog {

namespace {

class NoDisplay : public IRadioDisplay {
  public:
    void showTxRadio(int) override {}
    void showLogRadio(int) override {}
};

NoDisplay noDisplay;

}  // namespace

RadioSwitch::RadioSwitch(MainMod& state, PortLines& lines, IMessageBox& messageBox)
    : state_(state), lines_(lines), messageBox_(messageBox), display_(&noDisplay) {}

bool RadioSwitch::SelectRadio(int which) {
    const int radio = which == 0 ? (state_.TXRadio == 1 ? 2 : 1) : (which == 1 ? 1 : 2);
    if (!setSO2RLine(radio)) return false;
    state_.TXRadio = static_cast<std::int16_t>(radio);
    moveLogTo(radio);
    display_->showTxRadio(radio);
    display_->showLogRadio(radio);
    return true;
}

bool RadioSwitch::transmitOn(int radio) {
    if (!setSO2RLine(radio)) return false;
    state_.TXRadio = static_cast<std::int16_t>(radio);
    display_->showTxRadio(radio);
    return true;
}

bool RadioSwitch::setSO2RLine(int radio) {
    const Settings& s = state_.settings;
    if (!s.F9Activated) return true;
    // The SO2R port opens on first use and stays open.
    Status line = lines_.OpenSerialPort(s.F9Comport);
    if (line) line = radio == 2 ? lines_.LineOn(s.F9Comport) : lines_.LineOff(s.F9Comport);
    if (line) return true;
    messageBox_.show({line.message() + "\n\nThe transmitting radio was not changed.",
                      line.title().empty() ? "Port Error" : line.title(), MsgButtons::Ok,
                      MsgIcon::Exclamation});
    return false;
}

void RadioSwitch::switchLogRadio() {
    moveLogTo(state_.LogRadio == 1 ? 2 : 1);
    display_->showLogRadio(state_.LogRadio);
}

void RadioSwitch::moveLogTo(int radio) {
    if (state_.LogRadio == radio) return;
    state_.RadioBandMode[static_cast<std::size_t>(state_.LogRadio - 1)] = state_.CurrentBandMode;
    state_.CurrentBandMode = state_.RadioBandMode[static_cast<std::size_t>(radio - 1)];
    state_.LogRadio = static_cast<std::int16_t>(radio);
}

}  // namespace keslog
