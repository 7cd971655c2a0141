#pragma once

#include <QWidget>
#include <functional>

#include "forms/LogForm.h"

class QPainter;

namespace keslog {

// The statistics window QSOStats on the screen: draws QSOStatsView, its
// labels at their places, the separator and the rate graph. Closing it
// only hides it.
class QSOStatsWindow : public QWidget {
  public:
    QSOStatsWindow(const LogForm& form, std::function<void()> onClose, QWidget* parent);
    void render();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void paintGraph(QPainter& painter, const QSOStatsView& view);

    const LogForm& form_;
    std::function<void()> onClose_;
};

}  // namespace keslog
