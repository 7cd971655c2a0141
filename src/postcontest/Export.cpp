#include "postcontest/Export.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "callsign/Prefix.h"
#include "entry/MultRows.h"
#include "model/Band.h"
#include "model/QsoDate.h"
#include "model/Version.h"
#include "postcontest/Cabrillo.h"
#include "storage/LogNames.h"

namespace keslog {
namespace {

constexpr std::array<std::string_view, kBandCount> kAdifBands{"10m", "15m",  "20m", "40m",
                                                              "80m", "160m", "6m",  "2m"};
constexpr std::array<std::string_view, kBandCount> kDxb4Bands{"10", "15", "20", "40",
                                                              "80", "16", "6 ", "2 "};

// A damaged record's band-mode has no band: its field stays empty (blank).
std::string_view bandText(const std::array<std::string_view, kBandCount>& texts, int bandMode,
                          std::string_view none) {
    return isValidBandMode(bandMode) ? texts[static_cast<std::size_t>(bandIndexOf(bandMode) - 1)]
                                     : none;
}

bool isUsaPrefix(const std::string& prefix) {
    if (prefix.size() < 2) return false;
    const char first = prefix[0];
    const bool kNW = first == 'K' || first == 'N' || first == 'W';
    if (prefix.size() == 2) return kNW;
    const std::string two = prefix.substr(0, 2);
    if ((two >= "AA" && two <= "AG") || (two >= "AI" && two <= "AK")) return true;
    static constexpr std::array<std::string_view, 11> kOutlying{"KP", "NP", "WP", "AL", "KL", "NL",
                                                                "WL", "AH", "KH", "NH", "WH"};
    for (std::string_view outlying : kOutlying)
        if (two == outlying) return false;
    return kNW;
}

bool isJaCall(const std::string& call) {
    const std::string two = call.substr(0, 2);
    return two >= "JA" && two <= "JS" && two != "JD";
}

void addField(std::string& line, std::string_view name, std::string_view value) {
    line += '<';
    line += name;
    line += ':';
    line += std::to_string(value.size());
    line += '>';
    line += value;
}

// The ADIF codes of the US states (with DC) and the Canadian provinces
// and territories; any other QTH names no subdivision.
constexpr std::array<std::string_view, 51> kUsStates{
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
    "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};
constexpr std::array<std::string_view, 13> kCanadianAreas{"AB", "BC", "MB", "NB", "NL", "NS", "NT",
                                                          "NU", "ON", "PE", "QC", "SK", "YT"};

// The parts of an exchange that were given, a blank between them.
std::string words(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts)
        if (!part.empty()) text += (text.empty() ? "" : " ") + part;
    return text;
}

void addQth(Fields& fields, const std::string& qth) {
    if (std::ranges::find(kUsStates, qth) != kUsStates.end()) fields.emplace_back("state", qth);
    if (std::ranges::find(kCanadianAreas, qth) != kCanadianAreas.end())
        fields.emplace_back("ve_prov", qth);
}

// Text left-justified in a field of width, cut to it when longer.
void addFixed(std::string& record, std::string_view text, std::size_t width) {
    const std::size_t kept = std::min(text.size(), width);
    record.append(text.substr(0, kept));
    record.append(width - kept, ' ');
}

// ADIF's FREQ: MHz with the five decimals of 10 Hz.
std::string mhzText(std::int64_t hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%05lld", static_cast<long long>(hz / 1'000'000),
                  static_cast<long long>(hz % 1'000'000 / 10));
    return text;
}

}  // namespace

Fields contestFields(const MainMod& state, const QSORecName& q) {
    const Settings& s = state.settings;
    const std::string stx = std::to_string(q.QNr);
    const std::string srx = std::to_string(q.QRcvd);
    const std::string mult = trim(multName(state, q));
    const std::string name = q.QName.trimmed();
    switch (state.contestNr) {
        case contest::ArrlDx:
            return {{"stx_string", trim(s.ExchangeARRLMult)},
                    {"srx_string", q.QRcvd == 0 ? std::string("1000") : srx}};
        case contest::Cqww:
            return {{"stx_string", trim(s.ExchangeCQWWMult)}, {"srx_string", srx}, {"cqz", srx}};
        case contest::Wpx:
            return {{"stx", stx}, {"srx", srx}};
        case contest::Aa:
            return {{"stx_string", trim(s.ExchangeAAMult)}, {"srx_string", srx}};
        case contest::Cqp:
        case contest::Paqp: {
            const bool cqp = state.contestNr == contest::Cqp;
            Fields fields{{"stx", stx},
                          {"srx", srx},
                          {"stx_string", trim(cqp ? s.ExchangeCQPMult : s.ExchangePAQPMult)},
                          {"srx_string", mult}};
            // A station inside California works the states and provinces.
            if (cqp && state.InStateFlag)
                addQth(fields, mult);
            else
                fields.emplace_back("cnty", (cqp ? "CA," : "PA,") + mult);
            return fields;
        }
        case contest::Ss: {
            const std::string raw(q.QMult.raw());
            const std::string prec = trim(raw.substr(0, 1));
            const std::string check = trim(raw.substr(1, 2));
            return {{"stx", stx},
                    {"srx", srx},
                    {"stx_string", words({trim(s.ExchangeSSPrec), trim(s.ExchangeSSCheck),
                                          trim(s.ExchangeSSSection)})},
                    {"srx_string", words({prec, check, mult})},
                    {"arrl_sect", mult},
                    {"check", check},
                    {"precedence", prec}};
        }
        case contest::Sprint:
        case contest::Naqp: {
            const bool sprint = state.contestNr == contest::Sprint;
            Fields fields;
            if (sprint) fields = {{"stx", stx}, {"srx", srx}};
            fields.emplace_back("stx_string",
                                words({trim(sprint ? s.ExchangeSprintName : s.ExchangeNAQPName),
                                       trim(sprint ? s.ExchangeSprintMult : s.ExchangeNAQPMult)}));
            fields.emplace_back("srx_string", words({name, mult}));
            fields.emplace_back("name", name);
            addQth(fields, mult);
            return fields;
        }
        default:
            return {};
    }
}

