#include "forms/EntryTransmit.h"

#include "transmit/CWMessages.h"

namespace keslog {

void EntryTransmit::sendFunctionKeyMessage(int keyCode, bool dual) {
    repeater_.SendFunctionKeyMessage(keyCode, dual);
}

void EntryTransmit::sendExchange(const std::string& exchangeBox) {
    keyer_.SendCW(exchangeMessage(state_.settings, state_.contestNr, exchangeBox), false);
}

void EntryTransmit::sendDupeMessage() {
    keyer_.SendCW(state_.settings.DupeMessage, false);
}

void EntryTransmit::playExchangeVoice() {
    // The voice keyer arrives with its own window; until then phone has no
    // recorded exchange to play.
}

void EntryTransmit::selectRadio(int which) {
    radios_.SelectRadio(which);
}

void EntryTransmit::switchLogRadio() {
    radios_.switchLogRadio();
}

void EntryTransmit::openKeyboardCW(int box, int caret) {
    if (openKeyboardCW_) openKeyboardCW_(box, caret);
}

Status EntryTransmit::testSerialLine(bool on) {
    return lines_.testSerialLine(on);
}

bool EntryTransmit::cancelSending() {
    return repeater_.cancel();
}

}  // namespace keslog
