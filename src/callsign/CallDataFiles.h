#pragma once

#include <memory>
#include <optional>
#include <string>

#include "callsign/CallHistory.h"
#include "callsign/CheckPartial.h"
#include "platform/MessageBox.h"

namespace keslog {

// A call-data file read away from the window's thread: what was read (null
// when nothing) and the one notice the operator gets about it.
template <typename Data>
struct LoadedCallData {
    std::shared_ptr<const Data> data;
    std::optional<MessageRequest> notice;
};

// The check-partial database named by the setting; "none" or an empty
// setting reads nothing and says nothing.
LoadedCallData<ScpDatabase> loadScpDatabase(const std::string& path);

// A contest's call-history file; an empty setting reads nothing.
LoadedCallData<CallHistory> loadCallHistory(const std::string& path);

}  // namespace keslog
