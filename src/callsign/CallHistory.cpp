#include "callsign/CallHistory.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/Text.h"

namespace keslog {

namespace {

constexpr std::string_view kOrder = "!!ORDER!!";
constexpr std::size_t kLongestCall = 20;

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

bool isCallCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
}

// The fields of one line; nullopt for a quote left open. A field in
// quotes may hold the separator, and "" stands for one quote.
std::optional<std::vector<std::string>> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        std::string field;
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                if (at >= line.size()) return std::nullopt;
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += line[at++];
            }
            while (at < line.size() && line[at] != separator) ++at;
        } else {
            const std::size_t end = std::min(line.find(separator, at), line.size());
            field = trim(line.substr(at, end - at));
            at = end;
        }
        fields.push_back(toUpper(field));
        if (at >= line.size()) return fields;
        ++at;  // the separator
    }
}

// One part of an exchange: the first column of these that holds a field.
using Part = std::vector<std::string_view>;

struct HistoryExchange {
    std::string_view lead;  // room for the serial number typed in front
    std::vector<Part> parts;
};

HistoryExchange historyExchangeOf(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return {"", {{"POWER", "EXCH1"}}};
        case contest::Cqp:
        case contest::Paqp:
            return {" ", {{"LOC1", "EXCH1", "STATE"}}};
        case contest::Cqww:
            return {"", {{"CQZONE", "EXCH1"}}};
        case contest::Sprint:
            return {"  ", {{"NAME"}, {"STATE", "LOC1"}}};
        case contest::Ss:
            return {" ", {{"PREC"}, {"CK"}, {"SECT"}}};
        case contest::Aa:
            return {"", {{"AGE", "EXCH1"}}};
        case contest::Naqp:
            return {"", {{"NAME"}, {"STATE", "LOC1"}}};
        default:
            return {};
    }
}

}  // namespace

CallHistory CallHistory::fromBytes(std::string_view bytes) {
    CallHistory history;
    char separator = ',';
    std::vector<std::size_t> lineColumns;       // column number of each field of a line
    std::size_t callField = std::string::npos;  // none until a header names it
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        line = trimmedView(line);
        if (line.empty() || line.front() == '#') continue;

        const bool header = toUpper(line.substr(0, kOrder.size())) == kOrder;
        std::optional<std::vector<std::string>> fields;
        if (std::none_of(line.begin(), line.end(), isControl)) {
            if (header && line.size() > kOrder.size() &&
                (line[kOrder.size()] == ',' || line[kOrder.size()] == ';'))
                separator = line[kOrder.size()];
            fields = splitFields(
                header ? line.substr(std::min(line.size(), kOrder.size() + 1)) : line, separator);
        }
        if (!fields) {
            ++history.skippedLines_;
            continue;
        }
        if (header) {
            lineColumns.clear();
            callField = std::string::npos;
            for (const std::string& name : *fields) {
                auto known = std::find(history.columns_.begin(), history.columns_.end(), name);
                if (known == history.columns_.end())
                    known = history.columns_.insert(history.columns_.end(), name);
                if (name == "CALL" && callField == std::string::npos)
                    callField = lineColumns.size();
                lineColumns.push_back(static_cast<std::size_t>(known - history.columns_.begin()));
            }
            continue;
        }
        const std::string call = callField < fields->size() ? (*fields)[callField] : "";
        const bool readable = !call.empty() && call.size() <= kLongestCall &&
                              std::all_of(call.begin(), call.end(), isCallCharacter);
        if (!readable) {
            ++history.skippedLines_;
            continue;
        }
        Row row{call, std::vector<std::string>(history.columns_.size())};
        for (std::size_t k = 0; k < fields->size() && k < lineColumns.size(); ++k)
            row.fields[lineColumns[k]] = std::move((*fields)[k]);
        history.rows_.push_back(std::move(row));
    }
    std::stable_sort(history.rows_.begin(), history.rows_.end(),
                     [](const Row& a, const Row& b) { return a.call < b.call; });
    const auto last = std::unique(history.rows_.begin(), history.rows_.end(),
                                  [](const Row& a, const Row& b) { return a.call == b.call; });
    history.rows_.erase(last, history.rows_.end());
    return history;
}

std::string CallHistory::field(std::string_view call, std::string_view column) const {
    const auto name = std::find(columns_.begin(), columns_.end(), column);
    const auto row = std::lower_bound(rows_.begin(), rows_.end(), call,
                                      [](const Row& r, std::string_view c) { return r.call < c; });
    if (name == columns_.end() || row == rows_.end() || row->call != call) return {};
    const auto k = static_cast<std::size_t>(name - columns_.begin());
    return k < row->fields.size() ? row->fields[k] : std::string();
}

std::string historyExchange(ContestNr nr, const CallHistory& history, std::string_view call) {
    const HistoryExchange wanted = historyExchangeOf(nr);
    std::string parts;
    for (const Part& part : wanted.parts) {
        for (std::string_view column : part) {
            const std::string value = history.field(call, column);
            if (value.empty()) continue;
            parts += (parts.empty() ? "" : " ") + value;
            break;
        }
    }
    return parts.empty() ? parts : std::string(wanted.lead) + parts;
}

}  // namespace keslog
