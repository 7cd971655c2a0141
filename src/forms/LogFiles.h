#pragma once

#include <string>

#include "entry/EntryLine.h"
#include "model/MainMod.h"
#include "platform/Status.h"
#include "storage/DataFile.h"
#include "storage/SettingsFile.h"

namespace keslog {

enum class SaveOutcome { Saved, Cancelled };

// What the main window asks of the log-file subsystem, and where the entry
// line writes the QSOs it logs or removes.
class ILogFiles : public IQsoStore {
  public:
    virtual ~ILogFiles() = default;
    // Starts the unnamed log of the contest chosen in the state: the
    // working file is created anew with its header.
    virtual Status newLog(MainMod& state) = 0;
    // Makes the log file at path the open log; a refusal leaves the log in
    // memory as it was.
    virtual Status openLog(MainMod& state, const std::string& path) = 0;
    // Names the unnamed log (Save As); a named log is on disk already.
    // Cancelled when the operator gave up on the way.
    virtual Result<SaveOutcome> saveLog(MainMod& state) = 0;
    // A copy of the whole log in the backup folder, when one is set.
    virtual Status backupLog(MainMod& state) = 0;
};

// The start-up files every run needs, read under one trap: KESLOG90.INI,
// the country file and KESLOG90.DAT, in that order.
inline constexpr const char* kCountryFileName = "arrl.cty";

Status readStartupFiles(MainMod& state);

}  // namespace keslog
