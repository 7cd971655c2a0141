#pragma once

#include "model/MainMod.h"
#include "support/FakePlatform.h"
#include "support/StandardMorse.h"
#include "transmit/CWKeyer.h"

namespace keslog::test {

// What the keyer showed its window, in order, and the radio each message
// started keying on; the boxes' texts are the test's to set.
struct RecordingKeyerHost : ICWKeyerHost {
    explicit RecordingKeyerHost(const MainMod& state) : state(state) {}
    std::string callBoxText() const override { return callBox; }
    std::string exchangeBoxText() const override { return exchangeBox; }
    bool callBoxActive() const override { return inCallBox; }
    void showTxRadio(int radio) override { shown.push_back("TX " + std::to_string(radio)); }
    void showSpeed(int wpm) override { shown.push_back("speed " + std::to_string(wpm)); }
    void sendingChanged(bool sending) override {
        shown.push_back(sending ? "sending" : "done");
        if (sending) radios.push_back(state.TXRadio);
    }
    void showCalibrationNotice(bool on) override { shown.push_back(on ? "notice" : "notice gone"); }

    const MainMod& state;
    std::string callBox;
    std::string exchangeBox;
    bool inCallBox = true;
    std::vector<std::string> shown;
    std::vector<int> radios;
};

// A CW keyer on fakes: lines, time base and sidetones record what they are
// asked; CW is on, keyed on Com1, on 20 m CW, with standard Morse.
struct KeyerRig {
    KeyerRig() {
        state.settings.CWActivated = true;
        state.settings.CWComport = "Com1";
        state.CurrentBandMode = bandModeCode(band::B20, false);
        state.reference.CWCharacters = standardMorse();
        keyer.setHost(host);
    }

    FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    PortLines lines{fakes.serial, fakes.ports};
    FakeKeyingScheduler scheduler;
    FakeSidetone soundCard;
    FakeSidetone pcSpeaker;
    CWKeyer keyer{state, platform, lines, {scheduler, soundCard, pcSpeaker}};
    RecordingKeyerHost host{state};
};

}  // namespace keslog::test
