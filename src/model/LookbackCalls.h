#pragma once

#include <string>
#include <vector>

namespace keslog {

// One call of the former logs and the exchange it gave, led by the
// two-letter code of the contest it was worked in ("AR", "CQ", "WW", "SP",
// "SS", "WP", "AA", "PA", "NA").
struct OldCall {
    std::string call;
    std::string exchange;

    bool operator==(const OldCall&) const = default;
};

// The former-logs call list the entry line matches against: each call once,
// in ascending order. Empty and not loaded until the operator builds one.
struct LookbackCalls {
    std::vector<OldCall> rows;
    bool loaded = false;  // the entry line matches against the list
};

}  // namespace keslog
