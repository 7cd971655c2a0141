#include "storage/LogNames.h"

#include <algorithm>

#include "model/Text.h"

namespace keslog {

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string logDialogFolder(const MainMod& state) {
    return state.settings.OpenFilePath.empty() ? state.programDir : state.settings.OpenFilePath;
}

void rememberRecentFile(Settings& s, const std::string& path) {
    if (path == s.RecentFile1) return;
    s.RecentFile4 = std::move(s.RecentFile3);
    s.RecentFile3 = std::move(s.RecentFile2);
    s.RecentFile2 = std::move(s.RecentFile1);
    s.RecentFile1 = path;
}

std::string logCaption(const MainMod& state) {
    std::string name = state.isWorkingFileOpen() ? "[Unnamed]" : state.currentLogPath;
    if (name.size() > 30) name = name.substr(0, 15) + "..." + name.substr(name.size() - 12);
    const auto info = findContest(state.contestNr);
    std::string caption = "Log: " + name + " - - Contest: ";
    if (!info) return caption;
    caption += info->shortName;
    if (!info->mixedMode) caption += state.ModeFlag[1] ? " CW" : " SSB";
    return caption;
}

std::string fitPath(std::string_view fixedText, std::string_view path,
                    const std::function<bool(std::string_view)>& fits) {
    std::string text = std::string(fixedText) + std::string(path);
    const auto length = static_cast<long>(path.size());
    const long middle = roundHalfEven(static_cast<double>(length) / 2.0);
    for (long k = 1; !fits(text); ++k) {
        const long keepFront = std::max(0L, middle - k);
        const long resumeAt = std::min(length, middle + k - 1);
        text = std::string(fixedText) + std::string(path.substr(0, keepFront)) + "..." +
               std::string(path.substr(static_cast<std::size_t>(resumeAt)));
        if (keepFront == 0 && resumeAt == length) break;
    }
    return text;
}

}  // namespace keslog
