#include "postcontest/Cabrillo.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "entry/MultRows.h"
#include "model/QsoDate.h"
#include "model/Version.h"
#include "postcontest/SheetText.h"

namespace keslog {
namespace {

std::string cut(const std::string& text, std::size_t width) {
    return text.substr(0, width);
}

// QSO n's frequency in whole kHz where the log knows it, else its band's
// lower edge; 6 m and 2 m by their band names, as the sponsors want them.
std::string frequencyOf(const LogTables& qsos, int n) {
    static const char* const kFrequencies[] = {"28000", "21000", "14000", "7000",
                                               "3500",  "1800",  "50",    "144"};
    const int bandMode = qsos.at(n).QBandMode;
    if (!isValidBandMode(bandMode)) return padLeft("0", 5);
    const int band = bandIndexOf(bandMode);
    const std::optional<std::int64_t> hz = qsos.frequencyOf(n);
    if (hz && band != band::B6 && band != band::B2) return padLeft(std::to_string(*hz / 1000), 5);
    return padLeft(kFrequencies[band - 1], 5);
}

// What the two file versions know of each contest, in ContestNr order.
struct ContestForm {
    const char* nameV2;  // a name ending in '-' takes the mode
    const char* name;
    std::vector<std::string_view> overlays;  // the overlay categories the sponsor has
    std::size_t callWidth;                   // of the calls in the QSO lines
    int exchangeFields;                      // after each call
};

const ContestForm& formOf(ContestNr nr) {
    static const std::array<ContestForm, 10> forms{{
        {"", "", {}, 10, 0},
        {"ARRL-DX-", "ARRL-DX-", {}, 13, 2},
        {"CA-QSO-PARTY", "CA-QSO-PARTY", {}, 10, 2},
        {"CQ-WW-", "CQ-WW-", {"CLASSIC", "ROOKIE", "YOUTH"}, 13, 2},
        {"NA-SPRINT-", "NA-SPRINT-", {}, 10, 3},
        {"ARRL-SS-", "ARRL-SS-", {}, 10, 4},
        {"CQ-WPX-", "CQ-WPX-", {"TB-WIRES", "ROOKIE", "YOUTH"}, 13, 2},
        {"JARL-AA-", "AADX-", {}, 13, 2},
        {"PA-QSO-PARTY", "PA-QSO-PARTY", {}, 10, 2},
        {"NAQP-", "NAQP-", {}, 10, 2},
    }};
    return forms[nr >= contest::First && nr <= contest::Last ? static_cast<std::size_t>(nr) : 0];
}

std::string withMode(const char* name, bool cw) {
    std::string text = name;
    if (!text.empty() && text.back() == '-') text += cw ? "CW" : "SSB";
    return text;
}

// A section followed by one blank when it has two letters, so the
// columns after it line up with three-letter sections.
std::string sectionField(const std::string& section) {
    return section.size() == 2 ? section + " " : section;
}

std::string sentExchangeV2(const MainMod& state, const RescoredLog& log, const QSORec& q) {
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

std::string receivedExchangeV2(const MainMod& state, const RescoredLog& log, const QSORecName& q) {
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

std::string qsoLineV2(const MainMod& state, const RescoredLog& log, int n) {
    const QSORecName q = state.log.at(n);
    const std::string date =
        dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::IsoDashes);
    return "QSO: " + frequencyOf(state.log, n) + " " + (isCw(q.QBandMode) ? "CW" : "PH") + " " +
           date + " " + timeText(q.QTime) + " " +
           padRight(cut(state.settings.UserCallsign, 10), 10) + " " +
           sentExchangeV2(state, log, q) + " " + padRight(q.QCall.trimmed(), 10) + " " +
           receivedExchangeV2(state, log, q);
}

// One column of a QSO line: its text, widened to the published width and
// never cut.
struct Column {
    std::string text;
    std::size_t width;
    bool right = false;
};

std::string joined(const std::vector<Column>& columns) {
    std::string line;
    for (const Column& c : columns) {
        if (!line.empty()) line += ' ';
        line += c.right ? padLeft(c.text, c.width) : padRight(c.text, c.width);
    }
    return line;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string rstOf(const QSORec& q) {
    return isCw(q.QBandMode) ? "599" : "59";
}

// A station outside the US and Canada sends its power in ARRL DX.
bool isArrlDxFromDx(const Settings& s) {
    const std::string sent = upper(trim(s.ExchangeARRLMult));
    return !sent.empty() && (sent.find_first_not_of("0123456789") == std::string::npos ||
                             sent == "KW" || sent == "K");
}

std::vector<Column> sentColumns(const MainMod& state, const QSORec& q) {
    const Settings& s = state.settings;
    const std::string nr = std::to_string(q.QNr);
    switch (state.contestNr) {
        case contest::ArrlDx:
            return {{rstOf(q), 3, true}, {trim(s.ExchangeARRLMult), 6}};
        case contest::Cqww:
            return {{rstOf(q), 3, true}, {trim(s.ExchangeCQWWMult), 6}};
        case contest::Wpx:
            return {{rstOf(q), 3, true}, {nr, 6}};
        case contest::Aa:
            return {{rstOf(q), 3, true}, {trim(s.ExchangeAAMult), 6}};
        case contest::Cqp:
            return {{nr, 4, true}, {trim(s.ExchangeCQPMult), 4}};
        case contest::Paqp:
            return {{nr, 4, true}, {trim(s.ExchangePAQPMult), 4}};
        case contest::Sprint:
            return {
                {nr, 4, true}, {trim(s.ExchangeSprintName), 10}, {trim(s.ExchangeSprintMult), 3}};
        case contest::Ss:
            return {{nr, 4, true},
                    {trim(s.ExchangeSSPrec), 1},
                    {trim(s.ExchangeSSCheck), 2},
                    {trim(s.ExchangeSSSection), 3}};
        case contest::Naqp:
            return {{trim(s.ExchangeNAQPName), 10}, {trim(s.ExchangeNAQPMult), 3}};
        default:
            return {};
    }
}

std::vector<Column> receivedColumns(const MainMod& state, const QSORecName& q) {
    const std::string nr = std::to_string(q.QRcvd);
    switch (state.contestNr) {
        case contest::ArrlDx:
            // Power as logged; 0 stands for a kilowatt.
            return {{rstOf(q), 3, true}, {q.QRcvd == 0 ? std::string("1000") : nr, 6}};
        case contest::Cqww:
        case contest::Wpx:
        case contest::Aa:
            return {{rstOf(q), 3, true}, {nr, 6}};
        case contest::Cqp:
        case contest::Paqp:
            return {{nr, 4, true}, {multName(state, q), 4}};
        case contest::Sprint:
            return {{nr, 4, true}, {q.QName.trimmed(), 10}, {multName(state, q), 3}};
        case contest::Ss: {
            const std::string raw(q.QMult.raw());
            return {{nr, 4, true},
                    {trim(raw.substr(0, 1)), 1},
                    {trim(raw.substr(1, 2)), 2},
                    {multName(state, q), 3}};
        }
        case contest::Naqp:
            return {{q.QName.trimmed(), 10}, {multName(state, q), 3}};
        default:
            return {};
    }
}

std::string qsoLine(const MainMod& state, const RescoredLog& log, int n) {
    const QSORecName q = state.log.at(n);
    const std::size_t callWidth = formOf(state.contestNr).callWidth;
    std::vector<Column> columns{
        {frequencyOf(state.log, n), 5, true},
        {isCw(q.QBandMode) ? "CW" : "PH", 2},
        {dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::IsoDashes), 10},
        {timeText(q.QTime), 4},
        {state.settings.stationCall(), callWidth}};
    for (Column& c : sentColumns(state, q)) columns.push_back(std::move(c));
    columns.push_back({q.QCall.trimmed(), callWidth});
    for (Column& c : receivedColumns(state, q)) columns.push_back(std::move(c));
    return trimRight("QSO: " + joined(columns));
}

// The QSO lines sorted by date and time; QSOs of the same minute stay in
// log order.
std::vector<std::string> qsoLinesInTimeOrder(const MainMod& state, const RescoredLog& log) {
    std::vector<std::pair<std::string, std::string>> keyed;
    for (int n = 1; n <= state.log.count(); ++n) {
        const std::string line = qsoLine(state, log, n);
        keyed.emplace_back(line.substr(14, 15), line);  // "yyyy-mm-dd hhmm"
    }
    std::ranges::stable_sort(keyed, {}, &std::pair<std::string, std::string>::first);
    std::vector<std::string> lines;
    lines.reserve(keyed.size());
    for (auto& [key, line] : keyed) lines.push_back(std::move(line));
    return lines;
}

std::string location(const MainMod& state) {
    const Settings& s = state.settings;
    switch (state.contestNr) {
        case contest::Ss:
            return upper(trim(s.ExchangeSSSection));
        case contest::ArrlDx:
            // The section when the station has one, else its state or province.
            if (isArrlDxFromDx(s)) return "DX";
            return upper(
                trim(s.ExchangeSSSection.empty() ? s.ExchangeARRLMult : s.ExchangeSSSection));
        default:
            return "DX";
    }
}

std::string logMode(const RescoredLog& log) {
    if (log.cwFlag && log.ssbFlag) return "MIXED";
    return log.cwFlag ? "CW" : "SSB";
}

void addCategories(const MainMod& state, const RescoredLog& log, std::vector<std::string>& lines) {
    const std::vector<std::string_view>& overlays = formOf(state.contestNr).overlays;
    for (const CategoryChoice& c : categoryChoices()) {
        std::string value = chosenCategory(c, state.settings);
        if (c.setting == &Settings::CategoryMode && value.empty()) value = logMode(log);
        if (c.setting == &Settings::CategoryOverlay &&
            std::ranges::find(overlays, value) == overlays.end())
            continue;
        lines.push_back(std::string(c.tag) + ": " + value);
    }
}

std::vector<std::string> cabrilloLinesV3(const MainMod& state, const RescoredLog& log) {
    const Settings& s = state.settings;
    std::vector<std::string> lines{
        "START-OF-LOG: 3.0", std::string("CREATED-BY: ") + kProgramName + " " + kProgramVersion,
        "CONTEST: " + cabrilloContestName(state.contestNr, log.cwFlag),
        "CALLSIGN: " + s.stationCall(), "LOCATION: " + location(state)};
    addCategories(state, log, lines);
    const std::pair<const char*, std::string> texts[] = {
        {"CLAIMED-SCORE", std::to_string(log.claimedScore)},
        {"OPERATORS", s.UserOperator.empty() ? s.stationCall() : s.UserOperator},
        {"CLUB", s.UserClub},
        {"NAME", s.UserName},
        {"ADDRESS", s.UserAddress},
        {"ADDRESS-CITY", s.UserCity},
        {"ADDRESS-STATE-PROVINCE", s.UserState},
        {"ADDRESS-POSTALCODE", s.UserPostalCode},
        {"ADDRESS-COUNTRY", s.UserCountry},
        {"EMAIL", s.UserEmail},
        {"GRID-LOCATOR", s.UserGrid},
        {"SOAPBOX", ""}};
    for (const auto& [tag, value] : texts)
        lines.push_back(std::string(tag) + ":" + (value.empty() ? "" : " " + value));
    for (std::string& line : qsoLinesInTimeOrder(state, log)) lines.push_back(std::move(line));
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

// The form of 1997, for a sponsor that still wants it.
std::vector<std::string> cabrilloLinesV2(const MainMod& state, const RescoredLog& log) {
    const Settings& s = state.settings;
    const ContestNr nr = state.contestNr;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(log.qsoCount) + 24);
    lines.emplace_back("START-OF-LOG: 2.0");
    if (nr == contest::ArrlDx || nr == contest::Ss) lines.emplace_back("ARRL-SECTION:");
    lines.push_back("CONTEST: " + withMode(formOf(nr).nameV2, log.cwFlag));
    lines.push_back("CALLSIGN: " + s.UserCallsign);
    lines.emplace_back("CATEGORY:");
    if (nr == contest::Wpx) lines.emplace_back("CATEGORY-OVERLAY:");
    lines.push_back("CLAIMED-SCORE: " + std::to_string(log.claimedScore));
    lines.emplace_back("OPERATORS:");
    lines.push_back(std::string("CREATED-BY: ") + kProgramName + " VER. " + kProgramVersion);
    lines.push_back("CLUB: " + s.UserClub);
    lines.push_back("NAME: " + s.UserName);
    lines.push_back("ADDRESS: " + s.UserAddress);
    lines.push_back("ADDRESS: " + s.cityLine());
    lines.push_back("ADDRESS: " + s.UserCountry);
    for (int i = 0; i < 3; ++i) lines.emplace_back("SOAPBOX:");
    for (int n = 1; n <= state.log.count(); ++n)
        lines.push_back(qsoLineV2(state, log, n));
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

}  // namespace

std::string cabrilloContestName(ContestNr nr, bool cw) {
    return withMode(formOf(nr).name, cw);
}

int cabrilloQsoFieldCount(std::string_view contestName) {
    for (ContestNr nr = contest::First; nr <= contest::Last; ++nr)
        for (const bool cw : {true, false})
            if (cabrilloContestName(nr, cw) == contestName)
                return 4 + 2 * (1 + formOf(nr).exchangeFields);
    return 0;
}

std::string cabrilloPath(const RescoredLog& log) {
    return log.baseName + ".LOG";
}

std::vector<std::string> cabrilloLines(const MainMod& state, const RescoredLog& log, int version) {
    return version == 2 ? cabrilloLinesV2(state, log) : cabrilloLinesV3(state, log);
}

}  // namespace keslog
