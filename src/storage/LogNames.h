#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "model/Settings.h"

namespace keslog {

// The file name part of a path, and the folder before it ("" for a bare name).
std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path);

// The folder the log file dialogs start in.
std::string logDialogFolder(const MainMod& state);

// Puts a log first in the recent-file list unless it is first already;
// the list is not searched for an older copy of the same path.
void rememberRecentFile(Settings& settings, const std::string& path);

// The main window's log label: "Log: " name " - - Contest: " contest and,
// for single-mode contests, " CW" or " SSB".
std::string logCaption(const MainMod& state);

// fixedText followed by path, the middle of the path given up for "..." a
// character at a time on each side until fits accepts the text; the
// shortest form is fixedText and "..." alone.
std::string fitPath(std::string_view fixedText, std::string_view path,
                    const std::function<bool(std::string_view)>& fits);

}  // namespace keslog
