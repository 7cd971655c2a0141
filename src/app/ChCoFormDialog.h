#pragma once

#include <QDialog>
#include <array>

#include "forms/ChCoForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace keslog {

// ChCoForm on the screen: draws ChCoFormView and forwards the clicks.
class ChCoFormDialog : public QDialog {
  public:
    explicit ChCoFormDialog(ChCoForm& form, QWidget* parent = nullptr);
    void render();
    void reject() override;  // Esc and the close box: Cancel

  private:
    void afterEvent();

    ChCoForm& form_;
    QLabel* label1_;
    QListWidget* list1_;
    QGroupBox* frame1_;
    std::array<QRadioButton*, 2> buttonMode_{};
    QGroupBox* frame2_;
    std::array<QRadioButton*, 3> buttonQTH_{};
    QComboBox* comboQTH_;
};

}  // namespace keslog
