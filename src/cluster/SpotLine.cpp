#include "cluster/SpotLine.h"

#include <cctype>
#include <charconv>
#include <vector>

#include "model/Text.h"

namespace keslog {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string_view> blankSeparated(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ') ++at;
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// Digits with at most one decimal point, above zero and below 1 THz.
std::optional<double> frequencyOf(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty() || whole.size() > 9) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!isDigit(text[i]) && i != point) return std::nullopt;
    double kHz = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kHz);
    if (error != std::errc() || end != text.data() + text.size() || kHz <= 0) return std::nullopt;
    return kHz;
}

// Letters, digits and "/", with at least one letter and one digit.
bool isCall(std::string_view text) {
    bool letter = false;
    bool digit = false;
    for (char c : text) {
        if (isDigit(c))
            digit = true;
        else if (std::isalpha(static_cast<unsigned char>(c)))
            letter = true;
        else if (c != '/')
            return false;
    }
    return letter && digit && text.size() <= 20;
}

// "HHMMZ" of a real time of day; -1 otherwise.
int timeOf(std::string_view text) {
    if (text.size() != 5 || (text[4] != 'Z' && text[4] != 'z')) return -1;
    for (int i = 0; i < 4; ++i)
        if (!isDigit(text[static_cast<std::size_t>(i)])) return -1;
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[2] - '0') * 10 + (text[3] - '0');
    return hours < 24 && minutes < 60 ? hours * 100 + minutes : -1;
}

bool isLocator(std::string_view text) {
    if (text.size() > 8) return false;
    for (char c : text)
        if (!isAlnum(c)) return false;
    return true;
}

bool startsWithDxDe(std::string_view line) {
    return line.size() >= 6 && toUpper(line.substr(0, 6)) == "DX DE ";
}

}  // namespace

std::optional<Spot> parseSpotLine(std::string_view line) {
    line = trimmedView(line);
    if (!startsWithDxDe(line)) return std::nullopt;
    line.remove_prefix(6);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    Spot spot;
    spot.spotter = trim(line.substr(0, colon));
    if (spot.spotter.empty() || spot.spotter.find(' ') != std::string::npos) return std::nullopt;

    // The comment keeps its own spacing, so the words are found as views
    // into the line and the comment is the stretch between two of them.
    const std::string_view rest = line.substr(colon + 1);
    const std::vector<std::string_view> words = blankSeparated(rest);
    if (words.size() < 3) return std::nullopt;
    const auto kHz = frequencyOf(words[0]);
    if (!kHz || !isCall(words[1])) return std::nullopt;

    std::size_t timeWord = words.size() - 1;
    if (timeOf(words[timeWord]) < 0) {
        if (timeWord < 3 || !isLocator(words[timeWord])) return std::nullopt;
        spot.locator = std::string(words[timeWord]);
        --timeWord;
    }
    spot.time = timeOf(words[timeWord]);
    if (spot.time < 0 || timeWord < 2) return std::nullopt;

    spot.frequency = std::string(words[0]);
    spot.kHz = *kHz;
    spot.dxCall = toUpper(words[1]);
    const char* commentStart = words[1].data() + words[1].size();
    spot.comment = trim(std::string_view(commentStart, words[timeWord].data() - commentStart));
    return spot;
}

}  // namespace keslog
