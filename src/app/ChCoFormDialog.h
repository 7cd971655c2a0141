#pragma once

#include <array>

#include "app/DialogParts.h"
#include "forms/ChCoForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace keslog {

// ChCoForm on the screen: draws ChCoFormView and forwards the clicks.
class ChCoFormDialog : public FormDialog<ChCoForm> {
  public:
    explicit ChCoFormDialog(ChCoForm& form, QWidget* parent = nullptr);
    void render() override;

  private:
    QLabel* label1_;
    QListWidget* list1_;
    QGroupBox* frame1_;
    std::array<QRadioButton*, 2> buttonMode_{};
    QGroupBox* frame2_;
    std::array<QRadioButton*, 3> buttonQTH_{};
    QComboBox* comboQTH_;
};

}  // namespace keslog
