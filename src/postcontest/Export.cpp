#include "postcontest/Export.h"

#include <array>
#include <string_view>

#include "callsign/Prefix.h"
#include "model/Band.h"
#include "model/QsoDate.h"
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

// Text left-justified in a field of width, cut to it when longer.
void addFixed(std::string& record, std::string_view text, std::size_t width) {
    const std::size_t kept = std::min(text.size(), width);
    record.append(text.substr(0, kept));
    record.append(width - kept, ' ');
}

}  // namespace

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
    lines.push_back("ADIF Export from " + name + " <eoh>");
    for (int n = 1; n <= state.log.count(); ++n) {
        const QSORecName q = state.log.at(n);
        const std::string call = q.QCall.trimmed();
        if (omittedFromExport(call, choices)) continue;
        const bool cw = isCw(q.QBandMode);
        std::string line;
        line.reserve(160 + name.size());
        addField(line, "qso_date",
                 dateText(calendarDateOf(q.QDate, log.currentYear), DateForm::Compact));
        addField(line, "time_on", timeText(q.QTime));
        addField(line, "band", bandText(kAdifBands, q.QBandMode, ""));
        addField(line, "mode", cw ? "CW" : "SSB");
        addField(line, "call", call);
        addField(line, "rst_sent", cw ? "599" : "59");
        addField(line, "rst_rcvd", cw ? "599" : "59");
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
