#include "storage/WorkingFile.h"

#include <filesystem>

#include "model/Text.h"
#include "platform/Files.h"
#include "storage/FrequencyFile.h"
#include "storage/LogFile.h"
#include "storage/LogNames.h"

namespace keslog {

bool hasLogExtension(const std::string& name) {
    return name.size() >= 3 && toUpper(name.substr(name.size() - 3)) == "KSL";
}

bool isSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA;
    std::error_code ecB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ecA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ecB);
    return ecA || ecB ? a == b : canonicalA == canonicalB;
}

Status saveWorkingLogAs(MainMod& state, const std::string& target) {
    if (isSameFile(target, state.currentLogPath))
        return Status::error("The log cannot be saved over its own working file " + target +
                             ".  Choose another name.");
    const std::string expected = wholeLogBytes(state);
    const Status written = writeFileAtomically(target, expected);
    if (!written) return written;
    const Result<std::string> readBack = readWholeFile(target);
    if (!readBack || *readBack != expected)
        return Status::error("The copy of the log in " + target +
                             " does not read back as it was written, so the log stays in the "
                             "working file.  Save it again, to another disk if need be.");
    if (const Status frequencies = writeFrequencyFile(state, target); !frequencies)
        return Status::error(frequencies.message() +
                             "\nThe log stays in the working file.  Save it again, to another "
                             "disk if need be.");
    removeLog(state.currentLogPath);
    state.currentLogPath = target;
    state.settings.OpenFilePath = folderOf(target);
    rememberRecentFile(state.settings, target);
    return Status::ok();
}

}  // namespace keslog
