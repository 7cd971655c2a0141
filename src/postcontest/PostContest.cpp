#include "postcontest/PostContest.h"

#include "platform/Files.h"
#include "postcontest/Breakdown.h"
#include "postcontest/Cabrillo.h"
#include "postcontest/DupeSheets.h"
#include "postcontest/Export.h"
#include "postcontest/Listing.h"
#include "postcontest/Summary.h"

namespace keslog {

std::string crlfText(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

Result<PostContestReport> runPostContest(MainMod& state, const std::string& path,
                                         const OutputChoices& choices, const OpenServices& services,
                                         int currentYear) {
    Result<RescoredLog> log = rescoreLog(state, path, services, currentYear);
    if (!log) return log.status();
    PostContestReport report{std::move(*log), {}, {}};
    const auto write = [&report](const std::string& file, const std::vector<std::string>& lines) {
        if (file == report.log.path) {
            report.failures.push_back(file + ": the output would replace the log itself.");
            return;
        }
        if (const Status done = writeFileAtomically(file, crlfText(lines)); !done)
            report.failures.push_back("The file " + file + " was not written: " + done.message());
        else
            report.written.push_back(file);
    };
    if (choices.cabrillo)
        write(cabrilloPath(report.log), cabrilloLines(state, report.log, choices.cabrilloVersion));
    if (choices.summary) write(summaryPath(report.log), summaryLines(state, report.log));
    if (choices.breakdown) write(breakdownPath(report.log), breakdownLines(state, report.log));
    if (choices.listing) write(listingPath(report.log), listingLines(state, report.log));
    if (choices.dupeSheets)
        for (const OutputFile& sheet : dupeSheetFiles(state, report.log))
            write(sheet.path, sheet.lines);
    if (choices.adif) write(adifPath(report.log), adifLines(state, report.log, choices));
    if (choices.dxb4 && hasDxb4Export(state.contestNr))
        write(dxb4Path(report.log), dxb4Lines(state, report.log, choices));
    return report;
}

}  // namespace keslog
