#pragma once

#include <string>
#include <string_view>

#include "model/Band.h"
#include "model/Contest.h"

namespace keslog {

// Where a WPX prefix belongs for the North American QSO points.
enum class NAClass { None, USA, Canada, OtherNA };

NAClass NAClassOf(std::string_view wpxPrefix);

// "USA", "CANADA", "NA" or "-".
std::string_view NAClassName(NAClass c);

// The station running the program, as the contest-choice dialog set it.
struct OwnStation {
    bool QTHUSAFlag = false;
    bool QTHCanadaFlag = false;
};

// QSO points of a worked station for a USA or Canadian station in CQWW and
// WPX, from the worked call's WPX prefix; an empty text in every other case.
std::string NAPoints(std::string_view workedPrefix, ContestNr contest, OwnStation own,
                     BandModeCode bandMode);

}  // namespace keslog
