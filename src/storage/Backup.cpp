#include "storage/Backup.h"

#include <cerrno>
#include <filesystem>

#include "model/Text.h"
#include "storage/LogFile.h"
#include "storage/LogNames.h"
#include "storage/WorkingFile.h"

namespace keslog {

std::optional<std::string> backupPath(const MainMod& state) {
    const std::string folder = trim(state.settings.BackUpDrive);
    if (folder.empty() || folder == "[none]") return std::nullopt;
    return withTrailingSlash(folder) + fileNameOf(state.currentLogPath);
}

Status backupLog(const MainMod& state) {
    const std::optional<std::string> target = backupPath(state);
    if (!target) return Status::ok();
    const std::string folder = trim(state.settings.BackUpDrive);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        // Like a drive without its disk: the operator may plug it in and retry.
        return Status::systemError(ENOENT, "The backup folder " + folder +
                                               " does not exist or cannot be reached.  No "
                                               "backup was written.");
    if (isSameFile(*target, state.currentLogPath))
        return Status::error("The backup folder " + folder +
                                 " is the folder of the open log, so the backup would replace "
                                 "the log itself.  Choose another backup folder in the "
                                 "preferences.",
                             "File or Disk Error");
    return writeWholeLog(state, *target);
}

}  // namespace keslog
