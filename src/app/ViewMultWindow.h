#pragma once

#include <QWidget>
#include <functional>

#include "forms/LogForm.h"

class QScrollBar;

namespace keslog {

// The multiplier window ViewMult on the screen: prints ViewMultView's texts
// at their places and carries the WPX page's scroll bar VScroll1.
class ViewMultWindow : public QWidget {
  public:
    ViewMultWindow(LogForm& form, std::function<void()> onClose, QWidget* parent);
    void render();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    LogForm& form_;
    std::function<void()> onClose_;
    QScrollBar* scroll_ = nullptr;
};

}  // namespace keslog
