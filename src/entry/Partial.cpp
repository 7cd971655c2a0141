#include "entry/Partial.h"

#include <algorithm>
#include <vector>

#include "entry/MultRows.h"

namespace keslog {

namespace {

bool matches(std::string_view call, std::string_view text, PartialSearchKind kind) {
    if (kind == PartialSearchKind::Contains) return call.find(text) != std::string_view::npos;
    return call.size() >= text.size() && call.substr(call.size() - text.size()) == text;
}

// Collects calls each once, in the order found, up to the window's hits.
class Hits {
  public:
    bool full() const { return calls_.size() >= kPartialHitCount; }
    void add(const std::string& call) {
        if (!full() && std::find(calls_.begin(), calls_.end(), call) == calls_.end())
            calls_.push_back(call);
    }
    const std::vector<std::string>& calls() const { return calls_; }

  private:
    std::vector<std::string> calls_;
};

const MultTable* countyTable(const MainMod& state) {
    if (state.contestNr == contest::Paqp) return &state.mults.PAQPMults;
    if (state.contestNr == contest::Cqp)
        return state.InStateFlag ? &state.mults.CQPInState : &state.mults.CQPMults;
    return nullptr;
}

bool isCountyAbbreviation(const MultTable& table, std::string_view text) {
    return std::any_of(table.rows.begin(), table.rows.end(),
                       [&](const MultRow& row) { return !text.empty() && row.forms[0] == text; });
}

}  // namespace

void Partial::updateVisible() {
    view_.visible = searchShown_ || !view_.scp.partial.empty() || !view_.scp.oneOff.empty();
}

void Partial::show(const std::vector<std::string>& calls) {
    view_.Match = {};
    searchShown_ = true;
    updateVisible();
    hasHits_ = !calls.empty();
    if (!hasHits_) {
        view_.Match[0] = " No calls";
        view_.Match[1] = "found";
        return;
    }
    std::copy(calls.begin(), calls.end(), view_.Match.begin());
}

void Partial::searchCalls(std::string_view text, PartialSearchKind kind) {
    Hits hits;
    const std::vector<std::string>& logCalls = state_.log.CallList;
    for (auto call = logCalls.begin(); call != logCalls.end() && !hits.full(); ++call)
        if (matches(*call, text, kind)) hits.add(*call);
    if (state_.lookbackCalls.loaded) {
        const auto& rows = state_.lookbackCalls.rows;
        for (auto row = rows.begin(); row != rows.end() && !hits.full(); ++row)
            if (matches(row->call, text, kind)) hits.add(row->call);
    }
    show(hits.calls());
}

void Partial::searchCounty(std::string_view county) {
    const MultTable* table = countyTable(state_);
    if (table == nullptr || !isCountyAbbreviation(*table, county)) {
        messageBox_.show({"Not a valid county abbreviation.", "County search error", MsgButtons::Ok,
                          MsgIcon::Stop, 0});
        return;
    }
    Hits hits;
    for (int n = 1; n <= state_.log.count() && !hits.full(); ++n) {
        const QSORecName q = state_.log.at(n);
        if (multName(state_, q) == county) hits.add(q.QCall.trimmed());
    }
    show(hits.calls());
}

std::optional<std::string> Partial::onMatchClick(int index) {
    if (!hasHits_ || index < 0 || index >= kPartialLabelCount) return std::nullopt;
    const std::string call = view_.Match[static_cast<std::size_t>(index)];
    if (call.empty()) return std::nullopt;
    searchShown_ = false;
    view_.visible = false;
    return call;
}

void Partial::onOk() {
    view_ = PartialView{};
    hasHits_ = false;
    searchShown_ = false;
}

void Partial::showCheckPartial(ScpMatches matches) {
    view_.scp = std::move(matches);
    updateVisible();
}

}  // namespace keslog
