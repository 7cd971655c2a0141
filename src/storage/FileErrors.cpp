#include "storage/FileErrors.h"

#include <cerrno>

namespace keslog {

namespace {
constexpr const char* kTitle = "File or Disk Error";
}  // namespace

int fileErrorNumber(int systemError) {
    switch (systemError) {
        case ENAMETOOLONG:
        case EISDIR:
        case ENOTDIR:
        case EINVAL:
            return file_error::BadFileName;
        // A folder that is not there is most often a removable disk that is
        // not mounted.
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return file_error::DeviceUnavailable;
        case ENOMEDIUM:
            return file_error::DiskNotReady;
        default:
            return file_error::Other;
    }
}

FileErrorAction FileErrors(IMessageBox& messageBox, int errorNumber, const std::string& reason) {
    const auto retryOrCancel = [&](const char* text) {
        const MsgResult answer =
            messageBox.show({text, kTitle, MsgButtons::RetryCancel, MsgIcon::Exclamation});
        return answer == MsgResult::Retry ? FileErrorAction::Retry : FileErrorAction::Cancel;
    };
    switch (errorNumber) {
        case file_error::BadFileNameOrNumber:
        case file_error::BadFileName:
            messageBox.show({"Illegal file name.", kTitle, MsgButtons::Ok, MsgIcon::Exclamation});
            return FileErrorAction::GoOn;
        case file_error::DeviceUnavailable:
            return retryOrCancel(
                "Drive unavailable.  If it's a removable disk drive, insert a disk.");
        case file_error::DiskNotReady:
            return retryOrCancel("Insert a disk in the drive.");
        default:
            messageBox.show({reason, kTitle, MsgButtons::Ok, MsgIcon::Exclamation});
            return FileErrorAction::Cancel;
    }
}

FileErrorAction FileErrors(IMessageBox& messageBox, const Status& failure) {
    return FileErrors(messageBox, fileErrorNumber(failure.systemError()), failure.message());
}

}  // namespace keslog
