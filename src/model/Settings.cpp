#include "model/Settings.h"

#include <algorithm>

namespace keslog {

const std::vector<CategoryChoice>& categoryChoices() {
    using S = Settings;
    static const std::vector<CategoryChoice> choices{
        {"CATEGORY-OPERATOR",
         "CategoryOperator",
         "Category:",
         {"SINGLE-OP", "MULTI-OP", "CHECKLOG"},
         &S::CategoryOperator,
         {}},
        {"CATEGORY-ASSISTED",
         "CategoryAssisted",
         "Assisted:",
         {"NON-ASSISTED", "ASSISTED"},
         &S::CategoryAssisted,
         {}},
        {"CATEGORY-BAND",
         "CategoryBand",
         "Band:",
         {"ALL", "160M", "80M", "40M", "20M", "15M", "10M", "6M", "2M"},
         &S::CategoryBand,
         {}},
        {"CATEGORY-MODE",
         "CategoryMode",
         "Mode:",
         {"", "CW", "SSB", "MIXED"},
         &S::CategoryMode,
         "as logged"},
        {"CATEGORY-POWER",
         "CategoryPower",
         "Power:",
         {"HIGH", "LOW", "QRP"},
         &S::CategoryPower,
         {}},
        {"CATEGORY-STATION",
         "CategoryStation",
         "Station:",
         {"FIXED", "MOBILE", "PORTABLE", "ROVER", "ROVER-LIMITED", "ROVER-UNLIMITED", "EXPEDITION",
          "HQ", "SCHOOL", "DISTRIBUTED", "EXPLORER"},
         &S::CategoryStation,
         {}},
        {"CATEGORY-TRANSMITTER",
         "CategoryTransmitter",
         "Transmitter:",
         {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"},
         &S::CategoryTransmitter,
         {}},
        {"CATEGORY-OVERLAY",
         "CategoryOverlay",
         "Overlay:",
         {"", "CLASSIC", "ROOKIE", "TB-WIRES", "YOUTH"},
         &S::CategoryOverlay,
         "none"},
    };
    return choices;
}

bool isCategoryValue(const CategoryChoice& choice, std::string_view value) {
    return std::ranges::find(choice.values, value) != choice.values.end();
}

std::string chosenCategory(const CategoryChoice& choice, const Settings& settings) {
    const std::string& value = settings.*choice.setting;
    return isCategoryValue(choice, value) ? value : Settings{}.*choice.setting;
}

std::string Settings::cityLine() const {
    if (UserState.empty() && UserPostalCode.empty()) return UserCity;
    std::string line = UserCity;
    if (!UserState.empty()) line += (line.empty() ? "" : ", ") + UserState;
    if (!UserPostalCode.empty()) line += (line.empty() ? "" : " ") + UserPostalCode;
    return line;
}

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
