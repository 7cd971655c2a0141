#include "postcontest/Cabrillo.h"

#include "entry/MultRows.h"
#include "model/QsoDate.h"
#include "model/Version.h"
#include "postcontest/SheetText.h"

namespace keslog {
namespace {

std::string cut(const std::string& text, std::size_t width) {
    return text.substr(0, width);
}

std::string frequencyOf(int bandMode) {
    static const char* const kFrequencies[] = {"28000", "21000", "14000", "7000",
                                               "3500",  "1800",  "50",    "144"};
    if (!isValidBandMode(bandMode)) return padLeft("0", 5);
    return padLeft(kFrequencies[bandIndexOf(bandMode) - 1], 5);
}

std::string contestName(ContestNr nr, bool cw) {
    const char* name = "";
    switch (nr) {
        case contest::ArrlDx:
            name = "ARRL-DX-";
            break;
        case contest::Cqp:
            name = "CA-QSO-PARTY";
            break;
        case contest::Cqww:
            name = "CQ-WW-";
            break;
        case contest::Sprint:
            name = "NA-SPRINT-";
            break;
        case contest::Ss:
            name = "ARRL-SS-";
            break;
        case contest::Wpx:
            name = "CQ-WPX-";
            break;
        case contest::Aa:
            name = "JARL-AA-";
            break;
        case contest::Paqp:
            name = "PA-QSO-PARTY";
            break;
        case contest::Naqp:
            name = "NAQP-";
            break;
        default:
            break;
    }
    std::string text = name;
    if (!text.empty() && text.back() == '-') text += cw ? "CW" : "SSB";
    return text;
}

// A section followed by one blank when it has two letters, so the
// columns after it line up with three-letter sections.
std::string sectionField(const std::string& section) {
    return section.size() == 2 ? section + " " : section;
}

std::string sentExchange(const MainMod& state, const RescoredLog& log, const QSORec& q) {
    const Settings& s = state.settings;
    const std::string rst = log.cwFlag ? "599 " : "59  ";
    const std::string sentNr = number4(q.QNr);
    switch (state.contestNr) {
        case contest::ArrlDx:
            return rst + padRight(s.ExchangeARRLMult, 6);
        case contest::Cqp:
            return sentNr + " " + padRight(cut(s.ExchangeCQPMult, 10), 10);
        case contest::Cqww:
            return rst + padRight(s.ExchangeCQWWMult, 6);
        case contest::Sprint:
            return sentNr + " " + padRight(s.ExchangeSprintName, 10) + " " +
                   padRight(cut(s.ExchangeSprintMult, 3), 3);
        case contest::Ss:
            return sentNr + " " + s.ExchangeSSPrec + " " + s.ExchangeSSCheck + " " +
                   sectionField(s.ExchangeSSSection);
        case contest::Wpx:
            return rst + sentNr;
        case contest::Aa:
            return rst + padRight(s.ExchangeAAMult, 2);
        case contest::Paqp:
            return sentNr + " " + padRight(cut(s.ExchangePAQPMult, 10), 10);
        case contest::Naqp:
            return padRight(s.ExchangeNAQPName, 10) + " " + padRight(cut(s.ExchangeNAQPMult, 3), 3);
        default:
            return {};
    }
}

std::string receivedExchange(const MainMod& state, const RescoredLog& log, const QSORecName& q) {
    const std::string rst = log.cwFlag ? "599 " : "59  ";
    const std::string rcvdNr = number4(q.QRcvd);
    switch (state.contestNr) {
        case contest::ArrlDx:
            return rst + (q.QRcvd == 0 ? std::string("1000") : rcvdNr);
        case contest::Cqp:
        case contest::Paqp:
            return rcvdNr + " " + padRight(multName(state, q), 10);
        case contest::Cqww:
        case contest::Wpx:
        case contest::Aa:
            return rst + rcvdNr;
        case contest::Sprint:
            return rcvdNr + " " + padRight(q.QName.trimmed(), 10) + " " +
                   padRight(multName(state, q), 6);
        case contest::Ss: {
            const std::string raw(q.QMult.raw());
            const std::string prec = trim(raw.substr(0, 1));
            const std::string check = trim(raw.substr(1, 2));
            return rcvdNr + " " + prec + " " + check + " " + sectionField(multName(state, q));
        }
        case contest::Naqp:
            return padRight(q.QName.trimmed(), 10) + " " + padRight(cut(multName(state, q), 3), 3);
        default:
            return {};
    }
}

std::string qsoLine(const MainMod& state, const RescoredLog& log, const QSORecName& q) {
    const std::string date =
        dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::IsoDashes);
    return "QSO: " + frequencyOf(q.QBandMode) + " " + (isCw(q.QBandMode) ? "CW" : "PH") + " " +
           date + " " + timeText(q.QTime) + " " +
           padRight(cut(state.settings.UserCallsign, 10), 10) + " " + sentExchange(state, log, q) +
           " " + padRight(q.QCall.trimmed(), 10) + " " + receivedExchange(state, log, q);
}

}  // namespace

std::string cabrilloPath(const RescoredLog& log) {
    return log.baseName + ".LOG";
}

std::vector<std::string> cabrilloLines(const MainMod& state, const RescoredLog& log) {
    const Settings& s = state.settings;
    const ContestNr nr = state.contestNr;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(log.qsoCount) + 24);
    lines.emplace_back("START-OF-LOG: 2.0");
    if (nr == contest::ArrlDx || nr == contest::Ss) lines.emplace_back("ARRL-SECTION:");
    lines.push_back("CONTEST: " + contestName(nr, log.cwFlag));
    lines.push_back("CALLSIGN: " + s.UserCallsign);
    lines.emplace_back("CATEGORY:");
    if (nr == contest::Wpx) lines.emplace_back("CATEGORY-OVERLAY:");
    lines.push_back("CLAIMED-SCORE: " + std::to_string(log.claimedScore));
    lines.emplace_back("OPERATORS:");
    lines.push_back(std::string("CREATED-BY: ") + kProgramName + " VER. " + kProgramVersion);
    lines.push_back("CLUB: " + s.UserClub);
    lines.push_back("NAME: " + s.UserName);
    lines.push_back("ADDRESS: " + s.UserAddress);
    lines.push_back("ADDRESS: " + s.UserCity);
    lines.push_back("ADDRESS: " + s.UserCountry);
    for (int i = 0; i < 3; ++i) lines.emplace_back("SOAPBOX:");
    for (int n = 1; n <= state.log.count(); ++n)
        lines.push_back(qsoLine(state, log, state.log.at(n)));
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

}  // namespace keslog
