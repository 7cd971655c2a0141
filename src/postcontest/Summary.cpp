#include "postcontest/Summary.h"

#include <array>

#include "model/QsoDate.h"
#include "model/Text.h"
#include "postcontest/SentExchange.h"
#include "postcontest/SheetText.h"

namespace keslog {
namespace {

const char* titleOf(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return "ARRL DX Contest";
        case contest::Cqp:
            return "California QSO Party";
        case contest::Cqww:
            return "CQ WW DX Contest ";
        case contest::Sprint:
            return "NCJ Sprint";
        case contest::Ss:
            return "ARRL Sweepstakes";
        case contest::Wpx:
            return "WPX Contest";
        case contest::Aa:
            return "JARL All Asian Contest";
        case contest::Paqp:
            return "Pennsylvania QSO Party";
        case contest::Naqp:
            return "North American QSO Party (NAQP)";
        default:
            return "";
    }
}

const char* multHeading(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return "Countries";
        case contest::Cqww:
            return "Cties  Zones";
        case contest::Sprint:
        case contest::Naqp:
            return "Mults";
        case contest::Ss:
            return "Sections";
        default:
            return "Prefixes";
    }
}

std::string bandColumn(int band) {
    return std::string(BandName[static_cast<std::size_t>(band - 1)]) + " ";
}

int validQsos(const RescoredLog& log, int bandMode) {
    const auto code = static_cast<std::size_t>(bandMode);
    return log.qsosPerBandMode[code] - log.dupesPerBandMode[code];
}

// The band table of the single-mode contests.
void singleModeTable(const MainMod& state, const RescoredLog& log,
                     std::vector<std::string>& lines) {
    const ContestNr nr = state.contestNr;
    const bool cqww = nr == contest::Cqww;
    lines.push_back(std::string("    Band    Raw QSOs  Valid QSOs  QSO Pts   Pts/Q    ") +
                    multHeading(nr));
    lines.push_back(ruleLine());
    lines.emplace_back();
    const int first = nr == contest::Sprint ? band::B20 : band::B10;
    const int last = nr == contest::Sprint ? band::B80 : band::B160;
    const BandCounts& countries = state.totals.countriesPerBand;
    const BandCounts& zones = state.totals.zonesPerBand;
    int validTotal = 0;
    for (int b = first; b <= last; ++b) {
        const auto i = static_cast<std::size_t>(b);
        const int valid = validQsos(log, bandModeCode(b, !log.cwFlag));
        validTotal += valid;
        SheetLine row;
        row.at(5, bandColumn(b))
            .right(14, 4, countText(log.qsosPerBand[i]))
            .right(25, 4, countText(valid))
            .right(36, 4, countText(log.pointsPerBand[i]))
            .at(45, averageText(log.pointsPerBand[i], log.qsosPerBand[i]));
        if (cqww)
            row.right(55, 3, countText(countries[i - 1])).right(62, 3, countText(zones[i - 1]));
        else
            row.right(55, 3, countText(log.multsPerBand[i]));
        lines.push_back(row);
    }
    lines.emplace_back();
    lines.push_back(ruleLine());
    SheetLine totals("   Totals");
    totals.right(14, 4, countText(log.qsoCount))
        .right(25, 4, countText(validTotal))
        .right(36, 4, countText(log.qsoPoints))
        .at(45, averageText(log.qsoPoints, log.qsoCount));
    if (cqww) {
        long countryTotal = 0, zoneTotal = 0;
        for (std::size_t i = 0; i < countries.size(); ++i) {
            countryTotal += countries[i];
            zoneTotal += zones[i];
        }
        totals.right(55, 3, countText(countryTotal)).right(62, 3, countText(zoneTotal));
    } else {
        totals.right(54, 4, countText(log.multCount));
    }
    lines.push_back(totals);
}

