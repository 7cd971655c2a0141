// KESLOG90.INI: any text gives settings, and the file written from them
// reads back to settings that write the same file (some values, such as
// the weight, are kept as typed but written in their number form).
#include <string>

#include "FuzzSupport.h"
#include "storage/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    Settings settings;
    ReadSettings(fuzz::bytesOf(data, size), "/keslog/", settings);
    const std::string written = settingsText(settings);
    Settings again;
    ReadSettings(written, "/keslog/", again);
    const std::string rewritten = settingsText(again);
    if (rewritten != written)
        std::fprintf(stderr, "Written:\n%s\nRead back and written again:\n%s\n", written.c_str(),
                     rewritten.c_str());
    fuzz::require(rewritten == written, "a written settings file reads back to the same file");
    return 0;
}
