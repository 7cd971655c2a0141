#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "platform/Status.h"
#include "postcontest/Rescore.h"
#include "storage/LogOpening.h"

namespace keslog {

// The files the operator asked for.
struct OutputChoices {
    bool cabrillo = false;
    bool summary = false;
    bool breakdown = false;
    bool listing = false;
    bool dupeSheets = false;
    bool adif = false;
    bool dxb4 = false;
    bool omitWK = false;      // exports leave out W/K stations
    bool omitJA = false;      // exports leave out JA stations
    int cabrilloVersion = 3;  // 2 for a sponsor that still wants the old form

    bool any() const {
        return cabrillo || summary || breakdown || listing || dupeSheets || adif || dxb4;
    }
};

// What a post-contest run did: the files written and, by name, each file
// that could not be.
struct PostContestReport {
    RescoredLog log;
    std::vector<std::string> written;
    std::vector<std::string> failures;
};

// Re-reads and re-scores the log at path, then writes the chosen outputs
// next to it, each replacing a file of the same name. A log that cannot be
// read is an error; a file that cannot be written is listed in failures
// and the others are still written.
Result<PostContestReport> runPostContest(MainMod& state, const std::string& path,
                                         const OutputChoices& choices, const OpenServices& services,
                                         int currentYear);

// Text lines joined with CR LF after each, as every output file is written.
std::string crlfText(const std::vector<std::string>& lines);

}  // namespace keslog