// The band table of CQP and PAQP: CW and phone side by side. The band
// points are worked out from the valid QSOs; PAQP CW QSOs count 1.5.
void mixedModeTable(const MainMod& state, const RescoredLog& log, std::vector<std::string>& lines) {
    const bool paqp = state.contestNr == contest::Paqp;
    const int cwTenths = paqp ? 15 : 30;
    const int phoneTenths = paqp ? 10 : 20;
    lines.push_back(std::string(20, ' ') + "QSOs             Points");
    lines.emplace_back("    Band      CW/SSB    Total   CW/SSB    Total    Mults");
    lines.push_back(ruleLine());
    lines.emplace_back();
    long cwTotal = 0, phoneTotal = 0;
    for (int b = band::B10; b <= kBandCount; ++b) {
        const int cw = validQsos(log, bandModeCode(b, false));
        const int phone = validQsos(log, bandModeCode(b, true));
        cwTotal += cw;
        phoneTotal += phone;
        const long cwPoints = roundHalfEven(cw * cwTenths / 10.0);
        const long phonePoints = phone * phoneTenths / 10;
        lines.push_back(
            SheetLine()
                .at(5, bandColumn(b))
                .right(14, 4, countText(cw))
                .add("/" + countText(phone))
                .at(26, countText(cw + phone))
                .right(32, 4, countText(cwPoints))
                .add("/" + countText(phonePoints))
                .right(43, 4, countText(cwPoints + phonePoints))
                .right(51, 4, countText(log.multsPerBand[static_cast<std::size_t>(b)])));
    }
    lines.push_back(ruleLine());
    const long totalPoints = paqp ? roundHalfEven(log.qsoPoints / 10.0) : log.qsoPoints;
    lines.push_back(SheetLine("   Totals")
                        .right(13, 5, countText(cwTotal))
                        .add("/" + countText(phoneTotal))
                        .right(24, 5, countText(cwTotal + phoneTotal))
                        .right(31, 5, cwTotal == 0 ? "--" : tenthsText(cwTotal * cwTenths))
                        .add("/" + countText(phoneTotal * phoneTenths / 10))
                        .right(42, 5, countText(totalPoints))
                        .right(51, 4, countText(log.multCount)));
    lines.push_back(ruleLine());
}

}  // namespace

std::string summaryPath(const RescoredLog& log) {
    return log.baseName + ".SUM";
}

std::string contestDateText(const MainMod& state, const RescoredLog& log) {
    if (state.log.count() == 0) return {};
    return dateText(calendarDateOf(state.log.at(1).QDate, log.currentYear), DateForm::Us);
}

std::string operatingTimeText(int minutes) {
    const std::string hours = minutes >= 60 ? std::to_string(minutes / 60) : "";
    const int rest = minutes % 60;
    return hours + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

std::vector<std::string> summaryLines(const MainMod& state, const RescoredLog& log) {
    const Settings& s = state.settings;
    const ContestNr nr = state.contestNr;
    std::vector<std::string> lines(6);
    lines.push_back(std::string(20, ' ') + titleOf(nr) + " Summary Sheet");
    lines.resize(lines.size() + 2);
    lines.push_back("    Contest Date : " + contestDateText(state, log));
    if (!isMixedMode(nr))
        lines.push_back(std::string("            Mode : ") + (log.cwFlag ? "CW" : "SSB"));
    if (!state.rules.name.empty()) lines.push_back("       Mult List : " + state.rules.name);
    const std::vector<std::string> station{
        "",
        "   Callsign Used : " + s.UserCallsign,
        "        Operator : " + s.UserOperator,
        "",
        "        Category : ",
        "Default Exchange : " + sentExchangeText(state, log.cwFlag),
        "",
        "            Name : " + s.UserName,
        "         Address : " + s.UserAddress,
        "  City/State/Zip : " + s.cityLine(),
        "         Country : " + s.UserCountry,
        "",
        "       Club/Team : " + s.UserClub,
        ""};
    lines.insert(lines.end(), station.begin(), station.end());
    if (isMixedMode(nr))
        mixedModeTable(state, log, lines);
    else
        singleModeTable(state, log, lines);
    lines.emplace_back();
    if (nr == contest::Cqww) {
        long total = 0;
        for (std::size_t i = 0; i < state.totals.countriesPerBand.size(); ++i)
            total += state.totals.countriesPerBand[i] + state.totals.zonesPerBand[i];
        lines.push_back("Total Multiplier:  " + std::to_string(total));
    }
    const std::vector<std::string> ending{
        "Final Score =  " + groupedThousands(log.claimedScore),
        "Operating Time =  " + operatingTimeText(log.time.totalMinutes()) +
            " (off times shown in log)",
        "",
        "Rig : " + s.UserRig,
        "Antennas : " + s.UserAnt,
        "",
        "Soapbox : ",
        "",
        "I have observed all competition rules as well as all regulations",
        "established for amateur radio in my country.  My report is ",
        "correct and true to the best of my knowledge.  I agree to be",
        "bound by the decisions of the  Awards Committee.",
        "",
        "Date:" + std::string(16, '_') + "  Signature:" + std::string(30, '_')};
    lines.insert(lines.end(), ending.begin(), ending.end());
    return lines;
}

}  // namespace keslog
