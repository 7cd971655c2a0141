#include "model/Settings.h"

namespace keslog {

std::string* Settings::callHistoryFile(ContestNr nr) {
    // In ContestNr order.
    static constexpr std::array<std::string Settings::*, 9> files{
        &Settings::CallHistoryARRL,   &Settings::CallHistoryCQP,  &Settings::CallHistoryCQWW,
        &Settings::CallHistorySprint, &Settings::CallHistorySS,   &Settings::CallHistoryWPX,
        &Settings::CallHistoryAA,     &Settings::CallHistoryPAQP, &Settings::CallHistoryNAQP};
    if (nr < contest::First || nr > contest::Last) return nullptr;
    return &(this->*files[static_cast<std::size_t>(nr - contest::First)]);
}

}  // namespace keslog
