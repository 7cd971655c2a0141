#pragma once

#include <array>

#include "app/DialogParts.h"
#include "forms/BandMode.h"

class QCheckBox;
class QGroupBox;
class QLabel;

namespace keslog {

// BandMode on the screen: draws BandModeView and forwards the clicks.
class BandModeDialog : public FormDialog<BandMode> {
  public:
    explicit BandModeDialog(BandMode& form, QWidget* parent = nullptr);
    void render() override;

  private:
    QGroupBox* frame_;
    QLabel* label1_;
    std::array<QCheckBox*, kBandCount + 1> bandBox_{};
};

}  // namespace keslog
