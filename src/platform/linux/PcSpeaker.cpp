#include "platform/linux/PcSpeaker.h"

#include <fcntl.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>

namespace keslog {

namespace {

constexpr const char* kTitle = "CW Sidetone";

bool soundsTones(IDeviceCalls& calls, int fd) {
    unsigned long bits[1 + SND_MAX / (sizeof(unsigned long) * CHAR_BIT)] = {};
    if (calls.ioctl(fd, EVIOCGBIT(EV_SND, sizeof(bits)), bits) < 0) return false;
    constexpr std::size_t perWord = sizeof(unsigned long) * CHAR_BIT;
    return (bits[SND_TONE / perWord] >> (SND_TONE % perWord)) & 1UL;
}

}  // namespace

PcSpeakerTone::~PcSpeakerTone() {
    if (fd_ >= 0) {
        setTone(false);
        calls_.close(fd_);
    }
}

Status PcSpeakerTone::prepare() {
    if (fd_ >= 0) return Status::ok();
    std::string deniedPath;
    for (const std::string& path : candidates_()) {
        const int fd = calls_.open(path, O_WRONLY | O_CLOEXEC);
        if (fd == -EACCES || fd == -EPERM) {
            if (deniedPath.empty()) deniedPath = path;
            continue;
        }
        if (fd < 0) continue;
        if (soundsTones(calls_, fd)) {
            fd_ = fd;
            return Status::ok();
        }
        calls_.close(fd);
    }
    if (!deniedPath.empty())
        return Status::error("The PC speaker cannot sound the CW sidetone: permission denied on " +
                                 deniedPath +
                                 ". Add your user to the group input (sudo adduser $USER input), "
                                 "then log out and in again, or choose the sound card for the "
                                 "sidetone in the Preferences.",
                             kTitle);
    return Status::error(
        "The PC speaker cannot sound the CW sidetone: this computer has no PC-speaker device "
        "(its driver is pcspkr: sudo modprobe pcspkr). Choose the sound card for the sidetone "
        "in the Preferences.",
        kTitle);
}

void PcSpeakerTone::setTone(bool on) {
    if (fd_ < 0) return;
    input_event event{};
    event.type = EV_SND;
    event.code = SND_TONE;
    event.value = on ? frequency_ : 0;
    calls_.write(fd_, &event, sizeof(event));
}

std::vector<std::string> pcSpeakerCandidates() {
    std::vector<std::string> paths{"/dev/input/by-path/platform-pcspkr-event-spkr"};
    std::vector<std::string> events;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/input", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("event")) events.push_back(entry.path().string());
    }
    std::sort(events.begin(), events.end());
    paths.insert(paths.end(), events.begin(), events.end());
    return paths;
}

}  // namespace keslog
