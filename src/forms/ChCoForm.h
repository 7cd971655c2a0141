#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/MainMod.h"

namespace keslog {

// What the contest-choice dialog shows.
struct ChCoFormView {
    std::string title = "Choose Type of Contest";
    std::string label1 = "   Select Contest";
    std::vector<std::string> list1;  // the nine contest texts, sorted
    int list1Index = 0;

    std::string frame1Caption;
    std::array<std::string, 2> buttonModeCaptions;
    int buttonMode = 1;  // the chosen option of Frame1

    bool frame2Enabled = false;  // Frame2 and its location options
    std::array<std::string, 3> buttonQTHCaptions{" USA", " Canada", "Other"};
    bool otherEnabled = false;  // the "Other" option (WPX only)
    int buttonQTH = 0;
    std::array<std::string, 6> comboQTH{"AF", "AS", "EU", "NA", "OC", "SA"};
    int comboQTHIndex = 3;  // "NA"
    bool comboQTHEnabled = false;

    bool closed = false;
};

// The behaviour of ChCoForm, shown when a new log is started: the contest,
// the mode or the station's location, and for WPX the continent. After it
// closes the caller reads the choices, or CancelFlag, from the state.
class ChCoForm {
  public:
    explicit ChCoForm(MainMod& state);

    void load();
    const ChCoFormView& view() const { return view_; }

    void onList1Click(int index);
    void onButtonMode(int index);
    void onButtonQTH(int index);
    void onComboQTH(int index);
    void onOK();
    void onCancel();

    // The contest of a list position, taken from its text.
    ContestNr contestAt(int index) const;

  private:
    void relabel();

    MainMod& state_;
    ChCoFormView view_;
};

}  // namespace keslog
