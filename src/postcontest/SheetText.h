#pragma once

#include <string>
#include <string_view>

#include "model/Text.h"

namespace keslog {

// Text laid out in print columns (the first column is 1), as the printed
// sheets are. Nothing placed is ever cut or overwritten: a text that would
// start on a column already used follows the line after one blank.
class SheetLine {
  public:
    SheetLine() = default;
    explicit SheetLine(std::string_view start) : text_(start) {}

    // The text starting at column col.
    SheetLine& at(int col, std::string_view text);
    // The text right-justified in width columns from column col; a longer
    // text reaches further left instead of losing digits.
    SheetLine& right(int col, int width, std::string_view text);
    // The text right-justified so that it ends on column lastCol.
    SheetLine& endingAt(int lastCol, std::string_view text);
    SheetLine& add(std::string_view text);

    const std::string& str() const { return text_; }
    operator std::string() const { return text_; }  // NOLINT: lines are gathered as strings

  private:
    std::string text_;
};

// The text padded with blanks on the right (left-justified) or the left
// (right-justified) to width columns; longer texts are kept whole.
std::string padRight(std::string_view text, std::size_t width);
std::string padLeft(std::string_view text, std::size_t width);
// A QSO number right-justified in four columns, as the files print them.
std::string number4(long value);

// Digits grouped by three with commas from the right: 1,234,567.
std::string groupedThousands(long long value);

// Points in tenths of a point as a number: "15", "4.5".
std::string tenthsText(long tenths);

// The rule line of the sheets: 67 hyphens.
std::string ruleLine();

}  // namespace keslog
