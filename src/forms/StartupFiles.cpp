#include "callsign/CountryFile.h"
#include "forms/LogFiles.h"
#include "storage/DataFile.h"
#include "storage/SettingsFile.h"

namespace keslog {

Status readStartupFiles(MainMod& state) {
    if (Status s = ReadSettings(state); !s) return s;
    if (Status s = ReadCountryFile(state.programDir + kCountryFileName, state.countries); !s)
        return s;
    if (Status s = ReadDataFile(state); !s) return s;
    // Until a log sets them up, the tables are those of a station outside
    // California, so that nothing reads an empty table.
    ExpandMultTables(state.reference, false, state.mults);
    return Status::ok();
}

}  // namespace keslog
