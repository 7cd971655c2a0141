#include "callsign/Prefix.h"

#include <array>

namespace keslog {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Designators that mark portable operation and never form a prefix.
bool isPlainDesignator(std::string_view d) {
    static constexpr std::array<std::string_view, 5> kPlain{"A", "P", "J", "M", "MM"};
    for (std::string_view p : kPlain)
        if (d == p) return true;
    return false;
}

// The text up to its last digit that is not its first character; without
// one, its first two characters and "0".
std::string plainPrefixOf(std::string_view text) {
    for (std::size_t i = text.size(); i-- > 1;)
        if (isDigit(text[i])) return std::string(text.substr(0, i + 1));
    return std::string(text.substr(0, 2)) + "0";
}

// A one-digit designator moves the call to that call area: the call's
// prefix with its last character replaced by the digit.
std::string movedToArea(std::string_view call, char digit) {
    std::string prefix = plainPrefixOf(call);
    prefix.back() = digit;
    return prefix;
}

std::string prefixOf(std::string_view call) {
    const std::size_t slash = call.find('/');
    if (slash == std::string_view::npos) return plainPrefixOf(call);

    const std::string_view before = call.substr(0, slash);
    const std::string_view after = call.substr(slash + 1);
    const bool designatorFirst = before.size() < after.size();
    const std::string_view designator = designatorFirst ? before : after;
    const std::string_view rest = designatorFirst ? after : before;

    if (isPlainDesignator(designator)) return plainPrefixOf(designatorFirst ? rest : call);
    if (designator.empty()) return plainPrefixOf(call);
    if (designator.size() == 1) {
        if (isDigit(designator[0])) return movedToArea(rest, designator[0]);
        return std::string(designator) + "0";
    }
    const std::size_t n = designator.size();
    if (isDigit(designator[n - 1]) || isDigit(designator[n - 2])) return std::string(designator);
    return std::string(designator) + "0";
}

}  // namespace

std::string WPXPrefixOf(std::string_view call) {
    // A call written with a leading "/" is the call after it.
    while (!call.empty() && call.front() == '/') call.remove_prefix(1);
    if (call.empty()) return {};
    std::string prefix = prefixOf(call);
    if (prefix == "C6A") prefix = "C6";
    return prefix;
}

}  // namespace keslog
