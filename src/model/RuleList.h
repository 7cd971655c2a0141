#pragma once

#include <string>
#include <vector>

namespace keslog {

// Which multiplier tables a rule list replaces.
enum class RuleKind { None, SsSections, NaMults };

// A multiplier of a rule list.
struct RuleMult {
    std::string stored;              // SS: the two characters a logged QSO keeps
    std::vector<std::string> forms;  // accepted forms, the first the one shown
    bool operator==(const RuleMult&) const = default;
};

// A form a rule list no longer accepts and the message that refuses it.
struct RetiredForm {
    std::string form;
    std::string message;
    bool operator==(const RetiredForm&) const = default;
};

// The multiplier list a log follows when its header names an edition; a
// log whose header names none follows the reference data file (kind None).
struct RuleList {
    RuleKind kind = RuleKind::None;
    std::string name;     // "SS sections 2023": shown with the log
    std::string edition;  // the name's last word, kept in the log's header
    std::vector<RuleMult> mults;
    std::vector<RetiredForm> retired;
    bool operator==(const RuleList&) const = default;
};

}  // namespace keslog
