#include "support/FakePlatform.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace keslog::test {

MsgResult FakeMessageBox::show(const MessageRequest& request) {
    shown.push_back(request);
    if (!answers.empty()) {
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    switch (request.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgResult::Yes;
        case MsgButtons::RetryCancel:
            return MsgResult::Retry;
        case MsgButtons::Ok:
        case MsgButtons::OkCancel:
            break;
    }
    return MsgResult::Ok;
}

void FakeKeyingScheduler::advanceTo(KeyTime target) {
    for (;;) {
        // The earliest due edge or action; edges first at equal times.
        auto edge = std::min_element(pending_.begin(), pending_.end(),
                                     [](const Edge& a, const Edge& b) { return a.at < b.at; });
        auto action =
            std::min_element(actions_.begin(), actions_.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        const bool edgeDue = edge != pending_.end() && edge->at <= target;
        const bool actionDue = action != actions_.end() && action->first <= target;
        if (edgeDue && (!actionDue || edge->at <= action->first)) {
            const Edge e = *edge;
            pending_.erase(edge);
            clock = std::max(clock, e.at);
            edges.push_back(e);
            if (onEdge_) onEdge_(e.keyDown);
        } else if (actionDue) {
            auto run = std::move(action->second);
            clock = std::max(clock, action->first);
            actions_.erase(action);
            run();
        } else {
            break;
        }
    }
    clock = std::max(clock, target);
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "keslog-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& contents) const {
    std::ofstream out(file(name), std::ios::binary);
    out << contents;
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

LoopbackSocket::LoopbackSocket(Kind kind)
    : fd_(::socket(AF_INET, (kind == Udp ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        (kind == TcpListening && ::listen(fd_, 2) != 0) ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no loopback socket");
    port_ = ntohs(address.sin_port);
}

LoopbackSocket::~LoopbackSocket() {
    ::close(fd_);
}

std::string shippedFile(const std::string& name) {
    std::ifstream in(std::string(KESLOG_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("shipped file missing: " + name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void copyShippedStartupFiles(const TempDir& dir) {
    for (const char* name :
         {"KESLOG90.INI", "KESLOG90.DAT", "SS-SECTIONS.TXT", "NA-MULTS.TXT", "arrl.cty"})
        dir.write(name, shippedFile(name));
}

void copyShippedStartupFilesKeyingCW(const TempDir& dir) {
    copyShippedStartupFiles(dir);
    std::string settings = shippedFile("KESLOG90.INI");
    const std::pair<std::string, std::string> changes[] = {
        {"CWActivated=False", "CWActivated=True"},
        {"CWComport=[none]", "CWComport=Com1"},
        {"YourCall=", "YourCall=W6XX"},  // empty in the shipped file
    };
    for (const auto& [from, to] : changes) {
        const std::size_t at = settings.find(from);
        if (at == std::string::npos) throw std::runtime_error("shipped settings lack " + from);
        settings.replace(at, from.size(), to);
    }
    dir.write("KESLOG90.INI", settings);
}

namespace {

class FakeTcpConnection : public ITcpConnection {
  public:
    explicit FakeTcpConnection(std::shared_ptr<FakeTcpConnector::Link> link)
        : link_(std::move(link)) {}
    State state() override { return link_->state; }
    void send(std::string_view bytes) override {
        if (link_->state == State::Open) link_->sent.append(bytes);
    }
    std::string receive() override { return std::exchange(link_->incoming, {}); }
    std::string error() const override { return link_->error; }

  private:
    std::shared_ptr<FakeTcpConnector::Link> link_;
};

}  // namespace

Result<std::unique_ptr<ITcpStream>> FakeTcpStreamConnector::connect(const std::string& host,
                                                                    int port, int) {
    std::lock_guard lock(mutex);
    addresses.push_back(host + ":" + std::to_string(port));
    return Status::error("Cannot reach " + host);
}

std::unique_ptr<ITcpConnection> FakeTcpConnector::connect(const std::string& host, int port) {
    addresses.push_back(host + ":" + std::to_string(port));
    if (real) return real->connect(host, port);
    auto link = std::make_shared<Link>();
    link->state = nextState;
    links.push_back(link);
    return std::make_unique<FakeTcpConnection>(link);
}

Status FakeUdpSender::send(const std::string& host, int port, std::string_view datagram) {
    if (real) return real->send(host, port, datagram);
    if (!failure.empty()) return Status::error(failure);
    sent.emplace_back(datagram);
    return Status::ok();
}

namespace {

class FakeChildProcess : public IChildProcess {
  public:
    explicit FakeChildProcess(std::shared_ptr<FakeProcessLauncher::Child> child)
        : child_(std::move(child)) {}
    ~FakeChildProcess() override { child_->stopped = true; }
    FakeChildProcess(const FakeChildProcess&) = delete;
    FakeChildProcess& operator=(const FakeChildProcess&) = delete;
    bool running() override { return child_->running; }
    std::string errorOutput() override { return child_->errors; }

  private:
    std::shared_ptr<FakeProcessLauncher::Child> child_;
};

}  // namespace

Result<std::unique_ptr<IChildProcess>> FakeProcessLauncher::start(
    const std::vector<std::string>& argv) {
    started.push_back(argv);
    if (real) return real->start(argv);
    if (!failure.empty()) return Status::error(failure);
    children.push_back(std::make_shared<Child>());
    return std::unique_ptr<IChildProcess>(std::make_unique<FakeChildProcess>(children.back()));
}

}  // namespace keslog::test
