#pragma once

#include <array>
#include <string>
#include <vector>

namespace keslog {

// One multiplier: up to three accepted forms (the first is the abbreviation
// operators send) and a worked flag per flag column.
struct MultRow {
    std::array<std::string, 3> forms;
    std::vector<bool> worked;
};

// A contest family's multiplier list, loaded from the reference data file.
struct MultTable {
    std::vector<MultRow> rows;
    int flagColumns = 1;

    void clearWorked() {
        for (MultRow& row : rows) row.worked.assign(static_cast<std::size_t>(flagColumns), false);
    }
};

// The multiplier lists of all contests.
struct MultTables {
    MultTable CQPMults;                     // 58 rows, 3 forms
    MultTable CQPInState;                   // 58 rows, 3 forms; no flags
    MultTable SSSections;                   // 80 rows, 3 forms
    std::vector<std::string> SSShortForms;  // 80 two-character forms
    MultTable SprintMults;                  // 72 rows, 1 form
    MultTable NAQPMults;                    // 72 rows, 1 form, 6 band columns
    MultTable PAQPMults;                    // 67 rows, 3 forms
    // AA: prefixes worked per band (10..160 m).
    std::array<std::vector<std::string>, 6> AAPrefixes;
};

}  // namespace keslog
