#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "postcontest/Rescore.h"

namespace keslog {

// One post-contest file: its path and its lines (no line ends).
struct OutputFile {
    std::string path;
    std::vector<std::string> lines;
};

// The alphabetical call sheets of the log in memory, seven 10-character
// call fields to a line, dupes included: for SS one sheet (".DUP") over all
// bands, otherwise one per band-mode with QSOs, in band-mode order
// (".20C" for 20 m CW, ".16S" for 160 m phone). For WPX the prefix list
// (".PFX") follows, fifteen prefixes of five columns to a line.
std::vector<OutputFile> dupeSheetFiles(const MainMod& state, const RescoredLog& log);

}  // namespace keslog
