#pragma once

#include "model/MainMod.h"
#include "platform/MessageBox.h"
#include "transmit/Ports.h"

namespace keslog {

// What the main window shows of the two radios.
class IRadioDisplay {
  public:
    virtual ~IRadioDisplay() = default;
    // ActiveRadioLabel: "TX R1" blue or "TX R2" red.
    virtual void showTxRadio(int radio) = 0;
    // ActiveLogLabel and QSONrLabel in the log radio's colour, QSONrLabel
    // rewritten for the (new) CurrentBandMode.
    virtual void showLogRadio(int radio) = 0;
};

// The operator's radio commands: transmit on the other radio (F9, also the
// dual CQ) and log on the other radio (F10). Each radio keeps its own
// band-mode; CurrentBandMode is always the log radio's.
class RadioSwitch {
  public:
    RadioSwitch(MainMod& state, PortLines& lines, IMessageBox& messageBox);

    void setDisplay(IRadioDisplay& display) { display_ = &display; }

    // 0 toggles, 1 selects radio 1, any other value radio 2; the log radio
    // follows. False when the SO2R line could not be set: the operator has
    // been told and nothing changed.
    bool SelectRadio(int which);
    // F10: only the log radio changes; TXRadio and the SO2R line stay.
    void switchLogRadio();
    // A voice message's own radio: only TXRadio and the SO2R line change,
    // the log radio stays. False as for SelectRadio.
    bool transmitOn(int radio);

  private:
    bool setSO2RLine(int radio);
    void moveLogTo(int radio);

    MainMod& state_;
    PortLines& lines_;
    IMessageBox& messageBox_;
    IRadioDisplay* display_;
};

}  // namespace keslog
