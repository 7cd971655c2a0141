#include "callsign/CallDataFiles.h"

#include "model/Settings.h"
#include "platform/Files.h"

namespace keslog {

namespace {

// Far beyond any published list; a bigger file is not one of them.
constexpr std::uint64_t kLargestCallData = 256U << 20U;

struct FileKind {
    const char* name;  // "the check-partial database"
    const char* title;
    const char* without;  // what the logger does without the file
};

constexpr FileKind kScp{"check-partial database", "Check Partial",
                        "The logger goes on without check partial."};
constexpr FileKind kHistory{"call history file", "Call History",
                            "The logger goes on without the call history."};

MessageRequest notice(const FileKind& kind, std::string text) {
    return {std::move(text), kind.title, MsgButtons::Ok, MsgIcon::Information, 0};
}

template <typename Data>
LoadedCallData<Data> load(const FileKind& kind, const std::string& path) {
    const Result<std::uint64_t> size = fileSize(path);
    if (size && *size > kLargestCallData)
        return {nullptr, notice(kind, "The " + std::string(kind.name) + " " + path +
                                          " is too large.  " + kind.without)};
    const Result<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return {nullptr, notice(kind, "The " + std::string(kind.name) + " " + path +
                                          " could not be read.  " + kind.without)};
    auto data = std::make_shared<const Data>(Data::fromBytes(*bytes));
    const int skipped = data->skippedLines();
    if (skipped == 0) return {std::move(data), std::nullopt};
    return {std::move(data),
            notice(kind, std::to_string(skipped) + (skipped == 1 ? " line" : " lines") +
                             " of the " + kind.name + " " + path + " could not be read and " +
                             (skipped == 1 ? "was" : "were") + " left out.")};
}

}  // namespace

LoadedCallData<ScpDatabase> loadScpDatabase(const std::string& path) {
    if (path.empty() || path == kNoScpFile) return {};
    return load<ScpDatabase>(kScp, path);
}

LoadedCallData<CallHistory> loadCallHistory(const std::string& path) {
    if (path.empty()) return {};
    return load<CallHistory>(kHistory, path);
}

}  // namespace keslog
