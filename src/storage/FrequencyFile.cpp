#include "storage/FrequencyFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/Files.h"
#include "rig/RigBands.h"

namespace keslog {

namespace {

std::string frequencyLine(int n, std::int64_t hz) {
    char line[kFrequencyRecordSize + 1];
    std::snprintf(line, sizeof line, "%05d %010lld\r\n", n, static_cast<long long>(hz));
    return line;
}

std::string frequencyLines(const LogTables& log, int first, int last) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(last - first + 1) * kFrequencyRecordSize);
    for (int n = first; n <= last; ++n) bytes += frequencyLine(n, log.frequencyOf(n).value_or(0));
    return bytes;
}

bool anyFrequency(const LogTables& log, int first, int last) {
    for (int n = first; n <= last; ++n)
        if (log.frequencyOf(n)) return true;
    return false;
}

// The number of a digits-only field; -1 for anything else.
std::int64_t digitsValue(std::string_view field) {
    std::int64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Why the line of QSO n does not fit it; empty when it does.
std::string lineFault(std::string_view line, int n, const QSORecName& qso, std::int64_t& hz) {
    hz = digitsValue(line.substr(6, 10));
    if (digitsValue(line.substr(0, 5)) != n || line[5] != ' ' || hz < 0 ||
        line.substr(16) != "\r\n")
        return "the line of QSO " + std::to_string(n) + " is not its number and a frequency";
    if (hz != 0 && qsoFrequencyHz(hz, qso.QBandMode) != hz)
        return "the frequency of QSO " + std::to_string(n) + " is not on the band it was logged on";
    return {};
}

// What is wrong with a file of that length for a log of that many QSOs;
// empty when nothing. One line more than the log is what a stop between
// the two writes leaves; more belong to another log.
std::string lengthFault(std::uint64_t length, std::size_t qsos) {
    const std::uint64_t lines = length / kFrequencyRecordSize;
    if (lines < qsos && length % kFrequencyRecordSize != 0)
        return "it ends inside the line of QSO " + std::to_string(lines + 1);
    if (lines < qsos || lines > qsos + 1)
        return "it holds " + std::to_string(lines) + (lines == 1 ? " line" : " lines") + " for " +
               std::to_string(qsos) + (qsos == 1 ? " QSO" : " QSOs");
    return {};
}

LogFrequencies unusable(const std::string& path, std::size_t qsos, const std::string& why) {
    return {std::vector<std::int64_t>(qsos, 0),
            "The frequency file " + path + " cannot be used: " + why +
                ".  The QSOs show their bands only; the log itself is whole."};
}

}  // namespace

std::string frequencyFilePath(const std::string& logPath) {
    if (logPath.empty()) return {};
    const bool lower = std::islower(static_cast<unsigned char>(logPath.back())) != 0;
    return logPath.substr(0, logPath.size() - 1) + (lower ? "f" : "F");
}

Status writeFrequencies(const MainMod& state, int first, int last) {
    const std::string path = frequencyFilePath(state.currentLogPath);
    const Result<std::uint64_t> length = fileSize(path);
    if (!length) return length.status();
    const auto onDisk = static_cast<int>(std::min<std::uint64_t>(*length / kFrequencyRecordSize,
                                                                  kMaxQsos + std::uint64_t{1}));
    const int start = std::min(onDisk + 1, first);
    if (onDisk == 0 && !anyFrequency(state.log, start, last)) return Status::ok();
    return writeDurablyAt(path, static_cast<std::uint64_t>(start - 1) * kFrequencyRecordSize,
                          frequencyLines(state.log, start, last));
}

Status writeFrequencyFile(const MainMod& state, const std::string& logPath) {
    const std::string path = frequencyFilePath(logPath);
    const int count = state.log.count();
    if (!anyFrequency(state.log, 1, count)) return removeFile(path);
    return writeFileAtomically(path, frequencyLines(state.log, 1, count));
}

Status cutFrequencies(const MainMod& state) {
    const std::string path = frequencyFilePath(state.currentLogPath);
    if (!fileExists(path)) return Status::ok();
    return shortenDurably(path, static_cast<std::uint64_t>(state.log.count()) * kFrequencyRecordSize);
}

LogFrequencies parseFrequencies(std::string_view bytes, const std::string& path,
                                const std::vector<QSORecName>& qsos) {
    LogFrequencies out{std::vector<std::int64_t>(qsos.size(), 0), {}};
    if (bytes.empty()) return out;
    std::string why = lengthFault(bytes.size(), qsos.size());
    for (std::size_t i = 0; why.empty() && i < qsos.size(); ++i)
        why = lineFault(bytes.substr(i * kFrequencyRecordSize, kFrequencyRecordSize),
                        static_cast<int>(i) + 1, qsos[i], out.hz[i]);
    return why.empty() ? out : unusable(path, qsos.size(), why);
}

LogFrequencies readFrequencies(const std::string& logPath, const std::vector<QSORecName>& qsos) {
    const std::string path = frequencyFilePath(logPath);
    const Result<std::uint64_t> length = fileSize(path);
    if (!length) return unusable(path, qsos.size(), length.status().message());
    // One far longer than the log is not read at all.
    if (*length > (qsos.size() + 2) * kFrequencyRecordSize)
        return unusable(path, qsos.size(), lengthFault(*length, qsos.size()));
    const Result<std::string> bytes = *length == 0 ? std::string() : readWholeFile(path);
    if (!bytes) return unusable(path, qsos.size(), bytes.status().message());
    return parseFrequencies(*bytes, path, qsos);
}

}  // namespace keslog
