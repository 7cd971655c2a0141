#include "platform/linux/ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace keslog {

namespace fs = std::filesystem;

namespace {

// The file that marks a folder as holding the start-up files.
constexpr const char* kMarkerFile = "KESLOG90.DAT";

std::string slashed(const fs::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

bool holdsStartupFiles(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kMarkerFile, ec);
}

Status folderError(const fs::path& folder, const std::error_code& ec) {
    return Status::error("The program folder " + folder.string() +
                         " could not be made: " + ec.message());
}

// Copies each shipped file the user's folder lacks; a file already there
// may hold the operator's own settings or edits and is kept.
Status fillFromShipped(const fs::path& shipped, const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return folderError(folder, ec);
    fs::recursive_directory_iterator it(shipped, ec);
    if (ec) return folderError(folder, ec);
    for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec) return folderError(folder, ec);
        const fs::path target = folder / fs::relative(it->path(), shipped, ec);
        if (ec) return folderError(folder, ec);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (it->is_regular_file(ec) && !fs::exists(fs::symlink_status(target, ec))) {
            fs::copy_file(it->path(), target, ec);
            // Shipped files are installed read-only; the copies are the
            // operator's to change.
            if (!ec) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
        }
        if (ec) return folderError(target, ec);
    }
    return Status::ok();
}

}  // namespace

Result<std::string> programFolderFor(const std::string& executableDir,
                                     const std::string& dataHome) {
    const fs::path here(executableDir);
    if (holdsStartupFiles(here)) return slashed(here);
    const fs::path shipped = (here / ".." / "share" / "keslog").lexically_normal();
    // Neither a program folder nor an installed one: start-up then names
    // the missing files in this folder.
    if (!holdsStartupFiles(shipped)) return slashed(here);
    if (dataHome.empty())
        return Status::error(
            "No folder for the logger's own files: neither XDG_DATA_HOME nor "
            "HOME is set.");
    const fs::path folder = fs::path(dataHome) / "keslog";
    if (const Status filled = fillFromShipped(shipped, folder); !filled) return filled;
    return slashed(folder);
}

std::string userDataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.local/share";
    return "";
}

Result<std::string> defaultProgramFolder(const std::string& executableDir) {
    return programFolderFor(executableDir, userDataHome());
}

}  // namespace keslog
