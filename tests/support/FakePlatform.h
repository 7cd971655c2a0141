#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Keying.h"
#include "platform/Platform.h"
#include "platform/PortDevices.h"

namespace keslog::test {

// Answers message boxes from a queue (OK/first button when empty) and
// records every request, so tests assert the exact texts.
class FakeMessageBox : public IMessageBox {
  public:
    MsgResult show(const MessageRequest& request) override;
    void answer(MsgResult result) { answers.push_back(result); }

    std::deque<MsgResult> answers;
    std::vector<MessageRequest> shown;
};

class FakeFileDialog : public IFileDialog {
  public:
    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        return saveFile(request);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers;  // nullopt: cancelled
    std::vector<FileDialogRequest> requests;
};

class FakeTimer : public ITimer {
  public:
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool on) override { enabled_ = on; }
    bool enabled() const override { return enabled_; }
    void setHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }
    void tick() {
        if (enabled_ && onTick_) onTick_();
    }

  private:
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> onTick_;
};

class FakeTimerFactory : public ITimerFactory {
  public:
    std::unique_ptr<ITimer> createTimer() override {
        auto timer = std::make_unique<FakeTimer>();
        created.push_back(timer.get());
        return timer;
    }
    std::vector<FakeTimer*> created;  // owned by the caller
};

class FakeEventPump : public IEventPump {
  public:
    void processPendingEvents() override {
        ++calls;
        if (onPump) onPump();
    }
    void processEventsHoldingInput() override { ++heldCalls; }
    int calls = 0;
    int heldCalls = 0;
    std::function<void()> onPump;
};

class FakeKeyState : public IKeyState {
  public:
    bool wasPressed(AsyncKey key) override { return std::exchange(pressed[key], false); }
    void press(AsyncKey key) { pressed[key] = true; }
    std::map<AsyncKey, bool> pressed;
};

// Records every line change as "open 1", "dtr 1 on", ...
class FakeSerialLines : public ISerialLines {
  public:
    Status open(int port) override {
        events.push_back("open " + std::to_string(port));
        if (failOpen) return Status::error("Com" + std::to_string(port) + " is missing");
        openPorts.insert(port);
        return Status::ok();
    }
    void close(int port) override {
        events.push_back("close " + std::to_string(port));
        openPorts.erase(port);
    }
    bool isOpen(int port) const override { return openPorts.contains(port); }
    Status setDtr(int port, bool on) override {
        events.push_back("dtr " + std::to_string(port) + (on ? " on" : " off"));
        if (failDtr) return Status::error("Com" + std::to_string(port) + " stopped answering");
        return Status::ok();
    }

    std::vector<std::string> events;
    std::set<int> openPorts;
    bool failOpen = false;
    bool failDtr = false;  // the device went away after opening
};

class FakePortIo : public IPortIo {
  public:
    Result<std::uint8_t> readByte(std::uint16_t address) override { return registers[address]; }
    Status writeByte(std::uint16_t address, std::uint8_t value) override {
        registers[address] = value;
        writes.emplace_back(address, value);
        return Status::ok();
    }
    std::map<std::uint16_t, std::uint8_t> registers;
    std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
};

class FakeWavePlayer : public IWavePlayer {
  public:
    Status open(const std::string& path) override {
        commands.push_back("Open " + path);
        if (failOpen) return Status::error("cannot open " + path);
        error_ = Status::ok();
        return command("", WaveMode::Stopped);
    }
    void play() override { command("Play", WaveMode::Playing); }
    void pause() override { command("pause", WaveMode::Paused); }
    void stop() override { command("Stop", WaveMode::Stopped); }
    void rewind() override { command("Prev", mode_); }
    void close() override { command("Close", WaveMode::NotReady); }
    WaveMode mode() const override { return mode_; }
    int lengthMs() const override { return length; }
    void setPositionHandler(std::function<void(int)> onPosition) override {
        onPosition_ = std::move(onPosition);
    }
    Status playbackError() const override { return error_; }
    void reportPosition(int ms) {
        if (onPosition_) onPosition_(ms);
    }
    // The file played to its end, or broke off with `error`.
    void endPlayback(const std::string& error = {}) {
        mode_ = WaveMode::Stopped;
        if (!error.empty()) error_ = Status::error(error);
    }

    std::vector<std::string> commands;
    int length = 1000;
    bool failOpen = false;

