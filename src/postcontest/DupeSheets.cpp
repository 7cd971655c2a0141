#include "postcontest/DupeSheets.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/Band.h"

namespace keslog {
namespace {

// Fixed-width fields, count to a line, the last line holding the rest.
std::vector<std::string> fieldLines(const std::vector<std::string>& fields, std::size_t perLine) {
    std::vector<std::string> lines;
    lines.reserve((fields.size() + perLine - 1) / perLine);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i % perLine == 0) lines.emplace_back();
        lines.back() += fields[i];
    }
    return lines;
}

// The blank-padded call fields compare as the sponsor's checkers sort
// them: by character code, so "K1A" comes before "K1AB" and digits before
// letters.
std::vector<std::string> sheetLines(std::vector<std::string> calls) {
    std::sort(calls.begin(), calls.end());
    return fieldLines(calls, 7);
}

std::string sheetExtension(int bandMode) {
    return std::string(BandName[static_cast<std::size_t>(bandIndexOf(bandMode) - 1)].substr(0, 2)) +
           (isCw(bandMode) ? "C" : "S");
}

std::vector<std::string> prefixListLines(const std::vector<std::string>& prefixes) {
    std::vector<std::string> fields;
    fields.reserve(prefixes.size());
    for (const std::string& prefix : prefixes)
        fields.push_back(prefix.size() < 5 ? prefix + std::string(5 - prefix.size(), ' ') : prefix);
    return fieldLines(fields, 15);
}

}  // namespace

std::vector<OutputFile> dupeSheetFiles(const MainMod& state, const RescoredLog& log) {
    // The call fields of each band-mode (1..16), in log order; SS sheets them all together.
    const bool oneSheet = state.contestNr == contest::Ss;
    std::array<std::vector<std::string>, 2 * kBandCount + 1> calls;
    for (int n = 1; n <= state.log.count(); ++n) {
        const QSORecName q = state.log.at(n);
        if (oneSheet || isValidBandMode(q.QBandMode))
            calls[oneSheet ? 0 : static_cast<std::size_t>(q.QBandMode)].emplace_back(q.QCall.raw());
    }
    std::vector<OutputFile> files;
    if (oneSheet) files.push_back({log.baseName + ".DUP", sheetLines(std::move(calls[0]))});
    for (int bandMode = 1; bandMode <= 2 * kBandCount; ++bandMode) {
        std::vector<std::string>& sheet = calls[static_cast<std::size_t>(bandMode)];
        if (!sheet.empty())
            files.push_back(
                {log.baseName + "." + sheetExtension(bandMode), sheetLines(std::move(sheet))});
    }
    if (state.contestNr == contest::Wpx)
        files.push_back({log.baseName + ".PFX", prefixListLines(state.totals.wpxPrefixes)});
    return files;
}

}  // namespace keslog
