#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"
#include "storage/LogFile.h"

namespace keslog {

// The name an older log keeps after conversion: its path with the last
// character replaced by "b".
std::string oldLogName(const std::string& path);

// A WPX log of the layout of versions 6.5 and earlier in the current layout:
// location digit "1" (Canada) becomes "3", anything else "2" (USA); a QSO
// without a stored prefix gets the WPX prefix of its call.
std::string convertWpxLog(const LogFileContents& old);

// An SS log of the section lists before 1997 (ssYear 95 or 96) in the
// current layout: identifier "SS9", each QSO's section number replaced by
// the section's short form. sectionShortForms holds the 80 short forms.
Result<std::string> convertSsLog(const LogFileContents& old, int ssYear,
                                 std::span<const std::string> sectionShortForms);
// The position (1-based) in the short-form list of an old section number;
// nullopt outside the old lists, and such a QSO keeps its QMult.
std::optional<int> ssSectionIndex(int oldSection, int ssYear);

// Refuses when the old-file name of path is taken: conversions never
// replace a file there.
Status checkOldNameFree(const std::string& path);

// Keeps the original log under its old-file name and puts the converted
// one under path, each file written whole before it appears. An existing
// old-file is never replaced; on failure the original stays as it was.
Status replaceWithConverted(const std::string& path, std::string_view originalBytes,
                            std::string_view convertedBytes);

}  // namespace keslog
