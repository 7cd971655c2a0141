#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace keslog {

// "About KESLOG": also the welcome screen at start-up, then captioned
// "WELCOME" with its OK button hidden and closed by its timer.
class AboutDialog : public QDialog {
  public:
    enum class Mode { About, Welcome };
    AboutDialog(Mode mode, QWidget* parent = nullptr);

    static constexpr int kWelcomeMs = 2000;

  private:
    QPushButton* ok_;
    QTimer* timer_;
};

}  // namespace keslog
