#pragma once

#include <string>

#include "platform/MessageBox.h"
#include "platform/Status.h"

namespace keslog {

// The run-time file error numbers the file-error dialog tells apart.
namespace file_error {
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int BadFileName = 64;
inline constexpr int DeviceUnavailable = 68;
inline constexpr int DiskNotReady = 71;
inline constexpr int Other = 0;  // anything else: full disk, no access, ...
}  // namespace file_error

// What the caller of a failed file step does next.
enum class FileErrorAction {
    GoOn = 0,    // go on with the step after the failed one
    Cancel = 2,  // give up the operation, closing its file
    Retry = 4,   // repeat the failed step
};

// The run-time file error number of an operating-system failure (errno).
int fileErrorNumber(int systemError);

// The shared "File or Disk Error" dialog. An error it has no special text
// for is shown with its own reason and gives up the operation: a failed
// write must never pass for a successful one.
FileErrorAction FileErrors(IMessageBox& messageBox, int errorNumber, const std::string& reason);

// The same for a failed file operation.
FileErrorAction FileErrors(IMessageBox& messageBox, const Status& failure);

}  // namespace keslog
