#include "forms/CallData.h"

namespace keslog {

std::string wantedHistoryFile(const MainMod& state) {
    const std::string* file = state.settings.callHistoryFile(state.contestNr);
    return state.logOpen && file != nullptr ? *file : std::string();
}

std::vector<CallDataRequest> CallDataSync::due(const MainMod& state) {
    std::vector<CallDataRequest> reads;
    if (scpPath_ != state.settings.ScpFile) {
        scpPath_ = state.settings.ScpFile;
        reads.push_back({CallDataKind::Scp, *scpPath_});
    }
    const std::string history = wantedHistoryFile(state);
    if (historyPath_ != history) {
        historyPath_ = history;
        reads.push_back({CallDataKind::History, history});
    }
    return reads;
}

std::optional<MessageRequest> CallDataSync::take(MainMod& state, const CallDataRequest& request,
                                                 LoadedCallData<ScpDatabase> loaded) {
    if (request.kind != CallDataKind::Scp || scpPath_ != request.path) return std::nullopt;
    state.scp = std::move(loaded.data);
    return loaded.notice;
}

std::optional<MessageRequest> CallDataSync::take(MainMod& state, const CallDataRequest& request,
                                                 LoadedCallData<CallHistory> loaded) {
    if (request.kind != CallDataKind::History || historyPath_ != request.path) return std::nullopt;
    state.callHistory = std::move(loaded.data);
    return loaded.notice;
}

}  // namespace keslog
