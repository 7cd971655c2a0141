#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace keslog {

// Durable file operations. Every one opens, works and closes; none keeps a
// file open between calls.

// Replaces the whole file: written to a temporary file in the same folder,
// flushed and synced, then renamed over the target, so a crash or a full
// disk leaves the old file or the new one, never half of one.
Status writeFileAtomically(const std::string& path, std::string_view contents);

// Appends bytes and syncs them to the disk before returning.
Status appendDurably(const std::string& path, std::string_view contents);

// Writes bytes at a byte offset (creating the file when missing) and syncs
// them, and the folder entry of a new file, to the disk before returning.
// Fixed-size records are rewritten or added in place this way.
Status writeDurablyAt(const std::string& path, std::uint64_t offset, std::string_view contents);

// Cuts an existing file to `length` bytes (a longer length leaves it as it
// is) and syncs it to the disk before returning.
Status shortenDurably(const std::string& path, std::uint64_t length);

// The length of a file in bytes; 0 when it does not exist.
Result<std::uint64_t> fileSize(const std::string& path);

// The whole file, or an error naming it.
Result<std::string> readWholeFile(const std::string& path);

bool fileExists(const std::string& path);
bool isReadableFile(const std::string& path);
Status removeFile(const std::string& path);

}  // namespace keslog
