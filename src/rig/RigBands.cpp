#include "rig/RigBands.h"

#include <array>

namespace keslog {

namespace {

struct BandEdges {
    int band;
    std::int64_t lowHz;
    std::int64_t highHz;
    std::int64_t phoneStartHz;  // CW starts at the low edge
};

constexpr std::array<BandEdges, kBandCount> kBands{{
    {band::B160, 1'800'000, 2'000'000, 1'843'000},
    {band::B80, 3'500'000, 4'000'000, 3'600'000},
    {band::B40, 7'000'000, 7'300'000, 7'125'000},
    {band::B20, 14'000'000, 14'350'000, 14'150'000},
    {band::B15, 21'000'000, 21'450'000, 21'200'000},
    {band::B10, 28'000'000, 29'700'000, 28'300'000},
    {band::B6, 50'000'000, 54'000'000, 50'100'000},
    {band::B2, 144'000'000, 148'000'000, 144'200'000},
}};

const BandEdges* edgesOf(int band) {
    for (const BandEdges& b : kBands)
        if (b.band == band) return &b;
    return nullptr;
}

}  // namespace

int bandOfFrequency(std::int64_t hz) {
    for (const BandEdges& b : kBands)
        if (hz >= b.lowHz && hz <= b.highHz) return b.band;
    return 0;
}

std::int64_t qsoFrequencyHz(std::int64_t hz, BandModeCode code) {
    const std::int64_t rounded = (hz + 5) / 10 * 10;
    const int band = bandOfFrequency(rounded);
    return band != 0 && isValidBandMode(code) && band == bandIndexOf(code) ? rounded : 0;
}

BandModeCode bandModeOfReading(BandModeCode current, const RigReading& reading) {
    const int found = bandOfFrequency(reading.hz);
    const int band = found != 0 ? found : bandIndexOf(current);
    bool phone = !isCw(current);
    const std::string_view mode = reading.mode;
    if (mode == "CW" || mode == "CWR") phone = false;
    if (mode == "USB" || mode == "LSB" || mode == "AM" || mode == "FM") phone = true;
    return bandModeCode(band, phone);
}

std::int64_t segmentStartHz(BandModeCode code) {
    const BandEdges* b = edgesOf(bandIndexOf(code));
    return isCw(code) ? b->lowHz : b->phoneStartHz;
}

std::string rigModeOf(BandModeCode code) {
    if (isCw(code)) return "CW";
    return segmentStartHz(code) < 10'000'000 ? "LSB" : "USB";
}

std::string frequencyText(std::int64_t hz) {
    const std::int64_t tens = (hz + 5) / 10;
    std::string whole = std::to_string(tens / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    const int hundredths = static_cast<int>(tens % 100);
    return whole + "." + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

std::optional<std::int64_t> typedFrequencyHz(std::string_view text) {
    std::int64_t hz = 0;
    int decimals = -1;  // digits after the point; -1: no point yet
    for (const char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
        } else if (c >= '0' && c <= '9' && decimals < 3 && hz < 1'000'000'000'000) {
            hz = hz * 10 + (c - '0');
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 3; ++d) hz *= 10;
    // Below 1 MHz it is a number (a serial, a report), not a frequency.
    if (hz < 1'000'000 || hz >= 1'000'000'000'000) return std::nullopt;
    return hz;
}

}  // namespace keslog
