#pragma once

#include <array>

#include "app/DialogParts.h"
#include "forms/EntryEditor.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace keslog {

// The entry editor EditLog on the screen: a box per field, each checked
// as the focus leaves it.
class EditLogDialog : public FormDialog<EntryEditor> {
  public:
    EditLogDialog(EntryEditor& form, QWidget* parent);
    void render() override;

    // Edits QSO n of the open log in a modal dialog: true when the changed
    // record was written to the log file. The caller brings the totals up
    // to date (reloadAfterEdit) when it suits it.
    static bool edit(MainMod& state, Platform& platform, int n, QWidget* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* box(EditField field) const { return boxes_[static_cast<std::size_t>(field)]; }

    std::array<QLineEdit*, kEditFieldCount> boxes_{};
    QComboBox* bandBox_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    bool checking_ = false;  // a check's message box takes the focus too
};

}  // namespace keslog