  private:
    Status command(const std::string& name, WaveMode next) {
        if (!name.empty()) commands.push_back(name);
        mode_ = next;
        return Status::ok();
    }
    WaveMode mode_ = WaveMode::NotReady;
    Status error_;
    std::function<void(int)> onPosition_;
};

// Records "start <path>" and "stop"; the file is written at the stop.
class FakeWaveRecorder : public IWaveRecorder {
  public:
    Status start(const std::string& path) override {
        commands.push_back("start " + path);
        recording_ = recording_ || failStart.empty();
        return failStart.empty() ? Status::ok() : Status::error(failStart);
    }
    Status stop() override {
        commands.push_back("stop");
        recording_ = false;
        return failStop.empty() ? Status::ok() : Status::error(failStop);
    }
    bool recording() const override { return recording_; }

    std::vector<std::string> commands;
    std::string failStart;  // the reason start fails with, when not empty
    std::string failStop;

  private:
    bool recording_ = false;
};

class FakeClock : public IClock {
  public:
    DateTime now() const override { return time; }
    double secondsSinceMidnight() const override {
        return time.hour * 3600.0 + time.minute * 60.0 + time.second + fraction;
    }
    DateTime time{2026, 11, 28, 12, 0, 0};
    double fraction = 0;
};

class FakeHelpViewer : public IHelpViewer {
  public:
    void show(HelpCommand command) override { shown.push_back(command); }
    std::vector<HelpCommand> shown;
};

class FakeBeep : public IBeep {
  public:
    void beep() override { ++count; }
    int count = 0;
};

class FakeBusyPointer : public IBusyPointer {
  public:
    void setBusy(bool busy) override { history.push_back(busy); }
    void showNotice(const std::string& heading, const std::string& path) override {
        notices.push_back(heading + path);
    }
    void hideNotice() override { notices.emplace_back(); }
    std::vector<bool> history;
    std::vector<std::string> notices;  // an empty one: hidden
};

// The keyer's time base on demand: scheduled edges run when the keyer waits
// past them, in time order, with the clock set to each edge's time; timed
// actions (a key pressed at 100 ms) run the same way.
class FakeKeyingScheduler : public IKeyingScheduler {
  public:
    struct Edge {
        KeyTime at;
        bool keyDown;
        bool operator==(const Edge&) const = default;
    };

    KeyTime now() const override { return clock; }
    KeyTime startTime() const override { return clock; }
    void setEdgeHandler(std::function<void(bool)> onEdge) override { onEdge_ = std::move(onEdge); }
    void schedule(KeyTime at, bool keyDown) override { pending_.push_back({at, keyDown}); }
    void awaitTurn(KeyTime at) override { advanceTo(at); }
    void finish(KeyTime at) override {
        advanceTo(at);
        ++finishes;
    }
    void at(KeyTime when, std::function<void()> action) {
        actions_.emplace_back(when, std::move(action));
    }
    void advanceTo(KeyTime at);

    KeyTime clock = 0;
    std::vector<Edge> edges;  // the edges that ran
    int finishes = 0;

  private:
    std::function<void(bool)> onEdge_;
    std::vector<Edge> pending_;
    std::vector<std::pair<KeyTime, std::function<void()>>> actions_;
};

// Records "prepare", "on", "off" and "stop".
class FakeSidetone : public ISidetone {
  public:
    Status prepare() override {
        events.push_back("prepare");
        return failPrepare ? Status::error("No sound output device was found.") : Status::ok();
    }
    void setTone(bool on) override { events.push_back(on ? "on" : "off"); }
    void stop() override { events.push_back("stop"); }
    std::vector<std::string> events;
    bool failPrepare = false;
};

// The device files a machine would offer.
class FakePortDevices : public IPortDevices {
  public:
    std::vector<std::string> serialDevices() const override { return serial; }
    std::vector<std::string> parallelDevices() const override { return parallel; }
    std::vector<std::string> serial{"/dev/ttyS0", "/dev/ttyUSB0"};
    std::vector<std::string> parallel{"/dev/parport0"};
};

// Connections whose far end the test plays: it reads what was sent and
// hands over what arrives. Without a rig set up, every connect is refused.
class FakeTcpConnector : public ITcpConnector {
  public:
    struct Link {
        ITcpConnection::State state = ITcpConnection::State::Closed;
        std::string sent;
        std::string incoming;
        std::string error = "connect: Connection refused";
    };
    std::unique_ptr<ITcpConnection> connect(const std::string& host, int port) override;

