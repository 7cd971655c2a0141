#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Contest.h"
#include "model/QsoRecord.h"
#include "platform/Status.h"

namespace keslog {

// The QSO number is a 16-bit field of the stored record, so this is the
// largest log either record variant can hold.
inline constexpr int kMaxQsos = 32767;

// The QSOs of the open log. QSO n is element n - 1 of the table of the
// contest's record variant; CallSum and CallList run beside it for the dupe
// and call searches.
class LogTables {
  public:
    // Empties the tables for a log of the given record variant.
    void reset(RecordVariant variant);

    RecordVariant variant() const { return variant_; }
    int count() const { return static_cast<int>(CallList.size()); }
    bool isFull() const { return count() >= kMaxQsos; }

    // Adds QSO number count() + 1 with the frequency it was logged on (Hz,
    // 0: none). A full log refuses with a message and keeps every QSO it
    // holds. For QSORec logs the name is ignored.
    Status append(const QSORecName& record, std::int64_t hz = 0);

    // QSO n (1-based), as the QSORecName view; QName is blank for QSORec logs.
    QSORecName at(int n) const;
    // The frequency QSO n was logged on, in Hz to 10 Hz; nullopt when the
    // log knows only its band.
    std::optional<std::int64_t> frequencyOf(int n) const;
    // Replaces QSO n in place (the editors rewrite a QSO this way). A QSO
    // moved to another band loses the frequency of the old one.
    void replace(int n, const QSORecName& record);
    // Removes the last QSO (Kill Last Entry).
    void removeLast();

    std::vector<QSORec> LogTable;          // ARRL DX, CQP, CQWW, SS, WPX, AA, PAQP
    std::vector<QSORecName> LogTableName;  // Sprint, NAQP
    std::vector<int> CallSum;              // sum of the call's character codes
    std::vector<std::string> CallList;     // trimmed calls
    std::vector<std::int64_t> QsoHz;       // frequency in Hz, 0: none

  private:
    RecordVariant variant_ = RecordVariant::QSORec;
};

// Sum of the character codes of a trimmed call, as CallSum holds it.
int callSum(const std::string& trimmedCall);

std::string logFullMessage();

}  // namespace keslog
