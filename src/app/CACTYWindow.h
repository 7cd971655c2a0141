#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "forms/LogForm.h"

namespace keslog {

// The California counties window CACTY on the screen. Closing it, or a
// click on it, hides it.
class CACTYWindow : public QWidget {
  public:
    CACTYWindow(const LogForm& form, std::function<void()> onClose, QWidget* parent);
    void render();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const LogForm& form_;
    std::function<void()> onClose_;
    QFont font_;
};

}  // namespace keslog
