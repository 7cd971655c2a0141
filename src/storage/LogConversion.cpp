#include "storage/LogConversion.h"

#include "callsign/Prefix.h"
#include "model/Text.h"
#include "platform/Files.h"

namespace keslog {

namespace {

constexpr const char* kConversionTitle = "Log Conversion Error";

std::string convertedLog(const QSORec& header, const std::vector<QSORecName>& qsos) {
    std::string bytes = encodeHeader(header);
    for (const QSORecName& q : qsos) bytes += encodeQso(q, RecordVariant::QSORec);
    return bytes;
}

}  // namespace

std::string oldLogName(const std::string& path) {
    return path.empty() ? std::string("b") : path.substr(0, path.size() - 1) + "b";
}

std::string convertWpxLog(const LogFileContents& old) {
    QSORec header = old.header;
    header.QPoints = old.fields.location == '1' ? "3" : "2";
    std::vector<QSORecName> qsos = old.qsos;
    for (QSORecName& q : qsos)
        if (q.QMult.trimmed().empty()) q.QMult = WPXPrefixOf(q.QCall.trimmed());
    return convertedLog(header, qsos);
}

std::optional<int> ssSectionIndex(int s, int ssYear) {
    if (ssYear == 95) {
        if (s >= 1 && s <= 10) return s;
        if (s >= 11 && s <= 69) return s + 1;
        if (s >= 70 && s <= 77) return s + 2;
    } else if (ssYear == 96) {
        if (s >= 1 && s <= 70) return s;
        if (s >= 71 && s <= 78) return s + 1;
    }
    return std::nullopt;
}

Result<std::string> convertSsLog(const LogFileContents& old, int ssYear,
                                 std::span<const std::string> sectionShortForms) {
    // The old lists reach short form 79.
    if (sectionShortForms.size() < 79)
        return Status::error(
            "The SS section list is not loaded, so this SS log of a contest "
            "before 1997 cannot be converted.  Nothing was changed.",
            kConversionTitle);
    QSORec header = old.header;
    header.QMult = old.fields.identifier.substr(0, 2) + "9" + old.fields.qualifier;
    std::vector<QSORecName> qsos = old.qsos;
    for (QSORecName& q : qsos) {
        const std::string_view mult = q.QMult.raw();
        const auto section = static_cast<int>(leadingNumber(mult.substr(3, 2)));
        const std::optional<int> i = ssSectionIndex(section, ssYear);
        if (i) q.QMult = std::string(mult.substr(0, 3)) + sectionShortForms[*i - 1];
    }
    return convertedLog(header, qsos);
}

Status checkOldNameFree(const std::string& path) {
    const std::string oldName = oldLogName(path);
    if (oldName != path && !fileExists(oldName)) return Status::ok();
    return Status::error("The log " + path + " has to be converted, but its old-file name " +
                             oldName +
                             " is taken.  Move that file away and open the log "
                             "again; nothing was changed.",
                         kConversionTitle);
}

Status replaceWithConverted(const std::string& path, std::string_view originalBytes,
                            std::string_view convertedBytes) {
    const Status free = checkOldNameFree(path);
    if (!free) return free;
    const std::string oldName = oldLogName(path);
    const Status kept = writeFileAtomically(oldName, originalBytes);
    if (!kept) return kept;
    const Status converted = writeFileAtomically(path, convertedBytes);
    if (!converted) {
        removeFile(oldName);
        return converted;
    }
    return Status::ok();
}

}  // namespace keslog
