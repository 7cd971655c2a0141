// Cluster text: the telnet cleaner and the spot-line parser. The first
// byte says where the bytes are cut in two reads; the lines must not depend
// on the cut. Every spot found is well formed and reads back the same from
// the line the spot's own fields make.
#include <cctype>
#include <string>

#include "FuzzSupport.h"
#include "cluster/SpotLine.h"
#include "cluster/TelnetText.h"

namespace {

bool isTimeOfDay(int time) {
    return time >= 0 && time / 100 < 24 && time % 100 < 60;
}

bool isUpperCall(std::string_view call) {
    for (char c : call)
        if (!std::isupper(static_cast<unsigned char>(c)) &&
            !std::isdigit(static_cast<unsigned char>(c)) && c != '/')
            return false;
    return !call.empty();
}

std::string lineOf(const keslog::Spot& spot) {
    char time[8];
    std::snprintf(time, sizeof time, "%04dZ", spot.time);
    return "DX de " + spot.spotter + ": " + spot.frequency + " " + spot.dxCall + " " +
           spot.comment + " " + time + (spot.locator.empty() ? "" : " " + spot.locator);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    if (size == 0) return 0;
    const std::string_view bytes = fuzz::bytesOf(data + 1, size - 1);
    const std::size_t cut = data[0] % (bytes.size() + 1);

    TelnetText whole;
    const std::vector<std::string> lines = whole.feed(bytes);
    TelnetText parts;
    std::vector<std::string> split = parts.feed(bytes.substr(0, cut));
    for (std::string& line : parts.feed(bytes.substr(cut))) split.push_back(std::move(line));
    fuzz::require(split == lines && parts.pending() == whole.pending(),
                  "the same lines however the reads are cut");

    for (const std::string& line : lines) {
        fuzz::require(line.size() <= TelnetText::kMaxLine, "lines no longer than the limit");
        for (char c : line)
            fuzz::require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f,
                          "no control characters in a line");
        const std::optional<Spot> spot = parseSpotLine(line);
        if (!spot) continue;
        fuzz::require(spot->kHz > 0 && !spot->frequency.empty(), "a frequency above zero");
        fuzz::require(isUpperCall(spot->dxCall), "a call of capitals, digits and /");
        fuzz::require(isTimeOfDay(spot->time), "a time of day");
        fuzz::require(!spot->spotter.empty() && spot->spotter.find(' ') == std::string::npos,
                      "a spotter without blanks");
        fuzz::require(parseSpotLine(lineOf(*spot)) == spot, "the spot's own line reads the same");
    }
    return 0;
}
