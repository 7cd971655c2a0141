#include "model/LogTables.h"

#include <cassert>

#include "model/Band.h"

namespace keslog {

std::string logFullMessage() {
    return "The log is full: it holds " + std::to_string(kMaxQsos) +
           " QSOs, the most a log can hold.  This QSO was not logged; "
           "start a new log to go on.";
}

int callSum(const std::string& trimmedCall) {
    int sum = 0;
    for (unsigned char c : trimmedCall) sum += c;
    return sum;
}

void LogTables::reset(RecordVariant variant) {
    variant_ = variant;
    LogTable.clear();
    LogTableName.clear();
    CallSum.clear();
    CallList.clear();
    QsoHz.clear();
}

Status LogTables::append(const QSORecName& record, std::int64_t hz) {
    if (isFull()) return Status::error(logFullMessage(), "Log Full");
    if (variant_ == RecordVariant::QSORecName)
        LogTableName.push_back(record);
    else
        LogTable.push_back(static_cast<const QSORec&>(record));
    const std::string call = record.QCall.trimmed();
    CallSum.push_back(callSum(call));
    CallList.push_back(call);
    QsoHz.push_back(hz);
    return Status::ok();
}

std::optional<std::int64_t> LogTables::frequencyOf(int n) const {
    assert(n >= 1 && n <= count());
    const std::int64_t hz = QsoHz[static_cast<std::size_t>(n - 1)];
    if (hz == 0) return std::nullopt;
    return hz;
}

QSORecName LogTables::at(int n) const {
    assert(n >= 1 && n <= count());
    const auto i = static_cast<std::size_t>(n - 1);
    if (variant_ == RecordVariant::QSORecName) return LogTableName[i];
    QSORecName out;
    static_cast<QSORec&>(out) = LogTable[i];
    return out;
}

void LogTables::replace(int n, const QSORecName& record) {
    assert(n >= 1 && n <= count());
    const auto i = static_cast<std::size_t>(n - 1);
    if (bandIndexOf(at(n).QBandMode) != bandIndexOf(record.QBandMode)) QsoHz[i] = 0;
    if (variant_ == RecordVariant::QSORecName)
        LogTableName[i] = record;
    else
        LogTable[i] = static_cast<const QSORec&>(record);
    CallList[i] = record.QCall.trimmed();
    CallSum[i] = callSum(CallList[i]);
}

void LogTables::removeLast() {
    if (count() == 0) return;
    if (variant_ == RecordVariant::QSORecName)
        LogTableName.pop_back();
    else
        LogTable.pop_back();
    CallSum.pop_back();
    CallList.pop_back();
    QsoHz.pop_back();
}

}  // namespace keslog
