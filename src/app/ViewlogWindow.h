#pragma once

#include <QWidget>
#include <functional>

#include "forms/LogViewer.h"

class QListWidget;
class QMenu;
class QScrollBar;

namespace keslog {

// The log viewer Viewlog on the screen: a page of fixed-column lines, the
// paging buttons and scroll bar, and the entry editor on a double click.
class ViewlogWindow : public QWidget {
  public:
    ViewlogWindow(MainMod& state, Platform& platform, LogForm& form, std::function<void()> onClose,
                  QWidget* parent);
    void render();
    // Hides the window as cmdClose does: an edit made meanwhile reaches
    // the totals.
    void closeViewer();
    LogViewer& viewer() { return viewer_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The page's height sets the lines per page.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onGoTo();
    void onEdit();
    void fitPage();

    MainMod& state_;
    Platform& platform_;
    LogForm& form_;
    LogViewer viewer_;
    std::function<void()> onClose_;
    QListWidget* page_ = nullptr;
    QScrollBar* vScroll1_ = nullptr;
    QMenu* rightClickMenu_ = nullptr;
};

}  // namespace keslog
