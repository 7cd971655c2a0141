#include "model/Contest.h"

namespace keslog {

namespace {
using enum RecordVariant;
using enum LocationChoice;

constexpr std::array<ContestInfo, 9> kCatalog{{
    {contest::ArrlDx, "ARRL DX Contest", "ARRL DX", QSORec, "received power", None, false, "Power",
     15},
    {contest::Cqp, "CQP -- California QSO Party", "CQP", QSORec,
     "serial number and county/state/province", InState, true, "Exchange", 15},
    {contest::Cqww, "CQWW DX Contest", "CQWW DX", QSORec, "CQ zone", UsaCanada, false, "  Zone",
     15},
    {contest::Sprint, "Sprint -- North American Sprint", "Sprint ", QSORecName,
     "serial number, name, state/province/country", None, false, "Exchange", 15},
    {contest::Ss, "SS -- ARRL Sweepstakes", "SS ", QSORec,
     "serial number, precedence, check, section", None, false, "Exchange", 30},
    {contest::Wpx, "WPX -- CQ Prefix Contest", "WPX", QSORec, "serial number", UsaCanadaOther,
     false, "Number", 60},
    {contest::Aa, "AA -- JARL All Asian Contest", "AA", QSORec, "age", None, false, "   Age", 15},
    {contest::Paqp, "PAQP -- Pennsylvania QSO Party", "PAQP", QSORec,
     "serial number and county/state/province", InState, true, "Exchange", 15},
    {contest::Naqp, "NAQP -- North American QSO Party", "NAQP", QSORecName,
     "name and state/province/country", None, false, "Exchange", 30},
}};
}  // namespace

const std::array<ContestInfo, 9>& contestCatalog() {
    return kCatalog;
}

bool isValidContest(ContestNr nr) {
    return nr >= contest::First && nr <= contest::Last;
}

std::optional<ContestInfo> findContest(ContestNr nr) {
    if (!isValidContest(nr)) return std::nullopt;
    return kCatalog[static_cast<std::size_t>(nr - 1)];
}

}  // namespace keslog
