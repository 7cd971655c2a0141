#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entry/Dupes.h"
#include "model/MainMod.h"

namespace keslog {

// The three call-match labels of the main window; an empty text is hidden.
struct CallMatchLabels {
    std::string CallMatchLabel1;    // this band (CQP, PAQP: this band and mode)
    std::string CallMatchLabel2;    // other bands
    std::string OldCallMatchLabel;  // the former logs
};

// Calls of this log and of the former logs that begin with the typed text.
CallMatchLabels partialMatches(const MainMod& state, std::string_view typed);

// How many database calls the partial window lists: a screenful.
inline constexpr std::size_t kScpScreenful = 30;

// A database call the partial window lists; inLog marks a call this log
// has worked.
struct ScpHit {
    std::string call;
    bool inLog = false;

    bool operator==(const ScpHit&) const = default;
};

// The check-partial lists of the typed text: the database calls holding
// it (from two characters on, those beginning with it first) and, for a
// call of four or more characters that neither the database nor this log
// holds, the calls one edit away. Empty without a database.
struct ScpMatches {
    std::vector<ScpHit> partial;
    std::vector<ScpHit> oneOff;

    bool operator==(const ScpMatches&) const = default;
};
ScpMatches scpMatches(const MainMod& state, std::string_view typed);

// Whether a logged call gets the "not in SCP" hint: a database is loaded
// and does not hold it.
bool notInScp(const MainMod& state, std::string_view call);

// Everything the call box shows while a call is typed.
struct CallBoxView {
    CallMatchLabels matches;
    int countryNr = 0;          // ARRL DX, CQWW: the country panel's country
    bool prefixNeeded = false;  // WPX: NeedPfxLabel
};

// One keystroke in the call box: the partial matches (the worked-before
// grid belongs to the dupe check); the country of the call in the DX
// contests; whether its WPX prefix is needed.
CallBoxView callTyped(MainMod& state, std::string_view typed);

// The exchange box's text when it gets the focus, from the last earlier
// contact with the call or else from the former logs; nullopt leaves the
// box as it is (CQWW, a box that begins with a digit, nothing known).
std::optional<std::string> exchangePrefill(const MainMod& state, std::string_view call,
                                           std::string_view exchangeBox);

// The exchange box's text from the call history, for a call this log has
// not worked and the former logs know nothing of for this contest; only
// into an empty box, so that nothing typed is overwritten.
std::optional<std::string> historyPrefill(const MainMod& state, std::string_view call,
                                          std::string_view exchangeBox);

// The two-letter code of the contest in the former-logs list.
std::string_view oldCallCode(ContestNr nr);

// Adds the calls of a former log, keeping the list in order; a call already
// listed keeps its first exchange, and so does a call the rows hold twice.
void addOldCalls(LookbackCalls& list, std::vector<OldCall> rows);

// Replaces the list with the given rows, in order, each call once (the
// first row of a call wins), and marks it loaded.
void loadOldCalls(LookbackCalls& list, std::vector<OldCall> rows);

}  // namespace keslog
