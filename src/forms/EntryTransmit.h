#pragma once

#include <functional>

#include "entry/EntryLine.h"
#include "model/MainMod.h"
#include "transmit/CWKeyer.h"
#include "transmit/Ports.h"
#include "transmit/Radios.h"
#include "transmit/Repetition.h"

namespace keslog {

// The entry keys' transmitting side on the keyer, the radio switch and
// the message repeater; the window (or a script) opens keyboard CW.
class EntryTransmit : public IEntryTransmit {
  public:
    EntryTransmit(MainMod& state, CWKeyer& keyer, PortLines& lines, RadioSwitch& radios,
                  MessageRepeater& repeater)
        : state_(state), keyer_(keyer), lines_(lines), radios_(radios), repeater_(repeater) {}

    void setKeyboardCW(std::function<void(int box, int caret)> open) {
        openKeyboardCW_ = std::move(open);
    }

    void sendFunctionKeyMessage(int keyCode, bool dual) override;
    void sendExchange(const std::string& exchangeBox) override;
    void sendDupeMessage() override;
    void playExchangeVoice() override;
    void selectRadio(int which) override;
    void switchLogRadio() override;
    void openKeyboardCW(int box, int caret) override;
    Status testSerialLine(bool on) override;
    bool cancelSending() override;

  private:
    MainMod& state_;
    CWKeyer& keyer_;
    PortLines& lines_;
    RadioSwitch& radios_;
    MessageRepeater& repeater_;
    std::function<void(int, int)> openKeyboardCW_;
};

}  // namespace keslog
