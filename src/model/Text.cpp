#include "model/Text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace keslog {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::string_view trimmedView(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) ++begin;
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string trim(std::string_view text) {
    return std::string(trimmedView(text));
}

std::string trimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool any = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        any = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            any = true;
            ++i;
        }
    }
    if (!any) return 0;
    return negative ? -value : value;
}

std::string numberText(long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

long roundHalfEven(double value) {
    return std::lrint(value);
}

std::string countText(long count) {
    return count == 0 ? "--" : std::to_string(count);
}

std::string averageText(double total, double count) {
    if (count == 0) return "----";
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", total / count);
    const std::string_view shown(text);
    return shown == "0.00" || shown == "-0.00" ? "----" : std::string(shown);
}

}  // namespace keslog
