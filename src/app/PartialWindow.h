#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "entry/Partial.h"

class QLabel;
class QListWidget;

namespace keslog {

// The search window Partial on the screen: draws PartialView and forwards
// the clicks. A chosen call goes to onCallChosen (the call box). Beside the
// search hits stand the check-partial lists, calls of this log in bold.
class PartialWindow : public QWidget {
  public:
    PartialWindow(Partial& partial, std::function<void(const std::string&)> onCallChosen,
                  QWidget* parent = nullptr);
    void render();

  private:
    Partial& partial_;
    std::function<void(const std::string&)> onCallChosen_;
    std::array<QLabel*, kPartialLabelCount> match_{};
    QListWidget* checkPartial_ = nullptr;  // the database calls holding the typed text
    QListWidget* oneOff_ = nullptr;        // the calls one edit away
};

}  // namespace keslog
