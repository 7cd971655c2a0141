#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "model/Multipliers.h"
#include "model/ReferenceData.h"
#include "model/RuleList.h"
#include "platform/Status.h"

namespace keslog {

inline constexpr const char* kDataFileName = "KESLOG90.DAT";

// Reads the sections of a reference data file into data. Every section
// must be there with all its items: a missing section, the end of the text
// inside a section or a position that is no 16-bit number is an error, and
// data is then left as it was.
Status ReadDataFile(std::string_view contents, ReferenceData& data);

// Reads the program folder's KESLOG90.DAT into state.reference.
Status ReadDataFile(MainMod& state);

// The reference data in the file's own format: reading it back gives the
// same tables.
std::string dataFileText(const ReferenceData& data);

// Splits list entries first .. first + rows - 1 (1-based) into the form
// columns of the table's rows: up to three forms separated by "/", blanks
// around each dropped. Columns after the last form keep what they held.
void SplitMultForms(std::span<const std::string> list, int first, MultTable& table);

// Builds every multiplier table of a new or opened log from the reference
// lists: flags cleared, then the forms. A station inside California works
// the states and provinces, any other station the counties; the in-state
// list always holds the counties. The log's rule list, when it has one,
// takes the place of the SS or the Sprint and NAQP lists.
void ExpandMultTables(const ReferenceData& data, bool inCalifornia, MultTables& mults,
                      const RuleList& rules = {});

}  // namespace keslog
