// Call files of every kind: former-logs call files, the check-partial
// database and call-history files. Any bytes give well-formed rows; the
// former-logs rows written back read as the same rows with nothing skipped.
#include <cctype>

#include "FuzzSupport.h"
#include "callsign/CallHistory.h"
#include "callsign/CheckPartial.h"
#include "storage/CallFile.h"

namespace {

bool isCall(std::string_view call, std::size_t shortest) {
    if (call.size() < shortest || call.size() > 20) return false;
    for (char c : call)
        if (!std::isupper(static_cast<unsigned char>(c)) &&
            !std::isdigit(static_cast<unsigned char>(c)) && c != '/')
            return false;
    return true;
}

void checkDatabase(std::string_view bytes) {
    using namespace keslog;
    const ScpDatabase db = ScpDatabase::fromBytes(bytes);
    for (std::size_t i = 0; i < db.size(); ++i) {
        fuzz::require(isCall(db.call(i), 3), "database calls of 3 to 20 call characters");
        fuzz::require(i == 0 || db.call(i - 1) < db.call(i), "database calls ascending, once");
    }
    // The first bytes as typed text: every hit holds it, every one-off is
    // another call.
    const std::string_view typed = bytes.substr(0, 4);
    for (std::string_view hit : db.partial(typed, 30))
        fuzz::require(hit.find(typed) != std::string_view::npos, "partial hits hold the text");
    for (std::string_view hit : db.oneOff(typed, 30))
        fuzz::require(hit != typed && db.contains(hit), "one-off hits are other database calls");
}

void checkHistory(std::string_view bytes) {
    using namespace keslog;
    const CallHistory history = CallHistory::fromBytes(bytes);
    fuzz::require(history.skippedLines() >= 0, "a count of skipped lines");
    for (ContestNr nr = contest::First; nr <= contest::Last; ++nr)
        (void)historyExchange(nr, history, "K1AR");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keslog;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const CallFileContents read = parseCallFile(bytes);
    for (const OldCall& row : read.rows)
        fuzz::require(isCall(row.call, 1), "calls of 1 to 20 capitals, digits and /");
    const CallFileContents again = parseCallFile(callFileText(read.rows));
    fuzz::require(again.rows == read.rows, "rows survive writing and reading back");
    fuzz::require(again.skippedLines == 0, "written rows are all readable");
    checkDatabase(bytes);
    checkHistory(bytes);
    return 0;
}
