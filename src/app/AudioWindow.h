#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "transmit/Audio.h"

class QLabel;
class QMenuBar;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QGridLayout;

namespace keslog {

// Audio on the screen: the nine message buttons and labels, Stop, the
// progress bar and the File menu; a right click on a label opens the menu
// of its radio and plays.
class AudioWindow : public QWidget, public IAudioHost {
  public:
    AudioWindow(Audio& form, QWidget* parent = nullptr);
    ~AudioWindow() override;

    void render();
    // Closing the window only hides it; the View menu loses its tick.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    void setOnReturnFocus(std::function<void()> onReturn) { onReturnFocus_ = std::move(onReturn); }
    // The menu of a label, as the right click opens it (tests call it too).
    void openMenu(int index, const QPoint& at);

    // IAudioHost
    void audioChanged() override { render(); }
    void returnFocus() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMenuBar* buildMenus();

    Audio& form_;
    std::array<QPushButton*, kSlotCount> button_{};
    std::array<QLabel*, kSlotCount> buttonLabel_{};
    QGridLayout* grid_ = nullptr;
    QLineEdit* text1_ = nullptr;
    int text1Row_ = -1;
    QProgressBar* progress_ = nullptr;
    QLabel* notPlaying_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* recording_ = nullptr;
    std::function<void()> onClosed_;
    std::function<void()> onReturnFocus_;
};

}  // namespace keslog
