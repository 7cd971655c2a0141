#include "cluster/ClusterClient.h"

#include <algorithm>
#include <cctype>

#include "cluster/TelnetText.h"
#include "model/Text.h"

namespace keslog {

namespace {

constexpr int kReadSliceMs = 100;  // how soon a stop is noticed while reading
constexpr int kLongestBackoff = 8;

bool endsWithAny(const std::string& text, std::initializer_list<std::string_view> endings) {
    return std::any_of(endings.begin(), endings.end(),
                       [&](std::string_view e) { return text.ends_with(e); });
}

std::string lowerTrimmed(std::string_view text) {
    std::string lower = trimRight(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Where the login stands on one connection.
class Login {
  public:
    explicit Login(const ClusterConfig& config) : config_(config) {}

    // The lines to send after this text arrived: a completed line or the
    // part line waiting for an answer.
    void read(const std::string& text, std::vector<std::string>& answers) {
        const std::string lower = lowerTrimmed(text);
        if (!callSent_ && endsWithAny(lower, {"login:", "call:", "callsign:"})) {
            answers.push_back(config_.call);
            callSent_ = true;
        } else if (callSent_ && !passwordSent_ && !commandsSent_ && lower.ends_with("password:")) {
            answers.push_back(config_.password);
            passwordSent_ = true;
        } else if (callSent_ && !commandsSent_ && lower.ends_with(">")) {
            takeCommands(answers);
        }
    }

    // The commands when the cluster has been quiet long enough after the login.
    void quiet(std::chrono::steady_clock::duration silence, std::vector<std::string>& answers) {
        if (callSent_ && !commandsSent_ && silence >= config_.quietBeforeCommands)
            takeCommands(answers);
    }

    bool loggedIn() const { return callSent_; }

  private:
    void takeCommands(std::vector<std::string>& answers) {
        commandsSent_ = true;
        answers.insert(answers.end(), config_.commands.begin(), config_.commands.end());
    }

    const ClusterConfig& config_;
    bool callSent_ = false;
    bool passwordSent_ = false;
    bool commandsSent_ = false;
};

}  // namespace

std::optional<ClusterConfig> clusterConfigOf(const Settings& settings) {
    ClusterConfig config;
    config.host = trim(settings.ClusterHost);
    const std::string port = trim(settings.ClusterPort);
    const bool digits =
        !port.empty() && port.size() <= 5 &&
        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (config.host.empty() || !digits || std::stoi(port) < 1 || std::stoi(port) > 65535)
        return std::nullopt;
    config.port = std::stoi(port);
    config.call = trim(settings.ClusterCall);
    if (config.call.empty()) config.call = trim(settings.YourCall);
    config.password = settings.ClusterPassword;
    config.commands = clusterCommands(settings.ClusterCommands);
    return config;
}

std::vector<std::string> clusterCommands(std::string_view setting) {
    std::vector<std::string> commands;
    while (!setting.empty()) {
        const std::size_t end = std::min(setting.find(';'), setting.size());
        std::string command = trim(setting.substr(0, end));
        if (!command.empty()) commands.push_back(std::move(command));
        setting.remove_prefix(std::min(end + 1, setting.size()));
    }
    return commands;
}

ClusterClient::ClusterClient(ITcpStreamConnector& connector, ClusterConfig config,
                             ClusterEvents events)
    : connector_(connector), config_(std::move(config)), events_(std::move(events)) {
    worker_ = std::thread([this] { run(); });
}

ClusterClient::~ClusterClient() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        if (stream_) stream_->shutdown();
    }
    wake_.notify_all();
    worker_.join();
}

Status ClusterClient::send(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (!stream_) return Status::error("Not connected to the cluster");
    return stream_->write(line + "\r\n");
}

void ClusterClient::report(ClusterState state, const std::string& text,
                           std::chrono::milliseconds retryIn) {
    // Each failed attempt is told: its wait is news to the status line.
    if (reported_ && state != ClusterState::Down && state == lastState_ && text == lastText_)
        return;
    reported_ = true;
    lastState_ = state;
    lastText_ = text;
    if (events_.state) events_.state(state, text, retryIn);
}

bool ClusterClient::stopping() {
    std::lock_guard lock(mutex_);
    return stopping_;
}

bool ClusterClient::waitUntil(Clock::time_point when) {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, when, [this] { return stopping_; });
    return !stopping_;
}

void ClusterClient::run() {
    const std::string where = config_.host + ":" + std::to_string(config_.port);
    Clock::time_point nextAttempt = Clock::now();
    int backoff = 1;  // retry intervals to wait after a failed attempt
    while (waitUntil(nextAttempt)) {
        const Clock::time_point attempt = Clock::now();
        // While down, the attempts go unreported until one succeeds.
        if (!reported_ || lastState_ != ClusterState::Down)
            report(ClusterState::Connecting, "Connecting to " + where);
        Result<std::unique_ptr<ITcpStream>> connected = connector_.connect(
            config_.host, config_.port, static_cast<int>(config_.connectTimeout.count()));
        if (!connected) {
            const auto wait = config_.retryInterval * backoff;
            nextAttempt = attempt + wait;
            backoff = std::min(backoff * 2, kLongestBackoff);
            report(ClusterState::Down, connected.status().message(),
                   std::chrono::duration_cast<std::chrono::milliseconds>(wait));
            continue;
        }
        backoff = 1;
        nextAttempt = attempt + config_.retryInterval;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) break;
            stream_ = std::move(*connected);
        }
        report(ClusterState::Connected, "Connected to " + where);
        session(*stream_, nextAttempt);
        {
            std::lock_guard lock(mutex_);
            stream_.reset();
        }
    }
}

void ClusterClient::session(ITcpStream& stream, Clock::time_point nextAttempt) {
    TelnetText text;
    Login login(config_);
    Clock::time_point lastText = Clock::now();
    while (!stopping()) {
        const Result<std::string> bytes = stream.read(kReadSliceMs);
        if (!bytes) {
            // Our own shutdown is no loss to report.
            if (!stopping())
                report(ClusterState::Down, "Lost " + config_.host + ": " + bytes.status().message(),
                       std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::max(nextAttempt - Clock::now(), Clock::duration::zero())));
            return;
        }
        std::vector<std::string> answers;
        if (bytes->empty()) {
            login.quiet(Clock::now() - lastText, answers);
        } else {
            lastText = Clock::now();
            for (const std::string& line : text.feed(*bytes)) {
                login.read(line, answers);
                if (events_.line) events_.line(line);
            }
            login.read(text.pending(), answers);
        }
        for (const std::string& answer : answers)
            if (!send(answer)) break;  // the next read finds the connection gone
    }
}

}  // namespace keslog