bool omittedFromExport(const std::string& call, const OutputChoices& choices) {
    return (choices.omitJA && isJaCall(call)) || (choices.omitWK && isUsaPrefix(WPXPrefixOf(call)));
}

std::string adifPath(const RescoredLog& log) {
    return log.baseName + ".adi";
}

std::vector<std::string> adifLines(const MainMod& state, const RescoredLog& log,
                                   const OutputChoices& choices) {
    const std::string name = fileNameOf(log.path);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(state.log.count()) + 1);
    std::string header = "ADIF Export from " + name + " ";
    addField(header, "adif_ver", "3.1.4");
    addField(header, "programid", kProgramName);
    addField(header, "programversion", kProgramVersion);
    lines.push_back(header + "<eoh>");
    const std::string contestId = cabrilloContestName(state.contestNr, log.cwFlag);
    const Settings& s = state.settings;
    for (int n = 1; n <= state.log.count(); ++n) {
        const QSORecName q = state.log.at(n);
        const std::string call = q.QCall.trimmed();
        if (omittedFromExport(call, choices)) continue;
        const bool cw = isCw(q.QBandMode);
        std::string line;
        line.reserve(320 + name.size());
        addField(line, "qso_date",
                 dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::Compact));
        addField(line, "time_on", timeText(q.QTime));
        addField(line, "band", bandText(kAdifBands, q.QBandMode, ""));
        if (const std::optional<std::int64_t> hz = state.log.frequencyOf(n))
            addField(line, "freq", mhzText(*hz));
        addField(line, "mode", cw ? "CW" : "SSB");
        addField(line, "call", call);
        addField(line, "rst_sent", cw ? "599" : "59");
        addField(line, "rst_rcvd", cw ? "599" : "59");
        addField(line, "contest_id", contestId);
        Fields fields = contestFields(state, q);
        fields.emplace_back("operator", s.UserOperator.empty() ? s.stationCall() : s.UserOperator);
        fields.emplace_back("station_callsign", s.stationCall());
        for (const auto& [field, value] : fields)
            if (!value.empty()) addField(line, field, value);
        addField(line, "notes", name);
        line += "<eor>";
        lines.push_back(std::move(line));
    }
    return lines;
}

bool hasDxb4Export(ContestNr contest) {
    return contest != contest::Sprint && contest != contest::Naqp;
}

std::string dxb4Path(const RescoredLog& log) {
    return log.baseName + ".SDF";
}

std::vector<std::string> dxb4Lines(const MainMod& state, const RescoredLog& log,
                                   const OutputChoices& choices) {
    const std::string comment = " " + fileNameOf(log.path);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(state.log.count()));
    for (int n = 1; n <= state.log.count(); ++n) {
        const QSORecName q = state.log.at(n);
        const std::string call = q.QCall.trimmed();
        if (omittedFromExport(call, choices)) continue;
        const bool cw = isCw(q.QBandMode);
        const std::string_view rst = cw ? "599" : "59 ";
        std::string record;
        record.reserve(kDxb4RecordLength);
        addFixed(record, call, 11);
        record.append(6, ' ');
        addFixed(record, bandText(kDxb4Bands, q.QBandMode, "  "), 2);
        record += cw ? "1N" : "3N";
        addFixed(record, dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::Short), 6);
        record += timeText(q.QTime);
        record += rst;
        record += rst;
        record += 'N';
        // The comment is cut, never widened: readers count on 127 characters.
        addFixed(record, comment, 30);
        record += "YY  NNNN";
        record.append(19, ' ');
        record += 'N';
        record.append(31, ' ');
        lines.push_back(std::move(record));
    }
    return lines;
}

}  // namespace keslog
