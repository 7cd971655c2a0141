#include <string_view>

#include "transmit/CWKeyer.h"

namespace keslog {

namespace {

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, digits and the slash of a portable call; a slash only well inside
// the text (position 3 on, at least 5 places before the end).
std::string callCharacters(const std::string& box) {
    std::string out;
    const std::size_t n = box.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = box[i];
        const std::size_t position = i + 1;
        if (isLetter(c) || isDigit(c) || (c == '/' && position >= 3 && n - position >= 5)) out += c;
    }
    return out;
}

bool isSection(std::string_view text, const MultTable& sections) {
    for (const MultRow& row : sections.rows)
        for (const std::string& form : row.forms)
            if (!form.empty() && form == text) return true;
    return false;
}

}  // namespace

std::string ssExchangeCall(const std::string& exchangeBox, const std::string& callBox,
                           const MultTable& sections) {
    const std::string text = callCharacters(exchangeBox);
    if (text.empty() || isLetter(text.front())) return {};
    bool allNumber = true;
    for (char c : text) allNumber = allNumber && !isLetter(c);
    if (allNumber) return {};

    // Serial number: up to four leading characters that are not letters.
    std::size_t at = 0;
    while (at < text.size() && at < 4 && !isLetter(text[at])) ++at;
    // Precedence.
    if (at >= text.size() || std::string_view("ABQMSU").find(text[at]) == std::string_view::npos)
        return {};
    const std::string rest = text.substr(at + 1);
    if (rest.size() < 4) return {};

    // Section: the last character and the letters before it, five at most.
    std::size_t sectionStart = rest.size() - 1;
    if (!isLetter(rest[sectionStart - 1])) return {};
    while (sectionStart > 0 && rest.size() - sectionStart < 5 && isLetter(rest[sectionStart - 1]))
        --sectionStart;
    if (!isSection(std::string_view(rest).substr(sectionStart), sections)) return {};

    // Check: two characters that are not letters.
    if (sectionStart < 2 || isLetter(rest[sectionStart - 1]) || isLetter(rest[sectionStart - 2]))
        return {};
    std::string call = rest.substr(0, sectionStart - 2);
    if (call == callBox || call.size() <= 3) return {};
    return call;
}

}  // namespace keslog
