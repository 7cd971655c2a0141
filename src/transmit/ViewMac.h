#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "model/Transmit.h"
#include "transmit/CWMessages.h"

namespace keslog {

struct ViewMacLabel {
    std::string caption;
    std::uint32_t colour = colour::Black;  // the message's radio

    bool operator==(const ViewMacLabel&) const = default;
};

// What the "CW Messages" window shows.
struct ViewMacView {
    std::string title = "CW Messages";
    std::array<ViewMacLabel, kSlotCount> DisplayMac;
    std::string note = "(Right Click to Change)";
    std::string blueKey = "Blue - Radio 1";
    std::string redKey = "Red - Radio 2";
};

// The items of the right-click menu, in their order.
enum class ViewMacItem { Radio1, Radio2, NoRadio, Play3, Play6, NoRepeats, EditMessage };
inline constexpr int kViewMacItemCount = 7;
inline constexpr std::array<std::string_view, kViewMacItemCount> kViewMacItemCaptions{
    "Radio 1",
    "Radio 2",
    "No Radio Selection",
    "Play Message 3 times",
    "Play Message 6 times",
    "No Repeats",
    "Edit Message"};

// The smallest height of the window, in twips.
inline constexpr int kViewMacMinHeight = 3255;

// The behaviour of ViewMac: the current contest's nine messages with their
// keys, play counts and radios; the right-click menu changes a message's
// radio and play count.
class ViewMac {
  public:
    ViewMac(MainMod& state, IMessagesHost& host) : state_(state), host_(host) {}

    // Reads the tables again (after every change, and when a log of
    // another contest is opened).
    void refresh();
    const ViewMacView& view() const { return view_; }

    // The ticks of the menu as it opens on a label (index 0..8).
    std::array<bool, kViewMacItemCount> menuTicks(int index) const;
    void onMenuItem(int index, ViewMacItem item);

  private:
    MainMod& state_;
    IMessagesHost& host_;
    ViewMacView view_;
};

}  // namespace keslog
