#include "postcontest/SheetText.h"

#include <cstdlib>

namespace keslog {

SheetLine& SheetLine::at(int col, std::string_view text) {
    const auto start = static_cast<std::size_t>(col > 1 ? col - 1 : 0);
    if (text_.size() < start)
        text_.append(start - text_.size(), ' ');
    else if (text_.size() > start)
        text_ += ' ';
    text_ += text;
    return *this;
}

SheetLine& SheetLine::right(int col, int width, std::string_view text) {
    return endingAt(col + width - 1, text);
}

SheetLine& SheetLine::endingAt(int lastCol, std::string_view text) {
    return at(lastCol - static_cast<int>(text.size()) + 1, text);
}

SheetLine& SheetLine::add(std::string_view text) {
    text_ += text;
    return *this;
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

std::string padLeft(std::string_view text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + std::string(text)
                               : std::string(text);
}

std::string number4(long value) {
    return padLeft(std::to_string(value), 4);
}

std::string groupedThousands(long long value) {
    const std::string digits = std::to_string(std::llabs(value));
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

std::string tenthsText(long tenths) {
    const std::string whole = std::to_string(tenths / 10);
    const long rest = std::labs(tenths % 10);
    if (rest == 0) return whole;
    return (tenths < 0 && tenths > -10 ? "-" : "") + whole + "." + std::to_string(rest);
}

std::string ruleLine() {
    return std::string(67, '-');
}

}  // namespace keslog
