#pragma once

#include "model/MainMod.h"
#include "support/FakePlatform.h"
#include "support/StandardMorse.h"
#include "transmit/CWKeyer.h"

namespace keslog::test {

// A CW keyer on fakes: lines, time base and sidetones record what they are
// asked; CW is on, keyed on Com1, on 20 m CW, with standard Morse.
struct KeyerRig {
    KeyerRig() {
        state.settings.CWActivated = true;
        state.settings.CWComport = "Com1";
        state.CurrentBandMode = bandModeCode(band::B20, false);
        state.reference.CWCharacters = standardMorse();
    }

    FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    PortLines lines{fakes.serial, fakes.ports};
    FakeKeyingScheduler scheduler;
    FakeSidetone soundCard;
    FakeSidetone pcSpeaker;
    CWKeyer keyer{state, platform, lines, {scheduler, soundCard, pcSpeaker}};
};

}  // namespace keslog::test
