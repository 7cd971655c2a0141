#include "rig/RigClient.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace keslog {

namespace {

// A whole positive number of hertz, as rigctld prints it ("14025000", or
// with a fraction by some versions); -1 for anything else.
std::int64_t parseHz(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return -1;
    if (!(value > 0 && value < 1e12)) return -1;
    return static_cast<std::int64_t>(value + 0.5);
}

bool isModeName(std::string_view text) {
    return !text.empty() && text.size() <= 16 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

std::string_view valueAfter(std::string_view line, std::string_view key) {
    return line.starts_with(key) ? line.substr(key.size()) : std::string_view{};
}

// A whole number 0..limit made of digits only; -1 otherwise.
int smallNumber(std::string_view text, int limit) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || ec != std::errc() ||
        end != text.data() + text.size() || value > limit)
        return -1;
    return value;
}

bool isIpv4(std::string_view host) {
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? host.find('.') : host.size();
        if (dot == std::string_view::npos || smallNumber(host.substr(0, dot), 255) < 0)
            return false;
        host.remove_prefix(std::min(dot + 1, host.size()));
    }
    return host.empty();
}

}  // namespace

std::optional<RigAddress> parseRigAddress(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view host = text.substr(0, colon);
    const int port = smallNumber(text.substr(colon + 1), 65535);
    if (port < 1 || (host != "localhost" && !isIpv4(host))) return std::nullopt;
    return RigAddress{std::string(host), port};
}

Result<std::vector<std::string>> rigctldCommand(std::string_view model, std::string_view device,
                                                std::string_view address) {
    const int number = smallNumber(model, 999999);
    if (number < 1)
        return Status::error("the model \"" + std::string(model) +
                             "\" is not a hamlib model number (rigctld -l lists them)");
    const auto where = parseRigAddress(address);
    if (!where)
        return Status::error("\"" + std::string(address) +
                             "\" is not an address and port, such as 127.0.0.1:4532");
    std::vector<std::string> command{"rigctld", "-m", std::to_string(number)};
    if (!device.empty()) command.insert(command.end(), {"-r", std::string(device)});
    command.insert(command.end(), {"-T", "127.0.0.1", "-t", std::to_string(where->port)});
    return command;
}

std::string lastLineOf(std::string_view output) {
    std::string last;
    while (!output.empty()) {
        const std::size_t end = std::min(output.find('\n'), output.size());
        const std::string line = std::string(output.substr(0, end));
        if (line.find_first_not_of(" \t\r") != std::string::npos) last = line;
        output.remove_prefix(std::min(end + 1, output.size()));
    }
    while (!last.empty() && (last.back() == '\r' || last.back() == ' ')) last.pop_back();
    return last;
}

RigClient::RigClient(ITcpConnector& network, std::string host, int port)
    : network_(network), host_(std::move(host)), port_(port) {}

RigChanges RigClient::poll(std::int64_t nowMs) {
    RigChanges changes;
    if (!connection_) {
        if (nowMs < nextConnectMs_) return changes;
        connection_ = network_.connect(host_, port_);
        connectStartMs_ = nowMs;
    }
    ITcpConnection::State state = connection_->state();
    if (state == ITcpConnection::State::Connecting) {
        if (nowMs - connectStartMs_ >= kAnswerTimeoutMs)
            goOffline(nowMs, "rigctld did not accept the connection within a second.", changes);
        return changes;
    }
    // Replies that came just before the other end hung up still count.
    if (state == ITcpConnection::State::Open) readReplies(changes);
    if (connection_->state() == ITcpConnection::State::Closed) {
        goOffline(nowMs, connection_->error(), changes);
        return changes;
    }
    if (!pending_.empty() && nowMs - pending_.front().sentMs >= kAnswerTimeoutMs) {
        goOffline(nowMs, "rigctld did not answer within a second.", changes);
        return changes;
    }
    if (pending_.empty()) {
        send(Ask::Frequency, "+f\n", nowMs);
        send(Ask::Mode, "+m\n", nowMs);
    }
    return changes;
}

void RigClient::setFrequency(std::int64_t hz, std::int64_t nowMs) {
    send(Ask::Set, "+F " + std::to_string(hz) + "\n", nowMs);
}

void RigClient::setMode(const std::string& mode, std::int64_t nowMs) {
    // Passband 0: the rig's own default width for the mode.
    send(Ask::Set, "+M " + mode + " 0\n", nowMs);
}

void RigClient::send(Ask ask, const std::string& line, std::int64_t nowMs) {
    if (!connection_ || connection_->state() != ITcpConnection::State::Open) return;
    connection_->send(line);
    pending_.push_back({ask, nowMs});
}

void RigClient::readReplies(RigChanges& changes) {
    received_ += connection_->receive();
    std::size_t start = 0;
    for (std::size_t end; (end = received_.find('\n', start)) != std::string::npos;
         start = end + 1) {
        std::string_view line(received_.data() + start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (const auto hz = valueAfter(line, "Frequency: "); !hz.empty()) {
            reply_.hz = parseHz(hz);
        } else if (const auto mode = valueAfter(line, "Mode: "); !mode.empty()) {
            reply_.mode = isModeName(mode) ? std::string(mode) : std::string();
        } else if (const auto code = valueAfter(line, "RPRT "); !code.empty()) {
            const auto [end2, ec] =
                std::from_chars(code.data(), code.data() + code.size(), reply_.code);
            // An unreadable result is no end of a reply; the timeout ends it.
            if (ec == std::errc() && end2 == code.data() + code.size()) finishReply(changes);
        }
        // Anything else (the command's echo, the passband, noise) says nothing.
    }
    received_.erase(0, start);
    // A line that never ends is noise, not a reply worth the memory.
    if (received_.size() > 4096) received_.clear();
}

void RigClient::finishReply(RigChanges& changes) {
    const Reply reply = std::exchange(reply_, {});
    if (pending_.empty()) return;  // an answer to nothing asked
    const Ask ask = pending_.front().ask;
    pending_.pop_front();
    retryDelayMs_ = kFirstRetryMs;
    setLink(RigLink::Online, changes);
    if (reply.code != 0) return;
    // An answer asked before a setting still on its way is already stale.
    const bool settingPending = std::any_of(pending_.begin(), pending_.end(),
                                            [](const Pending& p) { return p.ask == Ask::Set; });
    if (settingPending) return;
    RigReading next = reading_;
    if (ask == Ask::Frequency && reply.hz > 0) next.hz = reply.hz;
    if (ask == Ask::Mode && !reply.mode.empty()) next.mode = reply.mode;
    if (next != reading_) {
        reading_ = next;
        changes.reading = true;
    }
}

void RigClient::goOffline(std::int64_t nowMs, std::string why, RigChanges& changes) {
    connection_.reset();
    pending_.clear();
    received_.clear();
    reply_ = {};
    lastError_ = std::move(why);
    nextConnectMs_ = nowMs + retryDelayMs_;
    retryDelayMs_ = std::min(retryDelayMs_ * 2, kLongestRetryMs);
    setLink(RigLink::Offline, changes);
}

void RigClient::setLink(RigLink link, RigChanges& changes) {
    if (link_ == link) return;
    link_ = link;
    changes.link = true;
}

}  // namespace keslog
