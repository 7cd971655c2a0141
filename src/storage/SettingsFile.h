#pragma once

#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "model/Settings.h"
#include "platform/MessageBox.h"
#include "platform/Status.h"

namespace keslog {

inline constexpr const char* kSettingsFileName = "KESLOG90.INI";

// Applies the lines of a settings file to settings. Never fails: lines it
// does not know are ignored and values not in the text keep what settings
// held. An empty OpenFilePath becomes programDir.
void ReadSettings(std::string_view contents, const std::string& programDir, Settings& settings);

// The whole settings file for these settings, CR LF line ends.
std::string settingsText(const Settings& settings);

// Reads the program folder's settings file into state.settings; an error
// when the file is missing or cannot be read.
Status ReadSettings(MainMod& state);

// Rewrites the file at path whole from settings. The new file replaces the
// old one only once it is completely on the disk. A failure goes through
// the file-error dialog (Retry writes again); the returned failure has then
// already been shown to the operator.
Status WriteSettings(const Settings& settings, const std::string& path, IMessageBox& messageBox);

// The same for the program folder's settings file.
Status WriteSettings(const MainMod& state, IMessageBox& messageBox);

}  // namespace keslog
