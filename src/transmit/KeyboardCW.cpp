#include "transmit/KeyboardCW.h"

#include <cctype>

namespace keslog {

bool KeyboardCW::open(EntryCaret from) {
    if (!isCw(state_.CurrentBandMode)) return false;
    from_ = from;
    view_.open = true;
    view_.line1Colour = colour::DarkRed;
    return true;
}

void KeyboardCW::onTextEdited(const std::string& text) {
    // An emptied box sends an empty message: the PTT switches, nothing is keyed.
    const char last =
        text.empty() ? '\0'
                     : static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if (last == '+') {
        keyer_.ChangeCWSpeed(2);
    } else if (last == '-') {
        keyer_.ChangeCWSpeed(-2);
    } else {
        keyer_.SendCW(text.empty() ? std::string() : std::string(1, last), false);
    }
}

EntryCaret KeyboardCW::close() {
    view_.open = false;
    view_.line1Colour = colour::Blue;
    return from_;
}

}  // namespace keslog
