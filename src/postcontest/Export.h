#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/PostContest.h"
#include "postcontest/Rescore.h"

namespace keslog {

// Whether an export leaves out the worked call (trimmed): a USA station
// with "Omit W/Ks" (by its WPX prefix; Alaska, Hawaii and Puerto Rico stay
// in), a JA..JS call with "Omit JAs" (JD stays in).
bool omittedFromExport(const std::string& call, const OutputChoices& choices);

// The contest exchange of a QSO as ADIF fields: serials, the rest of each
// side's exchange as text, and the received parts ADIF has fields for.
using Fields = std::vector<std::pair<std::string_view, std::string>>;
Fields contestFields(const MainMod& state, const QSORecName& q);

// The ADIF export of the log in memory: a header line ended by "<eoh>",
// then one line per kept QSO ended by "<eor>". Field lengths count the
// bytes of the value as written.
std::vector<std::string> adifLines(const MainMod& state, const RescoredLog& log,
                                   const OutputChoices& choices);
std::string adifPath(const RescoredLog& log);

// NA Sprint and NAQP logs have no DXB4 export.
bool hasDxb4Export(ContestNr contest);

inline constexpr std::size_t kDxb4RecordLength = 127;

// The DXB4 export of the log in memory: one 127-character record per
// kept QSO.
std::vector<std::string> dxb4Lines(const MainMod& state, const RescoredLog& log,
                                   const OutputChoices& choices);
std::string dxb4Path(const RescoredLog& log);

}  // namespace keslog
