#pragma once

#include <optional>
#include <string>
#include <vector>

#include "callsign/CallDataFiles.h"
#include "model/MainMod.h"

namespace keslog {

enum class CallDataKind { Scp, History };

// One call-data file to read away from the window's thread.
struct CallDataRequest {
    CallDataKind kind;
    std::string path;

    bool operator==(const CallDataRequest&) const = default;
};

// Keeps the check-partial database and the open log's call history in step
// with the settings: asks for a read when a file setting (or the contest)
// changes, and takes a finished read only while its file is still wanted,
// so a slow read of an old setting never replaces a newer one.
class CallDataSync {
  public:
    // The reads to start now.
    std::vector<CallDataRequest> due(const MainMod& state);
    // A finished read: into the state when still wanted; the notice to
    // show, if any.
    std::optional<MessageRequest> take(MainMod& state, const CallDataRequest& request,
                                       LoadedCallData<ScpDatabase> loaded);
    std::optional<MessageRequest> take(MainMod& state, const CallDataRequest& request,
                                       LoadedCallData<CallHistory> loaded);

  private:
    std::optional<std::string> scpPath_;  // nullopt until first asked
    std::optional<std::string> historyPath_;
};

// The call-history file the open log's contest names; empty without a log.
std::string wantedHistoryFile(const MainMod& state);

}  // namespace keslog
