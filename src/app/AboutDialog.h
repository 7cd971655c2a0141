#pragma once

#include <QDialog>

class QPushButton;
class QTimer;

namespace keslog {

// "About KESLOG": also the welcome screen at start-up, then captioned
// "WELCOME" with its OK button hidden and closed by its timer, or at once
// by any key or click.
class AboutDialog : public QDialog {
  public:
    enum class Mode { About, Welcome };
    AboutDialog(Mode mode, QWidget* parent = nullptr);

    // Short: an operator restarting in a contest waits for every bit of it.
    static constexpr int kWelcomeMs = 200;

    // Shows the dialog and draws it before the caller's work keeps the
    // event loop waiting.
    void showWithoutWaiting();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Mode mode_;
    QPushButton* ok_;
    QTimer* timer_;
};

}  // namespace keslog
