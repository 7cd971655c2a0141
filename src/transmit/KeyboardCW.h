#pragma once

#include <cstdint>
#include <string>

#include "model/Transmit.h"
#include "transmit/CWKeyer.h"

namespace keslog {

// What the main window shows of keyboard CW.
struct KeyboardCWView {
    bool open = false;  // KeyboardCWLabel and KeyboardCWText shown, FileIDLabel hidden
    std::uint32_t line1Colour = colour::Blue;
};

// Where the focus and caret were in the entry line.
struct EntryCaret {
    int box = 0;  // InData index
    int caret = 0;

    bool operator==(const EntryCaret&) const = default;
};

// Keyboard CW: each character typed into KeyboardCWText goes out at once.
class KeyboardCW {
  public:
    inline static const std::string kLabel = "Keyboard CW (Caps Lock to Close):";

    KeyboardCW(MainMod& state, CWKeyer& keyer) : state_(state), keyer_(keyer) {}

    // Caps Lock in the entry line: opens on a CW band-mode only; true when
    // it opened (KeyboardCWText, empty, takes the focus).
    bool open(EntryCaret from);
    // The operator typed or deleted in KeyboardCWText.
    void onTextEdited(const std::string& text);
    // Caps Lock in KeyboardCWText: where the focus and caret go back to.
    EntryCaret close();

    const KeyboardCWView& view() const { return view_; }

  private:
    MainMod& state_;
    CWKeyer& keyer_;
    KeyboardCWView view_;
    EntryCaret from_;
};

}  // namespace keslog
