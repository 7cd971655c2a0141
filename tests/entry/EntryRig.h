#pragma once

#include <string>
#include <vector>

#include "EntryFixture.h"
#include "entry/EntryLine.h"

namespace keslog::test {

// The log file as the entry line writes it: which QSOs went to disk, in
// order; a write or a cut can be made to fail.
class RecordingStore : public IQsoStore {
  public:
    Status writeQso(MainMod&, int n) override {
        written.push_back(n);
        return failWrites ? Status::error("No space left on device", "File or Disk Error")
                          : Status::ok();
    }
    Status cutAfterLastQso(MainMod& state) override {
        cuts.push_back(state.log.count());
        return failCuts ? Status::error("Permission denied", "File or Disk Error") : Status::ok();
    }
    std::vector<int> written;
    std::vector<int> cuts;
    bool failWrites = false;
    bool failCuts = false;
};

class RecordingEntryHost : public IEntryHost {
  public:
    void bandModeChanged() override { events.push_back("band-mode"); }
    void qsoLogged() override { events.push_back("log"); }
    void logRebuilt() override { events.push_back("rebuilt"); }
    void qsoKilled(const QSORecName& killed) override {
        events.push_back("killed " + killed.QCall.trimmed());
    }
    void showCountryPanel(int countryNr, int zone) override {
        panels.push_back(std::to_string(countryNr) + " " + std::to_string(zone));
    }
    std::vector<std::string> panels;
    void redrawMultipliers() override { events.push_back("multipliers"); }
    void showPartial() override { events.push_back("partial"); }
    bool editLastEntry() override {
        events.push_back("edit last");
        return false;
    }
    std::vector<std::string> events;
};

// Every transmit request as a line: "F1", "dual F3", "exchange <box>",
// "dupe", "voice", "radio 0", "log radio", "keyboard 0 3", "dtr on", "cancel".
class RecordingTransmit : public IEntryTransmit {
  public:
    void sendFunctionKeyMessage(int keyCode, bool dual) override {
        sent.push_back((dual ? "dual F" : "F") + std::to_string(keyCode - kKeyCodeF1 + 1));
    }
    void sendExchange(const std::string& box) override { sent.push_back("exchange <" + box + ">"); }
    void sendDupeMessage() override { sent.push_back("dupe"); }
    void playExchangeVoice() override { sent.push_back("voice"); }
    void selectRadio(int which) override { sent.push_back("radio " + std::to_string(which)); }
    void switchLogRadio() override { sent.push_back("log radio"); }
    void openKeyboardCW(int box, int caret) override {
        sent.push_back("keyboard " + std::to_string(box) + " " + std::to_string(caret));
    }
    Status testSerialLine(bool on) override {
        sent.push_back(on ? "dtr on" : "dtr off");
        return Status::ok();
    }
    bool cancelSending() override {
        sent.push_back("cancel");
        return escEndsMessage;
    }
    std::vector<std::string> sent;
    bool escEndsMessage = false;
};

// Typed characters go to the box with the focus; "\t" is Tab and "\n"
// Enter.
inline void typeKeys(EntryLine& entry, const std::string& keys) {
    for (char c : keys) {
        const int box = entry.view().focus;
        if (c == '\t')
            entry.onKeyDown(box, EntryKey::Tab);
        else if (c == '\n')
            entry.onKeyDown(box, EntryKey::Enter);
        else
            entry.onChar(box, c);
    }
}

// An entry line on a new log of the contest, with every collaborator
// recording what it was asked.
struct EntryRig {
    explicit EntryRig(ContestNr nr, bool cw = true, const Location& where = {})
        : state(newLog(nr, cw, where)) {
        state.CurrentBandMode = static_cast<BandModeCode>(cw ? bm::CW20 : bm::PH20);
        if (nr == contest::Cqp || nr == contest::Paqp) state.ModeFlag = {true, true};
        state.currentLogPath = "/logs/TEST.KSL";
        fakes.clock.time = {2001, 11, 4, 23, 30, 0};
        entry.setTransmit(transmit);
    }

    void type(const std::string& keys) { typeKeys(entry, keys); }
    void key(EntryKey k, KeyMods mods = {}) { entry.onKeyDown(entry.view().focus, k, mods); }

    const std::string& box(int i) const {
        return entry.view().InData[static_cast<std::size_t>(i)].text;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const MessageRequest& r : fakes.messageBox.shown)
            texts.push_back(r.title + " | " + r.text);
        return texts;
    }

    MainMod state;
    FakePlatform fakes;
    Platform platform = fakes.services();
    RecordingStore store;
    RecordingEntryHost host;
    RecordingTransmit transmit;
    EntryLine entry{state, platform, store, host};
};

}  // namespace keslog::test
