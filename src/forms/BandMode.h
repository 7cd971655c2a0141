#pragma once

#include <array>
#include <string>

#include "model/MainMod.h"
#include "platform/MessageBox.h"

namespace keslog {

// What the active-bands dialog shows; index 1..8 is the band index.
struct BandModeView {
    std::string title = "Select Active Bands";
    std::string label1;
    std::array<std::string, kBandCount + 1> boxCaptions{"",           "10 Meters",  "15 Meters",
                                                        "20 Meters",  "40 Meters",  "80 Meters",
                                                        "160 Meters", " 6  Meters", " 2  Meters"};
    std::array<bool, kBandCount + 1> boxTicked{};
    std::array<bool, kBandCount + 1> boxVisible{};
    bool tallFrame = false;  // CQP: room for the 6 m and 2 m boxes
    bool closed = false;
};

// The behaviour of BandMode: which of the eight bands are active. The
// active set never becomes empty and always holds the current band.
class BandMode {
  public:
    BandMode(MainMod& state, IMessageBox& messageBox);

    void load();
    const BandModeView& view() const { return view_; }

    void onBandBox(int band, bool ticked);
    void onOK();
    void onCancel();

  private:
    void refuse(const char* text);

    MainMod& state_;
    IMessageBox& messageBox_;
    BandModeView view_;
    BandActiveSet copy_{};
};

}  // namespace keslog
