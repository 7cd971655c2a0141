#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <memory>
#include <vector>

#include "app/NoticeWindow.h"
#include "app/QtSidetone.h"
#include "app/QtWavePlayer.h"
#include "app/QtWaveRecorder.h"
#include "model/Settings.h"
#include "platform/Platform.h"
#include "platform/linux/DeviceCalls.h"
#include "platform/linux/ParallelPorts.h"
#include "platform/linux/PcSpeaker.h"
#include "platform/linux/Processes.h"
#include "platform/linux/RealtimeScheduler.h"
#include "platform/linux/SerialLines.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/TcpSockets.h"
#include "transmit/CWKeyer.h"

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

// Latches the keys the keyer polls: the application's event filter sees
// every key press first and records it here. While a message is keyed the
// window's input waits (Esc and the keypad keys are latched all the same)
// and is handed on after the message, in the order it came.
class LatchedKeyState : public QObject, public IKeyState {
  public:
    bool wasPressed(AsyncKey key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void holdInput(bool hold);
    bool holdingInput() const { return holding_; }

  private:
    QSet<int> pressed_;
    bool holding_ = false;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

// Processes pending events, input held back during a message included.
class QtEventPump : public IEventPump {
  public:
    explicit QtEventPump(LatchedKeyState& keys) : keys_(keys) {}
    void processPendingEvents() override;
    void processEventsHoldingInput() override;

  private:
    LatchedKeyState& keys_;
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
    QtBusyPointer();
    ~QtBusyPointer() override;
    void setBusy(bool busy) override;
    void showNotice(const std::string& heading, const std::string& path) override;
    void hideNotice() override;

  private:
    bool busy_ = false;
    std::unique_ptr<NoticeWindow> notice_;  // made when first shown
};

// All real services of the running program.
struct QtPlatform {
    explicit QtPlatform(const std::string& programDir);

    // The device files behind the port names; the settings are read after
    // the platform exists.
    const Settings* settings = nullptr;

    QtMessageBox messageBox;
    QtFileDialog fileDialog;
    QtTimerFactory timers;
    LatchedKeyState keys;
    QtEventPump events{keys};
    SystemDeviceCalls deviceCalls;
    TermiosSerialLines serial;
    PpdevPortIo ports;
    RealtimeKeyingScheduler scheduler;
    QtSidetone soundCardTone;
    PcSpeakerTone pcSpeakerTone;
    QtWavePlayer wavePlayer;
    QtWaveRecorder recorder;  // the voice keyer's, outside Platform
    SystemClock clock;
    QtHelpViewer help;
    QtBeep beep;
    QtBusyPointer busy;
    PosixTcpConnector network;
    PosixUdpSender udp;
    PosixProcessLauncher processes;
    PosixTcpStreamConnector streams;

    Platform services();
    KeyerDevices keyerDevices() { return {scheduler, soundCardTone, pcSpeakerTone}; }
};

}  // namespace keslog
