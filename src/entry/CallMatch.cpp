#include "entry/CallMatch.h"

#include <algorithm>
#include <cctype>

#include "callsign/CallHistory.h"
#include "callsign/CheckPartial.h"
#include "callsign/CountryLookup.h"
#include "entry/MultRows.h"
#include "entry/Scoring.h"
#include "model/Text.h"

namespace keslog {

namespace {

// How far past the place of the typed text the log's calls are looked at,
// and the former logs' calls.
constexpr int kLogMatchWindow = 101;
constexpr int kOldMatchWindow = 6;

bool beginsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

bool isMixedMode(ContestNr nr) {
    return nr == contest::Cqp || nr == contest::Paqp;
}

auto findOldCall(const LookbackCalls& list, std::string_view call) {
    return std::lower_bound(list.rows.begin(), list.rows.end(), call,
                            [](const OldCall& row, std::string_view c) { return row.call < c; });
}

std::string oldMatches(const LookbackCalls& list, std::string_view typed) {
    std::string calls;
    auto row = findOldCall(list, typed);
    for (int k = 0; k < kOldMatchWindow && row != list.rows.end(); ++k, ++row)
        if (beginsWith(row->call, typed)) calls += " " + row->call;
    return calls;
}

// The first form of row n of a table, when the text is such a row number.
std::optional<std::string> rowName(const MultTable& table, std::string_view number) {
    const auto row = storedRowNumber(number, static_cast<int>(table.rows.size()));
    if (!row) return std::nullopt;
    return table.rows[static_cast<std::size_t>(*row - 1)].forms[0];
}

std::optional<std::string> fromThisLog(const MainMod& state, const QSORecName& q) {
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Aa:
            return numberText(q.QRcvd);
        case contest::Cqp:
        case contest::Paqp:
            return " " + multName(state, q);
        case contest::Sprint:
            return "  " + q.QName.trimmed() + " " + multName(state, q);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> fromOldCall(const MainMod& state, std::string_view rest) {
    const MultTables& m = state.mults;
    switch (state.contestNr) {
        case contest::ArrlDx:
        case contest::Aa:
            return " " + std::string(rest);
        case contest::Cqp:
        case contest::Paqp: {
            const auto name = rowName(*contestMultTable(state), rest);
            if (name) return " " + *name;
            return rest.empty() ? std::nullopt
                                : std::optional<std::string>(" " + std::string(rest));
        }
        case contest::Sprint:
        case contest::Naqp: {
            if (rest.size() < 2) return std::nullopt;
            const std::string_view name = rest.substr(0, rest.size() - 2);
            const MultTable& table =
                state.contestNr == contest::Sprint ? m.SprintMults : m.NAQPMults;
            const auto mult = rowName(table, rest.substr(rest.size() - 2));
            if (!mult) return std::nullopt;
            const std::string both = std::string(name) + " " + *mult;
            // Sprint leaves room for the serial number typed in front.
            return state.contestNr == contest::Sprint ? "  " + both : both;
        }
        case contest::Ss: {
            QSORec stored;
            stored.QMult = rest;
            const std::string section = multName(state, stored);
            if (section.empty()) return std::nullopt;
            return " " + section;
        }
        default:
            return std::nullopt;
    }
}

bool inLog(const MainMod& state, std::string_view call) {
    return state.callIndex.find(call) != state.callIndex.end();
}

std::vector<ScpHit> hits(const MainMod& state, const std::vector<std::string_view>& calls) {
    std::vector<ScpHit> marked;
    marked.reserve(calls.size());
    for (std::string_view call : calls) marked.push_back({std::string(call), inLog(state, call)});
    return marked;
}

// The former logs' row of the call for this contest, if any.
const OldCall* oldCallOfContest(const MainMod& state, std::string_view call) {
    const LookbackCalls& list = state.lookbackCalls;
    if (!list.loaded) return nullptr;
    const auto row = findOldCall(list, call);
    if (row == list.rows.end() || row->call != call) return nullptr;
    if (row->exchange.size() < 2 || row->exchange.substr(0, 2) != oldCallCode(state.contestNr))
        return nullptr;
    return &*row;
}

// In call order, each call once: the first row of a call wins.
void sortByCall(std::vector<OldCall>& rows) {
    const auto byCall = [](const OldCall& a, const OldCall& b) { return a.call < b.call; };
    // A saved call file is in order already.
    if (!std::is_sorted(rows.begin(), rows.end(), byCall))
        std::stable_sort(rows.begin(), rows.end(), byCall);
    const auto end = std::unique(rows.begin(), rows.end(), [](const OldCall& a, const OldCall& b) {
        return a.call == b.call;
    });
    rows.erase(end, rows.end());
}

}  // namespace

CallMatchLabels partialMatches(const MainMod& state, std::string_view typed) {
    CallMatchLabels labels;
    if (typed.empty()) return labels;
    std::string thisBand;
    std::string otherBands;
    auto entry = state.matchCurrentLog ? state.callIndex.lower_bound(typed) : state.callIndex.end();
    for (int k = 0; k < kLogMatchWindow && entry != state.callIndex.end(); ++k, ++entry) {
        // The index is in call order: the matches stand together.
        if (!beginsWith(entry->call, typed)) break;
        (entry->bandMode == state.CurrentBandMode ? thisBand : otherBands) += entry->call + " ";
    }
    const bool mixed = isMixedMode(state.contestNr);
    if (!thisBand.empty())
        labels.CallMatchLabel1 = (mixed ? "This bd/md: " : "This band: ") + thisBand;
    if (!otherBands.empty())
        labels.CallMatchLabel2 = (mixed ? "Other bd/mds: " : "Other bands: ") + otherBands;
    if (state.lookbackCalls.loaded) {
        const std::string old = oldMatches(state.lookbackCalls, typed);
        if (!old.empty()) labels.OldCallMatchLabel = "Old logs: " + old;
    }
    return labels;
}

CallBoxView callTyped(MainMod& state, std::string_view typed) {
    CallBoxView view;
    view.matches = partialMatches(state, typed);
    if (state.contestNr == contest::ArrlDx || state.contestNr == contest::Cqww)
        view.countryNr = typed.empty() ? 0 : CountryOfCall(state.countries, typed);
    view.prefixNeeded = checkPrefixNeeded(state, typed);
    return view;
}

std::optional<std::string> exchangePrefill(const MainMod& state, std::string_view call,
                                           std::string_view exchangeBox) {
    if (state.contestNr == contest::Cqww || call.empty()) return std::nullopt;
    if (!exchangeBox.empty() && std::isdigit(static_cast<unsigned char>(exchangeBox[0])))
        return std::nullopt;
    const DupeCheck check = checkDupe(state, call);
    if (check.workedBefore) {
        if (check.lastContact > state.log.count()) return std::nullopt;
        return fromThisLog(state, state.log.at(check.lastContact));
    }

    const OldCall* row = oldCallOfContest(state, call);
    if (row == nullptr) return std::nullopt;
    return fromOldCall(state, std::string_view(row->exchange).substr(2));
}

std::optional<std::string> historyPrefill(const MainMod& state, std::string_view call,
                                          std::string_view exchangeBox) {
    if (!state.callHistory || call.empty() || !trimmedView(exchangeBox).empty())
        return std::nullopt;
    if (checkDupe(state, call).workedBefore || oldCallOfContest(state, call) != nullptr)
        return std::nullopt;
    std::string exchange = historyExchange(state.contestNr, *state.callHistory, call);
    if (exchange.empty()) return std::nullopt;
    return exchange;
}

ScpMatches scpMatches(const MainMod& state, std::string_view typed) {
    ScpMatches matches;
    if (!state.scp) return matches;
    const ScpDatabase& db = *state.scp;
    matches.partial = hits(state, db.partial(typed, kScpScreenful));
    if (typed.size() >= 4 && !db.contains(typed) && !inLog(state, typed))
        matches.oneOff = hits(state, db.oneOff(typed, kScpScreenful));
    return matches;
}

bool notInScp(const MainMod& state, std::string_view call) {
    return state.scp && !call.empty() && !state.scp->contains(call);
}

std::string_view oldCallCode(ContestNr nr) {
    switch (nr) {
        case contest::ArrlDx:
            return "AR";
        case contest::Cqp:
            return "CQ";
        case contest::Cqww:
            return "WW";
        case contest::Sprint:
            return "SP";
        case contest::Ss:
            return "SS";
        case contest::Wpx:
            return "WP";
        case contest::Aa:
            return "AA";
        case contest::Paqp:
            return "PA";
        case contest::Naqp:
            return "NA";
        default:
            return "";
    }
}

void addOldCalls(LookbackCalls& list, std::vector<OldCall> rows) {
    sortByCall(rows);
    std::vector<OldCall> merged;
    merged.reserve(list.rows.size() + rows.size());
    auto old = list.rows.begin();
    auto added = rows.begin();
    while (old != list.rows.end() || added != rows.end()) {
        if (added == rows.end() || (old != list.rows.end() && old->call <= added->call)) {
            if (added != rows.end() && old->call == added->call) ++added;
            merged.push_back(std::move(*old++));
        } else {
            merged.push_back(std::move(*added++));
        }
    }
    list.rows = std::move(merged);
}

void loadOldCalls(LookbackCalls& list, std::vector<OldCall> rows) {
    sortByCall(rows);
    list.rows = std::move(rows);
    list.loaded = true;
}

}  // namespace keslog
