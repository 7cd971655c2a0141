#include "callsign/CountryFile.h"
#include "forms/LogFiles.h"
#include "platform/Files.h"

namespace keslog {

namespace {

Status checkReadable(const std::string& path) {
    if (!isReadableFile(path)) return Status::error(path + " cannot be read.");
    return Status::ok();
}

}  // namespace

Status readStartupFiles(MainMod& state) {
    if (Status s = checkReadable(state.programDir + kSettingsFileName); !s) return s;
    if (Status s = ReadCountryFile(state.programDir + kCountryFileName, state.countries); !s)
        return s;
    return checkReadable(state.programDir + kDataFileName);
}

}  // namespace keslog