    ITcpConnection::State nextState = ITcpConnection::State::Closed;
    ITcpConnector* real = nullptr;             // when set, connects go there instead
    std::vector<std::string> addresses;        // "host:port" of each connect
    std::vector<std::shared_ptr<Link>> links;  // one per connect
};

// Datagrams kept for the test to read; a set failure refuses every send.
class FakeUdpSender : public IUdpSender {
  public:
    Status send(const std::string& host, int port, std::string_view datagram) override;
    std::vector<std::string> sent;
    std::string failure;
    IUdpSender* real = nullptr;  // when set, sends go there instead
};

// Programs the test plays: each start records its arguments and hands out a
// child the test can end and make speak; a set failure refuses the start.
class FakeProcessLauncher : public IProcessLauncher {
  public:
    struct Child {
        bool running = true;
        std::string errors;
        bool stopped = false;  // its owner let it go
    };
    Result<std::unique_ptr<IChildProcess>> start(const std::vector<std::string>& argv) override;
    std::vector<std::vector<std::string>> started;
    std::vector<std::shared_ptr<Child>> children;
    std::string failure;
    IProcessLauncher* real = nullptr;  // when set, starts go there instead
};

// Refuses every cluster connection, noting where it was asked to go.
class FakeTcpStreamConnector : public ITcpStreamConnector {
  public:
    Result<std::unique_ptr<ITcpStream>> connect(const std::string& host, int port,
                                                int timeoutMs) override;
    std::mutex mutex;  // the cluster client asks from its own thread
    std::vector<std::string> addresses;
};

// The services a test puts in place of the fakes; the rest stay fakes.
struct ServiceReplacements {
    IMessageBox* messageBox = nullptr;
    ITimerFactory* timers = nullptr;
    IKeyState* keys = nullptr;
    ISerialLines* serial = nullptr;
    IPortIo* ports = nullptr;
    IWavePlayer* wavePlayer = nullptr;
};

// Every fake in one place; services() hands them out as a Platform.
struct FakePlatform {
    FakeMessageBox messageBox;
    FakeFileDialog fileDialog;
    FakeTimerFactory timers;
    FakeEventPump events;
    FakeKeyState keys;
    FakeSerialLines serial;
    FakePortIo ports;
    FakeWavePlayer wavePlayer;
    FakeClock clock;
    FakeHelpViewer help;
    FakeBeep beep;
    FakeBusyPointer busy;
    FakeTcpConnector network;
    FakeUdpSender udp;
    FakeProcessLauncher processes;
    FakeTcpStreamConnector streams;

    Platform services(ServiceReplacements in = {}) {
        const auto fill = [](auto*& service, auto& fake) { service = service ? service : &fake; };
        fill(in.messageBox, messageBox);
        fill(in.timers, timers);
        fill(in.keys, keys);
        fill(in.serial, serial);
        fill(in.ports, ports);
        fill(in.wavePlayer, wavePlayer);
        return {*in.messageBox, fileDialog, *in.timers, events, *in.keys, *in.serial, *in.ports,
                *in.wavePlayer, clock,      help,       beep,   busy,     network,    udp,
                processes,      streams};
    }
};

// A fresh empty folder under the system's temporary folder, removed again
// when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }  // ends in "/"
    std::string file(const std::string& name) const { return path_ + name; }
    void write(const std::string& name, const std::string& contents) const;
    std::string read(const std::string& name) const;

  private:
    std::string path_;
};

// A socket bound to a free loopback port, closed when the object goes: a UDP
// one, or a TCP one listening there.
class LoopbackSocket {
  public:
    enum Kind { Udp, TcpListening };
    explicit LoopbackSocket(Kind kind = Udp);
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    int fd() const { return fd_; }
    int port() const { return port_; }

  private:
    int fd_;
    int port_ = 0;
};

// A loopback port free a moment ago, for a daemon the test starts there.
inline int freeLoopbackPort(LoopbackSocket::Kind kind) {
    return LoopbackSocket(kind).port();
}

// Copies the shipped start-up files (settings, reference data, country
// file) from the source tree's data folder into dir.
void copyShippedStartupFiles(const TempDir& dir);

// The same with CW keying on, through Com1, and the own call W6XX, for
// sessions whose messages go out.
void copyShippedStartupFilesKeyingCW(const TempDir& dir);

// A shipped data file's bytes, read from the source tree.
std::string shippedFile(const std::string& name);

}  // namespace keslog::test
