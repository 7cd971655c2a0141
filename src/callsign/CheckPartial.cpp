#include "callsign/CheckPartial.h"

#include <algorithm>
#include <array>

namespace keslog {

namespace {

constexpr std::size_t kShortestCall = 3;
constexpr std::size_t kLongestCall = 20;

// Calls are written in 37 characters: A-Z, 0-9 and "/".
constexpr int kSymbolCount = 37;
constexpr std::string_view kSymbols = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";

int symbolOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= '0' && c <= '9') return 26 + (c - '0');
    return c == '/' ? 36 : -1;
}

int pairOf(char a, char b) {
    return symbolOf(a) * kSymbolCount + symbolOf(b);
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

bool isCall(std::string_view text) {
    return text.size() >= kShortestCall && text.size() <= kLongestCall &&
           std::all_of(text.begin(), text.end(), [](char c) { return symbolOf(c) >= 0; });
}

}  // namespace

ScpDatabase ScpDatabase::fromBytes(std::string_view bytes) {
    ScpDatabase db;
    std::string text(bytes);
    std::transform(text.begin(), text.end(), text.begin(), upper);
    std::vector<std::string_view> calls;
    calls.reserve(text.size() / 7);
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = trimmed(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (isCall(line))
            calls.push_back(line);
        else
            ++db.skippedLines_;
    }
    // The published file is in order but for a few lines.
    if (!std::is_sorted(calls.begin(), calls.end())) std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());

    std::size_t total = 0;
    for (std::string_view c : calls) total += c.size();
    db.chars_.reserve(total);
    db.starts_.reserve(calls.size() + 1);
    for (std::string_view c : calls) {
        db.starts_.push_back(static_cast<std::uint32_t>(db.chars_.size()));
        db.chars_ += c;
    }
    db.starts_.push_back(static_cast<std::uint32_t>(db.chars_.size()));
    db.buildPairIndex();
    return db;
}

void ScpDatabase::buildPairIndex() {
    constexpr int kPairs = kSymbolCount * kSymbolCount;
    pairStarts_.assign(kPairs + 1, 0);
    // Each pair once per call, so that a posting list never repeats a call.
    const auto eachPair = [this](std::size_t i, auto&& visit) {
        const std::string_view c = call(i);
        std::array<int, kLongestCall> seen{};
        std::size_t seenCount = 0;
        for (std::size_t k = 1; k < c.size(); ++k) {
            const int p = pairOf(c[k - 1], c[k]);
            if (std::find(seen.begin(), seen.begin() + static_cast<long>(seenCount), p) !=
                seen.begin() + static_cast<long>(seenCount))
                continue;
            seen[seenCount++] = p;
            visit(p);
        }
    };
    for (std::size_t i = 0; i < size(); ++i)
        eachPair(i, [this](int p) { ++pairStarts_[static_cast<std::size_t>(p) + 1]; });
    for (std::size_t p = 0; p < kPairs; ++p) pairStarts_[p + 1] += pairStarts_[p];
    pairCalls_.resize(pairStarts_.back());
    std::vector<std::uint32_t> next(pairStarts_.begin(), pairStarts_.end() - 1);
    for (std::size_t i = 0; i < size(); ++i)
        eachPair(i, [&](int p) {
            pairCalls_[next[static_cast<std::size_t>(p)]++] = static_cast<std::uint32_t>(i);
        });
}

std::size_t ScpDatabase::lowerBound(std::string_view text) const {
    std::size_t low = 0;
    std::size_t high = size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (call(mid) < text)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

bool ScpDatabase::contains(std::string_view c) const {
    const std::size_t i = lowerBound(c);
    return i < size() && call(i) == c;
}

std::vector<std::string_view> ScpDatabase::partial(std::string_view text, std::size_t limit) const {
    std::vector<std::string_view> found;
    if (text.size() < 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return symbolOf(c) >= 0; }))
        return found;
    for (std::size_t i = lowerBound(text); i < size() && found.size() < limit; ++i) {
        if (!call(i).starts_with(text)) break;
        found.push_back(call(i));
    }
    // Only the calls holding the text's rarest pair can hold the text.
    std::size_t best = 0;
    std::size_t bestCount = pairCalls_.size() + 1;
    for (std::size_t k = 1; k < text.size(); ++k) {
        const auto p = static_cast<std::size_t>(pairOf(text[k - 1], text[k]));
        const std::size_t count = pairStarts_[p + 1] - pairStarts_[p];
        if (count < bestCount) {
            best = p;
            bestCount = count;
        }
    }
    for (std::uint32_t k = pairStarts_[best]; k < pairStarts_[best + 1] && found.size() < limit;
         ++k) {
        const std::string_view c = call(pairCalls_[k]);
        if (c.find(text, 1) != std::string_view::npos && !c.starts_with(text)) found.push_back(c);
    }
    return found;
}

std::vector<std::string_view> ScpDatabase::oneOff(std::string_view c, std::size_t limit) const {
    std::vector<std::size_t> hits;
    // Past one character too long, nothing in the database is one edit away.
    if (c.empty() || c.size() > kLongestCall + 1) return {};
    std::array<char, kLongestCall + 2> buffer{};
    const auto lookUp = [&](std::size_t length) {
        const std::string_view candidate(buffer.data(), length);
        const std::size_t i = lowerBound(candidate);
        if (i < size() && call(i) == candidate && candidate != c) hits.push_back(i);
    };
    const auto reset = [&] { std::copy(c.begin(), c.end(), buffer.begin()); };
    const std::size_t n = c.size();
    for (std::size_t k = 0; k < n; ++k) {  // deleted
        reset();
        std::copy(c.begin() + static_cast<long>(k) + 1, c.end(),
                  buffer.begin() + static_cast<long>(k));
        lookUp(n - 1);
    }
    for (std::size_t k = 0; k < n; ++k) {  // changed
        reset();
        for (char s : kSymbols) {
            buffer[k] = s;
            lookUp(n);
        }
    }
    if (n < kLongestCall) {
        for (std::size_t k = 0; k <= n; ++k) {  // inserted
            std::copy(c.begin(), c.begin() + static_cast<long>(k), buffer.begin());
            std::copy(c.begin() + static_cast<long>(k), c.end(),
                      buffer.begin() + static_cast<long>(k) + 1);
            for (char s : kSymbols) {
                buffer[k] = s;
                lookUp(n + 1);
            }
        }
    }
    for (std::size_t k = 0; k + 1 < n; ++k) {  // swapped
        reset();
        std::swap(buffer[k], buffer[k + 1]);
        lookUp(n);
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    if (hits.size() > limit) hits.resize(limit);
    std::vector<std::string_view> found;
    found.reserve(hits.size());
    for (std::size_t i : hits) found.push_back(call(i));
    return found;
}

std::size_t ScpDatabase::memoryBytes() const {
    return sizeof(*this) + chars_.capacity() +
           sizeof(std::uint32_t) *
               (starts_.capacity() + pairStarts_.capacity() + pairCalls_.capacity());
}

}  // namespace keslog
