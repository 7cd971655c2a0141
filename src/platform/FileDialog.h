#pragma once

#include <optional>
#include <string>

namespace keslog {

struct FileDialogRequest {
    std::string title;
    std::string defaultExtension;  // without the dot, e.g. "KSL"
    std::string fileName;          // initial name or pattern, e.g. "*.KSL"
    std::string filter;            // "Log Files (*.KSL)|*.KSL|All Files|*.*"
    std::string startFolder;
};

// Open and save dialogs: the chosen full path, or nullopt on cancel. The
// dialog neither checks extensions nor asks before replacing a file; the
// callers do both.
class IFileDialog {
  public:
    virtual ~IFileDialog() = default;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

}  // namespace keslog
