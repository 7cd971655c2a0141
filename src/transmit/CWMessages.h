#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Contest.h"
#include "model/Settings.h"

namespace keslog {

// A function-key message: "[RADIO" r "][PLAY" p "]" and then the text.
inline constexpr std::size_t kMacroPrefixLength = 15;

// Whether a message begins with the exact prefix; only then do its radio and
// play digits count, else the whole of it is text.
bool hasRadioPrefix(std::string_view message);

struct MacroParts {
    char radio = '0';  // '0' no change, '1' radio 1, '2' radio 2
    char play = '1';   // number of transmissions per key press
    std::string text;

    bool operator==(const MacroParts&) const = default;
};

MacroParts parseMacro(std::string_view macro);
// Always a well-formed prefix, so an edit never leaves a damaged one behind.
std::string composeMacro(const MacroParts& parts);

// Transmissions per key press: the play digit, a damaged "0" counting as one.
int playCountOf(std::string_view macro);

// The first entry of the current contest's nine messages (0-based): the CQP,
// SS, WPX, Sprint, PAQP and NAQP sets; ARRL DX, CQWW and AA use the WPX set.
int macroBaseOf(ContestNr contest);
// The CWMacros (and CWMacroLabels) entry of a slot 1..9 of the contest.
std::size_t macroEntry(ContestNr contest, int slot);

inline constexpr int kSlotCount = kMacrosPerSet;

// Key codes of F1..F7, F11, F12 give slots 1..9; any other code 0.
int slotOfKey(int keyCode);
// The key number of a slot: 1..7, 11, 12.
int keyNumberOfSlot(int slot);

// Index into CWExchanges of a contest's CQ-mode (sp false) or S/P-mode
// exchange; -1 outside the nine contests.
int exchangeIndex(ContestNr contest, bool searchAndPounce);
// The exchange the exchange key sends: the CQ-mode one while the exchange
// box is empty or begins with a blank, else the S/P-mode one.
std::string exchangeMessage(const Settings& settings, ContestNr contest,
                            std::string_view exchangeBox);

// What a typed message text is stored as: upper case, and no control
// characters, which would split the settings file's one line per message.
std::string messageText(std::string_view typed);

// The ViewMac caption of a slot: "F3-[3]CQ W1AW" style.
std::string viewMacCaption(int slot, std::string_view macro, std::string_view displayForm,
                           std::string_view yourCall);

// Where edited message tables go: the settings file and the windows that
// show them.
class IMessagesHost {
  public:
    virtual ~IMessagesHost() = default;
    // The tables changed: rewrite the settings file, redraw ViewMac.
    virtual void messagesChanged() = 0;
    // ViewMac's "Edit Message": EditMac, not modal, focus in that slot.
    virtual void editMessage(int slot) = 0;
};

}  // namespace keslog
