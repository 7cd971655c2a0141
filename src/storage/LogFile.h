#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "platform/Status.h"
#include "storage/LogRecord.h"

namespace keslog {

// A log file's contents as read, before anything in memory changes.
struct LogFileContents {
    QSORec header;
    HeaderFields fields;
    std::vector<QSORecName> qsos;  // whole records only
    std::size_t partialBytes = 0;  // bytes of an incomplete last record
};

// The bytes of a log file, refusing files too large to be a log.
Result<std::string> readLogBytes(const std::string& path);
// Checks the header and reads every whole QSO record; path names the file
// in messages.
Result<LogFileContents> parseLogFile(std::string_view bytes, const std::string& path);

// Starts the open log's file anew with the header of the contest choices
// (any old file of that name is replaced) and keeps the header in memory.
Status createLogFile(MainMod& state);

// Writes QSO n of the log tables over its record of the log file, and its
// frequency beside it, synced to the disk: the QSO just logged, or one
// edited. Records the file is
// missing before it (after a write that failed) are written along, so the
// file never holds a gap and catches up with the log in memory.
Status writeQso(const MainMod& state, int n);

// The whole log as a file holds it: header, then every QSO in order.
std::string wholeLogBytes(const MainMod& state);
// Replaces the file at path, and the frequency file beside it, with the
// whole log; a crash or a full disk leaves the old file or the complete
// new one.
Status writeWholeLog(const MainMod& state, const std::string& path);

// Deletes a log file and its frequency file; missing ones are no error.
Status removeLog(const std::string& path);

}  // namespace keslog
