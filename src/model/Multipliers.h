#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/RuleList.h"

namespace keslog {

// Form columns that hold no form: a text that no input equals.
inline constexpr const char* kNoForm = "@";

// One multiplier: up to three accepted forms (the first is the abbreviation
// operators send) and a worked flag per flag column.
struct MultRow {
    std::array<std::string, 3> forms;
    std::vector<bool> worked;
    std::string stored;  // SS: the two characters a logged QSO keeps

    bool operator==(const MultRow&) const = default;
};

// A contest family's multiplier list, loaded from the reference data file.
struct MultTable {
    std::vector<MultRow> rows;
    int flagColumns = 1;
    std::vector<RetiredForm> retired;  // forms the exchange refuses, with why

    // rowCount rows with empty first forms, kNoForm in columns 2 and 3 and
    // every flag cleared.
    void reset(int rowCount, int flags) {
        flagColumns = flags;
        rows.assign(static_cast<std::size_t>(rowCount), MultRow{{"", kNoForm, kNoForm}, {}, {}});
        retired.clear();
        clearWorked();
    }

    // The 1-based row whose stored form is the text, or 0.
    int findStored(std::string_view text) const {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!rows[i].stored.empty() && rows[i].stored == text) return static_cast<int>(i + 1);
        return 0;
    }

    // The message that refuses a retired form, or nullptr.
    const std::string* retiredMessage(std::string_view text) const {
        for (const RetiredForm& r : retired)
            if (r.form == text) return &r.message;
        return nullptr;
    }

    // The 1-based row whose forms include the text, or 0. Empty text and
    // rows without forms never match.
    int findRow(std::string_view text) const {
        if (text.empty()) return 0;
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (const std::string& form : rows[i].forms)
                if (form == text && form != kNoForm) return static_cast<int>(i + 1);
        return 0;
    }

    void clearWorked() {
        for (MultRow& row : rows) row.worked.assign(static_cast<std::size_t>(flagColumns), false);
    }

    bool operator==(const MultTable&) const = default;
};

// The multiplier lists of all contests.
struct MultTables {
    MultTable CQPMults;     // 58 rows, 3 forms
    MultTable CQPInState;   // 58 rows, 3 forms; no flags
    MultTable SSSections;   // 80 rows (85 in a log of today's list), 3 forms
    MultTable SprintMults;  // 72 rows, 1 form (a rule list's rows, 3 forms)
    MultTable NAQPMults;    // the same, 6 band columns
    MultTable PAQPMults;    // 67 rows, 3 forms
    // AA: prefixes worked per band (10..160 m), each band in ascending order.
    std::array<std::vector<std::string>, 6> AAPrefixes;

    bool operator==(const MultTables&) const = default;
};

}  // namespace keslog
