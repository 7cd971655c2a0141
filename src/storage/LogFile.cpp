#include "storage/LogFile.h"

#include <algorithm>

#include "platform/Files.h"
#include "storage/FrequencyFile.h"

namespace keslog {

namespace {

// No log holds more QSOs than the QSO number field counts; a larger file
// is not read into memory at all.
constexpr std::uint64_t kLargestLogFile = (kMaxQsos + 2) * std::uint64_t{36};

std::string headerRecord(const QSORec& header, RecordVariant variant) {
    std::string bytes = encodeHeader(header);
    bytes.resize(recordSize(variant), ' ');
    return bytes;
}

// Writes QSOs first..last over their records. Records the file is missing
// before them (after a failed write, or a short 36-byte header) are
// written too, so the file never holds a gap.
Status writeQsos(const MainMod& state, int first, int last) {
    // The frequencies go first: stopped in between, the file beside the
    // log holds a line more than the log, which is left aside on opening.
    const Status frequencies = writeFrequencies(state, first, last);
    if (!frequencies) return frequencies;
    const RecordVariant variant = state.log.variant();
    const std::size_t size = recordSize(variant);
    const Result<std::uint64_t> length = fileSize(state.currentLogPath);
    if (!length) return length.status();
    const std::size_t onDisk = wholeRecordCount(*length, variant);
    std::size_t startRecord = std::min(onDisk + 1, static_cast<std::size_t>(first) + 1);
    if (startRecord == 2 && *length < size) startRecord = 1;

    std::string bytes;
    bytes.reserve((static_cast<std::size_t>(last) + 2 - startRecord) * size);
    for (std::size_t r = startRecord; r <= static_cast<std::size_t>(last) + 1; ++r)
        bytes += r == 1 ? headerRecord(state.logHeader, variant)
                        : encodeQso(state.log.at(static_cast<int>(r - 1)), variant);
    return writeDurablyAt(state.currentLogPath, (startRecord - 1) * size, bytes);
}

}  // namespace

Result<std::string> readLogBytes(const std::string& path) {
    const Result<std::uint64_t> length = fileSize(path);
    if (!length) return length.status();
    if (*length > kLargestLogFile)
        return Status::error("The file " + path +
                                 " is not a KESLOG log: it is larger than any log can be.  "
                                 "Nothing was opened.",
                             "File Opening Error");
    return readWholeFile(path);
}

Result<LogFileContents> parseLogFile(std::string_view bytes, const std::string& path) {
    Result<HeaderFields> fields = checkHeader(bytes, path);
    if (!fields) return fields.status();
    const RecordVariant variant = findContest(fields->contest)->variant;
    const std::size_t size = recordSize(variant);
    const std::size_t records = wholeRecordCount(bytes.size(), variant);
    if (records - 1 > static_cast<std::size_t>(kMaxQsos))
        return Status::error("The file " + path + " holds more QSOs than a log can hold (" +
                                 std::to_string(kMaxQsos) + ").  Nothing was opened.",
                             "File Opening Error");

    LogFileContents log;
    log.header = decodeHeader(bytes);
    log.fields = std::move(*fields);
    log.partialBytes = partialRecordBytes(bytes.size(), variant);
    log.qsos.reserve(records - 1);
    for (std::size_t r = 2; r <= records; ++r)
        log.qsos.push_back(decodeQso(bytes.substr((r - 1) * size, size), variant));
    return log;
}

Status createLogFile(MainMod& state) {
    state.logHeader = buildHeader(state);
    state.SSYear = 97;
    state.resetLog();
    // The frequencies of a log this one replaces must not become its own.
    if (Status removed = removeFile(frequencyFilePath(state.currentLogPath)); !removed)
        return removed;
    return writeFileAtomically(state.currentLogPath, encodeHeader(state.logHeader));
}

Status writeQso(const MainMod& state, int n) {
    return writeQsos(state, n, n);
}

std::string wholeLogBytes(const MainMod& state) {
    const RecordVariant variant = state.log.variant();
    const int count = state.log.count();
    if (count == 0) return encodeHeader(state.logHeader);
    std::string bytes = headerRecord(state.logHeader, variant);
    bytes.reserve(recordSize(variant) * (static_cast<std::size_t>(count) + 1));
    for (int n = 1; n <= count; ++n) bytes += encodeQso(state.log.at(n), variant);
    return bytes;
}

Status writeWholeLog(const MainMod& state, const std::string& path) {
    const Status written = writeFileAtomically(path, wholeLogBytes(state));
    if (!written) return written;
    return writeFrequencyFile(state, path);
}

Status removeLog(const std::string& path) {
    const Status removed = removeFile(path);
    if (!removed) return removed;
    return removeFile(frequencyFilePath(path));
}

}  // namespace keslog
