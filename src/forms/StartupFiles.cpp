#include "forms/LogFiles.h"
#include "platform/Files.h"

namespace keslog {

Status readStartupFiles(MainMod& state) {
    for (const char* name : {kSettingsFileName, kCountryFileName, kDataFileName}) {
        const std::string path = state.programDir + name;
        if (!isReadableFile(path)) return Status::error(path + " cannot be read.");
    }
    return Status::ok();
}

}  // namespace keslog
