#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

namespace keslog {

// Enters a logged QSO into the sorted call index and, when its call is
// portable, into the portable calls.
void indexCall(MainMod& state, int qsoNr, const QSORec& record);

// The call without its portable designator: the longest part between "/".
std::string callWithoutDesignator(std::string_view call);

// What the log says about a call being entered.
struct DupeCheck {
    std::string call;
    bool workedBefore = false;
    bool dupe = false;
    int earlierContact = 0;  // the contact that makes it a dupe (SS: the last one)
    int lastContact = 0;     // the last earlier contact on any band and mode
    // QSO numbers of the earlier contacts by band-mode code 1..16.
    std::array<std::vector<int>, 2 * kBandCount + 1> contactsByBandMode;
    // The same station logged in its other form (portable or not), when the
    // call itself was not: "W6XYZ" for "W6XYZ/7" and the other way round.
    std::string otherFormInLog;
};

// Dupe rule: in SS a call worked before is a dupe on any band; in every
// other contest only on the same band-mode code (same band, same mode).
DupeCheck checkDupe(const MainMod& state, std::string_view call);

// The same rule for a call on a given band-mode, without the details.
bool isDupe(const MainMod& state, std::string_view call, BandModeCode bandMode);

// The "Portable Station?" notice, when the call is in the log only in its
// other form.
std::optional<MessageRequest> portableNotice(const DupeCheck& check);

// The "DUPE!" question about the earlier contact (Yes, No, Cancel; No the
// default). The date code's year is read against currentYear.
MessageRequest dupeQuestion(const MainMod& state, const DupeCheck& check, int currentYear);

// Asks the dupe question, beeping first when the settings want it.
MsgResult askDupeQuestion(const MainMod& state, const DupeCheck& check, int currentYear,
                          IMessageBox& messageBox, IBeep& beep);

// The worked-before grid: ModeLabel with the row headings and one PrevQSO
// label per band index 1..8 (element 0 is band 1) with the band's name over
// the QSO numbers of the earlier contacts. An empty label is hidden.
struct WorkedBeforeGrid {
    bool visible = false;
    std::string modeLabel;
    std::array<std::string, kBandCount> prevQso;
};

WorkedBeforeGrid workedBeforeGrid(const MainMod& state, const DupeCheck& check);

}  // namespace keslog
