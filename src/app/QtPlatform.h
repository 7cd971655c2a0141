#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <memory>

#include "platform/Platform.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/UnavailableLines.h"
#include "platform/linux/UnavailableWavePlayer.h"

class QWidget;
class QTextBrowser;

namespace keslog {

class QtMessageBox : public IMessageBox {
  public:
    MsgResult show(const MessageRequest& request) override;
};

class QtFileDialog : public IFileDialog {
  public:
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
};

class QtTimerFactory : public ITimerFactory {
  public:
    std::unique_ptr<ITimer> createTimer() override;
};

class QtEventPump : public IEventPump {
  public:
    void processPendingEvents() override;
};

// Latches the keys the keyer polls: the main window's event filter sees
// every key press first and records it here.
class LatchedKeyState : public QObject, public IKeyState {
  public:
    bool wasPressed(AsyncKey key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSet<int> pressed_;
};

// The help pages of the program folder's help/ folder in a browser window.
class QtHelpViewer : public IHelpViewer {
  public:
    explicit QtHelpViewer(std::string helpFolder) : helpFolder_(std::move(helpFolder)) {}
    void show(HelpCommand command) override;

  private:
    std::string helpFolder_;
    QPointer<QWidget> window_;
    QTextBrowser* browser_ = nullptr;
};

class QtBeep : public IBeep {
  public:
    void beep() override;
};

class QtBusyPointer : public IBusyPointer {
  public:
    void setBusy(bool busy) override;

  private:
    bool busy_ = false;
};

// All real services of the running program.
struct QtPlatform {
    explicit QtPlatform(const std::string& programDir);

    QtMessageBox messageBox;
    QtFileDialog fileDialog;
    QtTimerFactory timers;
    QtEventPump events;
    LatchedKeyState keys;
    UnavailableSerialLines serial;
    UnavailablePortIo ports;
    UnavailableWavePlayer wavePlayer;
    SystemClock clock;
    QtHelpViewer help;
    QtBeep beep;
    QtBusyPointer busy;

    Platform services();
};

}  // namespace keslog
