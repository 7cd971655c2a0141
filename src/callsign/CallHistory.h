#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Contest.h"

namespace keslog {

// A call-history file as read: "#" comment lines, a "!!Order!!" line naming
// the columns (Call, Name, Loc1, State, CK, Sect, Exch1, ...), then one line
// per call, the fields separated by commas or semicolons as the header is.
class CallHistory {
  public:
    // Any bytes are safe. A line before the first header, without a call,
    // with an unclosed quote or with control characters is skipped and
    // counted. Column names and calls are upper-cased; a call listed twice
    // keeps its first line.
    static CallHistory fromBytes(std::string_view bytes);

    int skippedLines() const { return skippedLines_; }
    std::size_t size() const { return rows_.size(); }

    // The call's field in the named column (upper case); empty when the
    // call, the column or the field is missing.
    std::string field(std::string_view call, std::string_view column) const;

  private:
    struct Row {
        std::string call;
        std::vector<std::string> fields;  // by column number
    };

    std::vector<std::string> columns_;  // every name any header gave
    std::vector<Row> rows_;             // in call order
    int skippedLines_ = 0;
};

// The exchange the contest's entry line is given for a call of the
// history: the parts the contest asks for in the order they are typed
// (NAQP name and state, SS precedence, check and section, CQWW zone, ...),
// led by blanks where a serial number is typed in front; empty when the
// history knows none of them.
std::string historyExchange(ContestNr nr, const CallHistory& history, std::string_view call);

}  // namespace keslog
