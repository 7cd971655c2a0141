#include "forms/BandMode.h"

#include <algorithm>

namespace keslog {

BandMode::BandMode(MainMod& state, IMessageBox& messageBox)
    : state_(state), messageBox_(messageBox) {}

void BandMode::load() {
    view_ = BandModeView{};
    view_.label1 =
        "NOTE:\nThese boxes\nselect which\nbands are active\nin contest.\n\nTo change bands\n"
        "while operating,\nuse <CTRL-arrow>\nkeys.";
    const bool cqp = state_.contestNr == contest::Cqp;
    view_.tallFrame = cqp;
    for (int b = band::B10; b <= band::B2; ++b) {
        const auto i = static_cast<std::size_t>(b);
        view_.boxVisible[i] = b <= band::B160 || cqp;
        view_.boxTicked[i] = state_.BandActive[i];
    }
    copy_ = state_.BandActive;
}

void BandMode::onBandBox(int band, bool ticked) {
    if (band >= band::B10 && band <= band::B2 && view_.boxVisible[static_cast<std::size_t>(band)])
        view_.boxTicked[static_cast<std::size_t>(band)] = ticked;
}

void BandMode::refuse(const char* text) {
    messageBox_.show({text, "Band Selection Error", MsgButtons::Ok, MsgIcon::Exclamation});
}

void BandMode::onOK() {
    const bool anyTicked = std::any_of(view_.boxTicked.begin() + 1, view_.boxTicked.end(),
                                       [](bool ticked) { return ticked; });
    // Checked before the current band, so that unticking every band is
    // refused as such and the old choice stays.
    if (!anyTicked) {
        refuse("At least one band must be selected for the program to work.");
        for (int b = band::B10; b <= band::B2; ++b)
            view_.boxTicked[static_cast<std::size_t>(b)] = copy_[static_cast<std::size_t>(b)];
        state_.BandActive = copy_;
        return;
    }
    for (int b = band::B10; b <= band::B2; ++b)
        state_.BandActive[static_cast<std::size_t>(b)] =
            view_.boxTicked[static_cast<std::size_t>(b)];
    const auto current = static_cast<std::size_t>(bandIndexOf(state_.CurrentBandMode));
    if (!view_.boxTicked[current]) {
        refuse("No fair -- Can't delete current band.");
        view_.boxTicked[current] = true;
        state_.BandActive[current] = true;
    }
    view_.closed = true;
}

void BandMode::onCancel() {
    state_.BandActive = copy_;
    view_.closed = true;
}

}  // namespace keslog
