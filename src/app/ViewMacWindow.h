#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "transmit/ViewMac.h"

class QLabel;

namespace keslog {

// ViewMac on the screen: the nine message labels in their radio colours;
// a right click on a label opens the menu that changes its radio and plays.
class ViewMacWindow : public QWidget {
  public:
    ViewMacWindow(ViewMac& form, QWidget* parent = nullptr);

    void render();
    // Closing the window only hides it; the View menu loses its tick.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // The menu of a label, as the right click opens it (tests call it too).
    void openMenu(int index, const QPoint& at);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    ViewMac& form_;
    std::array<QLabel*, kSlotCount> displayMac_{};
    std::function<void()> onClosed_;
};

}  // namespace keslog
