#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace keslog {

// Every contest-dependent rule switches on this number.
using ContestNr = std::int16_t;

namespace contest {
inline constexpr ContestNr None = 0;
inline constexpr ContestNr ArrlDx = 1;
inline constexpr ContestNr Cqp = 2;
inline constexpr ContestNr Cqww = 3;
inline constexpr ContestNr Sprint = 4;
inline constexpr ContestNr Ss = 5;
inline constexpr ContestNr Wpx = 6;
inline constexpr ContestNr Aa = 7;
inline constexpr ContestNr Paqp = 8;
inline constexpr ContestNr Naqp = 9;
inline constexpr ContestNr First = ArrlDx;
inline constexpr ContestNr Last = Naqp;
}  // namespace contest

// Which in-memory (and stored) record a contest's log uses.
enum class RecordVariant { QSORec, QSORecName };

// The location choice the contest-choice dialog offers.
enum class LocationChoice {
    None,            // mode choice only
    InState,         // in the state / out of state (CQP, PAQP)
    UsaCanada,       // CQWW
    UsaCanadaOther,  // WPX: other with continent
};

struct ContestInfo {
    ContestNr nr;
    std::string_view listText;   // text in the contest-choice list
    std::string_view shortName;  // window titles and displays
    RecordVariant variant;
    std::string_view exchange;  // what follows the call
    LocationChoice location;
    bool mixedMode;                  // logs carry both modes (CQP, PAQP)
    std::string_view numberHeading;  // caption of the exchange box heading
    int offTimeMinutes;              // a gap this long counts as off time
};

// The catalog of the nine contests, indexed by ContestNr - 1.
const std::array<ContestInfo, 9>& contestCatalog();

// The contest's catalog entry; nullopt outside 1..9.
std::optional<ContestInfo> findContest(ContestNr nr);

bool isValidContest(ContestNr nr);

}  // namespace keslog
