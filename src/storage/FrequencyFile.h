#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "platform/Status.h"

namespace keslog {

// The QSOs' frequencies live beside the log, so that the log's own records
// stay as older copies and other programs read them. One text line per
// QSO, in QSO order: the QSO number in five digits, a blank, the frequency
// in Hz in ten digits (0: band only), CR LF.
inline constexpr std::size_t kFrequencyRecordSize = 18;

// The log's name with its last character made "F" ("f" after a lower-case
// one): W6XX.KSL keeps its frequencies in W6XX.KSF.
std::string frequencyFilePath(const std::string& logPath);

// Writes the frequencies of QSOs first..last over their lines, synced to
// the disk, with the lines the file lacks before them. Nothing is written
// while the file is missing and none of those QSOs has a frequency.
Status writeFrequencies(const MainMod& state, int first, int last);

// Replaces the frequency file of the log at logPath with every QSO's line,
// or removes it when no QSO has a frequency.
Status writeFrequencyFile(const MainMod& state, const std::string& logPath);

// Cuts the file after the last QSO left (Kill Last Entry).
Status cutFrequencies(const MainMod& state);

// What a log's frequency file gives its QSOs: one frequency per QSO (0:
// none) and, when the file cannot be used, the notice why; a missing file
// is no fault. Lines after the last QSO (a write cut short, a QSO killed)
// are left aside.
struct LogFrequencies {
    std::vector<std::int64_t> hz;
    std::string notice;
};
LogFrequencies readFrequencies(const std::string& logPath, const std::vector<QSORecName>& qsos);
// The same from the file's bytes; path names the file in the notice.
LogFrequencies parseFrequencies(std::string_view bytes, const std::string& path,
                                const std::vector<QSORecName>& qsos);

}  // namespace keslog
