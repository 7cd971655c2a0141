#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/LookbackCalls.h"
#include "storage/LogFile.h"

namespace keslog {

// A call file (".ksc") as read: its rows in file order and the lines that
// could not be read as a call.
struct CallFileContents {
    std::vector<OldCall> rows;
    int skippedLines = 0;
};

// Reads a call file: one line per call, the call, one blank and the
// exchange. Lines are trimmed; empty lines are passed over; a line whose
// call is not letters, digits and "/" (up to 20 of them), or that holds
// control characters, is skipped and counted. Calls are upper-cased.
// Any bytes are safe.
CallFileContents parseCallFile(std::string_view bytes);

// The call file of a list: every row, CR LF line ends.
std::string callFileText(const std::vector<OldCall>& rows);

// The calls of a log in log order, each with the exchange text it gave:
// the log's two-letter contest code and the received exchange.
std::vector<OldCall> oldCallsOfLog(const LogFileContents& log);

}  // namespace keslog
