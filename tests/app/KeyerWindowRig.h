#pragma once

#include "app/QtPlatform.h"
#include "app/QtTestApp.h"
#include "transmit/KeyerRig.h"

namespace keslog::test {

// The main window with a complete keyer on fakes behind it: keyer, radios,
// message repetition and the entry line's transmit side.
class KeyerWindowRig : public QtTest, public KeyerRig {
  protected:
    // Attaches the transmit side, lays the window out for the state's log
    // and shows it.
    void showWindow() {
        window.attachKeyer(keyer, keys);
        window.attachRadios(radios, repeater);
        window.attachTransmit(transmit);
        test::showWindow(window);
    }

    template <typename T>
    T* find(const char* name) {
        return window.findChild<T*>(name);
    }

    LatchedKeyState keys;
    NoLogFiles files;
    LogFormWindow window{state, platform, files};
    RadioSwitch radios{state, lines, fakes.messageBox};
    MessageRepeater repeater{state, platform, keyer, radios};
    EntryTransmit transmit{state, keyer, lines, radios, repeater};
};

}  // namespace keslog::test
