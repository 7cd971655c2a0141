#pragma once

#include <QDialog>
#include <array>

#include "forms/BandMode.h"

class QCheckBox;
class QGroupBox;
class QLabel;

namespace keslog {

// BandMode on the screen: draws BandModeView and forwards the clicks.
class BandModeDialog : public QDialog {
  public:
    explicit BandModeDialog(BandMode& form, QWidget* parent = nullptr);
    void render();
    void reject() override;  // Esc and the close box: Cancel

  private:
    void afterEvent();

    BandMode& form_;
    QGroupBox* frame_;
    QLabel* label1_;
    std::array<QCheckBox*, kBandCount + 1> bandBox_{};
};

}  // namespace keslog
