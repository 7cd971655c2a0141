#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Contest.h"
#include "model/MainMod.h"
#include "model/QsoRecord.h"
#include "platform/Status.h"

namespace keslog {

// The stored log: fixed-size records, record 1 the header. Integers are
// 16-bit little-endian, texts blank-padded single bytes.
inline constexpr std::size_t kHeaderSize = 26;

// 26 bytes for QSORec logs, 36 for QSORecName logs.
std::size_t recordSize(RecordVariant variant);

std::string encodeQso(const QSORecName& qso, RecordVariant variant);
// Reads one record; bytes holds at least recordSize(variant) bytes.
QSORecName decodeQso(std::string_view bytes, RecordVariant variant);

// The header reuses the QSO fields and is always stored in 26 bytes.
std::string encodeHeader(const QSORec& header);
// bytes holds at least kHeaderSize bytes.
QSORec decodeHeader(std::string_view bytes);

// The header of a new log from the contest, mode and location choices.
QSORec buildHeader(const MainMod& state);

// The continent a WPX location digit "4".."9" stands for; empty for others.
std::string_view continentOfLocation(char digit);

// What a header says, once it has been checked.
struct HeaderFields {
    ContestNr contest = contest::None;
    std::string identifier;  // three characters
    std::string qualifier;   // two characters: "CW"/"SB", or "IN"/"OS"
    char location = ' ';     // the location digit
    std::string edition;     // of the log's rule list; empty in older logs
};

// Checks the header at the start of a log file's bytes: long enough, format
// marker 0, a known contest identifier. The message of a refusal names path.
Result<HeaderFields> checkHeader(std::string_view fileBytes, const std::string& path);

// Records wholly present in a file of this length. The header counts once
// its 26 bytes are there, also in a 36-byte log that holds nothing else.
std::size_t wholeRecordCount(std::uint64_t length, RecordVariant variant);
// Bytes of an incomplete last QSO record (0 when there is none).
std::size_t partialRecordBytes(std::uint64_t length, RecordVariant variant);

}  // namespace keslog
