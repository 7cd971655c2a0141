#pragma once

#include <string>
#include <string_view>

#include "model/Contest.h"
#include "model/RuleList.h"
#include "platform/Status.h"

namespace keslog {

inline constexpr const char* kSsSectionsFileName = "SS-SECTIONS.TXT";
inline constexpr const char* kNaMultsFileName = "NA-MULTS.TXT";

// The rule list a contest's new logs follow: SS sections, or the NA
// multipliers of the Sprint and NAQP; None for the other contests.
RuleKind ruleKindOf(ContestNr nr);

// Reads a rule list file's text: its first line the list's name, then one
// multiplier or retired form a line ("#" lines are comments). path names
// the file in the messages of a refusal.
Result<RuleList> parseRuleList(std::string_view text, RuleKind kind, const std::string& path);

// The list a new log of the contest follows, from the program folder; an
// empty list for a contest that has none.
Result<RuleList> currentRuleList(const std::string& programDir, ContestNr nr);

// The list of a log whose header names the edition: none for a blank one,
// the program folder's list when it is that edition, else a refusal that
// names the edition and the file.
Result<RuleList> ruleListOfLog(const std::string& programDir, ContestNr nr,
                               std::string_view edition);

}  // namespace keslog
