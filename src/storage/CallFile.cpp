#include "storage/CallFile.h"

#include <algorithm>
#include <cctype>

#include "model/Text.h"

namespace keslog {

namespace {

constexpr std::size_t kLongestCall = 20;

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool isCallCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '/';
}

// Received QTHs of one character are row numbers 1..9: the call matching
// reads the last two characters as the row.
std::string twoDigitQth(std::string qth) {
    return qth.size() == 1 ? "0" + qth : qth;
}

std::string exchangeOf(std::string_view code, const QSORecName& q) {
    std::string exchange(code);
    if (code == "AR" || code == "WW" || code == "AA") {
        exchange += std::to_string(q.QRcvd);
    } else if (code == "CQ" || code == "SS" || code == "PA") {
        exchange += q.QMult.trimmed();
    } else if (code == "SP" || code == "NA") {
        exchange += q.QName.trimmed() + twoDigitQth(q.QMult.trimmed());
    }
    return exchange;
}

}  // namespace

CallFileContents parseCallFile(std::string_view bytes) {
    CallFileContents file;
    file.rows.reserve(bytes.size() / 16);
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);

        const std::string_view text = trimmedView(line);
        if (text.empty()) continue;
        const std::size_t blank = text.find(' ');
        const std::string_view call = text.substr(0, blank);
        const bool readable = call.size() <= kLongestCall &&
                              std::all_of(call.begin(), call.end(), isCallCharacter) &&
                              std::none_of(text.begin(), text.end(), isControl);
        if (!readable) {
            ++file.skippedLines;
            continue;
        }
        file.rows.push_back(
            {toUpper(call), std::string(blank == std::string_view::npos ? std::string_view()
                                                                        : text.substr(blank + 1))});
    }
    return file;
}

std::string callFileText(const std::vector<OldCall>& rows) {
    std::string text;
    for (const OldCall& row : rows) text += row.call + " " + row.exchange + "\r\n";
    return text;
}

std::vector<OldCall> oldCallsOfLog(const LogFileContents& log) {
    const std::string code = log.fields.identifier.substr(0, 2);
    std::vector<OldCall> rows;
    rows.reserve(log.qsos.size());
    for (const QSORecName& q : log.qsos) {
        std::string call = q.QCall.trimmed();
        if (!call.empty()) rows.push_back({std::move(call), exchangeOf(code, q)});
    }
    return rows;
}

}  // namespace keslog
