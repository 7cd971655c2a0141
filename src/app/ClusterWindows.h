#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "forms/ClusterLink.h"

class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace keslog {

// A radio's band map on the screen: draws BandMapView, forwards a click on
// a spot and the Up and Down keys. afterChoice redraws the entry line.
class BandMapWindow : public QWidget {
  public:
    BandMapWindow(ClusterLink& cluster, int radio, std::function<void()> afterChoice,
                  QWidget* parent = nullptr);
    void render();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ClusterLink& cluster_;
    const int radio_;
    std::function<void()> afterChoice_;
    QTableWidget* table_ = nullptr;
};

// The cluster's console: the lines that are no spots, and a line to type
// a command to the cluster.
class ClusterConsoleWindow : public QWidget {
  public:
    explicit ClusterConsoleWindow(ClusterLink& cluster, QWidget* parent = nullptr);
    void render();

  private:
    ClusterLink& cluster_;
    QPlainTextEdit* lines_ = nullptr;
    QLineEdit* command_ = nullptr;
    std::uint64_t shown_ = 0;  // console lines drawn so far
};

// The spot as Send Spot drafted it, to accept or edit; nullopt: cancelled.
std::optional<std::string> editSpot(const std::string& draft, QWidget* parent);

}  // namespace keslog
