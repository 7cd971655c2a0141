#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "entry/Partial.h"

class QLabel;

namespace keslog {

// The search window Partial on the screen: draws PartialView and forwards
// the clicks. A chosen call goes to onCallChosen (the call box).
class PartialWindow : public QWidget {
  public:
    PartialWindow(Partial& partial, std::function<void(const std::string&)> onCallChosen,
                  QWidget* parent = nullptr);
    void render();

  private:
    Partial& partial_;
    std::function<void(const std::string&)> onCallChosen_;
    std::array<QLabel*, kPartialLabelCount> match_{};
};

}  // namespace keslog
