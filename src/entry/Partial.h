#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entry/CallMatch.h"
#include "model/MainMod.h"
#include "platform/MessageBox.h"

namespace keslog {

inline constexpr int kPartialLabelCount = 15;
inline constexpr int kPartialHitCount = 14;

// What the search window shows: its Match labels, the hits from the top,
// and the check-partial lists of the call being typed.
struct PartialView {
    bool visible = false;
    std::array<std::string, kPartialLabelCount> Match;
    ScpMatches scp;
};

enum class PartialSearchKind { Contains, EndsWith };

// The search window Partial: calls of this log, then of the former logs,
// that hold or end with a text; in CQP and PAQP also the calls worked in
// one county.
class Partial {
  public:
    Partial(const MainMod& state, IMessageBox& messageBox)
        : state_(state), messageBox_(messageBox) {}

    // The search key with text in the call box (EndsWith: Shift, Ctrl or Alt
    // held). Shows the window with the first hits.
    void searchCalls(std::string_view text, PartialSearchKind kind);
    // The search key with an empty call box in CQP and PAQP: the text must
    // be a county abbreviation, else the operator is told and nothing
    // changes.
    void searchCounty(std::string_view county);

    // A click on a Match label: its call for the call box (the window
    // closes), or nullopt for an empty label or one of the no-match texts.
    std::optional<std::string> onMatchClick(int index);
    void onOk();
    // The call box changed: the window shows the database calls while
    // there are any.
    void showCheckPartial(ScpMatches matches);

    const PartialView& view() const { return view_; }

  private:
    void show(const std::vector<std::string>& calls);
    void updateVisible();

    const MainMod& state_;
    IMessageBox& messageBox_;
    PartialView view_;
    bool hasHits_ = false;
    bool searchShown_ = false;  // the search key's hits are up
};

}  // namespace keslog
