#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/MainMod.h"

namespace keslog {

// California's row in the CQP table of a station inside California: a
// county worked from inside the state counts as this row.
inline constexpr int kCaliforniaRow = 5;

// The row a stored QMult names: digits after at most one leading blank
// (" 12" or "12"), inside 1..rowCount. Anything else (text, a sign, a
// decimal point, a row outside the table) names no row.
std::optional<int> storedRowNumber(std::string_view qmult, int rowCount);

// A multiplier text that is no form of a row, as QMult keeps it: digits
// that storedRowNumber would read as a row are kept as that number after
// two blanks, so that they never read back as one.
std::string unnumberedMultText(const std::string& text, int rowCount);

// The row-based multiplier table of the contest (CQP, PAQP, SS, Sprint,
// NAQP); nullptr for the others.
const MultTable* contestMultTable(const MainMod& state);
MultTable* contestMultTable(MainMod& state);

// What a stored QSO counts as, read from its record alone.
struct StoredMult {
    int row = 0;         // row of the contest's table; 0: none
    int countryNr = 0;   // ARRL DX, CQWW; 0: none
    int zone = 0;        // CQWW: the received zone, 0 when outside 1..40
    std::string prefix;  // WPX, AA
};

StoredMult storedMult(const MainMod& state, const QSORec& record);

// The multiplier of a stored QSO as the operator reads it: the first form
// of its row (the section for SS), otherwise the stored text.
std::string multName(const MainMod& state, const QSORec& record);

}  // namespace keslog
