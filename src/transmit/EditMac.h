#pragma once

#include <array>
#include <string>

#include "model/MainMod.h"
#include "transmit/CWMessages.h"

namespace keslog {

// What the "Edit CW Messages" dialog shows.
struct EditMacView {
    std::string title = "Edit CW Messages";
    std::string keyHeading = "Send Key";
    std::string displayHeading = "Display Form ";
    std::array<std::string, kSlotCount> FLabel;     // "F1".."F7", "F11", "F12"
    std::array<std::string, kSlotCount> FullMacro;  // the text, without its prefix
    std::array<std::string, kSlotCount> ShMacro;    // the display form
    std::array<std::string, 2> exchangeCaption{"Exchange - CQ Mode", "Exchange - S/P Mode"};
    std::array<std::string, 2> Exchange;
    std::string dupeCaption = "Dupe Message:";
    std::string Dupe;
    std::string legend =
        "(Use: @=his call, $=your call,  #=QSO Nr,  *=short space, +/- = ch. speed)";
    int focusSlot = 1;  // the FullMacro box (slot 1..9) that takes the focus
    bool closed = false;
};

// The behaviour of EditMac: the current contest's nine messages, its two
// exchanges and the dupe message. Texts are held as typed into upper case;
// OK stores them (prefixes untouched) and rewrites the settings file.
class EditMac {
  public:
    EditMac(MainMod& state, IMessagesHost& host) : state_(state), host_(host) {}

    void load(int focusSlot = 1);
    const EditMacView& view() const { return view_; }

    void onFullMacro(int index, const std::string& text);  // index 0..8
    void onShMacro(int index, const std::string& text);
    void onExchange(int index, const std::string& text);  // 0 CQ mode, 1 S/P mode
    void onDupe(const std::string& text);
    void onOK();
    void onCancel();

  private:
    MainMod& state_;
    IMessagesHost& host_;
    EditMacView view_;
};

}  // namespace keslog
