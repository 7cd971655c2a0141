#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace keslog {

// Blanks and tabs trimmed from both ends.
std::string trim(std::string_view text);
// The same part of text, without a copy.
std::string_view trimmedView(std::string_view text);
std::string trimRight(std::string_view text);
std::string toUpper(std::string_view text);

// The leading number of a text, as the stored files and settings read it:
// leading blanks skipped, an optional sign, digits with an optional decimal
// part; no number gives 0 ("12abc" is 12, "abc" is 0, " -2" is -2).
double leadingNumber(std::string_view text);

// A whole number as the program writes it: a leading blank for zero and
// positive values, "-" for negative ones (" 12", "-3").
std::string numberText(long value);

// Round to the nearest integer, ties to even.
long roundHalfEven(double value);

// A count as the statistics and the sheets show it: "--" for zero.
std::string countText(long count);

// total / count with at least one integer digit and two decimals ("2.50");
// "----" when that is 0.00 or there is nothing to divide by.
std::string averageText(double total, double count);

// Fixed-length text field: always N characters, padded with blanks on the
// right; a longer value is cut.
template <std::size_t N>
class FixedText {
  public:
    FixedText() { chars_.fill(' '); }
    FixedText(std::string_view text) { assign(text); }  // NOLINT: fields are assigned from text

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void assign(std::string_view text) {
        chars_.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), N), chars_.begin());
    }

    // The whole field, padding included.
    std::string_view raw() const { return {chars_.data(), N}; }
    // The value as read from the field: trimmed.
    std::string trimmed() const { return trim(raw()); }
    static constexpr std::size_t size() { return N; }

    bool operator==(const FixedText&) const = default;

  private:
    std::array<char, N> chars_{};
};

}  // namespace keslog
