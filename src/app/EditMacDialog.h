#pragma once

#include <QLineEdit>
#include <array>

#include "app/DialogParts.h"
#include "transmit/EditMac.h"

namespace keslog {

// EditMac on the screen: nine rows of key, text and display form, the two
// exchanges and the dupe message. Modal from the Edit menu, not modal from
// ViewMac.
class EditMacDialog : public FormDialog<EditMac> {
  public:
    explicit EditMacDialog(EditMac& form, QWidget* parent = nullptr);
    void render() override;

  private:
    QLineEdit* addBox(const char* name, int index,
                      void (EditMac::*onEdit)(int, const std::string&));

    std::array<QLineEdit*, kSlotCount> fullMacro_{};
    std::array<QLineEdit*, kSlotCount> shMacro_{};
    std::array<QLineEdit*, 2> exchange_{};
    QLineEdit* dupe_ = nullptr;
};

}  // namespace keslog
